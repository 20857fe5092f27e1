#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

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

// Many output files at once (a folder of pictures), each whole or not at all, and made durable
// together: every file goes to a temporary file beside its target, the file system is flushed
// once for all of them, and then each replaces its target. On a failure no target is touched by
// the files not yet renamed, the temporary files go, and failedPath names the file concerned.
WriteOutcome writeFilesSafely(const QList<std::pair<QString, QByteArray>> &files, QString *failedPath = nullptr);

} // namespace briqo
