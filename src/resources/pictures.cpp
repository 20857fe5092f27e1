#include "resources/pictures.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace briqo {

namespace {

const QColor kSuitRed(192, 0, 0);

constexpr int HandSymbolSize = 34;
constexpr int HandSymbolGlyph = 28;
constexpr int CallSymbolSize = 14;
constexpr int CallSymbolGlyph = 13;
const QSize NoTrumpSize(17, 14);

// Suit glyphs are drawn from the shipped font, so they look the same on every machine. Drawn as
// text, they stay text in a PDF or SVG: sharp at any size and found by a search.
void drawSuit(QPainter &p, int handSuit, const QRectF &box, int glyphPixels)
{
    static const char16_t glyphs[4] = {u'\u2660', u'\u2665', u'\u2666', u'\u2663'};
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(glyphPixels);
    p.setFont(f);
    p.setPen(handSuit == 1 || handSuit == 2 ? kSuitRed : Qt::black);
    p.drawText(box, Qt::AlignCenter, QString(QChar(glyphs[handSuit])));
}

void drawNoTrump(QPainter &p, const QString &letters, const QRectF &box)
{
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, letters);
}

QPixmap suitSymbol(int handSuit, int size, int glyphPixels)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    drawSuit(p, handSuit, QRectF(0, 0, size, size), glyphPixels);
    return pm;
}

QPixmap noTrump(const QString &letters)
{
    QPixmap pm(NoTrumpSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    drawNoTrump(p, letters, QRectF(pm.rect()));
    return pm;
}

QImage dutchFlag()
{
    QImage img(29, 20, QImage::Format_ARGB32);
    QPainter p(&img);
    p.fillRect(0, 0, 29, 7, QColor(174, 28, 40));
    p.fillRect(0, 7, 29, 6, Qt::white);
    p.fillRect(0, 13, 29, 7, QColor(33, 70, 139));
    return img;
}

QImage britishFlag()
{
    QImage img(29, 20, QImage::Format_ARGB32);
    img.fill(QColor(1, 33, 105));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawLine(0, 0, 29, 20);
    p.drawLine(29, 0, 0, 20);
    p.setPen(QPen(QColor(200, 16, 46), 1.5));
    p.drawLine(0, 0, 29, 20);
    p.drawLine(29, 0, 0, 20);
    p.fillRect(11, 0, 7, 20, Qt::white);
    p.fillRect(0, 7, 29, 6, Qt::white);
    p.fillRect(13, 0, 3, 20, QColor(200, 16, 46));
    p.fillRect(0, 8, 29, 4, QColor(200, 16, 46));
    return img;
}

// One frame of a flag in the wind: every column is shifted by a sine of its position and the frame.
QPixmap wavingFrame(const QImage &flag, int frame)
{
    const int amplitude = 2;
    QImage out(flag.width(), flag.height() + 2 * amplitude, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (int x = 0; x < flag.width(); ++x) {
        const double phase = 2.0 * M_PI * (x / 29.0 - frame / 15.0);
        const int dy = static_cast<int>(std::lround(amplitude * std::sin(phase) * (0.3 + 0.7 * x / 29.0)));
        for (int y = 0; y < flag.height(); ++y)
            out.setPixel(x, y + amplitude + dy, flag.pixel(x, y));
    }
    return QPixmap::fromImage(out);
}

QPixmap makePicture(int id)
{
    if (id >= 101 && id <= 104)
        return suitSymbol(id - 101, HandSymbolSize, HandSymbolGlyph);
    if (id >= 106 && id <= 109)
        return suitSymbol(3 - (id - 106), CallSymbolSize, CallSymbolGlyph);
    if (id == 110)
        return noTrump(QStringLiteral("SA"));
    if (id == 111)
        return noTrump(QStringLiteral("NT"));
    if (id >= 112 && id <= 126)
        return wavingFrame(dutchFlag(), id - 112);
    if (id >= 127 && id <= 141)
        return wavingFrame(britishFlag(), id - 127);
    return {};
}

} // namespace

QPixmap picture(int id)
{
    static QHash<int, QPixmap> cache;
    auto it = cache.find(id);
    if (it == cache.end())
        it = cache.insert(id, makePicture(id));
    return *it;
}

void setPicture(QLabel *label, int id)
{
    label->setProperty("pictureId", id);
    if (id == 0)
        label->clear();
    else
        label->setPixmap(picture(id));
}

int pictureIdOf(const QLabel *label) { return label->property("pictureId").toInt(); }

void paintPicture(QPainter &painter, int id, const QRectF &box)
{
    painter.save();
    if (id >= 101 && id <= 104) {
        drawSuit(painter, id - 101, box, HandSymbolGlyph);
    } else if (id >= 106 && id <= 109) {
        drawSuit(painter, 3 - (id - 106), box, CallSymbolGlyph);
    } else if (id == 110 || id == 111) {
        drawNoTrump(painter, id == 110 ? QStringLiteral("SA") : QStringLiteral("NT"), box);
    } else {
        // The flags are pictures by nature; they never stand on a board's picture anyway.
        const QPixmap pm = picture(id);
        if (!pm.isNull())
            painter.drawPixmap(box, pm, QRectF(pm.rect()));
    }
    painter.restore();
}

QPixmap makerLogo(int width, int height)
{
    QPixmap pm(width, height);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width, height) / 2 - 4;
    const QPoint c(width / 2, height / 2);
    const QPoint offsets[4] = {{0, -side / 2 - 2}, {side / 2 + 2, 0}, {0, side / 2 + 2}, {-side / 2 - 2, 0}};
    for (int s = 0; s < 4; ++s) {
        const QPixmap sym = suitSymbol(s, side, side - 4);
        p.drawPixmap(c + offsets[s] - QPoint(side / 2, side / 2), sym);
    }
    return pm;
}

} // namespace briqo
