// The auction on the board: the bidding box, the end of the auction with its contract, the
// opening lead, and turning the whole board a quarter turn.

#include "board/board.h"

#include "auction/lead_card.h"
#include "auction/rotation.h"
#include "base/string_ids.h"

namespace briqo {

namespace {

constexpr long long LastGame = 999;

// The turned number keeps to the games that exist, with the same dealer: game 999 has no game 1000
// after it, so the board becomes 996, the last game West deals.
long long existingGame(long long n)
{
    if (n > LastGame)
        return n - 4;
    return n < 1 ? n + 4 : n;
}

} // namespace

QString Board::contractText() const
{
    if (m_contract.kind != ContractDisplay::Bid)
        return {};
    return briqo::contractText(m_contract.contract, m_language);
}

QList<int> Board::hiddenRowNumbers() const
{
    if (m_contract.kind == ContractDisplay::None)
        return {};
    return briqo::hiddenRowNumbers(m_auction);
}

QString Board::leadCardShown() const
{
    if (!m_lead)
        return {};
    return m_tenAs10 && m_lead->cardText == QLatin1String("T") ? QStringLiteral("10") : m_lead->cardText;
}

BoardOutcome Board::clickBox(int k, Answer deleteAll)
{
    BoardOutcome out;
    const bool inBox = k >= 0 && k <= BoxButton::Number;
    if (k < 0 || k > BoxButton::DeleteAll || (inBox && !m_offers.biddingBox) || (!inBox && !m_offers.deleteButtons)) {
        out.ignored = true;
        return out;
    }
    const QString caption
        = k < ContractBidCount ? QString::number(k / 5 + 1) : ResString(Str::Pass + (k - BoxButton::Pass), m_language);
    const ClickOutcome click = m_auction.click(k, caption);
    if (click.ignored) {
        out.ignored = true;
        return out;
    }
    out.focus = Focus::Sink;
    if (click.setUnsavedChanges)
        m_unsaved = true;
    // Deleting a call takes back saving and turning until the deal is complete again.
    if (click.disableSaveAndRotate)
        m_offers.saveAndRotate = false;
    // The picture no longer matches the auction being changed.
    if (click.disableOutputs) {
        m_offers.showBoard = false;
        m_offers.print = false;
    }
    if (click.clearRememberedDeclarer)
        m_declarer.reset();
    if (click.refused)
        return out;

    TailOutcome tail = click.tail;
    if (click.askDeleteAll) {
        if (deleteAll == Answer::NotAsked) {
            out.question = BoardMessage {Str::ClearBiddingQuestion, {}};
            return out;
        }
        if (deleteAll == Answer::Yes) {
            deleteAllBidding();
            normaliseHands(out);
        }
        tail = m_auction.commonTail();
    }
    applyTail(tail, out);
    return out;
}

void Board::deleteAllBidding()
{
    bool anyShown = false;
    for (int f = 0; f < FieldCount; ++f)
        anyShown = anyShown || !fieldText(f).isEmpty();
    m_unsaved = anyShown;
    // The board set-up runs again for the same number, keeping the hands and asking nothing.
    BoardOutcome ignoredSetUp;
    runSetUp(true, ignoredSetUp);
    m_auction.clearAll(DealerOf(currentGameNumber()));
    clearContractAndLead();
    // The board is back where it was before the first call: a complete deal can be bid, saved and
    // shown again.
    if (dealComplete())
        enableCompleteDeal();
}

void Board::clearContractAndLead()
{
    m_contract = {};
    m_lead.reset();
    m_declarer.reset();
    resetLeadBox();
}

void Board::applyTail(const TailOutcome &tail, BoardOutcome &out)
{
    switch (tail.end) {
    case AuctionEnd::PassedOut:
        showContract(out);
        m_offers.biddingBox = false;
        break;
    case AuctionEnd::Finished:
        showContract(out);
        m_offers.biddingBox = false;
        normaliseHands(out);
        break;
    case AuctionEnd::Continues:
        if (fieldEnabled(0))
            out.focusOn(0);
        break;
    case AuctionEnd::TooShort:
    case AuctionEnd::NotRun:
        break;
    }
}

// The final contract and declarer, and the contract file of the game.
void Board::showContract(BoardOutcome &out)
{
    const std::optional<FinalContract> final = finalContract(m_auction);
    if (!final) {
        // Passed out: "Pass" in place of the contract; the declarer and the lead stay as they were.
        m_contract.kind = ContractDisplay::PassedOut;
        return;
    }
    m_contract = ContractDisplay {ContractDisplay::Bid, *final};
    StoreAction action;
    action.kind = StoreAction::WriteContract;
    action.number = currentGameNumber();
    action.contract = contractText();
    out.store << action;
    // A lead shown with a stored game stays; a lead of the board being bid is gone.
    if (m_chosenEntry.isEmpty())
        m_lead.reset();
    m_declarer = final->declarer;
    if (fieldEnabled(0))
        out.focusOn(0);
    else
        out.focus = Focus::Sink;
}

// ---- The opening lead ----

BoardOutcome Board::leadBoxClicked(bool ticked)
{
    if (m_leadBoxDeletes)
        return withdrawLead();
    return ticked ? startLeadMode() : leaveLeadMode();
}

BoardOutcome Board::startLeadMode()
{
    BoardOutcome out;
    if (!m_offers.leadBox || m_leadBoxDeletes) {
        out.ignored = true;
        return out;
    }
    // Without a finished auction nobody is known to lead: whoever's card is clicked leads it.
    const int leader = m_declarer ? (*m_declarer + 1) % 4 : -1;
    m_leadMode = true;
    m_leadModeSeat = leader;
    out.focusOn(leader >= 0 ? FieldOf(leader, Spades) : 0);
    return out;
}

BoardOutcome Board::leaveLeadMode()
{
    BoardOutcome out;
    // Taking the tick away gives every hand back.
    m_leadMode = false;
    m_leadModeSeat = -1;
    out.focus = Focus::Sink;
    return out;
}

BoardOutcome Board::withdrawLead()
{
    BoardOutcome out;
    if (!m_offers.leadBox || !m_leadBoxDeletes) {
        out.ignored = true;
        return out;
    }
    m_leadMode = false;
    m_leadModeSeat = -1;
    m_leadBoxDeletes = false;
    m_lead.reset();
    StoreAction action;
    action.kind = StoreAction::RemoveLead;
    action.number = currentGameNumber();
    out.store << action;
    m_offers.biddingBox = true;
    m_offers.deleteButtons = true;
    out.focus = Focus::Sink;
    return out;
}

BoardOutcome Board::giveLead(int field, int caret, Answer answer)
{
    BoardOutcome out;
    if (!m_leadMode || !m_offers.leadBox || m_leadBoxDeletes || !fieldEnabled(field) || fieldText(field).isEmpty()) {
        out.ignored = true;
        return out;
    }
    const int leader = leaderSeat(m_declarer, field);
    const int suit = SuitOfField(field);
    const QChar card = leadCharAt(fieldText(field), caret);
    if (card.isNull()) {
        out.focus = Focus::Sink;
        return out;
    }
    const QString cardText = leadCardText(card, m_language, m_tenAs10);
    if (answer == Answer::NotAsked) {
        out.question = BoardMessage {Str::LeadQuestion,
            {{QLatin1Char('~'), SeatName(leader, m_language)}, {QLatin1Char('#'), SuitName(suit, m_language)},
                {QLatin1Char('*'), cardText}}};
        return out;
    }
    out.focus = Focus::Sink;
    if (answer == Answer::No) {
        // An earlier lead is taken off the board; its file stays.
        m_lead.reset();
        return out;
    }
    const QString leaderName = SeatName(leader, m_language);
    m_lead = LeadDisplay {leader, leaderName, suit, cardText == QLatin1String("10") ? QStringLiteral("T") : cardText};
    m_leadMode = false;
    m_leadModeSeat = -1;
    m_leadBoxDeletes = true;
    m_offers.leadBox = true;
    StoreAction action;
    action.kind = StoreAction::WriteLead;
    action.number = currentGameNumber();
    action.lead = LeadLine {leaderName, suit, m_lead->cardText};
    out.store << action;
    return out;
}

// ---- Turning the board ----

BoardOutcome Board::rotate()
{
    BoardOutcome out;
    if (!m_offers.saveAndRotate) {
        out.ignored = true;
        return out;
    }
    out.focus = Focus::Sink;
    m_offers.leadBox = false;
    m_leadBoxDeletes = false;
    if (!canRotate(m_auction)) {
        out.messages << BoardMessage {Str::CannotTurn, {}};
        return out;
    }
    const long long n = currentGameNumber();
    // The dealer moves with the game number: without a game number there is no seat to move it to.
    if (n < 1 || n > LastGame)
        return out;

    // A lead is never carried over to the turned board.
    m_leadMode = false;
    m_leadModeSeat = -1;
    m_lead.reset();
    StoreAction removeLead;
    removeLead.kind = StoreAction::RemoveLead;
    removeLead.number = n;
    out.store << removeLead;

    // Every hand moves one seat on; a hidden hand stays hidden at its seat.
    m_text = rotateHands(m_text);
    const RotationResult turned = rotateGrid(m_auction, n);
    const long long newNumber = existingGame(turned.gameNumber);
    // An empty grid of a game North deals stays empty, but the new dealer is East: the cells before
    // the dealer read "-" as for any new game.
    if (turned.turn == RotationCase::NoCalls)
        m_auction.resetForGame(DealerOf(newNumber));
    // The new number does not run the board set-up: the deal and the calls stay where they now
    // are, nothing is asked, and "T as 10" keeps its value.
    m_number = newNumber;
    // With no call made there is no contract to show: "-" cells alone would read as passed out.
    if (turned.showContract && !m_auction.CallKinds().isEmpty())
        showContract(out);
    m_offers.showBoard = true;
    m_offers.leadBox = true;
    out.focus = Focus::Sink;
    return out;
}

} // namespace briqo
