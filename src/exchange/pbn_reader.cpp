#include "exchange/pbn_reader.h"

#include "exchange/exchange_strings.h"
#include "exchange/pbn_text.h"
#include "store/code_page_1252.h"

#include <QHash>

#include <algorithm>
#include <functional>
#include <iterator>

namespace briqo {

namespace {

// A problem list stops growing here: a file of garbage must not become a list of millions.
constexpr int MaxProblems = 500;

struct Token {
    QString text;
    int line = 0;
    bool commentary = false;
};

struct RawTag {
    QString name;
    QString value;
    int line = 0;
    QList<Token> section; // what follows the tag up to the next tag: section data and commentary
};

struct RawGame {
    int line = 0;
    QList<Token> leading; // commentary before the first tag
    QList<RawTag> tags;
};

bool isLineEnd(char16_t c) { return c == u'\n' || c == u'\r'; }

// What the scanner reads: the file's text, or its bytes. The characters that give a file its
// shape (brackets, braces, quotes, blanks, line ends) are ASCII, and in UTF-8 and in code page
// 1252 an ASCII byte is always that character, never part of another; so the bytes are scanned
// as they are and only the pieces kept (names, values, words, commentary) become text.
class TextSource {
public:
    explicit TextSource(const QString &text)
        : s(text)
    { }
    qsizetype size() const { return s.size(); }
    char16_t at(qsizetype i) const { return s[i].unicode(); }
    // The length of the blank at i (a space, a tab or a no-break space), 0 for none.
    int blankAt(qsizetype i) const { return isBlankUnit(at(i)) ? 1 : 0; }
    // The length of the letter, digit or underscore at i, 0 for none.
    int nameCharAt(qsizetype i) const { return s[i].isLetterOrNumber() || s[i] == QLatin1Char('_') ? 1 : 0; }
    int charLength(qsizetype) const { return 1; }
    qsizetype find(char16_t c, qsizetype from) const { return s.indexOf(QChar(c), from); }
    QString text(qsizetype from, qsizetype to) const { return s.mid(from, to - from); }

private:
    static bool isBlankUnit(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0; }
    const QString &s;
};

class ByteSource {
public:
    enum Encoding { Utf8, CodePage1252 };
    ByteSource(QByteArrayView bytes, Encoding encoding)
        : b(bytes)
        , m_encoding(encoding)
    { }
    qsizetype size() const { return b.size(); }
    // The byte; one above 127 is never a character the scanner looks for.
    char16_t at(qsizetype i) const { return uchar(b[i]); }
    int blankAt(qsizetype i) const
    {
        const uchar c = uchar(b[i]);
        if (c == ' ' || c == '\t')
            return 1;
        if (m_encoding == CodePage1252)
            return c == 0xA0 ? 1 : 0;
        return c == 0xC2 && i + 1 < b.size() && uchar(b[i + 1]) == 0xA0 ? 2 : 0;
    }
    int nameCharAt(qsizetype i) const
    {
        const uchar c = uchar(b[i]);
        if (c < 0x80)
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ? 1 : 0;
        const int length = charLength(i);
        const QString decoded = text(i, i + length);
        // A character beyond the first plane is no letter to the text scanner either: it sees
        // its two halves, and neither is one.
        return decoded.size() == 1 && decoded[0].isLetterOrNumber() ? length : 0;
    }
    // The bytes of the character that starts at i (a malformed UTF-8 byte counts alone).
    int charLength(qsizetype i) const
    {
        const uchar c = uchar(b[i]);
        if (m_encoding == CodePage1252 || c < 0xC0)
            return 1;
        const int length = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        for (int k = 1; k < length; ++k) {
            if (i + k >= b.size() || (uchar(b[i + k]) & 0xC0) != 0x80)
                return 1;
        }
        return length;
    }
    qsizetype find(char16_t c, qsizetype from) const { return b.indexOf(char(c), from); }
    QString text(qsizetype from, qsizetype to) const
    {
        const QByteArrayView piece = b.sliced(from, to - from);
        bool ascii = true;
        for (const char c : piece)
            ascii = ascii && uchar(c) < 0x80;
        if (ascii)
            return QString::fromLatin1(piece);
        return m_encoding == Utf8 ? QString::fromUtf8(piece) : decode1252(piece);
    }

private:
    QByteArrayView b;
    Encoding m_encoding;
};

template<typename Source> class Scanner {
public:
    // Each game goes to gameDone as soon as it ends, so a large file is never held as tokens whole.
    Scanner(const Source &source, QList<ExchangeProblem> &problems, std::function<void(RawGame &)> gameDone)
        : s(source)
        , m_problems(problems)
        , m_gameDone(std::move(gameDone))
    { }

    void run()
    {
        while (i < s.size()) {
            if (s.at(i) == u'%') {
                skipToLineEnd();
                endLine();
                continue;
            }
            if (restOfLineBlank()) {
                skipToLineEnd();
                endLine();
                closeGame();
                continue;
            }
            while (i < s.size() && !isLineEnd(s.at(i)))
                scanItem();
            endLine();
        }
        closeGame();
    }

private:
    void problem(int text, int atLine, const QString &detail)
    {
        if (m_problems.size() < MaxProblems)
            m_problems.append({text, atLine, {}, detail});
    }

    bool restOfLineBlank() const
    {
        qsizetype j = i;
        while (j < s.size()) {
            const int blank = s.blankAt(j);
            if (blank == 0)
                break;
            j += blank;
        }
        return j >= s.size() || isLineEnd(s.at(j));
    }

    void skipBlanks()
    {
        while (i < s.size()) {
            const int blank = s.blankAt(i);
            if (blank == 0)
                return;
            i += blank;
        }
    }

    void skipToLineEnd()
    {
        while (i < s.size() && !isLineEnd(s.at(i)))
            ++i;
    }

    void endLine()
    {
        if (i < s.size() && s.at(i) == u'\r')
            ++i;
        if (i < s.size() && s.at(i) == u'\n')
            ++i;
        ++line;
    }

    QString restOfLine(qsizetype from) const
    {
        qsizetype j = from;
        while (j < s.size() && !isLineEnd(s.at(j)))
            ++j;
        return s.text(from, j).trimmed();
    }

    void scanItem()
    {
        const char16_t c = s.at(i);
        if (const int blank = s.blankAt(i)) {
            i += blank;
        } else if (c == u'[') {
            scanTag();
        } else if (c == u'{') {
            scanBracedCommentary();
        } else if (c == u';') {
            const qsizetype start = i + 1;
            skipToLineEnd();
            addToken({s.text(start, i), line, true});
        } else {
            const qsizetype start = i;
            while (i < s.size() && !isLineEnd(s.at(i)) && s.blankAt(i) == 0 && s.at(i) != u'[' && s.at(i) != u'{'
                && s.at(i) != u';')
                i += s.charLength(i);
            addToken({s.text(start, i), line, false});
        }
    }

    void scanTag()
    {
        const qsizetype open = i;
        ++i;
        skipBlanks();
        const qsizetype nameStart = i;
        while (i < s.size()) {
            const int length = s.nameCharAt(i);
            if (length == 0)
                break;
            i += length;
        }
        const qsizetype nameEnd = i;
        skipBlanks();
        if (nameEnd == nameStart || i >= s.size() || s.at(i) != u'"') {
            problem(exchange_text::SyntaxNotUnderstood, line, restOfLine(open));
            skipToLineEnd();
            return;
        }
        ++i;
        // The value in runs between escapes; a backslash takes the character after it as it is.
        QString value;
        qsizetype run = i;
        bool closed = false;
        while (i < s.size() && !isLineEnd(s.at(i))) {
            if (s.at(i) == u'\\' && i + 1 < s.size() && !isLineEnd(s.at(i + 1))) {
                value += s.text(run, i);
                const int length = s.charLength(i + 1);
                value += s.text(i + 1, i + 1 + length);
                i += 1 + length;
                run = i;
            } else if (s.at(i) == u'"') {
                closed = true;
                break;
            } else {
                i += s.charLength(i);
            }
        }
        value += s.text(run, i);
        if (!closed) {
            problem(exchange_text::SyntaxUnclosed, line, QStringLiteral("\""));
            return;
        }
        ++i;
        skipBlanks();
        if (i >= s.size() || s.at(i) != u']') {
            problem(exchange_text::SyntaxUnclosed, line, QStringLiteral("["));
            skipToLineEnd();
            return;
        }
        ++i;
        addTag({s.text(nameStart, nameEnd), value, line, {}});
    }

    void scanBracedCommentary()
    {
        const int startLine = line;
        const qsizetype close = s.find(u'}', i + 1);
        if (close < 0) {
            problem(exchange_text::SyntaxUnclosed, startLine, QStringLiteral("{"));
            // The rest of the file is the unfinished commentary; count its lines and stop.
            for (; i < s.size(); ++i) {
                if (s.at(i) == u'\n' || (s.at(i) == u'\r' && (i + 1 >= s.size() || s.at(i + 1) != u'\n')))
                    ++line;
            }
            return;
        }
        const QString raw = s.text(i + 1, close);
        for (qsizetype j = i + 1; j < close; ++j) {
            if (s.at(j) == u'\n' || (s.at(j) == u'\r' && (j + 1 >= close || s.at(j + 1) != u'\n')))
                ++line;
        }
        i = close + 1;
        addToken({raw, startLine, true});
    }

    void addTag(RawTag tag)
    {
        // A game whose file forgot the empty line: a second Board or Event starts the next game.
        if (m_open && (tag.name == QLatin1String("Board") || tag.name == QLatin1String("Event"))) {
            for (const RawTag &t : m_game.tags) {
                if (t.name == tag.name) {
                    closeGame();
                    break;
                }
            }
        }
        if (!m_open) {
            m_open = true;
            m_game.line = tag.line;
        }
        m_game.tags.append(std::move(tag));
    }

    void addToken(Token token)
    {
        if (token.text.isEmpty() && !token.commentary)
            return;
        if (!m_game.tags.isEmpty()) {
            m_game.tags.last().section.append(std::move(token));
        } else if (token.commentary) {
            m_game.leading.append(std::move(token));
        } else {
            problem(exchange_text::SyntaxNotUnderstood, token.line, token.text);
        }
    }

    void closeGame()
    {
        if (!m_game.tags.isEmpty())
            m_gameDone(m_game);
        // Commentary without any tag (a file's heading) belongs to no game.
        m_game = RawGame {};
        m_open = false;
    }

    const Source &s;
    QList<ExchangeProblem> &m_problems;
    std::function<void(RawGame &)> m_gameDone;
    qsizetype i = 0;
    int line = 1;
    RawGame m_game;
    bool m_open = false;
};

// The export format writes "#" for a value that is the same as in the previous game, and "##"
// inside a value for the previous value within a longer one.
void applyCopies(RawGame &game, const QHash<QString, RawTag> &previous)
{
    for (RawTag &tag : game.tags) {
        if (!tag.value.contains(QLatin1Char('#')))
            continue;
        const auto before = previous.constFind(tag.name);
        if (before == previous.constEnd())
            continue;
        if (tag.value == QLatin1String("#")) {
            tag.value = before->value;
            bool hasData = false;
            for (const Token &t : tag.section)
                hasData = hasData || !t.commentary;
            if (!hasData)
                tag.section = before->section;
        } else if (tag.value.contains(QLatin1String("##"))) {
            tag.value.replace(QLatin1String("##"), before->value);
        }
    }
}

QString tagValue(const RawGame &game, const QString &name)
{
    for (const RawTag &t : game.tags) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return t.value.trimmed();
    }
    return {};
}

int vulnerabilityFromText(const QString &text)
{
    const QString v = text.toLower();
    if (v == QLatin1String("none") || v == QLatin1String("love") || v == QLatin1String("-"))
        return 0;
    if (v == QLatin1String("ns"))
        return 1;
    if (v == QLatin1String("ew"))
        return 2;
    if (v == QLatin1String("all") || v == QLatin1String("both"))
        return 3;
    return -1;
}

bool auctionOver(const QList<ExchangeCall> &calls)
{
    int passes = 0;
    bool bid = false;
    for (const ExchangeCall &c : calls) {
        passes = c.kind == ExchangeCall::Pass ? passes + 1 : 0;
        bid = bid || c.kind == ExchangeCall::Bid;
    }
    return (!bid && passes >= 4) || (bid && passes >= 3 && calls.size() >= 4) || (!bid && calls.size() >= 4);
}

// "=1=" .. "=999=": the number of a note; 0 for any other word.
int noteNumberToken(const QString &t)
{
    if (t.size() < 3 || t.size() > 5 || t.front() != QLatin1Char('=') || t.back() != QLatin1Char('='))
        return 0;
    int n = 0;
    for (qsizetype k = 1; k + 1 < t.size(); ++k) {
        if (t[k] < QLatin1Char('0') || t[k] > QLatin1Char('9'))
            return 0;
        n = n * 10 + (t[k].unicode() - '0');
    }
    return n;
}

void readAuction(const RawTag &tag, ExchangeBoard &board, const QMap<int, QString> &notes, QStringList &afterDeal,
    int languageNumber)
{
    board.hasAuction = true;
    board.auctionSeat = tag.value.isEmpty() ? -1 : seatFromLetter(tag.value[0]);
    int lastCallLine = -1;
    // The calls end at "*" or at a word that is no call, but the commentary after them still
    // belongs to the board: an unfinished auction is often followed by the question's answer.
    bool callsEnded = false;
    for (const Token &token : tag.section) {
        if (token.commentary) {
            // Commentary beside a call explains it, as a note would; on a line of its own it is
            // about the whole board.
            const QString text = decodeCommentary(token.text, languageNumber);
            if (token.line != lastCallLine) {
                afterDeal << text;
                continue;
            }
            if (!board.calls.isEmpty() && !text.isEmpty()) {
                ExchangeCall &last = board.calls.last();
                last.noted = true;
                last.noteText = last.noteText.isEmpty() ? text : last.noteText + QLatin1Char(' ') + text;
            }
            continue;
        }
        if (callsEnded)
            continue;
        // The scanner splits words at blanks already; only a word of a text given whole has spaces.
        const QStringList words = token.text.contains(QLatin1Char(' '))
            ? token.text.split(QLatin1Char(' '), Qt::SkipEmptyParts)
            : QStringList {token.text};
        for (const QString &word : words) {
            if (const int n = noteNumberToken(word)) {
                if (!board.calls.isEmpty()) {
                    board.calls.last().noted = true;
                    board.calls.last().noteText = notes.value(n);
                }
                continue;
            }
            if (word.startsWith(QLatin1Char('$')))
                continue; // a numeric annotation glyph says how good a call was
            if (word == QLatin1String("*")) {
                board.auctionUnfinished = true;
                callsEnded = true;
                break;
            }
            if (word.compare(QLatin1String("AP"), Qt::CaseInsensitive) == 0) {
                while (!auctionOver(board.calls)) {
                    ExchangeCall pass;
                    pass.token = QStringLiteral("Pass");
                    board.calls.append(pass);
                }
                lastCallLine = token.line;
                continue;
            }
            const std::optional<ExchangeCall> call = readCall(word);
            if (!call) {
                board.auctionProblem = word;
                callsEnded = true;
                break;
            }
            board.calls.append(*call);
            lastCallLine = token.line;
        }
    }
}

void readPlay(const RawTag &tag, ExchangeBoard &board, QStringList &afterDeal, int languageNumber)
{
    board.leadSeat = tag.value.isEmpty() ? -1 : seatFromLetter(tag.value[0]);
    bool firstSeen = false;
    for (const Token &token : tag.section) {
        if (token.commentary) {
            afterDeal << decodeCommentary(token.text, languageNumber);
            continue;
        }
        if (firstSeen || noteNumberToken(token.text) || token.text.startsWith(QLatin1Char('$')))
            continue;
        firstSeen = true;
        board.lead = parseCard(token.text);
    }
}

ExchangeBoard interpret(const RawGame &game, int languageNumber, QList<ExchangeProblem> &problems)
{
    ExchangeBoard board;
    board.line = game.line;
    board.boardText = tagValue(game, QStringLiteral("Board"));
    if (board.boardText == QLatin1String("?"))
        board.boardText.clear();

    QMap<int, QString> notes;
    for (const RawTag &t : game.tags) {
        if (t.name.compare(QLatin1String("Note"), Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype colon = t.value.indexOf(QLatin1Char(':'));
        if (colon > 0)
            notes.insert(t.value.left(colon).toInt(), t.value.mid(colon + 1).trimmed());
    }

    QStringList beforeDeal;
    for (const Token &t : game.leading)
        beforeDeal << decodeCommentary(t.text, languageNumber);
    QStringList afterDeal;
    bool dealSeen = false;
    for (const RawTag &t : game.tags) {
        const bool isDeal = t.name.compare(QLatin1String("Deal"), Qt::CaseInsensitive) == 0;
        if (isDeal) {
            board.hasDeal = true;
            board.deal = parsePbnDeal(t.value);
            if (!board.deal.recognised)
                board.deal.recognised = true; // a Deal tag is a deal, even a broken one
            dealSeen = true;
        }
        if (t.name.compare(QLatin1String("Auction"), Qt::CaseInsensitive) == 0) {
            readAuction(t, board, notes, afterDeal, languageNumber);
        } else if (t.name.compare(QLatin1String("Play"), Qt::CaseInsensitive) == 0) {
            readPlay(t, board, afterDeal, languageNumber);
        } else {
            // Other sections are tables (results, optimum results, scores): their data is not ours,
            // their commentary is.
            for (const Token &token : t.section) {
                if (token.commentary)
                    (dealSeen ? afterDeal : beforeDeal) << decodeCommentary(token.text, languageNumber);
            }
        }
    }
    // A commentary longer than a game's question or answer file can hold is cut, with a notice.
    bool cut = false;
    if (!beforeDeal.isEmpty()) {
        board.question = beforeDeal.join(QStringLiteral("\r\n"));
        cut = cutToLength(*board.question, MaxCommentaryLength);
    }
    if (!afterDeal.isEmpty()) {
        board.answer = afterDeal.join(QStringLiteral("\r\n"));
        cut = cutToLength(*board.answer, MaxCommentaryLength) || cut;
    }
    for (ExchangeCall &call : board.calls)
        cut = cutToLength(call.noteText, MaxNoteLength) || cut;
    if (cut)
        problems.append({exchange_text::CommentaryCut, game.line, board.boardText, {}});

    board.dealerText = tagValue(game, QStringLiteral("Dealer"));
    if (!board.dealerText.isEmpty() && board.dealerText != QLatin1String("?"))
        board.dealer = seatFromLetter(board.dealerText[0]);
    board.vulnerabilityText = tagValue(game, QStringLiteral("Vulnerable"));
    board.vulnerability = vulnerabilityFromText(board.vulnerabilityText);
    board.contract = tagValue(game, QStringLiteral("Contract"));
    board.declarer = tagValue(game, QStringLiteral("Declarer"));
    return board;
}

template<typename Source>
void readWith(const Source &source, int languageNumber, QList<ExchangeProblem> &problems,
    const std::function<void(ExchangeBoard &&)> &boardRead)
{
    QHash<QString, RawTag> previous;
    Scanner<Source> scanner(source, problems, [&](RawGame &game) {
        applyCopies(game, previous);
        for (const RawTag &t : game.tags)
            previous.insert(t.name, t);
        boardRead(interpret(game, languageNumber, problems));
    });
    scanner.run();
}

} // namespace

PbnReadResult readPbn(const QString &text, int languageNumber)
{
    PbnReadResult result;
    readWith(TextSource(text), languageNumber, result.problems,
        [&](ExchangeBoard &&board) { result.boards.append(std::move(board)); });
    return result;
}

void readPbnFile(const QByteArray &bytes, int languageNumber, QList<ExchangeProblem> &problems,
    const std::function<void(ExchangeBoard &&)> &boardRead)
{
    qsizetype bom = 0;
    switch (exchangeFileEncoding(bytes, &bom)) {
    case ExchangeEncoding::Utf16:
        readWith(TextSource(decodeExchangeFile(bytes)), languageNumber, problems, boardRead);
        return;
    case ExchangeEncoding::Utf8:
        readWith(ByteSource(QByteArrayView(bytes).sliced(bom), ByteSource::Utf8), languageNumber, problems, boardRead);
        return;
    case ExchangeEncoding::CodePage1252:
        readWith(ByteSource(bytes, ByteSource::CodePage1252), languageNumber, problems, boardRead);
        return;
    }
}

} // namespace briqo
