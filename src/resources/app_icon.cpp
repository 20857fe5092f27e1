#include "resources/app_icon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <initializer_list>

namespace briqo {

namespace {

QIcon drawnIcon(std::initializer_list<int> sizes)
{
    // Drawn here rather than left to an icon plugin, which a minimal system may lack: the window
    // then always carries its icon.
    QSvgRenderer svg(QStringLiteral(":/icons/briqo.svg"));
    QIcon icon;
    if (!svg.isValid())
        return icon;
    for (const int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

QIcon programIcon() { return drawnIcon({16, 22, 24, 32, 48, 64, 128, 256}); }

QIcon programIconAtStart() { return drawnIcon({32}); }

} // namespace briqo
