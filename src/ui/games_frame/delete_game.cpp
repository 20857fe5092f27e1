// Deleting the stored game selected in the game list: its files, pictures and folder, then an
// empty board.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"

#include <QGroupBox>
#include <QLineEdit>

namespace briqo {

void frmBordix::cmdWisSpel_Click()
{
    const BoardOutcome out = perform([this](Answer answer) { return m_board.deleteGame(answer); });
    if (out.store.isEmpty())
        return;
    const QString name = m_board.chosenEntry().section(QLatin1Char('.'), 0, 0);
    const RemoveResult removed = store().remove(out.store.first().number);
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
    // With the game number empty the board waits for a new one, as it does at start-up.
    lstNummerHelp.clear();
    lstSpelNummers.clear();
    txtNieuwNummer->clear();
    fraSpellen->setTitle(ResString(Str::GamesFolder));
    carryOut(m_board.gameDeleted());
}

} // namespace briqo
