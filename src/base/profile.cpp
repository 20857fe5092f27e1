#include "base/profile.h"

#include "platform/safe_write.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace briqo {

namespace {

// A profile file larger than this is no settings file a person wrote: it is left alone.
constexpr qint64 kMaxProfileSize = 16 * 1024 * 1024;

// How the file's text is stored, so a write gives back the form it was read in.
enum class Encoding { Bytes, Utf8WithMark, Utf16WithMark };

// The lines of a profile file. Single-byte text is read as Latin-1, which round-trips every byte,
// so values we do not understand are written back exactly as they were read. An editor may have
// saved the file with a byte-order mark (UTF-8, or UTF-16 as Notepad's "Unicode"): the mark is
// skipped for reading and kept for writing.
struct ProfileText {
    bool readable = true; // false: the file is there but cannot be read (or is far too large)
    Encoding encoding = Encoding::Bytes;
    QStringList lines;
    QByteArray bytes; // the file as read
};

ProfileText readProfile(const QString &file)
{
    ProfileText profile;
    const QFileInfo info(file);
    if (!info.exists())
        return profile;
    QFile f(file);
    if (!info.isFile() || info.size() > kMaxProfileSize || !f.open(QIODevice::ReadOnly)) {
        profile.readable = false;
        return profile;
    }
    profile.bytes = f.readAll();
    const QByteArray &bytes = profile.bytes;
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        profile.encoding = Encoding::Utf8WithMark;
        text = QString::fromLatin1(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE")) {
        profile.encoding = Encoding::Utf16WithMark;
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
            text.append(QChar(char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8)));
    } else {
        text = QString::fromLatin1(bytes);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    profile.lines = text.split(QLatin1Char('\n'));
    if (!profile.lines.isEmpty() && profile.lines.last().isEmpty())
        profile.lines.removeLast();
    return profile;
}

QByteArray profileBytes(const ProfileText &profile)
{
    const QString text = profile.lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    switch (profile.encoding) {
    case Encoding::Utf8WithMark:
        return "\xEF\xBB\xBF" + text.toLatin1();
    case Encoding::Utf16WithMark: {
        QByteArray bytes("\xFF\xFE");
        for (const QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        return bytes;
    }
    case Encoding::Bytes:
        break;
    }
    return text.toLatin1();
}

// The section name of a line "[name]", or a null text for any other line.
QString sectionOf(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const int close = t.indexOf(QLatin1Char(']'));
    return close < 0 ? t.mid(1).trimmed() : t.mid(1, close - 1).trimmed();
}

bool isSection(const QString &line) { return !sectionOf(line).isNull(); }

// The key of an entry line "key=value"; null for comments and lines without "=".
QString keyOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return {};
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {};
    return t.left(eq).trimmed();
}

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// [begin, end) of the lines inside the section, begin being the line after its header;
// begin < 0 when the section is missing.
std::pair<int, int> findSection(const QStringList &lines, const QString &section)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (!sameName(sectionOf(lines[i]), section) || sectionOf(lines[i]).isNull())
            continue;
        int end = i + 1;
        while (end < lines.size() && !isSection(lines[end]))
            ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

} // namespace

QString ReadIni(const QString &section, const QString &key, const QString &file)
{
    const QStringList lines = readProfile(file).lines;
    const auto [begin, end] = findSection(lines, section);
    for (int i = begin; begin >= 0 && i < end; ++i) {
        const QString k = keyOf(lines[i]);
        if (k.isNull() || !sameName(k, key))
            continue;
        QString value = lines[i].mid(lines[i].indexOf(QLatin1Char('=')) + 1).trimmed();
        if (value.size() >= 2
            && ((value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
                || (value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))))
            value = value.mid(1, value.size() - 2);
        return value.left(254);
    }
    return {};
}

bool WriteIni(const QString &section, const QString &key, const QString &value, const QString &file)
{
    ProfileText profile = readProfile(file);
    // A file that is there but cannot be read would be replaced by this one entry: refuse.
    if (!profile.readable)
        return false;
    QStringList &lines = profile.lines;
    QString entry = key + QLatin1Char('=') + value;
    entry.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const auto [begin, end] = findSection(lines, section);
    if (begin < 0) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    } else {
        int replaceAt = -1;
        int lastEntry = begin - 1;
        for (int i = begin; i < end; ++i) {
            const QString k = keyOf(lines[i]);
            if (k.isNull())
                continue;
            lastEntry = i;
            if (sameName(k, key)) {
                replaceAt = i;
                break;
            }
        }
        if (replaceAt >= 0)
            lines[replaceAt] = entry;
        else
            lines.insert(lastEntry + 1, entry);
    }
    const QByteArray bytes = profileBytes(profile);
    // Start-up and every refresh of the game list write the list order: a file that already says
    // so is not written again, which spares the disk a flush on every start.
    if (bytes == profile.bytes)
        return true;
    // The new file replaces the old one only when every byte reached it, so a full disk never
    // leaves an empty or cut-off taal.ini.
    return bool(writeFileSafely(file, bytes));
}

} // namespace briqo
