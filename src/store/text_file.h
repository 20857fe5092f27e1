#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QFile;

namespace briqo {

// The text files of a game: code page 1252, every line ended by CR LF (also the last), no
// byte-order mark. Paths are looked up ignoring letter case where the exact spelling is missing.

// The lines of the file; CR LF, a bare LF or a bare CR each end a line, and a last line without
// an end still counts. nullopt when there is no readable file (or it is implausibly large for a
// game file, over 16 MiB).
std::optional<QStringList> readTextLines(const QString &path);

// The bytes of such a file, and the lines of bytes read already.
std::optional<QByteArray> readTextFileBytes(const QString &path);
QStringList textLinesOf(const QByteArray &bytes);

// The first line of a file already open for reading, as readTextLines would give it; empty for
// an empty file or one too large to be a game file.
QString readFirstLine(QFile &file);

// Writes every line followed by CR LF through a temporary file that replaces the old one only
// when all bytes are written, so a crash or a full disk never leaves a half-written game. A CR or
// LF inside a line is written as a blank, so the file keeps one line per entry. On failure
// returns false, puts the reason in *error (when given) and leaves any previous file untouched.
bool writeTextLines(const QString &path, const QStringList &lines, QString *error = nullptr);

// The bytes writeTextLines and writeTextItem put in a file.
QByteArray textLinesBytes(const QStringList &lines);
QByteArray textItemBytes(const QString &text);

// Replaces the file at path with bytes through a temporary file (see writeTextLines).
bool writeFileBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// The question and answer files: the text as typed, its own line breaks written as CR LF, then
// one CR LF (an empty text gives a file holding only CR LF).
bool writeTextItem(const QString &path, const QString &text, QString *error = nullptr);

// Reads such a file back: all lines joined with CR LF (no break after the last), leading and
// trailing blanks removed. Empty when the file is missing.
QString readJoinedText(const QString &path);

} // namespace briqo
