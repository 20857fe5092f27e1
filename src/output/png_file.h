#pragma once

#include <QByteArray>
#include <QImage>

namespace briqo {

// The bytes of a PNG file of the picture, written for speed: 8-bit RGB (RGBA when the picture has
// an alpha channel), rows unfiltered, zlib's fastest level, and the picture's resolution. A board
// is large areas of one colour, which this packs about as small as the slower settings do.
// Empty when the picture is null.
QByteArray pngFileBytes(const QImage &picture);

} // namespace briqo
