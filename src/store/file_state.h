#pragma once

#include <QString>

namespace briqo {

// 1 for a file of at least one byte, 0 for an empty file, -1 when there is no file at path (or it
// is a folder, or its length cannot be read). Letter case is ignored where the exact spelling is
// missing, as everywhere in the game store.
int FileState(const QString &path);

// Creates every missing folder along path. Failures are ignored: an existing folder is the normal
// case, and a folder that really cannot be made shows up when the file in it is written.
void CreateFolderPath(const QString &path);

} // namespace briqo
