// The question-and-answer window: its buttons, saving, deleting, copying, Ctrl+A and closing.

#include "base/twips.h"
#include "support/board_driver.h"
#include "support/child_windows.h"
#include "ui/question/question_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>

using namespace briqo;

namespace {

// Game 5 typed on the board, with the question and answer files given (none for a null text).
QuestionWindow *openForGameFive(TestBoard &board, const QString &question = {}, const QString &answer = {})
{
    frmBordix &w = shown(board);
    typeSampleDeal(w, QStringLiteral("5"));
    if (!question.isNull())
        w.store().writeQuestion(5, question);
    if (!answer.isNull())
        w.store().writeAnswer(5, answer);
    board.messages.shown.clear(); // "Spel klaar."
    board.messages.titles.clear();
    QTest::mouseClick(w.cmdVraagAntwoord, Qt::LeftButton);
    return openWindow<QuestionWindow>();
}

struct Buttons {
    bool save, deleteQuestion, deleteAnswer, copy;
};

void verifyButtons(const QuestionWindow *qa, Buttons expected)
{
    QCOMPARE(qa->cmdOpslaan->isEnabled(), expected.save);
    QCOMPARE(qa->cmdWisVraag->isEnabled(), expected.deleteQuestion);
    QCOMPARE(qa->cmdWisAntwoord->isEnabled(), expected.deleteAnswer);
    QCOMPARE(qa->cmdKlemBord->isEnabled(), expected.copy);
}

// Types text as key presses, letters outside ASCII and emoji included.
void typeText(QWidget *box, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

QString gameFile(const TestBoard &board, const char *word)
{
    return board.folder() + QStringLiteral("/Spellen/Spel 005/Spel 005 ") + QLatin1String(word)
        + QStringLiteral(".txt");
}

} // namespace

class TestQuestionAnswer : public QObject {
    Q_OBJECT

private slots:
    void buttonsFollowWhichBoxesHoldText_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("save");
        QTest::newRow("no files") << QString() << QString() << false;
        QTest::newRow("empty files") << ""
                                     << "" << false;
        QTest::newRow("question") << "Wat start u?" << QString() << true;
        QTest::newRow("answer") << QString() << "1 Harten" << true;
        QTest::newRow("both") << "Wat start u?"
                              << "1 Harten" << true;
    }
    void buttonsFollowWhichBoxesHoldText()
    {
        QFETCH(QString, question);
        QFETCH(QString, answer);
        QFETCH(bool, save);
        TestBoard board;
        QuestionWindow *qa = openForGameFive(board, question, answer);
        QVERIFY(qa);
        QCOMPARE(qa->txtVraag->toPlainText(), question.isNull() ? QString() : question);
        QCOMPARE(qa->txtAntwoord->toPlainText(), answer.isNull() ? QString() : answer);
        verifyButtons(qa, {save, !question.isEmpty(), !answer.isEmpty(), save});

        // Typing into an empty question box, and emptying it again.
        qa->txtVraag->clear();
        verifyButtons(qa, {!answer.isEmpty(), false, !answer.isEmpty(), !answer.isEmpty()});
        QTest::keyClicks(qa->txtVraag, QStringLiteral("Q"));
        verifyButtons(qa, {true, true, !answer.isEmpty(), true});
        QTest::keyClick(qa->txtVraag, Qt::Key_Backspace);
        QTest::keyClicks(qa->txtVraag, QStringLiteral("   "));
        verifyButtons(qa, {!answer.isEmpty(), false, !answer.isEmpty(), !answer.isEmpty()});
        qa->close();
        finishClosing();
    }

    void savingWritesBothFilesShowsTheQuestionOnTheBoardAndCloses()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QPointer<QuestionWindow> qa = openForGameFive(board);
        typeText(qa->txtVraag, QString::fromUtf8("Wat start je — café 5€?"));
        QTest::keyClick(qa->txtVraag, Qt::Key_Return);
        QTest::keyClicks(qa->txtVraag, QStringLiteral("Tweede regel"));
        QTest::mouseClick(qa->cmdOpslaan, Qt::LeftButton);
        finishClosing();

        QCOMPARE(
            fileBytes(gameFile(board, "Vraag")), QByteArray("Wat start je \x97 caf\xE9 5\x80?\r\nTweede regel\r\n"));
        QCOMPARE(fileBytes(gameFile(board, "Antwoord")), QByteArray("\r\n"));
        QCOMPARE(board.messages.shown, QStringList {QStringLiteral("Vraag, antwoord/uitleg opgeslagen")});
        QCOMPARE(board.messages.titles, QStringList {w.windowTitle()});
        QVERIFY(qa.isNull());
        QVERIFY(w.isEnabled());
        // The board's question box shows the question, below South's hand.
        QCOMPARE(w.txtVraag->toPlainText(), QString::fromUtf8("Wat start je — café 5€?\nTweede regel"));
        QVERIFY(!w.txtVraag->isHidden());
        QVERIFY(w.txtVraag->y() > w.picAchter[11]->geometry().bottom());
        saveScreenshot(w.txtVraag, QStringLiteral("main_window_question_box"));

