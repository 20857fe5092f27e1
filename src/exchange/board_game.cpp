#include "exchange/board_game.h"

#include "auction/final_contract.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "exchange/exchange_strings.h"
#include "exchange/pbn_text.h"
#include "store/code_page_1252.h"

#include <QHash>
#include <QRegularExpression>

#include <climits>

namespace briqo {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString StrainLetters = QStringLiteral("CDHSN"); // bidding order
const QString HonourLetters = QStringLiteral("AKQJ");

// Game files are code page 1252: a character it lacks (from a UTF-8 file) is stored as "?", so
// the game holds what its files will hold.
QString storable(const QString &text) { return decode1252(encode1252(text)); }

ExchangeProblem problemOf(const ExchangeBoard &board, int text, const QString &detail = {})
{
    return {text, board.line, board.boardText, detail};
}

int boxButton(const ExchangeCall &call)
{
    switch (call.kind) {
    case ExchangeCall::Bid:
        return (call.level - 1) * 5 + call.strain;
    case ExchangeCall::Pass:
        return BoxButton::Pass;
    case ExchangeCall::Double:
        return BoxButton::Double;
    case ExchangeCall::Redouble:
        return BoxButton::Redouble;
    }
    return BoxButton::Pass;
}

// The caption the bidding box gives a call: its level, or the pass, double or redouble word.
QString boxCaption(int k, int languageNumber)
{
    if (k < ContractBidCount)
        return QString::number(k / 5 + 1);
    return ResString(Str::Pass + k - BoxButton::Pass, languageNumber);
}

// The captions of every button, made once per thread and language: each call of each auction of
// a large file is clicked with one.
const QString &cachedBoxCaption(int k, int languageNumber)
{
    thread_local QHash<int, QList<QString>> captions;
    QList<QString> &list = captions[languageNumber];
    if (list.isEmpty()) {
        for (int button = 0; button <= BoxButton::Number; ++button)
            list << boxCaption(button, languageNumber);
    }
    return list[k];
}

struct ClickedAuction {
    std::optional<AuctionModel> model;
    ExchangeProblem::Detail detailKind = ExchangeProblem::Plain;
    int reason = 0;
    QString detail;
    QStringList bidNotes; // "(1) text" lines
    QStringList otherNotes; // notes of calls the grid cannot number
};

ClickedAuction clickAuction(const ExchangeBoard &board, int dealer, int languageNumber)
{
    ClickedAuction out;
    auto fail = [&out](int reason, const QString &detail = {}) {
        out.model.reset();
        out.reason = reason;
        out.detail = detail;
        return out;
    };
    if (!board.auctionProblem.isEmpty())
        return fail(exchange_text::ReasonUnknownCall, board.auctionProblem);
    if (board.auctionSeat >= 0 && board.auctionSeat != dealer && !board.calls.isEmpty())
        return fail(exchange_text::ReasonWrongStart);
    if (dealer + board.calls.size() > AuctionCells)
        return fail(exchange_text::ReasonTooLong);

    AuctionModel model;
    model.resetForGame(dealer);
    QList<ExchangeCall> done;
    for (const ExchangeCall &call : board.calls) {
        const int k = boxButton(call);
        if (isAuctionOver(done) || k < 0 || k > BoxButton::Redouble)
            return fail(exchange_text::ReasonIllegalCall, call.token);
        const ClickOutcome click = model.click(k, cachedBoxCaption(k, languageNumber));
        if (click.refused || click.ignored)
            return fail(exchange_text::ReasonIllegalCall, call.token);
        done.append(call);
        if (!call.noted)
            continue;
        if (call.kind == ExchangeCall::Bid) {
            const int number = model.NoteCounter();
            model.click(BoxButton::Number, cachedBoxCaption(BoxButton::Number, languageNumber));
            if (!call.noteText.isEmpty())
                out.bidNotes << QStringLiteral("(%1) %2").arg(number).arg(call.noteText);
        } else if (!call.noteText.isEmpty()) {
            const int seat = (dealer + int(done.size()) - 1) % SeatCount;
            out.otherNotes << QStringLiteral("%1 %2: %3")
                                  .arg(SeatName(seat, languageNumber), boxCaption(k, languageNumber), call.noteText);
        }
    }
    out.model = model;
    return out;
}

// "4HX" -> level 4, strain 2; nullopt for "Pass", "?" and anything unreadable.
std::optional<std::pair<int, int>> readContractTag(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^([1-7])(NT|N|SA|C|D|H|S)X{0,2}$"));
    const QRegularExpressionMatch m = shape.match(text.toUpper().remove(QLatin1Char(' ')));
    if (!m.hasMatch())
        return std::nullopt;
    const QString strain = m.captured(2);
    const int s = strain.size() > 1 || strain == QLatin1String("N") ? 4 : int(StrainLetters.indexOf(strain));
    return std::make_pair(m.captured(1).toInt(), s);
}

QString leadCardText(QChar rank, int languageNumber)
{
    const qsizetype honour = HonourLetters.indexOf(rank);
    if (honour >= 0)
        return ResString(Str::Ace + int(honour), languageNumber);
    return QString(rank);
}

QChar leadRank(const QString &cardText, int languageNumber)
{
    for (int i = 0; i < HonourLetters.size(); ++i) {
        if (cardText == ResString(Str::Ace + i, languageNumber))
            return HonourLetters[i];
    }
    const QString t = tensAsT(cardText);
    if (t.size() == 1 && QStringLiteral("T98765432").contains(t[0]))
        return t[0];
    return {};
}

int seatOfName(const QString &name, int languageNumber)
{
    for (int seat = 0; seat < SeatCount; ++seat) {
        if (SeatName(seat, languageNumber) == name)
            return seat;
    }
    return -1;
}

// Which seat holds the card, in a deal of exchange letters.
int holderOf(const Holdings &deal, const ExchangeCard &card)
{
    for (int seat = 0; seat < SeatCount; ++seat) {
        if (deal[FieldOf(seat, card.suit)].contains(card.rank))
            return seat;
    }
    return -1;
}

// The trailing lines of a question that are note texts "(n) text" of the numbered bids, in
// ascending order, each fit for a tag value: what reading gives back as the same lines.
QMap<int, QString> takeNoteLines(QString &question, const QList<int> &numbered)
{
    static const QRegularExpression noteLine(QStringLiteral("^\\((\\d{1,3})\\) (.+)$"));
    QStringList lines = question.split(CrLf);
    QMap<int, QString> taken;
    qsizetype first = lines.size();
    int below = INT_MAX;
    while (first > 0) {
        const QRegularExpressionMatch m = noteLine.match(lines[first - 1]);
        if (!m.hasMatch())
            break;
        const int n = m.captured(1).toInt();
        const QString text = m.captured(2);
        const bool fits = numbered.contains(n) && n < below && text == text.trimmed() && isPlainTagText(text)
            && text.size() < PbnMaxLineLength - 20;
        if (!fits)
            break;
        taken.insert(n, text);
        below = n;
        --first;
    }
    // The lines before the notes must come back alone as the commentary: an empty remainder is
    // only possible when nothing stands before the notes.
    const QString remainder = QStringList(lines.mid(0, first)).join(CrLf);
    if (taken.isEmpty() || (remainder.isEmpty() && first > 0))
        return {};
    question = remainder;
    return taken;
}

} // namespace

