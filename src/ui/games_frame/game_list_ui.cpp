// The games frame: the list of stored games, its order, choosing a game, and the renumber tool.

#include "ui/main_window/frm_bordix.h"

#include "base/profile.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "store/file_state.h"
#include "store/game_list.h"
#include "store/game_paths.h"
#include "store/renumber.h"
#include "ui/overview/overview_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace briqo {

void frmBordix::LeesSpellen()
{
    const QSignalBlocker quiet(lstSpellen);
    lstSpellen->clear();
    const GameStore games = store();
    games.ensureGamesRoot();
    lstSpellen->addItems(orderedGameList(games.list(), chkSorteer->isChecked()));
    cmdToonLijst->setEnabled(lstSpellen->count() > 0);
    WriteIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"),
        chkSorteer->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), iniPath());
}

void frmBordix::chkSorteer_Click()
{
    chkSorteer->setText(ResString(chkSorteer->isChecked() ? Str::SortLowToHigh : Str::SortHighToLow));
    LeesSpellen();
}

void frmBordix::lstSpellen_Click()
{
    QListWidgetItem *selected = lstSpellen->currentItem();
    if (!selected || !selected->isSelected())
        return;
    const QString entry = selected->text();
    fraSpellen->setTitle(gamesFrameCaption(gameWords(LanguageNumber), entry, store().contractOfEntry(entry)));
    txtNieuwNummer->clear();
    carryOut(m_board.chooseEntry(entry));
}

void frmBordix::lstSpellen_DblClick() { cmdLeesSpel_Click(); }

void frmBordix::lstSpellen_MouseMove(int, int y)
{
    const int rowHeight
        = lstSpellen->sizeHintForRow(0) > 0 ? lstSpellen->sizeHintForRow(0) : lstSpellen->fontMetrics().height();
    const QListWidgetItem *top = lstSpellen->itemAt(0, 0);
    const int topIndex = top ? lstSpellen->row(top) : 0;
    const int r = listRowAt(y, rowHeight, topIndex, lstSpellen->count());
    if (r < 0) {
        lstSpellen->setToolTip(QString());
        return;
    }
    const QString entry = lstSpellen->item(r)->text();
    lstSpellen->setToolTip(contractTooltip(entry, store().contractOfEntry(entry)));
}

void frmBordix::cmdToonLijst_Click()
{
    cmdFocus->setFocus();
    setEnabled(false);
    (new OverviewWindow(*this))->show();
}

void frmBordix::fillRenumberLists(long long n)
{
    const RenumberCandidates candidates = renumberCandidates(n);
    lstSpelNummers = candidates.ascending;
    lstNummerHelp = candidates.descending;
    {
        // The bar is placed at the game's own number: no renumbering yet.
        const QSignalBlocker quiet(vscrNieuwNummer);
        vscrNieuwNummer->setRange(-1, static_cast<int>(lstNummerHelp.size()));
        if (candidates.startIndex >= 0)
            vscrNieuwNummer->setValue(candidates.startIndex);
    }
    txtNieuwNummer->setText(GameDigits(n));
}

void frmBordix::vscrNieuwNummer_Change()
{
    if (lstNummerHelp.isEmpty())
        return;
    const int count = static_cast<int>(lstNummerHelp.size());
    const int value = vscrNieuwNummer->value();
    const int wrapped = wrapIndex(value, count);
    if (wrapped != value) {
        vscrNieuwNummer->setValue(wrapped); // runs this handler again with the wrapped value
        return;
    }
    txtNieuwNummer->setText(lstNummerHelp.at(value));
    // Only the number changes: the deal, the calls and the contract stay on the board.
    carryOut(m_board.renumberTo(leadingNumber(txtNieuwNummer->text())));
}

} // namespace briqo
