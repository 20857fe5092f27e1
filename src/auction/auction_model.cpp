#include "auction/auction_model.h"

#include "auction/final_contract.h"
#include "base/string_ids.h"
#include "base/string_table.h"

#include <algorithm>

namespace briqo {

namespace {

const QString BeforeDealer = QStringLiteral("-");
const QString RestingNote = QStringLiteral("*");

bool isContractBid(int k) { return k >= 0 && k < ContractBidCount; }

// A cell of the grid, by row and seat.
struct CellPos {
    int row = -1;
    int seat = -1;
    bool valid() const { return row >= 0; }
};

// The first cell not yet taken: rows are filled North to West, and a row whose West cell is
// taken is full.
CellPos freeCell(const AuctionModel &m)
{
    for (int row = 0; row < AuctionRows; ++row) {
        if (m.cell(row, SeatCount - 1).callVisible)
            continue;
        for (int seat = 0; seat < SeatCount; ++seat) {
            if (!m.cell(row, seat).callVisible)
                return {row, seat};
        }
    }
    return {};
}

// The most recent taken cell: the highest row of any column, the later seat on equal rows.
CellPos lastTakenCell(const AuctionModel &m, bool skipBeforeDealer)
{
    CellPos last;
    for (int seat = 0; seat < SeatCount; ++seat) {
        for (int row = AuctionRows - 1; row >= 0; --row) {
            const AuctionCell &c = m.cell(row, seat);
            if (!c.callVisible || (skipBeforeDealer && c.caption == BeforeDealer))
                continue;
            if (row >= last.row)
                last = {row, seat};
            break;
        }
    }
    return last;
}

QString fallbackWord(int k) { return ResString(Str::Pass + (k - BoxButton::Pass), LanguageEnglish); }

} // namespace

int cellNumber(const QString &text)
{
    const long long v = leadingNumber(text);
    return int(std::clamp<long long>(v, -1000, 1000));
}

AuctionModel::AuctionModel() { resetForGame(0); }

void AuctionModel::resetForGame(int dealer)
{
    for (auto &row : m_cells)
        row.fill(AuctionCell {});
    if (dealer < 0 || dealer >= SeatCount)
        dealer = 0;
    for (int seat = 0; seat < dealer; ++seat) {
        AuctionCell &c = m_cells[0][seat];
        c.caption = BeforeDealer;
        c.callVisible = true;
    }
    m_callKinds.clear();
    m_lastCallRow = -1;
    m_lastCallSeat = -1;
    m_noteCounter = 1;
    m_doubled = false;
    m_redoubled = false;
    showAllBids();
}

void AuctionModel::clearAll(int dealer) { resetForGame(dealer); }

void AuctionModel::showAllBids() { m_bidVisible.fill(true); }

const AuctionCell &AuctionModel::cell(int row, int seat) const
{
    static const AuctionCell empty;
    if (row < 0 || row >= AuctionRows || seat < 0 || seat >= SeatCount)
        return empty;
    return m_cells[row][seat];
}

void AuctionModel::setCell(int row, int seat, const AuctionCell &cell)
{
    if (row < 0 || row >= AuctionRows || seat < 0 || seat >= SeatCount)
        return;
    m_cells[row][seat] = cell;
}

bool AuctionModel::bidVisible(int k) const { return isContractBid(k) && m_bidVisible[k]; }

ClickOutcome AuctionModel::click(int k, const QString &caption)
{
    ClickOutcome out;
    if (k < 0 || k > BoxButton::DeleteAll || (k >= BoxButton::Number && m_callKinds.isEmpty())) {
        out.ignored = true;
        return out;
    }
    out.focusToCmdFocus = true;
    // Four passes end the auction for good; only the delete buttons still act.
    if (k <= BoxButton::Number && m_callKinds.endsWith(QLatin1String("2222"))) {
        out.ignored = true;
        return out;
    }
    out.setUnsavedChanges = true;
    out.disableSaveAndRotate = k == BoxButton::DeleteLast;
    out.disableOutputs = k != BoxButton::DeleteAll;

    switch (k) {
    case BoxButton::DeleteAll:
        out.askDeleteAll = true;
        return out;
    case BoxButton::DeleteLast:
        out.clearRememberedDeclarer = true;
        deleteLastCall();
        break;
    case BoxButton::Number:
        numberLastCall();
        break;
    default: {
        const CellPos free = freeCell(*this);
        if (!historyAccepts(k) || !free.valid()) {
            out.refused = true;
            return out;
        }
        placeCall(k, caption, free.row, free.seat);
        break;
    }
    }
    out.tail = commonTail();
    return out;
}

// A double answers an opponent's bid: the right-hand one ("1") or the left-hand one after two
// passes ("122"). A redouble answers an opponent's double of our side's bid, with at most two
// passes in between. Only one double and one redouble per contract bid.
bool AuctionModel::historyAccepts(int k) const
{
    if (k == BoxButton::Double) {
        const bool afterOpponentsBid
            = m_callKinds.endsWith(QLatin1Char('1')) || m_callKinds.endsWith(QLatin1String("122"));
        return afterOpponentsBid && !m_doubled && !m_redoubled;
    }
    if (k == BoxButton::Redouble) {
        const bool afterDoubleOfUs = m_callKinds.endsWith(QLatin1String("13"))
            || m_callKinds.endsWith(QLatin1String("223")) || m_callKinds.endsWith(QLatin1String("322"));
        return afterDoubleOfUs && m_doubled && !m_redoubled;
    }
    return true;
}

void AuctionModel::placeCall(int k, const QString &caption, int row, int seat)
{
    AuctionCell c;
    c.callVisible = true;
    if (isContractBid(k)) {
        c.caption = QString::number(k / 5 + 1);
        c.code = QString::number(k % 5);
        c.pictureVisible = true;
        m_callKinds += QLatin1Char('1');
        m_doubled = false;
        m_redoubled = false;
        hideBidsUpTo(k);
    } else {
        c.caption = caption.isEmpty() ? fallbackWord(k) : caption;
        c.code = QString::number(k - BoxButton::Pass + 5);
        m_callKinds += QLatin1Char(char('2' + (k - BoxButton::Pass)));
        if (k == BoxButton::Double)
            m_doubled = true;
        else if (k == BoxButton::Redouble)
            m_redoubled = true;
    }
    m_cells[row][seat] = c;
    m_lastCallRow = row;
    m_lastCallSeat = seat;
}

// Numbering toggles: a second click on the same bid takes its note away and gives the number back.
void AuctionModel::numberLastCall()
{
    if (m_lastCallRow < 0 || m_lastCallSeat < 0)
        return;
    AuctionCell &c = m_cells[m_lastCallRow][m_lastCallSeat];
    if (c.noteVisible) {
        c.noteVisible = false;
        c.note = RestingNote;
        --m_noteCounter;
    } else if (c.pictureVisible) {
        c.note = QStringLiteral("(%1)").arg(m_noteCounter);
        c.noteVisible = true;
        ++m_noteCounter;
    }
}

void AuctionModel::deleteLastCall()
{
    const CellPos last = lastTakenCell(*this, false);
    // The cells before the dealer are not calls.
    if (!last.valid() || m_cells[last.row][last.seat].caption == BeforeDealer)
        return;
    AuctionCell &c = m_cells[last.row][last.seat];
    if (c.noteVisible)
        --m_noteCounter;
    c = AuctionCell {};
    m_callKinds.chop(1);
    deriveDoubleState();

    // Re-open the box above the contract bid that now stands last.
    int startRow = last.row;
    if (last.seat == 0)
        --startRow;
    for (int row = startRow; row >= 0; --row) {
        for (int seat = SeatCount - 1; seat >= 0; --seat) {
            const AuctionCell &prev = m_cells[row][seat];
            const int level = cellNumber(prev.caption);
            if (level != 0) {
                showBidsFrom((level - 1) * 5 + cellNumber(prev.code) + 1);
                return;
            }
        }
    }
    showBidsFrom(0);
}

// A double, resp. a redouble, counts only when it was made after the last contract bid.
void AuctionModel::deriveDoubleState()
{
    const QString sinceBid = m_callKinds.mid(m_callKinds.lastIndexOf(QLatin1Char('1')) + 1);
    m_doubled = sinceBid.contains(QLatin1Char('3'));
    m_redoubled = sinceBid.contains(QLatin1Char('4'));
}

void AuctionModel::hideBidsUpTo(int k)
{
    for (int i = 0; i <= std::min(k, ContractBidCount - 1); ++i)
        m_bidVisible[i] = false;
}

void AuctionModel::showBidsFrom(int k)
{
    for (int i = std::max(k, 0); i < ContractBidCount; ++i)
        m_bidVisible[i] = true;
}

TailOutcome AuctionModel::commonTail() const
{
    TailOutcome t;
    if (m_callKinds == QLatin1String("2222"))
        t.end = AuctionEnd::PassedOut;
    else if (m_callKinds.size() < 4)
        t.end = AuctionEnd::TooShort;
    else if (m_callKinds.endsWith(QLatin1String("222"))) {
        t.end = AuctionEnd::Finished;
        t.hiddenRowNumbers = hiddenRowNumbers(*this);
    } else
        t.end = AuctionEnd::Continues;
    return t;
}

void AuctionModel::loadFrom(const QString &callKinds, const QList<FileCell> &cells)
{
    int highestNote = 0;
    for (int seat = 0; seat < SeatCount; ++seat) {
        for (int row = 0; row < AuctionRows; ++row) {
            const int i = seat * AuctionRows + row;
            const FileCell f = i < cells.size() ? cells[i] : FileCell {};
            AuctionCell &c = m_cells[row][seat];
            c.caption = f.caption;
            c.code = f.code;
            c.note = f.note;
            c.callVisible = !f.caption.isEmpty();
            c.pictureVisible = !f.code.isEmpty() && cellNumber(f.code) < 5;
            c.noteVisible = !f.note.isEmpty();
            highestNote = std::max(highestNote, cellNumber(f.note.mid(1)));
        }
    }
    m_callKinds = callKinds;
    deriveDoubleState();
    // The next note continues after the highest one on the grid, so no number is used twice.
    m_noteCounter = highestNote + 1;
    const CellPos last = lastTakenCell(*this, true);
    m_lastCallRow = last.row;
    m_lastCallSeat = last.seat;

    showAllBids();
    int best = -1;
    for (const auto &row : m_cells) {
        for (const AuctionCell &c : row) {
            const int level = cellNumber(c.caption);
            if (!c.callVisible || level <= 0)
                continue;
            best = std::max(best, 5 * (level - 1) + cellNumber(c.code));
        }
    }
    if (best >= 0)
        hideBidsUpTo(best);
}

QList<FileCell> AuctionModel::cellsForFile() const
{
    QList<FileCell> out;
    out.reserve(AuctionCells);
    for (int seat = 0; seat < SeatCount; ++seat) {
        for (int row = 0; row < AuctionRows; ++row) {
            const AuctionCell &c = m_cells[row][seat];
            // A note at rest ("*") is not shown beside the cell, so it is not stored either.
            out.append({c.caption, c.code, c.noteVisible ? c.note : QString()});
        }
    }
    return out;
}

} // namespace briqo