bool isAuctionOver(const QList<ExchangeCall> &calls)
{
    int passes = 0;
    bool bid = false;
    for (const ExchangeCall &c : calls) {
        passes = c.kind == ExchangeCall::Pass ? passes + 1 : 0;
        bid = bid || c.kind == ExchangeCall::Bid;
    }
    return passes >= 4 || (bid && passes >= 3);
}

BoardAsGame checkBoard(const ExchangeBoard &board)
{
    BoardAsGame out;
    if (board.boardText.isEmpty()) {
        out.problems << problemOf(board, exchange_text::NoBoardNumber);
        return out;
    }
    // One to nine ASCII digits; anything else is no number of a game.
    long long n = 0;
    if (board.boardText.size() <= 9) {
        for (const QChar c : board.boardText) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                n = 0;
                break;
            }
            n = n * 10 + (c.unicode() - '0');
        }
    }
    if (n < 1 || n > MaxBoardNumber) {
        out.problems << problemOf(board, exchange_text::BoardNumberRange);
        return out;
    }
    out.number = n;
    if (!board.hasDeal) {
        out.problems << problemOf(board, exchange_text::NoDeal);
        return out;
    }
    if (!board.deal.deal) {
        out.problems << problemOf(board, exchange_text::DealNot52);
        return out;
    }
    if (board.dealer >= 0 && board.dealer != DealerOf(n)) {
        ExchangeProblem p = problemOf(board, exchange_text::DealerContradicts);
        p.detailKind = ExchangeProblem::Seat;
        p.detailValue = board.dealer;
        out.problems << p;
        return out;
    }
    if (board.vulnerability >= 0 && board.vulnerability != VulnerabilityOf(n)) {
        // The file's own word ("None", "EW") names the value most plainly.
        out.problems << problemOf(board, exchange_text::VulnerabilityContradicts, board.vulnerabilityText);
        return out;
    }
    return out;
}

