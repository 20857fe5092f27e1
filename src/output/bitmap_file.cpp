#include "output/bitmap_file.h"

#include <QBuffer>
#include <QImageWriter>

namespace briqo {

QByteArray bitmapFileBytes(const QImage &picture)
{
    if (picture.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Qt writes an image without an alpha channel at its own depth: three bytes a pixel here.
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
        return {};
    return bytes;
}

} // namespace briqo
