// The games overview window: its table, sorting, loading a game from it, closing and printing.

#include "base/string_table.h"
#include "base/twips.h"
#include "output/overview_print.h"
#include "support/board_driver.h"
#include "support/child_windows.h"
#include "support/test_files.h"
#include "ui/overview/overview_window.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QTableWidget>
#include <QWindow>

using namespace briqo;
using namespace briqo::testing;

namespace {

// The sample deal in the board's letters; flipped, North and South change places.
Holdings dealFor(int language, bool flipped)
{
    const Holdings sample = sampleHoldings(language);
    Holdings holdings = sample;
    for (int field = 0; flipped && field < 4; ++field)
        std::swap(holdings[field], holdings[field + 8]);
    return holdings;
}

void storeGame(const GameStore &store, long long n, const QString &contract, bool flipped = false)
{
    Game game;
    game.number = n;
    game.holdings = dealFor(store.languageNumber(), flipped);
    QVERIFY(store.save(game));
    if (!contract.isEmpty())
        QVERIFY(store.writeContract(n, contract));
}

// Games 1 to count listed with the contract "Zuid 4 Harten", planted directly: the store's
// writes wait for the disk, which makes a thousand games slow to set up.
void plantGames(const GameStore &store, int count)
{
    const QString root = store.gamesRoot();
    const GameWords &words = store.words();
    for (int n = 1; n <= count; ++n) {
        const QString name = store.folderName(n);
        const QString folder = root + '/' + name;
        QDir().mkpath(folder);
        for (const auto &[word, bytes] : {std::pair {words.bidding, QByteArray("\r\n")},
                 std::pair {words.contract, QByteArray("Zuid 4 Harten\r\n")}})
            put(gameFilePath(folder, name, word), bytes);
    }
}

// Games 5, 12 and 40 with contracts and game 7 without, listed in the main window.
void storeFourGames(frmBordix &w)
{
    const GameStore store = w.store();
    const bool dutch = w.LanguageNumber == LanguageDutch;
    storeGame(store, 40, dutch ? "Noord 3 SA" : "North 3 NT");
    storeGame(store, 12, dutch ? "West 2 Schoppen" : "West 2 Spades", true);
    storeGame(store, 7, QString());
    storeGame(store, 5, dutch ? "Zuid 4 Harten" : "South 4 Hearts");
    w.LeesSpellen();
}

OverviewWindow *openOverview(frmBordix &w)
{
    QTest::mouseClick(w.cmdToonLijst, Qt::LeftButton);
    return openWindow<OverviewWindow>();
}

QStringList columnTexts(const QTableWidget *grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r)
        texts << grid->item(r, column)->text();
    return texts;
}

QPoint cellCentre(const QTableWidget *grid, int row, int column)
{
    return grid->visualItemRect(grid->item(row, column)).center();
}

void clickCell(QTableWidget *grid, int row, int column)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
}

// Odd rows tinted, even rows white, every column alike.
void verifyShading(const QTableWidget *grid)
{
    for (int r = 1; r < grid->rowCount(); ++r)
        for (int c = 0; c < 3; ++c)
            QCOMPARE(grid->item(r, c)->background().color(), r % 2 ? QColor(239, 255, 248) : QColor(Qt::white));
}

} // namespace

class TestOverview : public QObject {
    Q_OBJECT

private slots:
    void theParColumnFillsInWhileTheWindowIsOpen()
    {
        TestBoard board(LanguageEnglish);
        frmBordix &w = shown(board);
        w.chkDoubleDummy->setChecked(true);
        storeFourGames(w);
        OverviewWindow *overview = openOverview(w);
        QVERIFY(overview);
        const QTableWidget *grid = overview->msfgResultaat;
        QCOMPARE(grid->columnCount(), 4);
        // The window is there before any deal is solved.
        QCOMPARE(overview->parsWaiting(), 3);
        QCOMPARE(columnTexts(grid, 3), (QStringList {"Par", "...", "...", "..."}));
        // Sorting meanwhile keeps every par with its game.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 0, 1));
        QTRY_COMPARE_WITH_TIMEOUT(overview->parsWaiting(), 0, 20000);
        // Games 5 and 12 North-South vulnerable, game 40 nobody; game 12 has North and South swapped.
        QStringList pars;
        for (int r = 1; r < grid->rowCount(); ++r)
            pars << grid->item(r, 0)->text() + ' ' + grid->item(r, 3)->text();
        pars.sort();
        QCOMPARE(pars, (QStringList {"005 NS +2220: 7NT NS", "012 NS +2220: 7NT NS", "040 NS +1520: 7NT NS"}));
        saveScreenshot(overview, QStringLiteral("overview_par"));
        overview->close();
        finishClosing();
    }

