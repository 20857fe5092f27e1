// Emptying the display of everything that belongs to one game, apart from the deal itself.

#include "shell/frm_bordix.h"

#include "resources/pictures.h"
#include "shell/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace briqo {

void frmBordix::ClearBoard()
{
    picBiedBox->setEnabled(false);
    for (int i = 1; i <= 6; ++i) {
        lblVulin[i]->hide();
        lblVulin[i]->clear();
        setTag(lblVulin[i], QString());
    }
    setPicture(picEind, 0);
    setPicture(picUit, 0);
    for (QLabel *points : lblPunten)
        points->setText(QStringLiteral("(0)"));
    chkUitKomst->hide();
    chkUitKomst->setChecked(false);
    chkUitKomst->setText(ResString(69));
    setLeftTw(chkUitKomst, InfoValueLeft);
    setTopTw(chkUitKomst, topTw(lblInfo[5]) - 32);
    clearAuctionCells();
    for (QStringList &hand : lstHand)
        hand.clear();
    for (QWidget *w : std::initializer_list<QWidget *> {cmdKopie, cmdNaarKlembord, franietZichtbaar, cmdVraagAntwoord})
        w->setEnabled(false);
    setTag(cmdVraagAntwoord, QString());
    setTag(franietZichtbaar, QString());
    showQuestion(QString());
}

} // namespace briqo
