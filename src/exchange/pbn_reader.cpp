#include "exchange/pbn_reader.h"

#include "exchange/exchange_strings.h"
#include "exchange/pbn_text.h"
#include "store/code_page_1252.h"

#include <QHash>
#include <QMap>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string_view>
#include <vector>

namespace briqo {

namespace {

// A problem list stops growing here: a file of garbage must not become a list of millions.
constexpr int MaxProblems = 500;

// A stretch of the file: pieces of its text are only made when they are used, so most of a
// large file (the words of tables, the tags nobody reads) never becomes text at all.
struct Piece {
    qsizetype from = 0;
    qsizetype to = 0;
    bool isEmpty() const { return from == to; }
};

struct Token {
    Piece piece;
    int line = 0;
    bool commentary = false;
};

// The tags the reader looks at, whatever their letter case.
enum class TagKind { Other, Board, Deal, Auction, Play, Note, Dealer, Vulnerable, Contract, Declarer };

// A tag value: the stretch between the quotes, or text of its own when it had escapes or is a
// copy made from an earlier value.
struct TagValue {
    Piece piece;
    bool owned = false;
    QString text;
};

struct RawTag {
    Piece name;
    TagKind kind = TagKind::Other;
    int exact = 0; // 1 for a name written "Board", 2 for "Event": either starts a new game
    TagValue value;
    int line = 0;
    QList<Token> section; // what follows the tag up to the next tag: section data and commentary
};

struct RawGame {
    int line = 0;
    QList<Token> leading; // commentary before the first tag
    std::vector<RawTag> tags;
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
    QString text(Piece p) const { return text(p.from, p.to); }
    bool same(Piece x, Piece y) const
    {
        return QStringView(s).sliced(x.from, x.to - x.from) == QStringView(s).sliced(y.from, y.to - y.from);
    }

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
    QString text(Piece p) const { return text(p.from, p.to); }
    // Equal bytes are equal text and back: a name holds only whole characters, and each
    // encoding gives every character its own bytes.
    bool same(Piece x, Piece y) const { return b.sliced(x.from, x.to - x.from) == b.sliced(y.from, y.to - y.from); }

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
            addToken({{start, i}, line, true});
        } else {
            const qsizetype start = i;
            while (i < s.size() && !isLineEnd(s.at(i)) && s.blankAt(i) == 0 && s.at(i) != u'[' && s.at(i) != u'{'
                && s.at(i) != u';')
                i += s.charLength(i);
            addToken({{start, i}, line, false});
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
        const qsizetype valueStart = i;
        QString value;
        bool escaped = false;
        qsizetype run = i;
        bool closed = false;
        while (i < s.size() && !isLineEnd(s.at(i))) {
            if (s.at(i) == u'\\' && i + 1 < s.size() && !isLineEnd(s.at(i + 1))) {
                escaped = true;
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
        const qsizetype valueEnd = i;
        if (escaped)
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
        RawTag tag;
        tag.name = {nameStart, nameEnd};
        tag.value = escaped ? TagValue {{}, true, value} : TagValue {{valueStart, valueEnd}, false, {}};
        tag.line = line;
        nameKind(tag);
        addTag(std::move(tag));
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
        const Piece raw {i + 1, close};
        for (qsizetype j = i + 1; j < close; ++j) {
            if (s.at(j) == u'\n' || (s.at(j) == u'\r' && (j + 1 >= close || s.at(j + 1) != u'\n')))
                ++line;
        }
        i = close + 1;
        addToken({raw, startLine, true});
    }

    // What a tag's name makes it: the names the reader uses are matched in any letter case.
    void nameKind(RawTag &tag) const
    {
        static const std::pair<const char *, TagKind> kinds[]
            = {{"board", TagKind::Board}, {"deal", TagKind::Deal}, {"auction", TagKind::Auction},
                {"play", TagKind::Play}, {"note", TagKind::Note}, {"dealer", TagKind::Dealer},
                {"vulnerable", TagKind::Vulnerable}, {"contract", TagKind::Contract}, {"declarer", TagKind::Declarer}};
        const qsizetype length = tag.name.to - tag.name.from;
        char lower[12] = {};
        bool ascii = length < qsizetype(sizeof lower);
        for (qsizetype k = 0; ascii && k < length; ++k) {
            const char16_t c = s.at(tag.name.from + k);
            ascii = c < 128;
            lower[k] = char(c >= u'A' && c <= u'Z' ? c + 32 : c);
        }
        if (ascii) {
            const std::string_view name(lower, size_t(length));
            for (const auto &[known, kind] : kinds) {
                if (name == known)
                    tag.kind = kind;
            }
            if (name == "board" || name == "event") {
                const auto writtenAs = [&](const char *word) {
                    for (qsizetype k = 0; k < length; ++k) {
                        if (s.at(tag.name.from + k) != char16_t(word[k]))
                            return false;
                    }
                    return true;
                };
                tag.exact = writtenAs("Board") ? 1 : writtenAs("Event") ? 2 : 0;
            }
            return;
        }
        // Letters beyond ASCII: as the text compares them, without regard to case.
        const QString name = s.text(tag.name);
        for (const auto &[known, kind] : kinds) {
            if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
                tag.kind = kind;
        }
    }

    void addTag(RawTag tag)
    {
        // A game whose file forgot the empty line: a second Board or Event starts the next game.
        if (m_open && tag.exact) {
            for (const RawTag &t : m_game.tags) {
                if (t.exact == tag.exact) {
                    closeGame();
                    break;
                }
            }
        }
        if (!m_open) {
            m_open = true;
            m_game.line = tag.line;
        }
        m_game.tags.push_back(std::move(tag));
    }

    void addToken(Token token)
    {
        if (token.piece.isEmpty() && !token.commentary)
            return;
        if (!m_game.tags.empty()) {
            m_game.tags.back().section.append(token);
        } else if (token.commentary) {
            m_game.leading.append(std::move(token));
        } else {
            problem(exchange_text::SyntaxNotUnderstood, token.line, s.text(token.piece));
        }
    }

    void closeGame()
    {
        if (!m_game.tags.empty())
            m_gameDone(m_game);
        // Commentary without any tag (a file's heading) belongs to no game.
        m_game.line = 0;
        m_game.leading.clear();
        m_game.tags.clear();
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

// Reading the boards from the games the scanner gives.
template<typename Source> class Interpreter {
public:
    Interpreter(const Source &source, int languageNumber, QList<ExchangeProblem> &problems)
        : s(source)
        , m_language(languageNumber)
        , m_problems(problems)
    { }

    ExchangeBoard board(RawGame &game)
    {
        applyCopies(game);
        remember(game);
        return interpret(game);
    }

private:
    QString valueOf(const TagValue &v) const { return v.owned ? v.text : s.text(v.piece); }

    bool valueContains(const TagValue &v, char16_t c) const
    {
        if (v.owned)
            return v.text.contains(QChar(c));
        for (qsizetype k = v.piece.from; k < v.piece.to; ++k) {
            if (s.at(k) == c)
                return true;
        }
        return false;
    }

    // The last value of each tag name met so far, with its section. The games of a file mostly
    // give their tags in one order, so the tag at the same place is tried first.
    qsizetype previousIndex(const RawTag &tag, qsizetype place) const
    {
        const qsizetype length = tag.name.to - tag.name.from;
        const auto sameName
            = [&](const RawTag &p) { return p.name.to - p.name.from == length && s.same(p.name, tag.name); };
        if (place < qsizetype(m_previous.size()) && sameName(m_previous[size_t(place)]))
            return place;
        for (size_t k = 0; k < m_previous.size(); ++k) {
            if (sameName(m_previous[k]))
                return qsizetype(k);
        }
        return -1;
    }

    void remember(const RawGame &game)
    {
        for (size_t k = 0; k < game.tags.size(); ++k) {
            const RawTag &tag = game.tags[k];
            const qsizetype at = previousIndex(tag, qsizetype(k));
            if (at >= 0)
                m_previous[size_t(at)] = tag;
            else
                m_previous.push_back(tag);
        }
    }

    // The export format writes "#" for a value that is the same as in the previous game, and
    // "##" inside a value for the previous value within a longer one.
    void applyCopies(RawGame &game) const
    {
        for (size_t k = 0; k < game.tags.size(); ++k) {
            RawTag &tag = game.tags[k];
            if (!valueContains(tag.value, u'#'))
                continue;
            const qsizetype at = previousIndex(tag, qsizetype(k));
            if (at < 0)
                continue;
            const RawTag *before = &m_previous[size_t(at)];
            const QString value = valueOf(tag.value);
            if (value == QLatin1String("#")) {
                tag.value = before->value;
                bool hasData = false;
                for (const Token &t : tag.section)
                    hasData = hasData || !t.commentary;
                if (!hasData)
                    tag.section = before->section;
            } else if (value.contains(QLatin1String("##"))) {
                tag.value = TagValue {{}, true, QString(value).replace(QLatin1String("##"), valueOf(before->value))};
            }
        }
    }

    // The first tag of the kind, as the file's reader of tag values takes it.
    const RawTag *firstOf(const RawGame &game, TagKind kind) const
    {
        for (const RawTag &t : game.tags) {
            if (t.kind == kind)
                return &t;
        }
        return nullptr;
    }

    QString tagValue(const RawGame &game, TagKind kind) const
    {
        const RawTag *t = firstOf(game, kind);
        return t ? valueOf(t->value).trimmed() : QString();
    }

    QString commentary(const Token &token) const { return decodeCommentary(s.text(token.piece), m_language); }

    void readAuction(const RawTag &tag, ExchangeBoard &board, const QMap<int, QString> &notes, QStringList &afterDeal)
    {
        const QString value = valueOf(tag.value);
        board.hasAuction = true;
        board.auctionSeat = value.isEmpty() ? -1 : seatFromLetter(value[0]);
        int lastCallLine = -1;
        // The calls end at "*" or at a word that is no call, but the commentary after them still
        // belongs to the board: an unfinished auction is often followed by the question's answer.
        bool callsEnded = false;
        for (const Token &token : tag.section) {
            if (token.commentary) {
                // Commentary beside a call explains it, as a note would; on a line of its own it
                // is about the whole board.
                const QString text = commentary(token);
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
            // The scanner splits words at blanks already; only a word of a text given whole has
            // spaces.
            const QString tokenText = s.text(token.piece);
            const QStringList words = tokenText.contains(QLatin1Char(' '))
                ? tokenText.split(QLatin1Char(' '), Qt::SkipEmptyParts)
                : QStringList {tokenText};
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

    void readPlay(const RawTag &tag, ExchangeBoard &board, QStringList &afterDeal)
    {
        const QString value = valueOf(tag.value);
        board.leadSeat = value.isEmpty() ? -1 : seatFromLetter(value[0]);
        bool firstSeen = false;
        for (const Token &token : tag.section) {
            if (token.commentary) {
                afterDeal << commentary(token);
                continue;
            }
            // Only the opening lead is kept: the other cards are never made into text.
            if (firstSeen)
                continue;
            const QString text = s.text(token.piece);
            if (noteNumberToken(text) || text.startsWith(QLatin1Char('$')))
                continue;
            firstSeen = true;
            board.lead = parseCard(text);
        }
    }

    ExchangeBoard interpret(const RawGame &game)
    {
        ExchangeBoard board;
        board.line = game.line;
        board.boardText = tagValue(game, TagKind::Board);
        if (board.boardText == QLatin1String("?"))
            board.boardText.clear();

        QMap<int, QString> notes;
        for (const RawTag &t : game.tags) {
            if (t.kind != TagKind::Note)
                continue;
            const QString value = valueOf(t.value);
            const qsizetype colon = value.indexOf(QLatin1Char(':'));
            if (colon > 0)
                notes.insert(value.left(colon).toInt(), value.mid(colon + 1).trimmed());
        }

        QStringList beforeDeal;
        for (const Token &t : game.leading)
            beforeDeal << commentary(t);
        QStringList afterDeal;
        bool dealSeen = false;
        for (const RawTag &t : game.tags) {
            if (t.kind == TagKind::Deal) {
                board.hasDeal = true;
                board.deal = parsePbnDeal(valueOf(t.value));
                if (!board.deal.recognised)
                    board.deal.recognised = true; // a Deal tag is a deal, even a broken one
                dealSeen = true;
            }
            if (t.kind == TagKind::Auction) {
                readAuction(t, board, notes, afterDeal);
            } else if (t.kind == TagKind::Play) {
                readPlay(t, board, afterDeal);
            } else {
                // Other sections are tables (results, optimum results, scores): their data is not
                // ours, their commentary is.
                for (const Token &token : t.section) {
                    if (token.commentary)
                        (dealSeen ? afterDeal : beforeDeal) << commentary(token);
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
            m_problems.append({exchange_text::CommentaryCut, game.line, board.boardText, {}});

        board.dealerText = tagValue(game, TagKind::Dealer);
        if (!board.dealerText.isEmpty() && board.dealerText != QLatin1String("?"))
            board.dealer = seatFromLetter(board.dealerText[0]);
        board.vulnerabilityText = tagValue(game, TagKind::Vulnerable);
        board.vulnerability = vulnerabilityFromText(board.vulnerabilityText);
        board.contract = tagValue(game, TagKind::Contract);
        board.declarer = tagValue(game, TagKind::Declarer);
        return board;
    }

    const Source &s;
    int m_language;
    QList<ExchangeProblem> &m_problems;
    std::vector<RawTag> m_previous;
};

template<typename Source>
void readWith(const Source &source, int languageNumber, QList<ExchangeProblem> &problems,
    const std::function<void(ExchangeBoard &&)> &boardRead)
{
    Interpreter<Source> interpreter(source, languageNumber, problems);
    Scanner<Source> scanner(source, problems, [&](RawGame &game) { boardRead(interpreter.board(game)); });
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
