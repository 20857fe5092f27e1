#pragma once

// What every fuzz target needs: the input as bytes, a scratch folder of its own on a memory file
// system, and a check that stops the run with a message when a promise of the reader is broken.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace briqo::fuzz {

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A folder for this process only, emptied by the caller between inputs. Memory-backed when the
// machine has /dev/shm, so a file per input costs microseconds.
inline const QString &scratchFolder()
{
    static const QString folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString path = base + QStringLiteral("/briqo-fuzz-") + QString::number(::getpid());
        QDir().mkpath(path);
        // Removed at the end of the run; the name is kept where no destructor can reach it first.
        static char name[512];
        std::snprintf(name, sizeof name, "%s", QFile::encodeName(path).constData());
        std::atexit([] { QDir(QFile::decodeName(name)).removeRecursively(); });
        return path;
    }();
    return folder;
}

inline void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
}

// Splits the input into parts at a separator line, so one input can stand for several files.
inline QList<QByteArray> parts(const QByteArray &bytes, int count, const QByteArray &separator = "\n@@\n")
{
    QList<QByteArray> result;
    qsizetype start = 0;
    while (result.size() < count - 1) {
        const qsizetype at = bytes.indexOf(separator, start);
        if (at < 0)
            break;
        result.append(bytes.mid(start, at - start));
        start = at + separator.size();
    }
    result.append(bytes.mid(start));
    while (result.size() < count)
        result.append(QByteArray());
    return result;
}

} // namespace briqo::fuzz

// A promise of the code under test that the input broke: a finding like a crash.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, #condition);                  \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
