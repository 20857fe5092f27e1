// Saving the board as a stored game, and showing a stored game on the board.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "deal/hand_rules.h"
#include "resources/pictures.h"
#include "store/game_list.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

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
    const long long n = currentGameNumber();
    cmdFocus->setFocus();

    for (QLineEdit *field : txtInvoer)
        writeHolding(field, tensAsT(field->text()));
    UnsavedChanges = false;
    chkTien->setChecked(false);

    chkUitKomst->hide();
    placeLeadBox(Str::GiveLead);

    const GameStore games = store();
    if (games.isStored(n)) {
        const QString question = fillPlaceholder(ResString(Str::AlreadyExists), QLatin1Char('~'), games.folderName(n));
        if (!askYesNo(question)) {
            cmdFocus->setFocus();
            return;
        }
    }

    Game game;
    game.number = n;
    game.auction = auctionFileOf(auction);
    for (int seat = 0; seat < 4; ++seat)
        for (int suit = 0; suit < 4; ++suit) {
            if (suit < lstHand[seat].size())
                lstHand[seat][suit] = tensAsT(lstHand[seat][suit]);
            game.holdings[FieldOf(seat, suit)] = lstHand[seat].value(suit);
        }
    // Both files are written or neither: a failure leaves the stored game as it was.
    if (const StoreResult saved = games.save(game); !saved) {
        UnsavedChanges = saved.unchanged;
        reportStoreFailure(saved);
        return;
    }

    LeesSpellen();
    if (!txtSpel->text().isEmpty())
        setGameNumberText(n + 1 >= 1000 ? QString() : QString::number(n + 1));
    cmdFocus->setFocus();
}

void frmBordix::cmdLeesSpel_Click()
{
    const QString entry = m_chosenEntry;
    if (entry.isEmpty())
        return;
    clearAuctionCells();
    for (QWidget *w : std::initializer_list<QWidget *> {lblVulin[5], lblVulin[6], picUit, chkUitKomst})
        w->hide();
    placeLeadBox(Str::GiveLead);

    // The number comes from the entry: answering Yes to the save question moves the field on.
    const long long n = entryGameNumber(entry);
    setGameNumberText(QString::number(n));
    if (currentGameNumber() != n)
        setGameNumberText(QString::number(n), {.askAboutUnsaved = false});

    const Game game = store().load(n);
    if (game.auction) {
        auction.loadFrom(
            game.auction->callKinds, QList<FileCell>(game.auction->cells.begin(), game.auction->cells.end()));
        if (game.lead) {
            showLeadLine(game.lead->leaderName, game.lead->suitIndex, game.lead->cardText);
            placeLeadBox(Str::DeleteLead, 32);
        } else {
            placeLeadBox(Str::GiveLead);
        }
        chkUitKomst->show();
    } else {
        auction.resetForGame(DealerOf(n));
    }
    showAuction();
    showQuestion(game.question);

    // The fields are filled quietly: the checks of typing would judge a half-filled board (and
    // could refuse it); the whole deal is judged once, below.
    for (int i = 0; i < FieldCount; ++i) {
        const QSignalBlocker quiet(txtInvoer[i]);
        const QString holding = game.holdings[i].toUpper();
        writeHolding(txtInvoer[i], chkTien->isChecked() ? tensAs10(holding) : holding);
    }
    ShowCountsAndPoints();
    doubleDummyDealEdited();
    // A stored deal is on the board: it can be bid on, saved, shown and printed, as a typed one.
    // A game file edited by hand into something that is no deal stays on the board to be put
    // right, but offers nothing that would store or show it as it is.
    const bool validDeal = isValidCompleteDeal(holdings(), LanguageNumber);
    if (validDeal)
        showLoadedGame();
    else
        showBrokenGame();
    SetFocusIfPossible(txtInvoer[0]);

    fillRenumberLists(n);
    if (auction.CallKinds().endsWith(QLatin1String("222")))
        ShowContract();

    if (validDeal) {
        showLoadedGame();
    } else {
        showBrokenGame();
        if (totalCards(holdings()) > 0)
            showInfo(ResString(own::DealNotValid));
    }
    // The board now shows exactly what is stored.
    UnsavedChanges = false;
}

} // namespace briqo
