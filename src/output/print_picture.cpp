#include "output/print_picture.h"

#include <QPaintDevice>
#include <QPainter>

namespace briqo {

namespace {

constexpr double TwipsPerInch = 1440;
constexpr double HimetricPerMetre = 100000;
constexpr double ScreenDotsPerMetre = 96 / 0.0254;

} // namespace

QSizeF himetricSize(const QImage &picture)
{
    const double perMetreX = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : ScreenDotsPerMetre;
    const double perMetreY = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : ScreenDotsPerMetre;
    return {picture.width() / perMetreX * HimetricPerMetre, picture.height() / perMetreY * HimetricPerMetre};
}

void PrintScaledPicture(QPainter &page, const QImage &picture, double x, double y, double scale)
{
    const QPaintDevice *device = page.device();
    if (!device || picture.isNull())
        return;
    // The painter of a printer starts at the top-left of the printable area, in device dots.
    const double dotsX = device->logicalDpiX() / TwipsPerInch;
    const double dotsY = device->logicalDpiY() / TwipsPerInch;
    const QSizeF size = himetricSize(picture) * scale;
    page.save();
    page.setRenderHint(QPainter::SmoothPixmapTransform);
    page.drawImage(QRectF(x * dotsX, y * dotsY, size.width() * dotsX, size.height() * dotsY), picture);
    page.restore();
}

} // namespace briqo
