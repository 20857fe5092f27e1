#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace briqo {

// Writes bytes to path (replacing it) with plain system calls, without waiting for the disk; false
// with the system's reason, and no file left, when it cannot.
bool writeStaged(const QString &path, const QByteArray &bytes, QString *error);

// Writes bytes to a new file at path and leaves it open in *fd. Plain system calls, so that the
// reason of a failure (a full disk, a file size limit) is the system's own and not lost in a
// buffer; on failure no file is left.
bool writeOpen(const QString &path, const QByteArray &bytes, int *fd, QString *error);

// Writes and flushes to the disk itself (see writeStaged).
bool writeDurably(const QString &path, const QByteArray &bytes, QString *error);

// Waits until everything written into the file system that holds folder is on the disk: one pass
// for any number of files. Falls back to each of files in turn where the system cannot, and flushes
// only those when oneFlushForAll is false.
bool syncFileSystem(const QString &folder, const QStringList &files, QString *error, bool oneFlushForAll = true);

// POSIX rename, which replaces the target in one step; QFile::rename refuses an existing target.
bool replaceFile(const QString &from, const QString &to);

// Flushes a folder's names (new, renamed and removed files) to the disk; false with errno set.
bool syncFolder(const QString &folder);

// A file or folder name of a record that stays inside its folder: not empty, no "/", not "." or "..".
bool isPlainName(const QString &name);

} // namespace briqo
