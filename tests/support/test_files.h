#pragma once
// Reading and writing whole files in tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QTest>
#include <QtEndian>

namespace briqo::testing {

// The file's bytes; "<missing>" when it cannot be read, so a missing file never equals an empty one.
inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes the bytes as the whole file, making its folder first.
inline void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Bytes of no pattern, the same for the same seed.
inline QByteArray randomBytes(qsizetype size, quint32 seed = 20261206)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

// The pixel size a PNG file's header gives; an invalid size for anything else.
inline QSize pngSize(const QByteArray &png)
{
    if (png.size() < 24 || !png.startsWith("\x89PNG\r\n\x1a\n"))
        return {};
    return QSize(qFromBigEndian<qint32>(png.constData() + 16), qFromBigEndian<qint32>(png.constData() + 20));
}

// Writes the bytes as the whole file; false when that cannot be done.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What a program prints on its standard output.
inline QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF (poppler's pdftotext), or of one of its pages.
inline QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return runTool(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

// The number of pages pdfinfo gives; -1 when it cannot tell.
inline int pageCount(const QString &pdf)
{
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace briqo::testing
