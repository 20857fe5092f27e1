#include "shell/profile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace briqo {

namespace {

// Profile files are single-byte text; Latin-1 round-trips every byte, so values we do not
// understand are written back exactly as they were read.
QStringList readLines(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromLatin1(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
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
    const QStringList lines = readLines(file);
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
    QStringList lines = readLines(file);
    const QString entry = key + QLatin1Char('=') + value;
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
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(lines.join(QLatin1String("\r\n")).toLatin1() + "\r\n");
    return out.commit();
}

} // namespace briqo
