// Which controls the board offers in each of its states. Every handler that moves the board from
// one state to another calls the function of the state it arrives in; no handler keeps a list of
// controls of its own.

#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace briqo {

namespace {

void enableAll(std::initializer_list<QWidget *> controls, bool enabled)
{
    for (QWidget *w : controls)
        w->setEnabled(enabled);
}

} // namespace

// The picture, the clipboard, the hidden-hands frame and the question: what shows or hands on
// the board as it stands.
void frmBordix::enableOutputs(bool enabled)
{
    enableAll({cmdKopie, cmdNaarKlembord, franietZichtbaar, cmdVraagAntwoord}, enabled);
}

void frmBordix::enableHiddenHandBoxes(bool enabled)
{
    for (QCheckBox *hide : chkNietZichtbaar)
        hide->setEnabled(enabled);
}

void frmBordix::enableEntryFields(bool enabled)
{
    for (QLineEdit *field : txtInvoer)
        field->setEnabled(enabled);
}

void frmBordix::showNoGame()
{
    enableOutputs(false);
    enableAll({cmdDrukSpelAf, cmdOpslaan, cmdDraai, chkTien, chkPunten, cmdLeesSpel, cmdWisSpel, fraNieuwNummer,
                   picBiedBox},
        false);
    enableHiddenHandBoxes(false);
    enableEntryFields(false);
    chkUitKomst->hide();
}

void frmBordix::showNumberTyped(bool isGame, bool keepBoard)
{
    enableOutputs(false);
    enableAll({cmdLeesSpel, cmdWisSpel, cmdOpslaan, cmdDrukSpelAf, cmdDraai}, false);
    chkUitKomst->hide();
    // Renumbering keeps the deal on the board and its fields as they are.
    if (isGame && !keepBoard)
        enableEntryFields(true);
    picBiedBox->setEnabled(isGame);
}

void frmBordix::showIncompleteDeal()
{
    enableOutputs(false);
    enableAll({cmdDrukSpelAf, cmdOpslaan, chkTien, chkPunten, cmdDraai, cmdLeesSpel, cmdWisSpel}, false);
    enableHiddenHandBoxes(false);
    chkUitKomst->hide();
}

void frmBordix::EnableCompleteDeal()
{
    enableOutputs(true);
    enableAll({cmdDrukSpelAf, cmdOpslaan, chkTien, chkPunten, cmdDraai}, true);
    enableHiddenHandBoxes(true);
    chkUitKomst->show();
    rebuildHandLists();
    picBiedBox->setEnabled(true);
    for (int k = BoxButton::Number; k <= BoxButton::DeleteAll; ++k)
        picBBA[k]->setEnabled(true);
}

void frmBordix::showAuctionChanged(const ClickOutcome &outcome)
{
    // Deleting a call takes back saving and turning until the deal is complete again.
    if (outcome.disableSaveAndRotate) {
        enableHiddenHandBoxes(false);
        enableAll({cmdDraai, cmdOpslaan}, false);
    }
    // The picture no longer matches the auction being changed.
    if (outcome.disableOutputs) {
        enableOutputs(false);
        cmdDrukSpelAf->setEnabled(false);
    }
}

void frmBordix::showAuctionFinished(bool handsOpen)
{
    picBiedBox->setEnabled(false);
    if (handsOpen)
        enableEntryFields(true);
}

void frmBordix::showLeadMode(int leader)
{
    for (int field = 0; field < FieldCount; ++field)
        txtInvoer[field]->setEnabled(leader < 0 || SeatOfField(field) == leader);
}

void frmBordix::showLoadedGame()
{
    enableEntryFields(true);
    EnableCompleteDeal();
    enableAll({fraNieuwNummer, cmdWisSpel, cmdOpslaan, cmdLeesSpel, cmdDraai, cmdVraagAntwoord}, true);
    chkUitKomst->show();
}

void frmBordix::showBrokenGame()
{
    enableEntryFields(true);
    showIncompleteDeal();
    picBiedBox->setEnabled(false);
    // The game can still be deleted or loaded again.
    enableAll({cmdWisSpel, cmdLeesSpel}, true);
}

void frmBordix::showRotatedGame()
{
    enableOutputs(true);
    chkUitKomst->show();
}

void frmBordix::showClearedGame()
{
    picBiedBox->setEnabled(false);
    enableOutputs(false);
}

} // namespace briqo
