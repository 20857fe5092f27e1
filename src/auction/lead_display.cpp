// The opening lead in the information block: the leader, a dash, the suit picture and the card.

#include "shell/frm_bordix.h"

#include "resources/pictures.h"
#include "shell/string_table.h"
#include "shell/twips.h"

#include <QCheckBox>
#include <QLabel>

namespace briqo {

void frmBordix::showLeadLine(const QString &leaderName, int suit, const QString &cardText)
{
    lblVulin[5]->setText(leaderName + QStringLiteral(" - "));
    lblVulin[5]->adjustSize();
    lblVulin[6]->setText(cardText);
    lblVulin[6]->adjustSize();
    setPicture(picUit, 109 - suit);
    picUit->resize(picUit->pixmap().size());
    const double right5 = leftTw(lblVulin[5]) + widthTw(lblVulin[5]);
    const double top = topTw(lblVulin[5]) + 16;
    // Dutch reads "West - [heart] Vrouw", English "West - Queen [heart]".
    if (LanguageNumber == LanguageDutch) {
        setLeftTw(picUit, right5);
        setTopTw(picUit, top);
        setLeftTw(lblVulin[6], leftTw(picUit) + widthTw(picUit) + 64);
    } else {
        setLeftTw(lblVulin[6], right5);
        setTopTw(lblVulin[6], top);
        setLeftTw(picUit, leftTw(lblVulin[6]) + widthTw(lblVulin[6]) + 64);
        setTopTw(picUit, top);
    }
    lblVulin[5]->show();
    picUit->show();
    lblVulin[6]->show();
}

void frmBordix::clearLeadLine()
{
    for (int i : {5, 6}) {
        lblVulin[i]->hide();
        lblVulin[i]->clear();
        setTag(lblVulin[i], QString());
    }
    setPicture(picUit, 0);
    picUit->hide();
}

void frmBordix::placeLeadBox(int captionString, double belowLeadBy)
{
    chkUitKomst->setText(ResString(captionString));
    chkUitKomst->adjustSize();
    setLeftTw(chkUitKomst, leftTw(lblVulin[5]));
    setTopTw(
        chkUitKomst, belowLeadBy < 0 ? topTw(lblVulin[5]) : topTw(lblVulin[5]) + heightTw(lblVulin[5]) + belowLeadBy);
}

} // namespace briqo
