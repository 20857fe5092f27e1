// Giving the opening lead: the lead box puts the leader's hand into lead mode, a click on one of
// its cards asks for confirmation, shows the lead and stores it; the box then withdraws it again.

#include "ui/main_window/frm_bordix.h"

#include "auction/lead_card.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "resources/pictures.h"
#include "store/file_state.h"
#include "store/game_files.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

namespace {

void placeLeadBoxAtRest(frmBordix &w)
{
    w.placeLeadBox(Str::GiveLead);
    // At rest the box stands a little above the leader text, where no lead is shown.
    setTopTw(w.chkUitKomst, topTw(w.lblVulin[5]) - 32);
}

void leaveLeadMode(frmBordix &w)
{
    w.chkUitKomst->setChecked(false);
    placeLeadBoxAtRest(w);
    w.enableEntryFields(true);
    w.cmdFocus->setFocus();
    w.RefreshCountColours();
}

void startLeadMode(frmBordix &w)
{
    const int leader = leaderSeat(w.declarer(), -1);
    // Without a finished auction nobody is known to lead: whoever's card is clicked leads it.
    w.showLeadMode(leader);
    w.SetFocusIfPossible(w.txtInvoer[leader >= 0 ? FieldOf(leader, Spades) : 0]);
    w.RefreshCountColours();
}

void withdrawLead(frmBordix &w)
{
    w.chkUitKomst->setChecked(false);
    placeLeadBoxAtRest(w);
    w.clearLeadLine();

    // An empty lead file is a lead file too: it goes as well.
    if (const StoreResult removed = w.store().removeLead(w.currentGameNumber()); !removed)
        w.showInfo(fillPlaceholder(w.ResString(own::CannotDeleteFile), QLatin1Char('~'), removed.path));

    w.enableEntryFields(true);
    w.picBiedBox->setEnabled(true);
    w.picBBA[BoxButton::DeleteLast]->setEnabled(true);
    w.picBBA[BoxButton::DeleteAll]->setEnabled(true);
    w.cmdFocus->setFocus();
    w.RefreshCountColours();
}

} // namespace

void frmBordix::chkUitKomst_Click()
{
    if (chkUitKomst->text() == ResString(Str::DeleteLead)) {
        withdrawLead(*this);
        return;
    }
    cmdFocus->setFocus();
    // The click has already toggled the tick: a box that is now clear was in lead mode, and taking
    // the tick away gives every hand back instead of keeping them limited to the leader.
    if (chkUitKomst->isChecked())
        startLeadMode(*this);
    else
        leaveLeadMode(*this);
}

void frmBordix::txtInvoer_Click(int field)
{
    if (field < 0 || field >= FieldCount)
        return;
    // Only the lead mode started with the box reacts; a tick left on a box the board has hidden
    // meanwhile must not turn ordinary clicks while typing a new deal into lead questions.
    if (!chkUitKomst->isChecked() || chkUitKomst->isHidden() || chkUitKomst->text() != ResString(Str::GiveLead))
        return;
    const QString text = txtInvoer[field]->text();
    if (text.isEmpty())
        return;

    const int leader = leaderSeat(m_declarer, field);
    const int suit = SuitOfField(field);
    // Qt moves the caret on the press, so the card clicked is the one just after the caret.
    const QChar card = leadCharAt(text, txtInvoer[field]->cursorPosition());
    if (card.isNull()) {
        cmdFocus->setFocus();
        return;
    }
    const QString cardText = leadCardText(card, LanguageNumber, chkTien->isChecked());

    if (!askYesNo(leadQuestion(leader, suit, cardText, LanguageNumber))) {
        clearLeadLine();
        cmdFocus->setFocus();
        return;
    }

    const long long n = currentGameNumber();
    const QString leaderName = SeatName(leader, LanguageNumber);
    if (const StoreResult written = store().writeLead(n, LeadLine {leaderName, suit, cardText}); !written) {
        // A lead that is not stored is not shown either: the board is as it was before lead mode.
        clearLeadLine();
        leaveLeadMode(*this);
        reportStoreFailure(written);
        return;
    }

    chkUitKomst->hide();
    showLeadLine(leaderName, suit, cardText);
    chkUitKomst->setChecked(false);
    placeLeadBox(Str::DeleteLead, 0);
    chkUitKomst->show();
    enableEntryFields(true);
    cmdFocus->setFocus();
}

} // namespace briqo
