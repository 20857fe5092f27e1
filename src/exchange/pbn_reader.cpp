#include "exchange/pbn_reader.h"

#include "exchange/exchange_strings.h"
#include "exchange/pbn_text.h"

#include <QHash>
#include <QRegularExpression>

#include <functional>

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

bool isLineEnd(QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); }
bool isBlankChar(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0xA0); }

class Scanner {
public:
    // Each game goes to gameDone as soon as it ends, so a large file is never held as tokens whole.
    Scanner(const QString &text, QList<ExchangeProblem> &problems, std::function<void(RawGame &)> gameDone)
        : s(text)
        , m_problems(problems)
        , m_gameDone(std::move(gameDone))
    { }

    void run()
    {
        while (i < s.size()) {
            if (s[i] == QLatin1Char('%')) {
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
            while (i < s.size() && !isLineEnd(s[i]))
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
        while (j < s.size() && isBlankChar(s[j]))
            ++j;
        return j >= s.size() || isLineEnd(s[j]);
    }

    void skipToLineEnd()
    {
        while (i < s.size() && !isLineEnd(s[i]))
            ++i;
    }

    void endLine()
    {
        if (i < s.size() && s[i] == QLatin1Char('\r'))
            ++i;
        if (i < s.size() && s[i] == QLatin1Char('\n'))
            ++i;
        ++line;
    }

    QString restOfLine(qsizetype from) const
    {
        qsizetype j = from;
        while (j < s.size() && !isLineEnd(s[j]))
            ++j;
        return s.mid(from, j - from).trimmed();
    }

    void scanItem()
    {
        const QChar c = s[i];
        if (isBlankChar(c)) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            scanTag();
        } else if (c == QLatin1Char('{')) {
            scanBracedCommentary();
        } else if (c == QLatin1Char(';')) {
            const qsizetype start = i + 1;
            skipToLineEnd();
            addToken({s.mid(start, i - start), line, true});
        } else {
            const qsizetype start = i;
            while (i < s.size() && !isLineEnd(s[i]) && !isBlankChar(s[i]) && s[i] != QLatin1Char('[')
                && s[i] != QLatin1Char('{') && s[i] != QLatin1Char(';'))
                ++i;
            addToken({s.mid(start, i - start), line, false});
        }
    }

    void scanTag()
    {
        const qsizetype open = i;
        ++i;
        auto skipBlanks = [this] {
            while (i < s.size() && isBlankChar(s[i]))
                ++i;
        };
        skipBlanks();
        const qsizetype nameStart = i;
        while (i < s.size() && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_')))
            ++i;
        const QString name = s.mid(nameStart, i - nameStart);
        skipBlanks();
        if (name.isEmpty() || i >= s.size() || s[i] != QLatin1Char('"')) {
            problem(exchange_text::SyntaxNotUnderstood, line, restOfLine(open));
            skipToLineEnd();
            return;
        }
        ++i;
        QString value;
        bool closed = false;
        while (i < s.size() && !isLineEnd(s[i])) {
            if (s[i] == QLatin1Char('\\') && i + 1 < s.size() && !isLineEnd(s[i + 1])) {
                value += s[i + 1];
                i += 2;
            } else if (s[i] == QLatin1Char('"')) {
                ++i;
                closed = true;
                break;
            } else {
                value += s[i++];
            }
        }
        if (!closed) {
            problem(exchange_text::SyntaxUnclosed, line, QStringLiteral("\""));
            return;
        }
        skipBlanks();
        if (i >= s.size() || s[i] != QLatin1Char(']')) {
            problem(exchange_text::SyntaxUnclosed, line, QStringLiteral("["));
            skipToLineEnd();
            return;
        }
        ++i;
        addTag({name, value, line, {}});
    }

    void scanBracedCommentary()
    {
        const int startLine = line;
        const qsizetype close = s.indexOf(QLatin1Char('}'), i + 1);
        if (close < 0) {
            problem(exchange_text::SyntaxUnclosed, startLine, QStringLiteral("{"));
            // The rest of the file is the unfinished commentary; count its lines and stop.
            for (; i < s.size(); ++i) {
                if (s[i] == QLatin1Char('\n')
                    || (s[i] == QLatin1Char('\r') && (i + 1 >= s.size() || s[i + 1] != QLatin1Char('\n'))))
                    ++line;
            }
            return;
        }
        const QString raw = s.mid(i + 1, close - i - 1);
        for (qsizetype j = i + 1; j < close; ++j) {
            if (s[j] == QLatin1Char('\n')
                || (s[j] == QLatin1Char('\r') && (j + 1 >= close || s[j + 1] != QLatin1Char('\n'))))
                ++line;
        }
        i = close + 1;
        addToken({raw, startLine, true});
    }

    void addTag(RawTag tag)
    {
        // A game whose file forgot the empty line: a second Board or Event starts the next game.
        if (m_open) {
            for (const RawTag &t : m_game.tags) {
                if ((tag.name == QLatin1String("Board") || tag.name == QLatin1String("Event")) && t.name == tag.name) {
                    closeGame();
                    break;
                }
            }
        }
        if (!m_open) {
            m_open = true;
            m_game.line = tag.line;
        }
        m_game.tags.append(tag);
    }

    void addToken(Token token)
    {
        if (token.text.isEmpty() && !token.commentary)
            return;
        if (!m_game.tags.isEmpty()) {
            m_game.tags.last().section.append(token);
        } else if (token.commentary) {
            m_game.leading.append(token);
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

    const QString &s;
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

// "1NT", "1N", "Pass", "P", "X", "XX", "AP" (all pass), with the annotation marks "!" and "?"
// dropped. nullopt for a token that is no call.
std::optional<ExchangeCall> parseCall(const QString &token)
{
    QString t = token;
    while (!t.isEmpty() && (t.endsWith(QLatin1Char('!')) || t.endsWith(QLatin1Char('?'))))
        t.chop(1);
    const QString u = t.toUpper();
    ExchangeCall call;
    call.token = token;
    if (u == QLatin1String("PASS") || u == QLatin1String("P")) {
        call.kind = ExchangeCall::Pass;
        return call;
    }
    if (u == QLatin1String("X") || u == QLatin1String("DBL") || u == QLatin1String("D")) {
        call.kind = ExchangeCall::Double;
        return call;
    }
    if (u == QLatin1String("XX") || u == QLatin1String("RDBL") || u == QLatin1String("R")) {
        call.kind = ExchangeCall::Redouble;
        return call;
    }
    static const QRegularExpression bid(QStringLiteral("^([1-7])(C|D|H|S|NT|N|SA)$"));
    const QRegularExpressionMatch m = bid.match(u);
    if (!m.hasMatch())
        return std::nullopt;
    call.kind = ExchangeCall::Bid;
    call.level = m.captured(1).toInt();
    const QString strain = m.captured(2);
    call.strain = QStringLiteral("CDHS").indexOf(strain[0]);
    if (call.strain < 0 || strain.size() > 1)
        call.strain = 4;
    return call;
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

int noteNumberToken(const QString &t)
{
    static const QRegularExpression note(QStringLiteral("^=(\\d{1,3})=$"));
    const QRegularExpressionMatch m = note.match(t);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
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
        for (const QString &word : token.text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
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
            const std::optional<ExchangeCall> call = parseCall(word);
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

} // namespace

PbnReadResult readPbn(const QString &text, int languageNumber)
{
    PbnReadResult result;
    QHash<QString, RawTag> previous;
    Scanner scanner(text, result.problems, [&](RawGame &game) {
        applyCopies(game, previous);
        for (const RawTag &t : game.tags)
            previous.insert(t.name, t);
        result.boards.append(interpret(game, languageNumber, result.problems));
    });
    scanner.run();
    return result;
}

} // namespace briqo
