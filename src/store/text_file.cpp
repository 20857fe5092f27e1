#include "store/text_file.h"

#include "store/code_page_1252.h"
#include "store/path_lookup.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace briqo {

namespace {

constexpr qint64 kMaxTextFileSize = 16 * 1024 * 1024;
const QString kLineEnd = QStringLiteral("\r\n");

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool saveBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(resolveExisting(path));
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // Flush before committing: Qt 6.4 commits a file whose last buffered write failed (disk full),
    // which would replace the previous game with a truncated one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString withCrLf(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16 + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            result += kLineEnd;
        } else if (c == QLatin1Char('\n')) {
            result += kLineEnd;
        } else {
            result += c;
        }
    }
    return result;
}

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

std::optional<QStringList> readTextLines(const QString &path)
{
    const std::optional<QByteArray> bytes = readTextFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return textLinesOf(*bytes);
}

QStringList textLinesOf(const QByteArray &bytes) { return splitLines(decode1252(bytes)); }

std::optional<QByteArray> readTextFileBytes(const QString &path)
{
    // Plain system calls: a load reads every file of a game, and the exact spelling is nearly
    // always there. A pipe or device by such a name is not waited on.
    const auto open
        = [](const QString &p) { return ::open(QFile::encodeName(p).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); };
    int fd = path.isEmpty() ? -1 : open(path);
    if (fd < 0 && !path.isEmpty()) {
        const QString resolved = resolveExisting(path);
        if (resolved != path)
            fd = open(resolved);
    }
    if (fd < 0)
        return std::nullopt;
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxTextFileSize) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    bytes.truncate(got);
    return bytes;
}

QString readFirstLine(QFile &file)
{
    if (file.size() > kMaxTextFileSize)
        return {};
    const QByteArray bytes = file.readAll();
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    return decode1252(QByteArrayView(bytes).first(end));
}

QByteArray textLinesBytes(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        QString clean = line;
        clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += clean;
        text += kLineEnd;
    }
    return encode1252(text);
}

QByteArray textItemBytes(const QString &text) { return encode1252(withCrLf(text) + kLineEnd); }

bool writeFileBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    return saveBytes(path, bytes, error);
}

bool writeTextLines(const QString &path, const QStringList &lines, QString *error)
{
    return saveBytes(path, textLinesBytes(lines), error);
}

bool writeTextItem(const QString &path, const QString &text, QString *error)
{
    return saveBytes(path, textItemBytes(text), error);
}

QString readJoinedText(const QString &path)
{
    const std::optional<QStringList> lines = readTextLines(path);
    if (!lines)
        return {};
    // Blanks only, as the original's Trim: a line break the user typed at the end survives a
    // save and reload unchanged.
    return trimBlanks(lines->join(kLineEnd));
}

} // namespace briqo
