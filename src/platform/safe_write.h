#pragma once

#include <QByteArray>
#include <QString>

namespace briqo {

// What became of a file write: done, or the reason it was not (the system's own words, such as
// "No space left on device").
struct WriteOutcome {
    bool ok = false;
    QString reason;

    explicit operator bool() const { return ok; }
};

// Writes a whole output file (an export, a picture, a handout, a settings file): the bytes go to
// a temporary file beside the target, which replaces the target only when every byte has reached
// the disk. On any failure the target is left exactly as it was (or absent) and the reason is
// given. Every file the program writes outside the game store goes through here.
WriteOutcome writeFileSafely(const QString &path, const QByteArray &bytes);

} // namespace briqo
