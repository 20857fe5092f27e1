#include "output/png_file.h"

#include <zlib.h>

#include <cstring>

namespace briqo {

namespace {

void putBigEndian(QByteArray &bytes, quint32 value)
{
    const char be[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    bytes.append(be, 4);
}

void putChunk(QByteArray &file, const char *type, const QByteArray &data)
{
    putBigEndian(file, quint32(data.size()));
    const qsizetype start = file.size();
    file.append(type, 4);
    file.append(data);
    putBigEndian(file, quint32(crc32(0, reinterpret_cast<const Bytef *>(file.constData() + start), uInt(4 + data.size()))));
}

} // namespace

QByteArray pngFileBytes(const QImage &picture)
{
    if (picture.isNull())
        return {};
    const bool alpha = picture.hasAlphaChannel();
    // The board's pictures (32-bit pixels, with or without alpha) are unpacked row by row here;
    // any other kind is converted first.
    const bool unpacked = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
    const QImage image = unpacked
        ? picture
        : picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int width = image.width();
    const int height = image.height();
    const qsizetype rowBytes = qsizetype(width) * (alpha ? 4 : 3);

    // Every row starts with its filter type: 0, none.
    QByteArray rows(qsizetype(height) * (rowBytes + 1), Qt::Uninitialized);
    char *out = rows.data();
    for (int y = 0; y < height; ++y) {
        *out++ = 0;
        if (!unpacked) {
            std::memcpy(out, image.constScanLine(y), size_t(rowBytes));
            out += rowBytes;
            continue;
        }
        const auto *pixel = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            *out++ = char(qRed(pixel[x]));
            *out++ = char(qGreen(pixel[x]));
            *out++ = char(qBlue(pixel[x]));
            if (alpha)
                *out++ = char(qAlpha(pixel[x]));
        }
    }

    z_stream zip {};
    if (deflateInit(&zip, Z_BEST_SPEED) != Z_OK)
        return {};
    QByteArray packed(qsizetype(deflateBound(&zip, uLong(rows.size()))), Qt::Uninitialized);
    zip.next_in = reinterpret_cast<Bytef *>(rows.data());
    zip.avail_in = uInt(rows.size());
    zip.next_out = reinterpret_cast<Bytef *>(packed.data());
    zip.avail_out = uInt(packed.size());
    const int done = deflate(&zip, Z_FINISH);
    packed.resize(qsizetype(zip.total_out));
    deflateEnd(&zip);
    if (done != Z_STREAM_END)
        return {};

    QByteArray header;
    putBigEndian(header, quint32(width));
    putBigEndian(header, quint32(height));
    header.append(char(8)); // bits a sample
    header.append(char(alpha ? 6 : 2)); // RGBA or RGB
    header.append(3, char(0)); // deflate, adaptive filtering, no interlace

    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    putChunk(file, "IHDR", header);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        QByteArray resolution;
        putBigEndian(resolution, quint32(image.dotsPerMeterX()));
        putBigEndian(resolution, quint32(image.dotsPerMeterY()));
        resolution.append(char(1)); // the unit is the metre
        putChunk(file, "pHYs", resolution);
    }
    putChunk(file, "IDAT", packed);
    putChunk(file, "IEND", {});
    return file;
}

} // namespace briqo
