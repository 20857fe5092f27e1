// The display options of the bottom strip: points visible, the ten written "10", hidden hands.

#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>

namespace briqo {

void frmBordix::chkPunten_Click() { carryOut(m_board.setPointsVisible(chkPunten->isChecked())); }

void frmBordix::chkTien_Click() { carryOut(m_board.setTenAs10(chkTien->isChecked())); }

// The box is ticked while the hand shows; a hidden hand keeps its cards on the board.
void frmBordix::chkNietZichtbaar_Click(int seat)
{
    carryOut(m_board.setSeatHidden(seat, !chkNietZichtbaar[seat]->isChecked()));
}

} // namespace briqo
