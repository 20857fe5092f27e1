// Turning the whole board a quarter turn clockwise: every hand and every call moves one seat on,
// and the game number changes so that the dealer moves with them.

#include "ui/main_window/frm_bordix.h"

#include "auction/rotation.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "resources/pictures.h"
#include "store/file_state.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

namespace {

constexpr int LastGame = 999;

bool handHidden(const frmBordix &w, int seat) { return w.seatHidden(seat); }

// The holdings as the hand lists keep them, so that a hidden hand turns along with the others; a
// seat whose list is not complete gives what its fields show.
std::array<QString, FieldCount> heldCards(const frmBordix &w)
{
    std::array<QString, FieldCount> cards;
    for (int seat = 0; seat < 4; ++seat)
        for (int suit = 0; suit < 4; ++suit) {
            const int field = FieldOf(seat, suit);
            cards[field] = w.lstHand[seat].size() == 4 ? w.lstHand[seat][suit] : w.txtInvoer[field]->text();
        }
    return cards;
}

// Removes the lead of the game on the board; a lead is never carried over to the turned board.
void dropLead(frmBordix &w)
{
    w.chkUitKomst->setChecked(false);
    if (const StoreResult removed = w.store().removeLead(w.currentGameNumber()); !removed)
        w.showInfo(fillPlaceholder(w.ResString(own::CannotDeleteFile), QLatin1Char('~'), removed.path));
    w.clearLeadLine();
}

// Each hand moves to the next seat; the points go with the cards. A hidden hand stays hidden at
// its seat: its fields are emptied again once the counts are taken, its list keeps the new cards.
void turnHands(frmBordix &w)
{
    const std::array<QString, FieldCount> turned = rotateHands(heldCards(w));
    for (int field = 0; field < FieldCount; ++field)
        writeHolding(w.txtInvoer[field], turned[field]);
    w.rebuildHandLists();
    w.ShowCountsAndPoints();
    w.RefreshCountColours();
    for (int seat = 0; seat < 4; ++seat)
        if (handHidden(w, seat))
            for (int suit = 0; suit < 4; ++suit)
                w.txtInvoer[FieldOf(seat, suit)]->clear();
}

// The turned number keeps to the games that exist, with the same dealer: game 999 has no game 1000
// after it, so the board becomes 996, the last game West deals. (A grid whose "-" cells disagree
// with its number, from a file edited by hand, could also point below game 1.)
long long existingGame(long long n)
{
    if (n > LastGame)
        return n - 4;
    return n < 1 ? n + 4 : n;
}

} // namespace

void frmBordix::cmdDraai_Click()
{
    chkUitKomst->hide();
    placeLeadBox(Str::GiveLead);

    if (!canRotate(auction)) {
        showInfo(ResString(Str::CannotTurn));
        cmdFocus->setFocus();
        return;
    }
    const long long n = currentGameNumber();
    // The dealer moves with the game number: without a game number there is no seat to move it to.
    if (n < 1 || n > LastGame) {
        cmdFocus->setFocus();
        return;
    }

    dropLead(*this);

    turnHands(*this);

    const RotationResult turned = rotateGrid(auction, n);
    const long long newNumber = existingGame(turned.gameNumber);
    // An empty grid of a game North deals is left as it is, but the new dealer is East: the first
    // call must not land in North's column, so the cell before the dealer reads "-" as for any
    // new game.
    if (turned.turn == RotationCase::NoCalls)
        auction.resetForGame(DealerOf(newNumber));
    // The new number must not run the board set-up: the deal and the calls stay where they now are,
    // nothing is asked, and the "T as 10" option keeps its value.
    const bool tenAs10 = chkTien->isChecked();
    setGameNumberText(QString::number(newNumber), {.askAboutUnsaved = false, .keepBoard = true, .numberOnly = true});
    {
        const QSignalBlocker quiet(chkTien);
        chkTien->setChecked(tenAs10);
    }
    showAuction();

    fillRenumberLists(newNumber);

    showDealerAndVulnerability(newNumber);
    // With no call made there is no contract to show: "-" cells alone would read as passed out.
    if (turned.showContract && !auction.CallKinds().isEmpty())
        ShowContract();

    showRotatedGame();
    cmdFocus->setFocus();
}

} // namespace briqo
