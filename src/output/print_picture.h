#pragma once

#include <QImage>
#include <QSizeF>

class QPainter;

namespace briqo {

// The picture's own size in hundredths of a millimetre (HiMetric), from its resolution; a picture
// that carries none counts as 96 dots per inch, as the screen it was taken from.
QSizeF himetricSize(const QImage &picture);

// Draws the picture on the page painter is printing, its top-left corner x and y twips from the
// origin of the printable area, scale times the picture's HiMetric size read as twips: a
// 96-dpi picture at 0.5 prints about 13.23 twips (0.233 mm) a pixel.
void PrintScaledPicture(QPainter &page, const QImage &picture, double x, double y, double scale = 1);

} // namespace briqo
