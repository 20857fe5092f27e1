#include "exchange/pbn_text.h"

#include "deal/deal.h"
#include "store/code_page_1252.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <QVarLengthArray>

namespace briqo {

namespace {

const QString CrLf = QStringLiteral("\r\n");
// Room for the braces and the joining backslash within the standard's line length.
constexpr int CommentaryChunk = PbnMaxLineLength - 5;

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

// The suit symbol escapes of the standard: kept as they are in a question or answer, where they
// are drawn as suit symbols (code page 1252 has none).
bool isSuitEscape(QChar c)
{
    return c == QLatin1Char('S') || c == QLatin1Char('H') || c == QLatin1Char('D') || c == QLatin1Char('C');
}

QString hexEscape(QChar c)
{
    const QByteArray b = encode1252(QStringView(&c, 1));
    const unsigned byte = b.isEmpty() ? unsigned('?') : unsigned(uchar(b[0]));
    return QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

bool isPlainChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF);
}

// One line of text as escaped pieces; each piece is one character or one escape, so a long line
// can be wrapped between pieces.
QStringList encodeLine(const QString &line, bool firstOfText)
{
    QStringList pieces;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const bool edgeBlank = isBlank(c) && (i == line.size() - 1 || (i == 0 && firstOfText));
        if (c == QLatin1Char('\\') && i + 1 < line.size() && isSuitEscape(line[i + 1]))
            pieces << QStringLiteral("\\") + line[++i]; // a suit symbol goes out as it came in
        else if (c == QLatin1Char('\\'))
            pieces << QStringLiteral("\\\\");
        else if (c == QLatin1Char('}') || edgeBlank || !isPlainChar(c) || (i == 0 && c == QLatin1Char('%')))
            pieces << hexEscape(c);
        else
            pieces << QString(c);
    }
    return pieces;
}

// The nearest plain form of each character code page 1252 puts where ISO-8859-1 has control codes.
struct PlainForm {
    char16_t c;
    const char *plain;
};
constexpr PlainForm PlainForms[] = {{u'\u20AC', "EUR"}, {u'\u201A', ","}, {u'\u0192', "f"}, {u'\u201E', "\""},
    {u'\u2026', "..."}, {u'\u2020', "+"}, {u'\u2021', "++"}, {u'\u02C6', "^"}, {u'\u2030', "o/oo"}, {u'\u0160', "S"},
    {u'\u2039', "<"}, {u'\u0152', "OE"}, {u'\u017D', "Z"}, {u'\u2018', "'"}, {u'\u2019', "'"}, {u'\u201C', "\""},
    {u'\u201D', "\""}, {u'\u2022', "\xB7"}, {u'\u2013', "-"}, {u'\u2014', "-"}, {u'\u02DC', "~"}, {u'\u2122', "TM"},
    {u'\u0161', "s"}, {u'\u203A', ">"}, {u'\u0153', "oe"}, {u'\u017E', "z"}, {u'\u0178', "Y"}};

} // namespace

QString latin1Form(const QString &text, QString *replaced)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += c;
            continue;
        }
        QString plain = QStringLiteral("?");
        for (const PlainForm &f : PlainForms) {
            if (f.c == u)
                plain = QString::fromLatin1(f.plain);
        }
        // A character beyond the first plane is two code units and one character.
        QString original(c);
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            original += text[++i];
        if (replaced && !replaced->contains(original))
            *replaced += original;
        out += plain;
    }
    return out;
}

bool cutToLength(QString &text, qsizetype max)
{
    if (text.size() <= max)
        return false;
    qsizetype keep = max;
    if (keep > 0 && text[keep - 1].isHighSurrogate())
        --keep;
    text.truncate(keep);
    return true;
}

QString decodeCommentary(const QString &raw, int)
{
    // The lines (ended by CR LF, LF or CR) without their trailing blanks, as views of raw: every
    // board of a large file has some.
    QVarLengthArray<QStringView, 16> lines;
    const QStringView text(raw);
    for (qsizetype from = 0;;) {
        qsizetype end = from;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        qsizetype kept = end;
        while (kept > from && isBlank(text[kept - 1]))
            --kept;
        lines.append(text.sliced(from, kept - from));
        if (end == text.size())
            break;
        from = end
            + (text[end] == QLatin1Char('\r') && end + 1 < text.size() && text[end + 1] == QLatin1Char('\n') ? 2 : 1);
    }
    qsizetype firstLine = 0;
    qsizetype lastLine = lines.size();
    while (firstLine < lastLine && lines[firstLine].isEmpty())
        ++firstLine;
    while (lastLine > firstLine && lines[lastLine - 1].isEmpty())
        --lastLine;
    if (firstLine == lastLine)
        return {};
    qsizetype start = 0;
    while (start < lines[firstLine].size() && isBlank(lines[firstLine][start]))
        ++start;
    lines[firstLine] = lines[firstLine].sliced(start);

    QString out;
    out.reserve(raw.size());
    for (qsizetype li = firstLine; li < lastLine; ++li) {
        const QStringView line = lines[li];
        bool joinNext = false;
        for (qsizetype j = 0; j < line.size();) {
            const QChar c = line[j];
            if (c != QLatin1Char('\\')) {
                out += c;
                ++j;
                continue;
            }
            if (j + 1 == line.size()) {
                joinNext = true;
                break;
            }
            const QChar next = line[j + 1];
            if (next == QLatin1Char('\\')) {
                out += next;
                j += 2;
            } else if (next == QLatin1Char('x') && j + 3 < line.size() && hexValue(line[j + 2]) >= 0
                && hexValue(line[j + 3]) >= 0) {
                const char byte = char(hexValue(line[j + 2]) * 16 + hexValue(line[j + 3]));
                out += decode1252(QByteArrayView(&byte, 1));
                j += 4;
            } else if (isSuitEscape(next)) {
                out += c;
                out += next;
                j += 2;
            } else {
                out += c; // a backslash that starts no escape stands for itself
                ++j;
            }
        }
        if (!joinNext && li + 1 < lastLine)
            out += CrLf;
    }
    return out;
}

