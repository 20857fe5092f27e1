// Every action on the board goes the same way: the board takes it, the window writes what the
// outcome asks through the game store, shows the board with what it now offers, tells the user
// the outcome's messages and puts the focus where the outcome says.

#include "ui/main_window/frm_bordix.h"

#include "board/availability.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "store/game_list.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace briqo {

BoardOutcome frmBordix::perform(const std::function<BoardOutcome(Answer)> &operation, AfterSave after)
{
    BoardOutcome out = operation(Answer::NotAsked);
    if (out.question)
        out = operation(askYesNo(out.question->text(LanguageNumber)) ? Answer::Yes : Answer::No);
    if (out.saveFirst) {
        // The board is saved under the number it now has, and the save moves it on to the next
        // number: a number typed ends there, a load still shows its game.
        if (saveBoard() && after == AfterSave::Done)
            return out;
        out = operation(Answer::No);
    }
    carryOut(out);
    return out;
}

bool frmBordix::carryOut(const BoardOutcome &out)
{
    const GameStore games = store();
    bool written = true;
    for (const StoreAction &action : out.store) {
        StoreResult result;
        switch (action.kind) {
        case StoreAction::SaveGame:
            // Both files are written or neither: a failure leaves the stored game as it was.
            result = games.save(action.game);
            break;
        case StoreAction::WriteContract:
            result = games.writeContract(action.number, action.contract);
            break;
        case StoreAction::WriteLead:
            result = games.writeLead(action.number, action.lead);
            break;
        case StoreAction::RemoveLead:
            // An empty lead file is a lead file too: it goes as well.
            result = games.removeLead(action.number);
            if (!result)
                showInfo(fillPlaceholder(ResString(own::CannotDeleteFile), QLatin1Char('~'), result.path));
            break;
        case StoreAction::RemoveGame:
            break; // the delete button reports its own refusals
        }
        if (!result && action.kind != StoreAction::RemoveGame) {
            m_board.storeFailed(action, result.unchanged);
            if (action.kind != StoreAction::RemoveLead)
                reportStoreFailure(result);
            written = false;
        }
    }
    showBoard();
    for (const BoardMessage &message : out.messages)
        showInfo(message.text(LanguageNumber));
    if (out.refreshGameList)
        LeesSpellen();

    switch (out.focus) {
    case Focus::Unchanged:
        break;
    case Focus::Sink:
        cmdFocus->setFocus();
        break;
    case Focus::GameNumber:
        SetFocusIfPossible(txtSpel);
        break;
    case Focus::Field:
        if (m_focusLeaving) {
            // The focus moves once the field that is being left has let it go.
            QLineEdit *next = txtInvoer[out.focusField];
            QTimer::singleShot(0, this, [this, next] { SetFocusIfPossible(next); });
        } else {
            SetFocusIfPossible(txtInvoer[out.focusField]);
        }
        break;
    }
    return written;
}

bool frmBordix::saveBoard()
{
    const long long n = m_board.currentGameNumber();
    const bool stored = store().isStored(n);
    BoardOutcome out = m_board.save(stored);
    if (out.question)
        out = m_board.save(stored, askYesNo(out.question->text(LanguageNumber)) ? Answer::Yes : Answer::No);
    if (out.store.isEmpty()) {
        carryOut(out);
        return false;
    }
    if (!carryOut(out))
        return false;
    carryOut(m_board.saved());
    return true;
}

void frmBordix::showBoard()
{
    picAlles->show(m_board);
    applyAvailability();
    // An empty board has no field in progress: none keeps the colour of the focus.
    if (m_board.totalCards() == 0)
        paintFieldsWhite();
    doubleDummyDealEdited();
}

void frmBordix::applyAvailability()
{
    const Availability a = availability(m_board);
    for (int field = 0; field < FieldCount; ++field)
        txtInvoer[field]->setEnabled(a.entryFields[field]);

    picBiedBox->setEnabled(a.biddingBox);
    for (int k = 0; k < ContractBidCount; ++k)
        picBBA[k]->setVisible(a.contractBids[k]);
    picBBA[BoxButton::DeleteLast]->setEnabled(a.deleteLastBid);
    picBBA[BoxButton::DeleteAll]->setEnabled(a.deleteAllBids);

    cmdOpslaan->setEnabled(a.save);
    cmdDraai->setEnabled(a.rotate);
    cmdKopie->setEnabled(a.picture);
    cmdNaarKlembord->setEnabled(a.clipboard);
    cmdDrukSpelAf->setEnabled(a.print);
    cmdVraagAntwoord->setEnabled(a.question);
    franietZichtbaar->setEnabled(a.hiddenHandsFrame);
    for (int seat = 0; seat < 4; ++seat) {
        const QSignalBlocker quiet(chkNietZichtbaar[seat]);
        chkNietZichtbaar[seat]->setEnabled(a.hiddenHandBoxes[seat]);
        chkNietZichtbaar[seat]->setChecked(a.hiddenHandChecked[seat]);
    }
    {
        const QSignalBlocker quietTen(chkTien);
        const QSignalBlocker quietPoints(chkPunten);
        chkTien->setEnabled(a.tenAs10Box);
        chkTien->setChecked(a.tenAs10Checked);
        chkPunten->setEnabled(a.pointsBox);
        chkPunten->setChecked(a.pointsChecked);
    }

    cmdLeesSpel->setEnabled(a.loadGame);
    cmdWisSpel->setEnabled(a.deleteGame);
    fraNieuwNummer->setEnabled(a.renumber);
    cmdToonBMP->setEnabled(a.picturesList);
}

void frmBordix::questionAndAnswerStored(const QString &question, const QString &answer)
{
    m_board.setQuestionAndAnswer(question, answer);
    showBoard();
}

} // namespace briqo
