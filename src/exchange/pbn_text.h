#pragma once

#include <QByteArray>
#include <QString>

namespace briqo {

// Text inside PBN files. A PBN file is Latin-1 with lines of at most 255 characters, and a game
// ends at an empty line, so commentary that carries a teacher's question or answer is escaped:
// a backslash starts an escape ("\\" a backslash, "\xHH" the character of code-page-1252 byte HH,
// "\S" "\H" "\D" "\C" the suit symbols of the standard), a backslash at the end of a line joins
// it to the next, an empty line is written as one blank, and a blank at the end of a line or line
// breaks at either end of the text are escaped so that trimming never loses them.

// The text a commentary gives, from what stands between "{" and "}" (or after ";"). Lines end in
// CR LF; leading and trailing empty lines and the blanks around each line are dropped (foreign
// files indent and pad their commentary). The suit symbols "\S" "\H" "\D" "\C" stay as written:
// a question or answer shows them as symbols, and an export writes them back the same.
QString decodeCommentary(const QString &raw, int languageNumber);

// "{...}" holding text exactly, such that decodeCommentary gives text back.
QString encodeCommentary(const QString &text);

// A tag value between quotes, with "\"" and "\\" escaped. Only printable Latin-1 text may go into
// a tag value (see isPlainTagText).
QString quoteTagValue(const QString &value);
bool isPlainTagText(const QString &text);

// The text with every character that ISO-8859-1 lacks in its nearest plain form: the characters
// code page 1252 adds (curly quotes, dashes, the euro sign, ...) as their ISO-8859-1 or ASCII
// look-alike ("\u2018" as "'", "\u20ac" as "EUR"), any other one as "?". Control characters stay.
// Each character replaced is added once to *replaced, when given.
QString latin1Form(const QString &text, QString *replaced = nullptr);

// The characters of a PBN or LIN file. A UTF-16 byte-order mark (either byte order) means UTF-16;
// a UTF-8 byte-order mark or a "charset=UTF-8" line means UTF-8 and
// "charset=ISO-8859-1" (or windows-1252) means the single-byte code page; otherwise a file that is
// valid UTF-8 with some byte above 127 is taken as UTF-8, and anything else as code page 1252
// (which agrees with Latin-1 on every printable character).
QString decodeExchangeFile(const QByteArray &bytes);

// The same choice without decoding the file: how its bytes are text. Utf16 files are decoded whole
// (decodeExchangeFile); the others can be read piece by piece. bomLength is how many bytes the
// byte-order mark takes at the start.
enum class ExchangeEncoding { Utf8, CodePage1252, Utf16 };
ExchangeEncoding exchangeFileEncoding(QByteArrayView bytes, qsizetype *bomLength = nullptr);

// A stored game reads back question and answer files of at most 16 MiB. What a file brings beyond
// these lengths is cut at import (with a notice), which leaves room for the notes that join the
// question.
constexpr qsizetype MaxCommentaryLength = 15 * 1024 * 1024;
constexpr qsizetype MaxNoteLength = 16 * 1024;

// Cuts text to at most max characters (never inside a pair of UTF-16 code units); true when it cut.
bool cutToLength(QString &text, qsizetype max);

// Lines of an exported file are at most this long, as the standard's export format asks.
constexpr int PbnMaxLineLength = 255;

} // namespace briqo
