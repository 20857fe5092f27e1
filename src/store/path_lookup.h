#pragma once

#include <QString>
#include <QStringList>

namespace briqo {

// Games written on Windows may be copied here with other letter case ("SPEL 012 BIEDING.TXT").
// These helpers find the spelling that exists on disk, so reading and writing hit the same file
// instead of creating a second one that differs only in case.

// The entry of folder whose name equals name ignoring case; an exact match wins, otherwise the
// first match in name order. Empty when there is none (or folder cannot be listed).
QString matchInFolder(const QString &folder, const QString &name);

// root joined with parts, where each part that exists below the parts before it (ignoring case)
// takes its spelling on disk; from the first part that does not exist, the wanted spelling.
// Empty parts are skipped.
QString resolvePath(const QString &root, const QStringList &parts);

// The same walk for a whole path: returned unchanged when it exists as written (one status
// query), otherwise every missing component is looked up ignoring case.
QString resolveExisting(const QString &path);

// a + "/" + b without doubling a separator; an empty a gives b.
QString joinPath(const QString &a, const QString &b);

} // namespace briqo
