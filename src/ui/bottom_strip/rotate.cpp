// Turning the whole board a quarter turn clockwise: every hand and every call moves one seat on,
// and the game number changes so that the dealer moves with them.

#include "ui/main_window/frm_bordix.h"

namespace briqo {

void frmBordix::cmdDraai_Click()
{
    const long long before = m_board.currentGameNumber();
    carryOut(m_board.rotate());
    if (m_board.currentGameNumber() != before)
        fillRenumberLists(m_board.currentGameNumber());
}

} // namespace briqo
