// Handlers whose subsystems are still being built.

#include "shell/frm_bordix.h"

namespace briqo {

void frmBordix::chkUitKomst_Click() {}
void frmBordix::txtInvoer_Click(int) {}
void frmBordix::cmdDraai_Click() {}
void frmBordix::cmdWisSpel_Click() {}

} // namespace briqo
