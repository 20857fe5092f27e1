#include "store/file_state.h"

#include "store/path_lookup.h"

#include <QDir>
#include <QFileInfo>

namespace briqo {

int FileState(const QString &path)
{
    if (path.isEmpty())
        return -1;
    const QFileInfo info(resolveExisting(path));
    if (!info.exists() || !info.isFile())
        return -1;
    return info.size() > 0 ? 1 : 0;
}

void CreateFolderPath(const QString &path)
{
    if (path.isEmpty())
        return;
    QDir().mkpath(resolveExisting(path));
}

} // namespace briqo
