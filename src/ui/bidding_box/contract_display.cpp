// The final contract and declarer in the information block, and the contract file of the game.

#include "ui/main_window/frm_bordix.h"

#include "auction/final_contract.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "resources/pictures.h"
#include "store/file_state.h"
#include "store/game_files.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

void frmBordix::ShowContract()
{
    const long long n = currentGameNumber();

    picAlles->showContract(auction);
    const std::optional<FinalContract> contract = finalContract(auction);
    if (!contract)
        return;
    if (const StoreResult written = store().writeContract(n, contractText(*contract, LanguageNumber)); !written)
        reportStoreFailure(written);

    if (m_chosenEntry.isEmpty())
        clearLeadLine();
    m_declarer = contract->declarer;

    if (txtInvoer[0]->isEnabled())
        SetFocusIfPossible(txtInvoer[0]);
    else
        cmdFocus->setFocus();
}

void frmBordix::clearContractAndLead()
{
    for (int i = 3; i <= 6; ++i) {
        lblVulin[i]->clear();
        lblVulin[i]->hide();
    }
    setPicture(picEind, 0);
    picEind->hide();
    setPicture(picUit, 0);
    picUit->hide();
    m_declarer.reset();
    chkUitKomst->setText(ResString(Str::GiveLead));
    chkUitKomst->setChecked(false);
    chkUitKomst->hide();
    placeInfoValues();
    setTopTw(lblVulin[6], topTw(lblVulin[5]));
}

} // namespace briqo