BoardAsGame gameFromBoard(const ExchangeBoard &board, int languageNumber)
{
    BoardAsGame out = checkBoard(board);
    if (!out.problems.isEmpty())
        return out;
    const long long n = out.number;
    const int dealer = DealerOf(n);

    const Holdings &deal = *board.deal.deal;
    Game game;
    game.number = n;
    game.holdings = dealInLanguage(deal, languageNumber);

    AuctionModel model;
    model.resetForGame(dealer);
    QStringList noteLines;
    if (board.hasAuction && !board.calls.isEmpty()) {
        const ClickedAuction clicked = clickAuction(board, dealer, languageNumber);
        if (clicked.model) {
            model = *clicked.model;
            noteLines = clicked.bidNotes + clicked.otherNotes;
        } else {
            ExchangeProblem p = problemOf(board, exchange_text::AuctionLeftOut, clicked.detail);
            p.detailKind = ExchangeProblem::Text;
            p.detailValue = clicked.reason;
            out.problems << p;
        }
    }
    game.auction = auctionFileOf(model);

    // The finished auction decides the contract, as the board does when the auction ends; the
    // file's Contract and Declarer serve when it has no auction.
    std::optional<int> declarer;
    const QString kinds = model.CallKinds();
    if (kinds.size() >= 4 && kinds.endsWith(QLatin1String("222"))) {
        if (const std::optional<FinalContract> fc = finalContract(model)) {
            game.contract = contractText(*fc, languageNumber);
            declarer = fc->declarer;
        }
    } else if (kinds.isEmpty()) {
        const std::optional<std::pair<int, int>> c = readContractTag(board.contract);
        const int seat = board.declarer.isEmpty() ? -1 : seatFromLetter(board.declarer[0]);
        if (c && seat >= 0) {
            game.contract
                = contractText(SeatName(seat, languageNumber), c->first, strainWord(c->second, languageNumber));
            declarer = seat;
        }
    }

    if (board.lead) {
        // The leader sits after the declarer; without a declarer the card's holder led it.
        int leader = board.leadSeat;
        if (leader < 0)
            leader = declarer ? (*declarer + 1) % SeatCount : holderOf(deal, *board.lead);
        if (leader >= 0 && holderOf(deal, *board.lead) == leader) {
            game.lead = LeadLine {
                SeatName(leader, languageNumber), board.lead->suit, leadCardText(board.lead->rank, languageNumber)};
        } else {
            out.problems << problemOf(board, exchange_text::LeadLeftOut, cardText(*board.lead));
        }
    }

    QStringList question;
    if (board.question && !board.question->isEmpty())
        question << *board.question;
    question << noteLines;
    if (board.question || !question.isEmpty()) {
        game.question = storable(question.join(CrLf));
        game.hasQuestionFile = true;
    }
    if (board.answer) {
        game.answer = storable(*board.answer);
        game.hasAnswerFile = true;
    }
    out.game = game;
    return out;
}

