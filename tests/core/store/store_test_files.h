#pragma once

#include <QTemporaryDir>
#include <QtTest>

// What every store test needs: golden files, and files to read and to plant.
namespace briqo::test {

inline QString golden(const QString &name) { return QStringLiteral(BRIQO_TEST_DATA "/store/") + name; }

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void putBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    if (QFile file(path); file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace briqo::test
