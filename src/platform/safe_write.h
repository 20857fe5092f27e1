#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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

// Many output files (a folder of pictures), each whole or not at all, made durable together and
// written as they come: each goes to a temporary file beside its target as soon as it is given, and
// its way to the disk starts at once, so that the one flush of the file system at the commit finds
// little left to do. Then each replaces its target, in the targets' order. On a failure no target is
// touched by the files not yet renamed, and the temporary files go, as they do when the write is
// dropped without a commit. Those of a write whose process was killed go at the next commit in
// the same folder.
class FilesWrittenTogether {
public:
    explicit FilesWrittenTogether(QStringList targets);
    ~FilesWrittenTogether();
    FilesWrittenTogether(const FilesWrittenTogether &) = delete;
    FilesWrittenTogether &operator=(const FilesWrittenTogether &) = delete;

    // The bytes of targets[index], in any order of the indexes.
    WriteOutcome write(qsizetype index, const QByteArray &bytes);
    // Every target replaced by its file; failedPath names the target concerned on a failure.
    WriteOutcome commit(QString *failedPath = nullptr);

private:
    WriteOutcome giveUp(qsizetype index, int error, QString *failedPath);
    void dropTemporary();

    QStringList m_targets;
    QList<QByteArray> m_temporary; // empty where no file is waiting
};

// The whole of bytes into an open file, through interruptions and short writes; 0 or the errno
// of the failure (ENOSPC when the system takes no more and gives no reason).
int writeWhole(int fd, const QByteArray &bytes);

// All files at once.
WriteOutcome writeFilesSafely(const QList<std::pair<QString, QByteArray>> &files, QString *failedPath = nullptr);

} // namespace briqo