ExchangeBoard boardFromGame(const Game &game, int languageNumber)
{
    ExchangeBoard board;
    board.boardText = QString::number(game.number);
    board.hasDeal = true;
    board.deal.recognised = true;
    board.deal.deal = dealFromLanguage(game.holdings, languageNumber);
    const int dealer = DealerOf(game.number);
    board.dealer = dealer;
    board.vulnerability = VulnerabilityOf(game.number);

    QList<int> numbered;
    if (game.auction) {
        for (int row = 0; row < AuctionRows; ++row) {
            for (int seat = 0; seat < SeatCount; ++seat) {
                const FileCell &cell = game.auction->cells[auctionCellIndex(seat, row)];
                if (cell.code.isEmpty())
                    continue;
                ExchangeCall call;
                const int code = cellNumber(cell.code);
                if (code <= 4) {
                    call.kind = ExchangeCall::Bid;
                    call.level = cellNumber(cell.caption);
                    call.strain = code;
                    call.token = QString::number(call.level)
                        + (code == 4 ? QStringLiteral("NT") : QString(StrainLetters[code]));
                } else {
                    call.kind = code == 6 ? ExchangeCall::Double
                        : code == 7       ? ExchangeCall::Redouble
                                          : ExchangeCall::Pass;
                    call.token = code == 6 ? QStringLiteral("X")
                        : code == 7        ? QStringLiteral("XX")
                                           : QStringLiteral("Pass");
                }
                if (const int note = noteNumber(cell.note); note > 0 && call.kind == ExchangeCall::Bid) {
                    call.noted = true;
                    numbered << note;
                }
                board.calls << call;
            }
        }
    }
    board.hasAuction = !board.calls.isEmpty();
    board.auctionSeat = dealer;
    board.auctionUnfinished = board.hasAuction && !isAuctionOver(board.calls);

    std::optional<int> declarer;
    if (board.hasAuction && !board.auctionUnfinished) {
        AuctionModel model;
        QList<FileCell> cells(game.auction->cells.begin(), game.auction->cells.end());
        model.loadFrom(game.auction->callKinds, cells);
        if (const std::optional<FinalContract> fc = finalContract(model)) {
            declarer = fc->declarer;
            board.declarer = QString(seatLetter(fc->declarer));
            board.contract = QString::number(fc->level)
                + (fc->strain == 4 ? QStringLiteral("NT") : QString(StrainLetters[fc->strain]));
            // The doubles after the final bid.
            int doubles = 0;
            for (const ExchangeCall &c : board.calls) {
                if (c.kind == ExchangeCall::Bid)
                    doubles = 0;
                else if (c.kind == ExchangeCall::Double)
                    doubles = 1;
                else if (c.kind == ExchangeCall::Redouble)
                    doubles = 2;
            }
            board.contract += QStringLiteral("X").repeated(doubles);
        } else {
            board.contract = QStringLiteral("Pass");
        }
    } else if (!game.contract.isEmpty()) {
        // "Zuid 4 Schoppen": seat name, level, strain word of the language.
        const QStringList words = game.contract.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() == 3) {
            const int seat = seatOfName(words[0], languageNumber);
            const int level = words[1].toInt();
            int strain = -1;
            for (int s = 0; s <= 4; ++s) {
                if (strainWord(s, languageNumber) == words[2])
                    strain = s;
            }
            if (seat >= 0 && level >= 1 && level <= 7 && strain >= 0) {
                declarer = seat;
                board.declarer = QString(seatLetter(seat));
                board.contract
                    = QString::number(level) + (strain == 4 ? QStringLiteral("NT") : QString(StrainLetters[strain]));
            }
        }
    }

    if (game.lead) {
        const int leader = seatOfName(game.lead->leaderName, languageNumber);
        const QChar rank = leadRank(game.lead->cardText, languageNumber);
        if (leader >= 0 && !rank.isNull() && game.lead->suitIndex >= 0 && game.lead->suitIndex < 4) {
            board.lead = ExchangeCard {game.lead->suitIndex, rank};
            board.leadSeat = leader;
        }
    }

    if (game.hasQuestionFile || !game.question.isEmpty()) {
        QString question = game.question;
        const QMap<int, QString> notes = takeNoteLines(question, numbered);
        for (ExchangeCall &call : board.calls) {
            if (call.noted)
                call.noteText = notes.value(numbered.takeFirst());
        }
        if (!question.isEmpty() || notes.isEmpty())
            board.question = question;
    }
    if (game.hasAnswerFile || !game.answer.isEmpty())
        board.answer = game.answer;
    return board;
}

} // namespace briqo
