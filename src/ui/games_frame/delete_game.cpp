// Deleting the stored game selected in the game list: its files, pictures and folder, then an
// empty board.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "store/game_list.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace briqo {

void frmBordix::cmdWisSpel_Click()
{
    const QString entry = m_chosenEntry;
    if (entry.isEmpty())
        return;
    const QString name = entry.section(QLatin1Char('.'), 0, 0);
    if (!askYesNo(fillPlaceholder(ResString(Str::DeletePermanently), QLatin1Char('~'), name)))
        return;

    const RemoveResult removed = store().remove(entryGameNumber(entry));
    if (!removed) {
        if (!removed.blockers.isEmpty()) {
            const QString text = fillPlaceholder(ResString(own::FolderNotOnlyGame), QLatin1Char('~'), name);
            showInfo(fillPlaceholder(text, QLatin1Char('#'), removed.blockers.join(QLatin1Char('|'))));
        } else {
            showInfo(fillPlaceholder(ResString(own::CannotDeleteGame), QLatin1Char('~'), name));
        }
        LeesSpellen();
        SetFocusIfPossible(txtSpel);
        return;
    }

    m_chosenEntry.clear();
    ClearBoard();

    // The board is emptied on purpose: there is nothing left to offer for saving.
    UnsavedChanges = false;
    // The set-up of a game empties the board; the number then goes, as at start-up.
    setGameNumberText(QStringLiteral("1"));
    setGameNumberText(QString());

    clearAuctionCells();
    for (QLineEdit *field : txtInvoer)
        field->clear();

    chkUitKomst->hide();
    ShowAllBids();
    lstNummerHelp.clear();
    lstSpelNummers.clear();
    txtNieuwNummer->clear();

    for (int seat = 0; seat < 4; ++seat) {
        msfgOverzicht->item(seat + 1, 1)->setText(QStringLiteral("0"));
        msfgOverzicht->item(seat + 1, 2)->setText(QStringLiteral("0"));
        setCountCellColour(seat, White);
    }

    // With the game number empty the board waits for a new one, as it does at start-up: no dealer,
    // no vulnerability, nothing to type or bid on yet.
    showNoGame();
    picAlles->hideDealerAndVulnerability();

    fraSpellen->setTitle(ResString(Str::GamesFolder));
    LeesSpellen();
    SetFocusIfPossible(txtSpel);
}

} // namespace briqo
