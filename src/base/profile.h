#pragma once

#include <QString>

namespace briqo {

// Windows profile (INI) files, read and written the way the Windows profile services do it:
// section and key names match without regard to case, other sections, keys and comment lines are
// kept, a missing section is appended at the end, a missing key is added after the last entry of its
// section, the file is created on the first write, and every line ends in CR LF.

// The value of the key with an empty default: leading and trailing blanks removed, a pair of
// surrounding quotes removed, at most 254 characters (the buffer the program asks with holds 255).
// A missing file, section or key gives the empty text.
QString ReadIni(const QString &section, const QString &key, const QString &file);

// Writes key=value into the section. Returns false when the file cannot be written; callers that
// follow the original program ignore the result.
bool WriteIni(const QString &section, const QString &key, const QString &value, const QString &file);

} // namespace briqo