QString encodeCommentary(const QString &text)
{
    QStringList lines = text.split(CrLf);
    qsizetype lead = 0;
    while (lead < lines.size() && lines[lead].isEmpty())
        ++lead;
    qsizetype trail = 0;
    while (trail < lines.size() - lead && lines[lines.size() - 1 - trail].isEmpty())
        ++trail;
    const QString escapedBreak = QStringLiteral("\\x0D\\x0A");
    const QStringList middle = lines.mid(lead, lines.size() - lead - trail);

    QStringList physical;
    if (middle.isEmpty()) {
        // Nothing but line breaks (an empty text gives "{}").
        physical << escapedBreak.repeated(text.isEmpty() ? 0 : lines.size() - 1);
    }
    for (qsizetype li = 0; li < middle.size(); ++li) {
        QStringList pieces = encodeLine(middle[li], li == 0);
        if (li == 0 && lead > 0)
            pieces.prepend(escapedBreak.repeated(lead));
        if (li == middle.size() - 1 && trail > 0)
            pieces.append(escapedBreak.repeated(trail));
        if (pieces.isEmpty())
            pieces << QStringLiteral(" "); // an empty line would end the game
        QString chunk;
        for (const QString &piece : pieces) {
            if (!chunk.isEmpty() && chunk.size() + piece.size() > CommentaryChunk) {
                physical << chunk + QLatin1Char('\\');
                chunk.clear();
            }
            chunk += piece;
        }
        physical << chunk;
    }
    return QLatin1Char('{') + physical.join(CrLf) + QLatin1Char('}');
}

bool isPlainTagText(const QString &text)
{
    for (QChar c : text) {
        if (!isPlainChar(c))
            return false;
    }
    return true;
}

QString quoteTagValue(const QString &value)
{
    QString out = QStringLiteral("\"");
    for (QChar c : value) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

namespace {

// Decoded in pieces that end just after an ASCII byte, which no character of UTF-8 contains and
// which ends any character before it, so the pieces find the same faults as the whole would,
// without a large file being held as text.
bool decodesAsUtf8(QByteArrayView bytes)
{
    constexpr qsizetype Piece = 1 << 16;
    for (qsizetype from = 0; from < bytes.size();) {
        qsizetype to = std::min(bytes.size(), from + Piece);
        while (to < bytes.size() && uchar(bytes[to - 1]) >= 0x80)
            ++to;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes.sliced(from, to - from));
        if (utf8.hasError())
            return false;
        from = to;
    }
    return true;
}

} // namespace

ExchangeEncoding exchangeFileEncoding(QByteArrayView bytes, qsizetype *bomLength)
{
    if (bomLength)
        *bomLength = 0;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (bomLength)
            *bomLength = 3;
        return ExchangeEncoding::Utf8;
    }
    // Windows editors save "Unicode" text as UTF-16 with a mark, mostly little-endian.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        if (bomLength)
            *bomLength = 2;
        return ExchangeEncoding::Utf16;
    }
    static const QRegularExpression charset(QStringLiteral("^%.*charset\\s*=\\s*\"?([A-Za-z0-9_-]+)"),
        QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    // Only the head of the file is searched: the declaration stands before the first game.
    const QString head = QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 4096)));
    const QRegularExpressionMatch m = charset.match(head);
    if (m.hasMatch()) {
        const QString name = m.captured(1).toLower();
        return name == QLatin1String("utf-8") || name == QLatin1String("utf8") ? ExchangeEncoding::Utf8
                                                                               : ExchangeEncoding::CodePage1252;
    }
    bool high = false;
    for (char b : bytes) {
        if (uchar(b) > 127) {
            high = true;
            break;
        }
    }
    return high && decodesAsUtf8(bytes) ? ExchangeEncoding::Utf8 : ExchangeEncoding::CodePage1252;
}

QString decodeExchangeFile(const QByteArray &bytes)
{
    qsizetype bom = 0;
    switch (exchangeFileEncoding(bytes, &bom)) {
    case ExchangeEncoding::Utf16:
        return QStringDecoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE)(
            bytes.mid(bom));
    case ExchangeEncoding::Utf8:
        return QString::fromUtf8(bytes.mid(bom));
    case ExchangeEncoding::CodePage1252:
        break;
    }
    return decode1252(bytes);
}

} // namespace briqo
