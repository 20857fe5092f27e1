#include "deal/hand_evaluation.h"
#include "generate/generate_strings.h"
#include "store/game_store.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "ui/dialogs/generate_dialog.h"
#include "ui/main_window/frm_bordix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace briqo;

namespace {

// Runs what the user does in the dialog the menu entry opens, then closes it.
void whenTheDialogOpens(std::function<void(GenerateDialog &)> steps)
{
    QTimer::singleShot(0, [steps] {
        auto *dialog = dynamic_cast<GenerateDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        steps(*dialog);
        dialog->close->click();
    });
}

void makeAndWait(GenerateDialog &d)
{
    d.make->click();
    QTRY_VERIFY_WITH_TIMEOUT(!d.running(), 60000);
}

} // namespace

class TestGenerateDialog : public QObject {
    Q_OBJECT

private slots:
    void madeDealsAppearInTheGameListAndLoadLikeTypedGames()
    {
        TestBoard board(LanguageEnglish);
        frmBordix &w = shown(board);
        QMenu *menu = w.exchangeMenu();
        QAction *entry = nullptr;
        for (QAction *a : menu->actions())
            if (a->text() == QLatin1String("Make deals..."))
                entry = a;
        QVERIFY(entry);
        whenTheDialogOpens([&](GenerateDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Make deals"));
            d.seats[North].hcpMin->setValue(15);
            d.seats[North].hcpMax->setValue(17);
            d.seats[North].balanced->setChecked(true);
            d.seats[South].lengthMin[Spades]->setValue(4);
            d.count->setValue(4);
            d.firstNumber->setValue(3);
            makeAndWait(d);
            if (const QString path = qEnvironmentVariable("BRIQO_SHOT"); !path.isEmpty())
                d.grab().save(path);
        });
        entry->trigger();
        delete menu;

        QCOMPARE(board.messages.shown.value(0), QStringLiteral("4 games written, 0 skipped, 0 refused."));
        QCOMPARE(w.lstSpellen->count(), 4);
        const GameStore store(board.folder(), LanguageEnglish);
        for (long long n = 3; n <= 6; ++n) {
            const Game game = store.load(n);
            const int points = handHcp(handFromDeal(game.holdings, North, LanguageEnglish));
            QVERIFY(points >= 15 && points <= 17);
            QVERIFY(isBalanced(handShape(handFromDeal(game.holdings, North, LanguageEnglish))));
            QVERIFY(suitLength(suitOf(handFromDeal(game.holdings, South, LanguageEnglish), Spades)) >= 4);
        }
        // Loaded from the list, the game shows its points as a typed one does.
        w.lstSpellen->setCurrentRow(0);
        w.lstSpellen_DblClick();
        QCOMPARE(w.txtSpel->text(), QStringLiteral("3"));
        const int shown = w.lblPunten[North]->text().mid(1).chopped(1).toInt();
        QVERIFY(shown >= 15 && shown <= 17);
    }

    void storedGamesAreKeptUnlessTheUserSaysOtherwise()
    {
        TestBoard board(LanguageDutch);
        const GameStore store(board.folder(), LanguageDutch);
        GenerateDialog d(board.window().services(), board.folder(), LanguageDutch, 1);
        int listed = 0;
        d.gamesStored = [&listed] { ++listed; };
        d.count->setValue(2);
        makeAndWait(d);
        QCOMPARE(listed, 1);
        const Game first = store.load(1);
        // Game 1 and 2 exist: the question names them and Cancel (no answer queued) writes nothing.
        makeAndWait(d);
        QCOMPARE(board.messages.buttons.size(), 1);
        QVERIFY(board.messages.shown.last().contains(QStringLiteral("Spel 001, Spel 002")));
        QCOMPARE(store.load(1), first);
        QCOMPARE(listed, 1);
    }

    void impossibleConditionsAndBadScriptsAreRefusedClearly()
    {
        TestBoard board(LanguageEnglish);
        GenerateDialog d(board.window().services(), board.folder(), LanguageEnglish, 1);
        d.script->setPlainText(QStringLiteral("generate 20000\ncondition hcp(north) > 30 && hcp(south) > 30"));
        makeAndWait(d);
        QVERIFY2(board.messages.shown.last().contains(QStringLiteral("0 found in 20000 deals tried")),
            qPrintable(board.messages.shown.last()));
        QVERIFY(GameStore(board.folder(), LanguageEnglish).list().isEmpty());

        // A long search can be stopped; nothing is stored.
        d.script->setPlainText(QStringLiteral("generate 1000000000\ncondition hcp(north) > 37"));
        d.make->click();
        QVERIFY(d.running() && d.stop->isEnabled() && !d.close->isEnabled());
        d.stop->click();
        QTRY_VERIFY_WITH_TIMEOUT(!d.running(), 20000);
        QCOMPARE(board.messages.shown.last(), QStringLiteral("Stopped: nothing was stored."));

        d.script->setPlainText(QStringLiteral("condition hcp(north) >\n  && 3"));
        d.make->click();
        QVERIFY(!d.running());
        QVERIFY2(board.messages.shown.last().contains(QStringLiteral("Line 2, column 3:")),
            qPrintable(board.messages.shown.last()));

        d.script->clear();
        d.firstNumber->setValue(995);
        d.count->setValue(10);
        d.make->click();
        QVERIFY(board.messages.shown.last().contains(QStringLiteral("1004")));

        d.firstNumber->setValue(1);
        d.toPbn->setChecked(true);
        d.make->click();
        QCOMPARE(board.messages.shown.last(), QStringLiteral("Choose a PBN file first."));
    }
};

QTEST_MAIN(TestGenerateDialog)
#include "test_generate_dialog.moc"
