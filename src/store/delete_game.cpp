// Deleting the stored game selected in the game list: its folder with every file in it, then an
// empty board.

#include "shell/frm_bordix.h"

#include "shell/string_table.h"
#include "shell/twips.h"
#include "store/game_paths.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace briqo {

namespace {

// Empties and removes a game folder. The auction file goes last: as long as it is there the game
// is still listed, so a folder that cannot be emptied stays in the list as a game rather than
// disappearing half-deleted. A link is removed as a link, never followed.
bool removeGameFolder(const QString &folder, const QString &auctionFileName)
{
    const QFileInfo top(folder);
    if (!top.exists() && !top.isSymLink())
        return true;
    if (top.isSymLink() || !top.isDir())
        return QFile::remove(folder);

    QDir dir(folder);
    // Sub-folders first: they are what most often cannot be removed, and failing on them leaves
    // the game's own files untouched.
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::DirsFirst | QDir::Name);
    QString auctionFile;
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().compare(auctionFileName, Qt::CaseInsensitive) == 0 && entry.isFile()) {
            auctionFile = entry.absoluteFilePath();
            continue;
        }
        const bool removed = entry.isDir() && !entry.isSymLink() ? QDir(entry.absoluteFilePath()).removeRecursively()
                                                                 : QFile::remove(entry.absoluteFilePath());
        if (!removed)
            return false;
    }
    if (!auctionFile.isEmpty() && !QFile::remove(auctionFile))
        return false;
    return dir.rmdir(folder);
}

} // namespace

void frmBordix::cmdWisSpel_Click()
{
    const QString entry = tagOf(cmdLeesSpel);
    if (entry.isEmpty())
        return;
    const QString folder = gameFolderOfEntry(gamesRoot(), entry);
    const QString name = entry.section(QLatin1Char('.'), 0, 0);
    if (!askYesNo(fillPlaceholder(ResString(36), QLatin1Char('~'), name)))
        return;

    const QString auctionFileName = gameFileName(entry, gameWords(LanguageNumber).bidding);
    if (!removeGameFolder(folder, auctionFileName)) {
        showInfo(fillPlaceholder(ResString(own::CannotDeleteGame), QLatin1Char('~'), name));
        LeesSpellen();
        SetFocusIfPossible(txtSpel);
        return;
    }

    cmdWisSpel->setEnabled(false);
    cmdLeesSpel->setEnabled(false);
    setTag(cmdLeesSpel, QString());
    ClearBoard();

    // The board is emptied on purpose: there is nothing left to offer for saving.
    UnsavedChanges = false;
    txtSpel->setText(QStringLiteral("1"));
    txtSpel->clear();

    clearAuctionCells();
    EntrySuppressed = true;
    for (QLineEdit *field : txtInvoer)
        field->clear();
    EntrySuppressed = false;

    chkUitKomst->hide();
    ShowAllBids();
    for (QCheckBox *hide : chkNietZichtbaar)
        hide->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *> {chkTien, cmdDrukSpelAf, cmdDraai, cmdOpslaan, chkPunten})
        w->setEnabled(false);
    lstNummerHelp.clear();
    lstSpelNummers.clear();
    txtNieuwNummer->clear();
    fraNieuwNummer->setEnabled(false);

    for (int seat = 0; seat < 4; ++seat) {
        msfgOverzicht->item(seat + 1, 1)->setText(QStringLiteral("0"));
        msfgOverzicht->item(seat + 1, 2)->setText(QStringLiteral("0"));
        setCountCellColour(seat, White);
    }

    // With the game number empty the board waits for a new one, as it does at start-up: no dealer,
    // no vulnerability, nothing to type or bid on yet.
    enableEntryFields(false);
    picBiedBox->setEnabled(false);
    for (int i : {1, 2}) {
        lblVulin[i]->hide();
        lblVulin[i]->clear();
    }

    fraSpellen->setTitle(ResString(14));
    LeesSpellen();
    SetFocusIfPossible(txtSpel);
}

} // namespace briqo
