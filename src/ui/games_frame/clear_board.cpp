// Emptying the display of everything that belongs to one game, apart from the deal itself.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/twips.h"
#include "resources/pictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace briqo {

void frmBordix::ClearBoard()
{
    for (int i = 1; i <= 6; ++i) {
        lblVulin[i]->hide();
        lblVulin[i]->clear();
    }
    setPicture(picEind, 0);
    setPicture(picUit, 0);
    for (QLabel *points : lblPunten)
        points->setText(QStringLiteral("(0)"));
    chkUitKomst->hide();
    chkUitKomst->setChecked(false);
    chkUitKomst->setText(ResString(Str::GiveLead));
    setLeftTw(chkUitKomst, InfoValueLeft);
    setTopTw(chkUitKomst, topTw(lblInfo[5]) - 32);
    clearAuctionCells();
    for (QStringList &hand : lstHand)
        hand.clear();
    showClearedGame();
    showQuestion(QString());
}

} // namespace briqo
