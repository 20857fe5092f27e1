// Giving the opening lead: the lead box puts the leader's hand into lead mode, a click on one of
// its cards asks for confirmation, shows the lead and stores it; the box then withdraws it again.

#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>
#include <QLineEdit>

namespace briqo {

void frmBordix::chkUitKomst_Click() { carryOut(m_board.leadBoxClicked(chkUitKomst->isChecked())); }

void frmBordix::txtInvoer_Click(int field)
{
    if (field < 0 || field >= FieldCount || !m_board.leadMode())
        return;
    // Qt moves the caret on the press, so the card clicked is the one just after the caret.
    const int caret = txtInvoer[field]->cursorPosition();
    perform([this, field, caret](Answer answer) { return m_board.giveLead(field, caret, answer); });
}

} // namespace briqo
