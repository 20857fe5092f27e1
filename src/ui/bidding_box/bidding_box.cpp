// The bidding box: each click goes to the board, which keeps the auction; the grid and the box
// then show what it holds.

#include "ui/main_window/frm_bordix.h"

namespace briqo {

void frmBordix::lblBB_Click(int k)
{
    perform([this, k](Answer deleteAll) { return m_board.clickBox(k, deleteAll); });
}

} // namespace briqo
