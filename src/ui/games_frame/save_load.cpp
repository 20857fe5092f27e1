// Saving the board as a stored game, and showing a stored game on the board.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "store/game_list.h"

#include <QPushButton>

namespace briqo {

void frmBordix::reportStoreFailure(const StoreResult &result)
{
    QString text = fillPlaceholder(ResString(own::CannotWriteGame), QLatin1Char('~'), result.path);
    if (result.busy)
        text = fillPlaceholder(ResString(own::GamesFolderBusy), QLatin1Char('~'), store().gamesRoot());
    else if (!result.unchanged)
        text = fillPlaceholder(ResString(own::SaveNotFinished), QLatin1Char('~'), result.path);
    showInfo(text);
}

void frmBordix::cmdOpslaan_Click()
{
    cmdFocus->setFocus();
    saveBoard();
}

void frmBordix::cmdLeesSpel_Click()
{
    if (m_board.chosenEntry().isEmpty())
        return;
    const long long n = entryGameNumber(m_board.chosenEntry());
    // With unsaved calls answered Yes, the board is saved under this number first: the game is
    // read again after that save.
    perform([this, n](Answer unsaved) { return m_board.load(store().load(n), unsaved); });
    fillRenumberLists(n);
}

} // namespace briqo
