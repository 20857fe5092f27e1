// The opening lead in the information block: the leader, a dash, the suit picture and the card.

#include "ui/main_window/frm_bordix.h"

#include "resources/pictures.h"
#include "base/string_table.h"
#include "base/twips.h"

#include <QCheckBox>
#include <QLabel>

namespace briqo {

void frmBordix::showLeadLine(const QString &leaderName, int suit, const QString &cardText)
{
    m_leadShown = LeadLine {leaderName, suit, cardText};
    picAlles->showLeadLine(leaderName, suit, cardText);
}

void frmBordix::clearLeadLine()
{
    m_leadShown.reset();
    picAlles->clearLeadLine();
}

void frmBordix::placeLeadBox(int captionString, double belowLeadBy)
{
    picAlles->placeLeadBox(ResString(captionString), belowLeadBy);
}

} // namespace briqo
