// A long run over a full games folder: 999 stored games (random deals, random finished auctions,
// some with a lead), then every game is loaded, saved over itself, loaded again, turned and saved
// under its new number, all through the main window's handlers (offscreen, every question
// answered Yes). Afterwards every file below the games folder must hold exactly the bytes the
// game store said it wrote last, every file it said it removed must be gone, and nothing else may
// be there. Prints the time per game and exits 1 on any difference.
//
//   stress [--games N]

#include "auction/auction_model.h"
#include "auction/final_contract.h"
#include "base/fonts.h"
#include "ui/main_window/frm_bordix.h"
#include "base/string_table.h"
#include "store/game_store.h"
#include "support/board_driver.h"
#include "support/fake_services.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace briqo;

namespace {

// A random deal in Dutch letters, each holding sorted high to low.
Holdings randomDeal(QRandomGenerator &random)
{
    static const QString ranks = QStringLiteral("AHVBT98765432");
    std::array<int, 52> cards;
    for (int i = 0; i < 52; ++i)
        cards[i] = i;
    std::shuffle(cards.begin(), cards.end(), random);
    Holdings deal;
    for (int seat = 0; seat < 4; ++seat) {
        std::sort(cards.begin() + 13 * seat, cards.begin() + 13 * seat + 13);
        for (int i = 13 * seat; i < 13 * seat + 13; ++i)
            deal[FieldOf(seat, cards[i] / 13)] += ranks[cards[i] % 13];
    }
    return deal;
}

// A random auction that ends (three passes after a call, or four passes) or fills the grid.
AuctionModel randomAuction(QRandomGenerator &random, int dealer)
{
    AuctionModel model;
    model.resetForGame(dealer);
    int highest = -1;
    for (int calls = 0; calls < 40; ++calls) {
        const int roll = random.bounded(10);
        int k = BoxButton::Pass;
        if (roll < 3 && highest < 34)
            k = random.bounded(highest + 1, std::min(highest + 6, 34) + 1);
        else if (roll == 3)
            k = BoxButton::Double;
        else if (roll == 4)
            k = BoxButton::Redouble;
        const QString caption
            = k < 35 ? QString::number(k / 5 + 1) : QStringList {"Pas", "DBL", "RDBL"}.at(k - BoxButton::Pass);
        const ClickOutcome outcome = model.click(k, caption);
        if (!outcome.refused && k < 35)
            highest = k;
        if (outcome.tail.end == AuctionEnd::Finished || outcome.tail.end == AuctionEnd::PassedOut)
            break;
    }
    return model;
}

void storeRandomGame(const GameStore &store, long long n, QRandomGenerator &random)
{
    Game game;
    game.number = n;
    game.holdings = randomDeal(random);
    const AuctionModel model = randomAuction(random, DealerOf(n));
    AuctionFile auction;
    auction.callKinds = model.CallKinds();
    const QList<FileCell> cells = model.cellsForFile();
    std::copy(cells.begin(), cells.end(), auction.cells.begin());
    game.auction = auction;
    store.save(game);
    if (const std::optional<FinalContract> contract = finalContract(model)) {
        store.writeContract(n, contractText(*contract, LanguageDutch));
        if (random.bounded(3) == 0)
            store.writeLead(n, {SeatName((contract->declarer + 1) % 4, LanguageDutch), 1, QStringLiteral("Heer")});
    }
}

QString key(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int games = 999;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--games")); at >= 0 && at + 1 < args.size())
        games = std::clamp(args[at + 1].toInt(), 1, 999);

    // What the store says it did, path by path: the bytes last written, or nothing when removed.
    QHash<QString, std::optional<QByteArray>> said;
    GameStore::setJournal([&said](const QString &path, const QByteArray *bytes) {
        said[key(path)] = bytes ? std::optional<QByteArray>(*bytes) : std::nullopt;
    });

    TestBoard board(LanguageDutch);
    frmBordix &w = board.window();
    activate(w);
    const GameStore store = w.store();
    QRandomGenerator random(20261206);
    QElapsedTimer timer;
    timer.start();
    for (int n = 1; n <= games; ++n)
        storeRandomGame(store, n, random);
    const qint64 storeMs = timer.restart();
    w.LeesSpellen();

    int unlisted = 0;
    for (int n = 1; n <= games; ++n) {
        const QString entry = store.folderName(n);
        if (!selectGame(w, entry)) {
            ++unlisted;
            continue;
        }
        w.cmdLeesSpel_Click();
        w.cmdOpslaan_Click();
        selectGame(w, entry);
        w.cmdLeesSpel_Click();
        w.cmdDraai_Click();
        w.cmdOpslaan_Click();
    }
    const qint64 runMs = timer.elapsed();

    int differences = 0;
    QSet<QString> seen;
    QDirIterator files(store.gamesRoot(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = key(files.next());
        seen.insert(path);
        const auto it = said.constFind(path);
        if (it == said.cend() || !it->has_value() || fileBytes(path) != **it) {
            if (++differences <= 10)
                std::printf("differs from what the store said: %s\n", qPrintable(path));
        }
    }
    for (auto it = said.cbegin(); it != said.cend(); ++it) {
        if (it->has_value() && !seen.contains(it.key()) && ++differences <= 10)
            std::printf("written but missing: %s\n", qPrintable(it.key()));
    }
    const int questions = std::count_if(board.messages.shown.cbegin(), board.messages.shown.cend(),
        [](const QString &m) { return m.contains(QLatin1String("overschrijven?")); });

    std::printf("games stored: %d in %.1f s (%.2f ms per game)\n", games, storeMs / 1000.0, double(storeMs) / games);
    std::printf("load, save, load, turn, save of every game: %.1f s, %.1f ms per game\n", runMs / 1000.0,
        double(runMs) / games);
    std::printf("files checked: %lld, store writes and removals recorded: %lld, games not listed: %d\n",
        static_cast<long long>(seen.size()), static_cast<long long>(said.size()), unlisted);
    std::printf("messages: %lld (%d overwrite questions, answered Yes)\n",
        static_cast<long long>(board.messages.shown.size()), questions);
    std::printf("files that differ from what the store said it wrote: %d\n", differences);
    GameStore::setJournal({});
    return differences == 0 && unlisted == 0 ? 0 : 1;
}
