// Saving the board as a stored game, and showing a stored game on the board.

#include "shell/frm_bordix.h"

#include "resources/pictures.h"
#include "shell/string_table.h"
#include "shell/twips.h"
#include "store/file_state.h"
#include "store/game_files.h"
#include "store/game_paths.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace briqo {

namespace {

AuctionFile auctionFileOf(const AuctionModel &model)
{
    AuctionFile file;
    file.callKinds = model.CallKinds();
    const QList<FileCell> cells = model.cellsForFile();
    for (int i = 0; i < AuctionCells && i < cells.size(); ++i)
        file.cells[i] = {cells[i].caption, cells[i].code, cells[i].note};
    return file;
}

QList<FileCell> modelCellsOf(const AuctionFile &file)
{
    QList<FileCell> cells;
    for (const AuctionCellText &c : file.cells)
        cells << FileCell {c.caption, c.code, c.note};
    return cells;
}

// The bytes a file holds now, so that a save that fails half-way can put them back.
std::optional<QByteArray> previousBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

void restore(const QString &path, const std::optional<QByteArray> &bytes)
{
    if (!bytes) {
        QFile::remove(path);
        return;
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(*bytes);
}

} // namespace

void frmBordix::cmdOpslaan_Click()
{
    const long long n = currentGameNumber();
    cmdFocus->setFocus();

    EntrySuppressed = true;
    for (QLineEdit *field : txtInvoer)
        field->setText(tensAsT(field->text()));
    EntrySuppressed = false;
    UnsavedChanges = false;
    chkTien->setChecked(false);

    chkUitKomst->hide();
    placeLeadBox(69);

    const GameWords words = gameWords(LanguageNumber);
    const QString folderName = gameFolderName(words, n);
    GameFolder = gameFolderFor(n);
    CreateFolderPath(GameFolder);
    const GameFilePaths paths = gameFilePaths(GameFolder, folderName, words);

    if (FileState(paths.auction) == 1) {
        const QString question = fillPlaceholder(ResString(84), QLatin1Char('~'), folderName);
        if (!askYesNo(question)) {
            cmdFocus->setFocus();
            return;
        }
    }

    // Both files are written or neither: a failure leaves the stored game as it was.
    const std::optional<QByteArray> oldAuction = previousBytes(paths.auction);
    if (!writeAuctionFile(paths.auction, auctionFileOf(auction))) {
        UnsavedChanges = true;
        showInfo(fillPlaceholder(ResString(own::CannotWriteGame), QLatin1Char('~'), paths.auction));
        return;
    }
    Holdings hands;
    for (int seat = 0; seat < 4; ++seat)
        for (int suit = 0; suit < 4; ++suit) {
            if (suit < lstHand[seat].size())
                lstHand[seat][suit] = tensAsT(lstHand[seat][suit]);
            hands[FieldOf(seat, suit)] = lstHand[seat].value(suit);
        }
    if (!writeHandsFile(paths.hands, hands)) {
        restore(paths.auction, oldAuction);
        UnsavedChanges = true;
        showInfo(fillPlaceholder(ResString(own::CannotWriteGame), QLatin1Char('~'), paths.hands));
        return;
    }

    LeesSpellen();
    if (!txtSpel->text().isEmpty())
        txtSpel->setText(n + 1 >= 1000 ? QString() : QString::number(n + 1));
    cmdFocus->setFocus();
}

void frmBordix::cmdLeesSpel_Click()
{
    const QString entry = tagOf(cmdLeesSpel);
    if (entry.isEmpty())
        return;
    clearAuctionCells();
    for (QWidget *w : std::initializer_list<QWidget *> {lblVulin[5], lblVulin[6], picUit, chkUitKomst})
        w->hide();
    placeLeadBox(69);

    const QString digits = entry.section(QLatin1Char(' '), 1, 1);
    txtSpel->setText(QString::number(leadingNumber(digits)));
    const long long n = currentGameNumber();

    const GameWords words = gameWords(LanguageNumber);
    GameFolder = gameFolderOfEntry(gamesRoot(), entry);
    const GameFilePaths paths = gameFilePaths(GameFolder, entry, words);

    const std::optional<AuctionFile> stored = readAuctionFile(paths.auction);
    setTag(cmdVraagAntwoord, QString());
    setTag(franietZichtbaar, QString());
    if (stored) {
        auction.loadFrom(stored->callKinds, modelCellsOf(*stored));
        if (const std::optional<LeadLine> lead = readLeadFile(paths.lead)) {
            showLeadLine(lead->leaderName, lead->suitIndex, lead->cardText);
            placeLeadBox(71, 32);
        } else {
            placeLeadBox(69);
        }
        chkUitKomst->show();
        if (FileState(paths.question) == 1)
            setTag(cmdVraagAntwoord, paths.question);
        if (FileState(paths.answer) == 1)
            setTag(franietZichtbaar, paths.answer);
    } else {
        auction.resetForGame(DealerOf(n));
    }
    showAuction();

    const Holdings hands = readHandsFile(paths.hands);
    for (int i = 0; i < FieldCount; ++i) {
        txtInvoer[i]->setText(hands[i]);
        txtInvoer[i]->setEnabled(true);
    }

    // The stored deal is on the board: it can be bid on, saved, shown and printed, as a typed one.
    EnableCompleteDeal();
    SetFocusIfPossible(txtInvoer[0]);

    fillRenumberLists(n);
    if (auction.CallKinds().endsWith(QLatin1String("222")))
        ShowContract();

    for (QWidget *w : std::initializer_list<QWidget *> {
             fraNieuwNummer, cmdWisSpel, cmdOpslaan, cmdLeesSpel, cmdDraai, cmdVraagAntwoord})
        w->setEnabled(true);
    chkUitKomst->show();
    // The board now shows exactly what is stored.
    UnsavedChanges = false;
}

} // namespace briqo
