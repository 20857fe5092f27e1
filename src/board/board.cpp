// The board value: the game number and its set-up, stored games in and out, and what the board
// offers as it moves from one state to the next.

#include "board/board.h"

#include "base/string_ids.h"
#include "deal/hand_rules.h"
#include "store/game_paths.h"

namespace briqo {

namespace {

constexpr long long LastGame = 999;

bool sameAuction(const AuctionModel &a, const AuctionModel &b)
{
    if (a.CallKinds() != b.CallKinds() || a.cellsForFile() != b.cellsForFile() || a.NoteCounter() != b.NoteCounter()
        || a.Doubled() != b.Doubled() || a.Redoubled() != b.Redoubled() || a.LastCallRow() != b.LastCallRow()
        || a.LastCallSeat() != b.LastCallSeat())
        return false;
    for (int k = 0; k < ContractBidCount; ++k)
        if (a.bidVisible(k) != b.bidVisible(k))
            return false;
    for (int row = 0; row < AuctionRows; ++row)
        for (int seat = 0; seat < SeatCount; ++seat)
            if (!(a.cell(row, seat) == b.cell(row, seat)))
                return false;
    return true;
}

} // namespace

QString BoardMessage::text(int languageNumber) const
{
    QString t = ResString(stringId, languageNumber);
    for (const auto &[placeholder, value] : fills)
        t = fillPlaceholder(t, placeholder, value);
    return t;
}

Board::Board(int languageNumber)
    : m_language(languageNumber)
{ }

bool Board::operator==(const Board &o) const
{
    return m_language == o.m_language && m_number == o.m_number && m_text == o.m_text && m_hidden == o.m_hidden
        && m_tenAs10 == o.m_tenAs10 && m_pointsVisible == o.m_pointsVisible && sameAuction(m_auction, o.m_auction)
        && m_contract == o.m_contract && m_declarer == o.m_declarer && m_lead == o.m_lead && m_leadMode == o.m_leadMode
        && m_leadModeSeat == o.m_leadModeSeat && m_leadBoxDeletes == o.m_leadBoxDeletes && m_question == o.m_question
        && m_answer == o.m_answer && m_hasQuestionFile == o.m_hasQuestionFile && m_hasAnswerFile == o.m_hasAnswerFile
        && m_chosenEntry == o.m_chosenEntry && m_unsaved == o.m_unsaved && m_offers == o.m_offers;
}

QString Board::folderName(long long n) const { return gameFolderName(gameWords(m_language), n); }

// ---- What the board offers in each state ----

void Board::enableCompleteDeal()
{
    m_offers.showBoard = true;
    m_offers.print = true;
    m_offers.saveAndRotate = true;
    m_offers.displayOptions = true;
    m_offers.leadBox = true;
    m_offers.biddingBox = true;
    m_offers.deleteButtons = true;
}

void Board::showIncompleteDeal()
{
    m_offers.showBoard = false;
    m_offers.print = false;
    m_offers.saveAndRotate = false;
    m_offers.displayOptions = false;
    m_offers.gameEntry = false;
    m_offers.leadBox = false;
    m_leadMode = false;
}

void Board::resetLeadBox()
{
    m_offers.leadBox = false;
    m_leadBoxDeletes = false;
    m_leadMode = false;
    m_leadModeSeat = -1;
}

void Board::clearBoard()
{
    m_offers.biddingBox = false;
    m_contract = {};
    m_declarer.reset();
    m_lead.reset();
    resetLeadBox();
    m_auction.resetForGame(North);
    m_offers.showBoard = false;
    m_question.clear();
    m_answer.clear();
    m_hasQuestionFile = false;
    m_hasAnswerFile = false;
    // The hide-hand boxes keep their values: a hand hidden on this board is hidden on the next
    // once its deal is complete.
}

BoardOutcome Board::clear()
{
    clearBoard();
    return {};
}

// The board set-up for the number now held. keepBoard: the hands and the display stay (deleting
// the whole bidding sets the same number up again).
void Board::runSetUp(bool keepBoard, BoardOutcome &out)
{
    if (!keepBoard)
        clearBoard();
    m_tenAs10 = false;
    const bool game = isGame();

    m_offers.showBoard = false;
    m_offers.print = false;
    m_offers.gameEntry = false;
    m_offers.saveAndRotate = false;
    m_offers.leadBox = false;
    m_leadMode = false;
    if (game && !keepBoard)
        m_offers.entryOpen = true;
    m_offers.biddingBox = game;

    if (game) {
        if (!keepBoard)
            m_text.fill(QString());
        // A fresh auction: no calls, notes from 1, the cells before the dealer marked "-".
        m_auction.resetForGame(DealerOf(*m_number));
        m_offers.deleteButtons = true;
    }
    m_offers.renumber = false;
    out.focus = Focus::GameNumber;
}

bool Board::setUpAfterUnsavedQuestion(long long n, Answer unsaved, BoardOutcome &out)
{
    if (m_unsaved && unsaved == Answer::NotAsked) {
        out.question = BoardMessage {Str::NotSavedYet, {}};
        return false;
    }
    m_number = n;
    if (m_unsaved && unsaved == Answer::Yes) {
        out.saveFirst = true;
        return false;
    }
    runSetUp(false, out);
    return true;
}

BoardOutcome Board::setGameNumber(const QString &text, Answer unsaved)
{
    BoardOutcome out;
    QString digits = text;
    digits.removeIf([](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); });
    if (digits.isEmpty()) {
        m_number.reset();
        return out;
    }
    const long long n = digits.left(3).toLongLong();
    if (digits == QLatin1String("0")) {
        m_number = 0;
        return out;
    }
    setUpAfterUnsavedQuestion(n, unsaved, out);
    return out;
}

BoardOutcome Board::renumberTo(long long n)
{
    BoardOutcome out;
    if (!m_offers.renumber || n < 1 || n > LastGame) {
        out.ignored = true;
        return out;
    }
    // The number changes under the board: no set-up, only "T as 10" goes off as at every new number.
    m_number = n;
    m_tenAs10 = false;
    return out;
}

} // namespace briqo
