#pragma once

#include <QByteArray>
#include <QImage>

namespace briqo {

// The bytes of a Windows bitmap file of the picture: 24 bits a pixel with a BITMAPINFOHEADER, the
// form every image viewer and word processor reads. Empty when the picture cannot be encoded.
QByteArray bitmapFileBytes(const QImage &picture);

} // namespace briqo
