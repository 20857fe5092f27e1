// Handlers whose subsystems are still being built.

#include "shell/frm_bordix.h"

#include <QFrame>
#include <QLabel>

namespace briqo {

void frmBordix::lblBB_Click(int) {}
void frmBordix::ShowContract() {}
void frmBordix::chkUitKomst_Click() {}
void frmBordix::txtInvoer_Click(int) {}
void frmBordix::cmdDraai_Click() {}
void frmBordix::cmdOpslaan_Click() {}
void frmBordix::cmdLeesSpel_Click() {}
void frmBordix::cmdWisSpel_Click() {}
void frmBordix::ClearBoard() {}
void frmBordix::LeesSpellen() {}
void frmBordix::chkSorteer_Click() {}
void frmBordix::lstSpellen_Click() {}
void frmBordix::lstSpellen_DblClick() {}
void frmBordix::lstSpellen_MouseMove(int, int) {}
void frmBordix::cmdToonLijst_Click() {}
void frmBordix::txtSpel_KeyPress(int &) {}
void frmBordix::txtSpel_LostFocus() {}
void frmBordix::txtSpel_Change() {}
void frmBordix::vscrNieuwNummer_Change() {}

void frmBordix::ShowAllBids()
{
    for (int k = 0; k < 35; ++k)
        picBBA[k]->show();
    picBBA[39]->setEnabled(true);
    picBBA[40]->setEnabled(true);
}

void frmBordix::clearAuctionCells()
{
    for (int seat = 0; seat < 4; ++seat)
        for (int row = 0; row < 9; ++row) {
            lblB[seat][row]->hide();
            lblB[seat][row]->clear();
            picB[seat][row]->hide();
            picB[seat][row]->clear();
            lblA[seat][row]->hide();
            lblA[seat][row]->clear();
        }
}

} // namespace briqo