    void tableHasOneFittedShadedRowPerContract_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QStringList>("contracts");
        QTest::newRow("Dutch") << 10 << QStringList {"Spel", "Leider", "Contract"}
                               << QStringList {"Contract", "4 Harten", "2 Schoppen", "3 SA"};
        QTest::newRow("English") << 11 << QStringList {"Game", "Leader", "Contract"}
                                 << QStringList {"Contract", "4 Hearts", "2 Spades", "3 NT"};
    }
    void tableHasOneFittedShadedRowPerContract()
    {
        QFETCH(int, language);
        QFETCH(QStringList, headers);
        QFETCH(QStringList, contracts);
        TestBoard board(language);
        frmBordix &w = shown(board);
        storeFourGames(w);
        OverviewWindow *overview = openOverview(w);
        QVERIFY(overview);
        QVERIFY(!w.isEnabled());
        QCOMPARE(overview->windowTitle(), w.windowTitle());

        const QTableWidget *grid = overview->msfgResultaat;
        QCOMPARE(columnTexts(grid, 0), (QStringList {headers[0], "005", "012", "040"}));
        QCOMPARE(columnTexts(grid, 1).mid(0, 1), headers.mid(1, 1));
        QCOMPARE(columnTexts(grid, 2), contracts);
        QCOMPARE(grid->item(1, 0)->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(grid->item(1, 2)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
        verifyShading(grid);

        // Every column as wide as its widest text and a "W"; the window around the table.
        const QFontMetrics metrics(w.font());
        double gridWidth = 300;
        for (int c = 0; c < 3; ++c) {
            int widest = 0;
            for (const QString &text : columnTexts(grid, c))
                widest = std::max(widest, metrics.horizontalAdvance(text + 'W'));
            QCOMPARE(grid->columnWidth(c), widest);
            gridWidth += widest * TwipsPerPixel;
        }
        QCOMPARE(grid->width(), toPx(gridWidth));
        QCOMPARE(overview->width(), toPx(120 * 3.5 + grid->width() * TwipsPerPixel));
        QCOMPARE(overview->cmdAfdrukken->geometry().right(), grid->geometry().right());
        QCOMPARE(overview->cmdOpen->x(), grid->x());
        QCOMPARE(overview->lblSpel->text(), headers[0]);
        QVERIFY(overview->cmdOpen->isEnabled());
        saveScreenshot(overview, QStringLiteral("overview_%1").arg(language));
        overview->close();
        finishClosing();
    }

    void headingClickSortsByItsColumnAndShadesAgain()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        storeFourGames(w);
        OverviewWindow *overview = openOverview(w);
        QTableWidget *grid = overview->msfgResultaat;

        clickCell(grid, 0, 1); // Leader
        QCOMPARE(columnTexts(grid, 1), (QStringList {"Leader", "North", "South", "West"}));
        QCOMPARE(columnTexts(grid, 0), (QStringList {"Game", "040", "005", "012"}));
        verifyShading(grid);
        clickCell(grid, 0, 2); // Contract: "2 Spades", "3 NT", "4 Hearts"
        QCOMPARE(columnTexts(grid, 0), (QStringList {"Game", "012", "040", "005"}));
        clickCell(grid, 0, 0);
        QCOMPARE(columnTexts(grid, 0), (QStringList {"Game", "005", "012", "040"}));
        verifyShading(grid);
        // A heading names no game: the main window's game number is left alone.
        QCOMPARE(w.txtSpel->text(), QString());
        QCOMPARE(overview->lblSpel->text(), QStringLiteral("Game"));
        QCOMPARE(overview->focusWidget(), overview->cmdFocus);
        overview->close();
        finishClosing();
    }

    void rowClickLoadsTheGameBehindAndDoubleClickCloses()
    {
        TestBoard board;
        frmBordix &w = shown(board);
        storeFourGames(w);
        QPointer<OverviewWindow> overview = openOverview(w);
        QTableWidget *grid = overview->msfgResultaat;

        clickCell(grid, 2, 1); // the row of game 12
        QCOMPARE(w.txtSpel->text(), QStringLiteral("12"));
        QCOMPARE(w.chosenEntry(), QStringLiteral("Spel 012"));
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("6543")); // game 12 has North and South exchanged
        QCOMPARE(w.lblVulin[1]->text(), QStringLiteral("West")); // West deals game 12
        QCOMPARE(overview->lblSpel->text(), QStringLiteral("Spel 012"));
        QCOMPARE(overview->chosenGame(), QStringLiteral("012"));
        QVERIFY(overview->isVisible());
        QVERIFY(!w.isEnabled());

        // A double click is a click followed by the double click.
        clickCell(grid, 1, 0);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 1, 0));
        finishClosing();
        QVERIFY(overview.isNull());
        QVERIFY(w.isEnabled());
        QCOMPARE(w.txtSpel->text(), QStringLiteral("5"));
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("AHVB"));
    }

    void aQueuedDoubleClickEndsWithTheGameLoadedAndTheMainWindowEnabled()
    {
        // The platform queues the whole double click before the first click's load has run; the
        // load lets pending events run while it moves the caret, so the double click arrives in
        // the middle of it.
        TestBoard board;
        frmBordix &w = shown(board);
        storeFourGames(w);
        QPointer<OverviewWindow> overview = openOverview(w);
        // It belongs to the main window: the window manager keeps it in front of the disabled
        // main window, whatever the user clicks.
        QCOMPARE(overview->windowHandle()->transientParent(), w.windowHandle());
        QWidget *viewport = overview->msfgResultaat->viewport();
        const QPoint at = cellCentre(overview->msfgResultaat, 1, 0);
        const QPointF global = viewport->mapToGlobal(QPointF(at));
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                 QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QCoreApplication::postEvent(
                viewport, new QMouseEvent(type, QPointF(at), global, Qt::LeftButton, held, Qt::NoModifier));
        }
        QTRY_VERIFY(overview.isNull() || !overview->isVisible());
        finishClosing();
        QCoreApplication::processEvents();
        QVERIFY(w.isEnabled());
        QCOMPARE(w.txtSpel->text(), QStringLiteral("5"));
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("AHVB"));
    }

    void closeAndEscapeEnableAndCentreTheMainWindow_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Sluiten") << false;
        QTest::newRow("Escape") << true;
    }
    void closeAndEscapeEnableAndCentreTheMainWindow()
    {
        QFETCH(bool, escape);
        TestBoard board;
        frmBordix &w = shown(board);
        storeFourGames(w);
        w.move(0, 0);
        QPointer<OverviewWindow> overview = openOverview(w);
        QApplication::setActiveWindow(overview);
        QVERIFY(QTest::qWaitForWindowActive(overview));
        QCoreApplication::processEvents(); // the version check of the first activation is answered
        const qsizetype versionChecks = board.network.requested.size();
        if (escape)
            QTest::keyClick(overview->cmdFocus, Qt::Key_Escape);
        else
            QTest::mouseClick(overview->cmdOpen, Qt::LeftButton);
        finishClosing();
        QVERIFY(overview.isNull());
        QVERIFY(!board.ended); // Escape closes this window only
        QVERIFY(w.isEnabled());
        const QRect screen = w.screen()->geometry();
        QCOMPARE(w.pos(),
            QPoint(
                (screen.width() - w.frameGeometry().width()) / 2, (screen.height() - w.frameGeometry().height()) / 2));
        // The main window is active again: its activation checks the version and puts the focus
        // in the game number.
        QTRY_COMPARE(board.network.requested.size(), versionChecks + 1);
        QTRY_COMPARE(QApplication::focusWidget(), w.txtSpel);
    }

    void printsEveryGameOnAsManyPagesAsItNeeds()
    {
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            QSKIP("poppler-utils is not installed (scripts/install-deps.sh installs it)");
        TestBoard board;
        frmBordix &w = shown(board);
        plantGames(w.store(), 999);
        w.LeesSpellen();
        OverviewWindow *overview = openOverview(w);
        const QString pdf = board.printing.output.filePath(QStringLiteral("printed.pdf"));

        board.printing.confirm = false;
        QTest::mouseClick(overview->cmdAfdrukken, Qt::LeftButton);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(overview->cmdAfdrukken->isEnabled());

        board.printing.confirm = true;
        QTest::mouseClick(overview->cmdAfdrukken, Qt::LeftButton);
        QCOMPARE(board.printing.dialogs, 2);
        keepPrintout(pdf, QStringLiteral("overview_999.pdf"));
        QVERIFY(board.messages.shown.isEmpty());

        // The rows as placed below the caption and its empty line: each ends on its page.
        QPrinter &printer = board.printing.printer();
        const double twipsPerDot = 1440.0 / printer.resolution();
        const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height() * twipsPerDot;
        QFont captionFont(QStringLiteral("Arial"));
        captionFont.setPointSizeF(10);
        const double firstTop = 800 + 2 * QFontMetricsF(captionFont, &printer).height() * twipsPerDot;
        const double rowStep = overview->msfgResultaat->rowHeight(0) * TwipsPerPixel + 32;
        const QList<PrintedRow> plan = overviewPrintPlan(1000, firstTop, firstTop, rowStep, pageHeight);
        for (const PrintedRow &row : plan)
            QVERIFY(row.top + rowStep < pageHeight);
        const int pages = plan.last().page + 1;
        QVERIFY(pages > 10);
        QVERIFY(runTool(pdfinfo, {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));

        // Every page starts with the caption; every game is printed once, whole, in order.
        const QStringList printedPages = runTool(pdftotext, {"-layout", pdf, "-"}).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(printedPages.size(), pages);
        QStringList games;
        for (const QString &page : printedPages) {
            const QStringList lines = page.split('\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.first().trimmed(), w.windowTitle());
            for (const QString &line : lines.mid(1)) {
                const QStringList words = line.simplified().split(' ');
                if (words.first() == QStringLiteral("Spel"))
                    QCOMPARE(words, (QStringList {"Spel", "Leider", "Contract"}));
                else
                    games << words.first() + ' ' + words.mid(1).join(' ');
            }
        }
        QCOMPARE(games.size(), 999);
        for (int n = 1; n <= 999; ++n)
            QCOMPARE(games[n - 1], GameDigits(n) + QStringLiteral(" Zuid 4 Harten"));
        overview->close();
        finishClosing();
    }
};

QTEST_MAIN(TestOverview)
#include "test_overview.moc"
