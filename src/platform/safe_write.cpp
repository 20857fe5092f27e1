#include "platform/safe_write.h"

#include <QSaveFile>

namespace briqo {

namespace {

WriteOutcome failed(QSaveFile &file)
{
    QString reason = file.errorString();
    file.cancelWriting();
    if (reason.isEmpty())
        reason = QStringLiteral("unknown error");
    return {false, reason};
}

} // namespace

WriteOutcome writeFileSafely(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file);
    // The bytes are pushed out of Qt's buffer and checked before the commit: Qt 6.4 commits a file
    // whose last buffered write failed (a full disk), which would put a cut file in place of the
    // earlier one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        return failed(file);
    if (!file.commit()) {
        const QString reason = file.errorString();
        return {false, reason.isEmpty() ? QStringLiteral("unknown error") : reason};
    }
    return {true, {}};
}

} // namespace briqo
