// The bidding box and the auction grid: each click goes to the auction model, and the grid and the
// box then show what the model holds.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "deal/hand_rules.h"
#include "resources/pictures.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

void frmBordix::ShowAllBids()
{
    auction.showAllBids();
    for (int k = 0; k < 35; ++k)
        picBBA[k]->show();
    picBBA[BoxButton::DeleteLast]->setEnabled(true);
    picBBA[BoxButton::DeleteAll]->setEnabled(true);
}

void frmBordix::clearAuctionCells() { picAlles->clearAuctionCells(); }

void frmBordix::showAuction()
{
    picAlles->showAuctionCells(auction);
    for (int k = 0; k < 35; ++k)
        picBBA[k]->setVisible(auction.bidVisible(k));
}

void frmBordix::normaliseHands()
{
    const Holdings deal = holdings();
    if (chkTien->isChecked()) {
        for (QLineEdit *field : txtInvoer)
            writeHolding(field, tensAs10(tensAsT(field->text())));
    }
    if (totalCards(deal) == 52) {
        for (int f = 0; f < FieldCount; ++f)
            Sorteer(f);
        rebuildHandLists();
    }
    if (txtInvoer[0]->isEnabled())
        SetFocusIfPossible(txtInvoer[0]);
    else
        cmdFocus->setFocus();
    RefreshCountColours();
}

void frmBordix::lblBB_Click(int k)
{
    const ClickOutcome outcome = auction.click(k, lblBB[k]->text());
    if (outcome.ignored)
        return;
    if (outcome.focusToCmdFocus)
        cmdFocus->setFocus();
    if (outcome.setUnsavedChanges)
        UnsavedChanges = true;
    showAuctionChanged(outcome);
    if (outcome.clearRememberedDeclarer)
        m_declarer.reset();
    if (outcome.refused)
        return;

    TailOutcome tail = outcome.tail;
    if (outcome.askDeleteAll) {
        if (askYesNo(ResString(Str::ClearBiddingQuestion))) {
            const Holdings deal = holdings();
            UnsavedChanges = std::any_of(deal.begin(), deal.end(), [](const QString &h) { return !h.isEmpty(); });
            // The board set-up runs again for the same number, keeping the hands and asking nothing.
            const QString game = QString::number(currentGameNumber());
            setGameNumberText(QString());
            setGameNumberText(game, {.askAboutUnsaved = false, .keepBoard = true});
            auction.clearAll(DealerOf(currentGameNumber()));
            ShowAllBids();
            clearContractAndLead();
            for (QLabel *rowNumber : lblNum)
                rowNumber->show();
            showAuction();
            normaliseHands();
            // The board is back where it was before the first call: a complete deal can be bid,
            // saved and shown again.
            if (isValidCompleteDeal(holdings(), LanguageNumber))
                EnableCompleteDeal();
        }
        tail = auction.commonTail();
    }
    showAuction();
    applyAuctionEnd(tail);
}

void frmBordix::applyAuctionEnd(const TailOutcome &tail)
{
    switch (tail.end) {
    case AuctionEnd::PassedOut:
        ShowContract();
        showAuctionFinished(false);
        break;
    case AuctionEnd::Finished:
        ShowContract();
        showAuctionFinished(true);
        for (int row : tail.hiddenRowNumbers)
            lblNum[row]->hide();
        normaliseHands();
        break;
    case AuctionEnd::Continues:
        txtInvoer[0]->setEnabled(true);
        SetFocusIfPossible(txtInvoer[0]);
        break;
    case AuctionEnd::TooShort:
    case AuctionEnd::NotRun:
        break;
    }
}

} // namespace briqo