        // Opened again: the same two lines, the empty answer empty.
        QTest::mouseClick(w.cmdVraagAntwoord, Qt::LeftButton);
        qa = openWindow<QuestionWindow>();
        QCOMPARE(qa->txtVraag->toPlainText(), QString::fromUtf8("Wat start je — café 5€?\nTweede regel"));
        QCOMPARE(qa->txtAntwoord->toPlainText(), QString());
        verifyButtons(qa, {true, true, false, true});
        qa->close();
        finishClosing();

        // Loading the stored game shows its question; a new game number clears it.
        typeGameNumber(w, QStringLiteral("6"));
        QVERIFY(w.txtVraag->isHidden());
        Game stored;
        stored.number = 5;
        QVERIFY(w.store().save(stored));
        w.LeesSpellen();
        QVERIFY(selectGame(w, QStringLiteral("Spel 005")));
        w.cmdLeesSpel_Click();
        QCOMPARE(w.txtVraag->toPlainText(), QString::fromUtf8("Wat start je — café 5€?\nTweede regel"));
        QVERIFY(!w.txtVraag->isHidden());
    }

    void charactersOutside1252AreNamedBeforeAnythingIsSaved()
    {
        TestBoard board(11);
        QPointer<QuestionWindow> qa = openForGameFive(board);
        typeText(qa->txtVraag, QString::fromUtf8("Łódź 😀"));
        typeText(qa->txtAntwoord, QString::fromUtf8("αβ é"));
        board.messages.answers.enqueue(false);
        QTest::mouseClick(qa->cmdOpslaan, Qt::LeftButton);
        QCOMPARE(board.messages.shown,
            QStringList {QString::fromUtf8("These characters cannot be kept in the files of the game:\nŁ ź 😀 α β\n\n"
                                           "They are saved as ?. The rest of the text stays as it is.\nSave anyway?")});
        QVERIFY(!QFile::exists(board.folder() + QStringLiteral("/Games/Game 005/Game 005 Question.txt")));
        QVERIFY(!qa.isNull() && qa->isVisible());
        QVERIFY(qa->cmdOpslaan->isEnabled());
        QCOMPARE(qa->txtVraag->toPlainText(), QString::fromUtf8("Łódź 😀"));

        board.messages.answers.enqueue(true);
        QTest::mouseClick(qa->cmdOpslaan, Qt::LeftButton);
        finishClosing();
        QCOMPARE(fileBytes(board.folder() + QStringLiteral("/Games/Game 005/Game 005 Question.txt")),
            QByteArray("?\xF3"
                       "d? ?\r\n"));
        QCOMPARE(fileBytes(board.folder() + QStringLiteral("/Games/Game 005/Game 005 Answer.txt")),
            QByteArray("?? \xE9\r\n"));
        QVERIFY(qa.isNull());
    }

    void deletingAsksAndOnlyYesDeletes()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QuestionWindow *qa = openForGameFive(board, QStringLiteral("Q"), QStringLiteral("A"));
        w.questionAndAnswerStored(QStringLiteral("Q"), QStringLiteral("A"));

        board.messages.answers.enqueue(false);
        QTest::mouseClick(qa->cmdWisVraag, Qt::LeftButton);
        QCOMPARE(board.messages.shown.last(), QStringLiteral("Vraag definitief wissen?\n\nZeker weten?"));
        QCOMPARE(board.messages.titles.last(), qa->windowTitle());
        QVERIFY(QFile::exists(gameFile(board, "Vraag")));
        QCOMPARE(qa->txtVraag->toPlainText(), QStringLiteral("Q"));
        QCOMPARE(qa->focusWidget(), qa->cmdFocus);

        board.messages.answers.enqueue(true);
        QTest::mouseClick(qa->cmdWisVraag, Qt::LeftButton);
        QVERIFY(!QFile::exists(gameFile(board, "Vraag")));
        QCOMPARE(qa->txtVraag->toPlainText(), QString());
        QVERIFY(w.txtVraag->isHidden());
        verifyButtons(qa, {true, false, true, true});

        board.messages.answers.enqueue(true);
        QTest::mouseClick(qa->cmdWisAntwoord, Qt::LeftButton);
        QCOMPARE(board.messages.shown.last(), QStringLiteral("Antwoord/uitleg definitief wissen?\n\nZeker weten?"));
        QVERIFY(!QFile::exists(gameFile(board, "Antwoord")));
        verifyButtons(qa, {false, false, false, false});
        qa->close();
        finishClosing();
    }

    void clipboardGetsBothTextsInTheirLayout()
    {
        // The layout itself is the question text's own test; here the window's headings go with it.
        TestBoard board(10);
        QuestionWindow *qa
            = openForGameFive(board, QStringLiteral("Wat start u?"), QStringLiteral("1 Harten\r\nof 1 SA"));
        saveScreenshot(qa, QStringLiteral("question_answer_10"));
        board.clipboard.setText(QStringLiteral("old"));
        QTest::mouseClick(qa->cmdKlemBord, Qt::LeftButton);
        QCOMPARE(board.clipboard.clears, 1);
        QCOMPARE(board.clipboard.text(),
            QStringLiteral("Vraag\r\nWat start u?\r\n\r\nAntwoord/uitleg\r\n1 Harten\r\nof 1 SA"));
        QCOMPARE(board.messages.shown, QStringList {QStringLiteral("Vraag, antwoord/uitleg in Klembord geplaatst")});
        QCOMPARE(qa->focusWidget(), qa->cmdFocus);
        qa->close();
        finishClosing();
    }

    void ctrlASelectsTheCaretLineThroughTheKeystrokeSender()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QStringList sent;
        w.sendKeys = [&, send = w.sendKeys](const QString &text) {
            sent << text;
            send(text);
        };
        QuestionWindow *qa = openForGameFive(board, QString(), QStringLiteral("eerste\r\ntweede regel"));
        QApplication::setActiveWindow(qa);
        QVERIFY(QTest::qWaitForWindowActive(qa));
        qa->cmdFocus->setFocus();
        sent.clear(); // the hand fields move their caret with "{END}"

        QTest::keyClick(qa->txtAntwoord, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(sent.isEmpty());
        QTest::keyClick(qa->txtAntwoord, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(sent, (QStringList {"{HOME}", "+{END}"}));
        QCOMPARE(qa->focusWidget(), qa->txtAntwoord);
        QCOMPARE(qa->txtAntwoord->textCursor().selectedText(), QStringLiteral("tweede regel"));
        qa->close();
        finishClosing();
    }

    void closingDiscardsEditsAndReturnsToTheCentredMainWindow_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Terug") << false;
        QTest::newRow("Escape") << true;
    }
    void closingDiscardsEditsAndReturnsToTheCentredMainWindow()
    {
        QFETCH(bool, escape);
        TestBoard board;
        frmBordix &w = board.window();
        QPointer<QuestionWindow> qa = openForGameFive(board);
        QCOMPARE(w.pos(), QPoint(0, 0));
        QVERIFY(!w.isEnabled());
        QCOMPARE(qa->x(), toPx(w.frameGeometry().width() * TwipsPerPixel - 3200));
        QCOMPARE(qa->txtSpel->text(), QStringLiteral("5"));
        QCOMPARE(qa->lblInfo[0]->text(), QStringLiteral("Spel"));
        QApplication::setActiveWindow(qa);
        QVERIFY(QTest::qWaitForWindowActive(qa));
        qa->txtSpel->setFocus(); // display only: the focus moves on
        QCOMPARE(qa->focusWidget(), qa->cmdFocus);

        QCoreApplication::processEvents(); // the version check of the first activation is answered
        const qsizetype versionChecks = board.network.requested.size();
        QTest::keyClicks(qa->txtVraag, QStringLiteral("niet bewaard"));
        if (escape)
            QTest::keyClick(qa->txtVraag, Qt::Key_Escape);
        else
            QTest::mouseClick(qa->cmdTerug, Qt::LeftButton);
        finishClosing();
        QVERIFY(qa.isNull());
        QVERIFY(!board.ended);
        QVERIFY(!QFile::exists(gameFile(board, "Vraag")));
        QVERIFY(board.messages.shown.isEmpty());
        QVERIFY(w.isEnabled());
        const QRect screen = w.screen()->geometry();
        QCOMPARE(w.pos(),
            QPoint(
                (screen.width() - w.frameGeometry().width()) / 2, (screen.height() - w.frameGeometry().height()) / 2));
        QTRY_COMPARE(board.network.requested.size(), versionChecks + 1);
        QTRY_COMPARE(QApplication::focusWidget(), w.txtSpel);
    }
};

QTEST_MAIN(TestQuestionAnswer)
#include "test_question_answer.moc"
