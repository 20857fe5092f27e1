#include "exchange/pbn_reader.h"

#include "exchange/exchange_strings.h"
#include "exchange/pbn_scanner.h"
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

using namespace pbn_scan;

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
