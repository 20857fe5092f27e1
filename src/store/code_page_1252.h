#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace briqo {

// Game files are in the Windows code page 1252, as the original Windows program wrote them.

// Every byte has a character: the five bytes 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become the control characters of the same value, as Windows itself decodes them.
QString decode1252(QByteArrayView bytes);

// A character with no 1252 code (a CJK letter, an emoji, a lone surrogate) becomes "?": one "?"
// for each character the user sees, never a byte that would read back as something else.
QByteArray encode1252(QStringView text);

} // namespace briqo
