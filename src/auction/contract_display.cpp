// The final contract and declarer in the information block, and the contract file of the game.

#include "shell/frm_bordix.h"

#include "auction/final_contract.h"
#include "resources/pictures.h"
#include "shell/string_table.h"
#include "shell/twips.h"
#include "store/file_state.h"
#include "store/game_files.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

namespace {

int contractPicture(int strain, int languageNumber)
{
    if (strain >= 0 && strain <= 3)
        return 106 + strain;
    if (languageNumber == LanguageDutch)
        return 110;
    return languageNumber == LanguageEnglish ? 111 : 0;
}

} // namespace

void frmBordix::ShowContract()
{
    const long long n = currentGameNumber();
    GameFolder = store().folderOf(n);

    const std::optional<FinalContract> contract = finalContract(auction);
    if (!contract) {
        lblVulin[3]->setText(ResString(8));
        lblVulin[3]->adjustSize();
        lblVulin[3]->show();
        picEind->hide();
        return;
    }

    lblVulin[3]->setText(QString::number(contract->level));
    lblVulin[3]->adjustSize();
    lblVulin[3]->show();
    setLeftTw(picEind, leftTw(lblVulin[3]) + widthTw(lblVulin[3]) + 32);
    setTopTw(picEind, topTw(lblVulin[3]) + 16);

    for (int row : hiddenRowNumbers(auction))
        lblNum[row]->hide();
    if (const std::optional<int> bottom = auctionBottom(auction))
        AuctionBottom = *bottom;

    setPicture(picEind, contractPicture(contract->strain, LanguageNumber));
    setTag(picEind, QString::number(contract->strain));
    picEind->show();

    ContractText = contractText(*contract, LanguageNumber);
    if (const StoreResult written = store().writeContract(n, ContractText); !written)
        reportStoreFailure(written);

    lblVulin[4]->setText(SeatName(contract->declarer, LanguageNumber));
    lblVulin[4]->adjustSize();
    lblVulin[4]->show();

    if (tagOf(cmdLeesSpel).isEmpty())
        clearLeadLine();
    setTag(chkUitKomst, QString::number(contract->declarer));

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
    setTag(chkUitKomst, QString());
    chkUitKomst->setText(ResString(69));
    chkUitKomst->setChecked(false);
    chkUitKomst->hide();
    placeInfoValues();
    setTopTw(lblVulin[6], topTw(lblVulin[5]));
}

} // namespace briqo
