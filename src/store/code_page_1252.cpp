#include "store/code_page_1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace briqo {

namespace {

// The characters of bytes 0x80-0x9F; every other byte is the Latin-1 character of its value.
constexpr std::array<char16_t, 32> kHighHalf = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWithTable(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(value >= 0x80 && value < 0xA0 ? QChar(kHighHalf[value - 0x80]) : QChar(value));
    }
    return text;
}

char encodeCodePoint(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QString decode1252(QByteArrayView bytes)
{
    // Most game files are plain ASCII, which needs no converter.
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; }))
        return QString::fromLatin1(bytes);
    // The system converter when this machine has one; our table gives the same characters.
    QStringDecoder decoder("windows-1252", QStringDecoder::Flag::Stateless);
    if (decoder.isValid()) {
        QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return text;
    }
    return decodeWithTable(bytes);
}

QByteArray encode1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes.append('?');
            ++i;
        } else if (c.isSurrogate()) {
            bytes.append('?');
        } else {
            bytes.append(encodeCodePoint(c.unicode()));
        }
    }
    return bytes;
}

} // namespace briqo
