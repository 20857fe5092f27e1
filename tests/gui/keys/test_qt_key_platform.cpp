#include "keys/key_sender.h"
#include "platform/qt_key_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

using namespace briqo;

class TestQtKeyPlatform : public QObject
{
    Q_OBJECT

    QtKeyPlatform m_platform;
    KeySender m_sender{m_platform};

    // As every caller does: send, then let the event queue run once.
    void send(const QString &text)
    {
        bool wait = false;
        m_sender.SendKeyText(text, wait);
        QCoreApplication::processEvents();
    }

    static bool showFocused(QWidget &window, QWidget &focus)
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        focus.setFocus();
        return focus.hasFocus();
    }

private slots:
    void homeThenShiftEndSelectsTheLineOfTheCaret_data()
    {
        QTest::addColumn<bool>("plain");
        QTest::newRow("QPlainTextEdit") << true;
        QTest::newRow("QTextEdit") << false;
    }

    void homeThenShiftEndSelectsTheLineOfTheCaret()
    {
        QFETCH(bool, plain);
        auto check = [this](auto &edit) {
            edit.resize(400, 200);
            edit.setPlainText(QStringLiteral("first line\nsecond line"));
            QVERIFY(showFocused(edit, edit));
            QTextCursor cursor = edit.textCursor();
            cursor.setPosition(4);
            edit.setTextCursor(cursor);
            send(QStringLiteral("{HOME}"));
            send(QStringLiteral("+{END}"));
            QCOMPARE(edit.textCursor().selectedText(), QStringLiteral("first line"));
            QCOMPARE(edit.toPlainText(), QStringLiteral("first line\nsecond line"));
        };
        if (plain) {
            QPlainTextEdit edit;
            check(edit);
        } else {
            QTextEdit edit;
            check(edit);
        }
    }

    void endMovesTheCaretToTheEndOfAField()
    {
        QLineEdit edit(QStringLiteral("AKQ10"));
        QVERIFY(showFocused(edit, edit));
        edit.setCursorPosition(0);
        send(QStringLiteral("{END}"));
        QCOMPARE(edit.cursorPosition(), 5);
        QVERIFY(!edit.hasSelectedText());
    }

    void typedTextArrives_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        const QString punctuation = QStringLiteral("Hi, [x]; 'q' = \"z\"/2.\\|<>?_:`!@#$&*");
        QTest::newRow("letters and punctuation") << punctuation << punctuation;
        QTest::newRow("brace types its first character") << "{[x]}" << "[";
        QTest::newRow("shifted group") << "+(ab)c" << "ABc";
        QTest::newRow("repeat count") << "{x 3}" << "xxx";
        QTest::newRow("backspace") << "abc{BS}" << "ab";
        QTest::newRow("Unicode character") << "a\u20ACb" << "a\u20ACb";
        QTest::newRow("character beyond the first plane") << "\U0001F600" << "\U0001F600";
    }

    void typedTextArrives()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QLineEdit edit;
        QVERIFY(showFocused(edit, edit));
        send(text);
        QCOMPARE(edit.text(), typed);
    }

    void altPrintScreenPutsTheActiveWindowOnTheClipboard()
    {
        QWidget window;
        window.resize(320, 200);
        QLineEdit field(&window);
        QVERIFY(showFocused(window, field));
        QGuiApplication::clipboard()->clear();
        send(QStringLiteral("%{PRINTSCREEN}"));
        const QImage picture = QGuiApplication::clipboard()->image();
        QCOMPARE(picture.size(), window.size());
        // The desktop takes the keys; the field sees nothing of them.
        QCOMPARE(field.text(), QString());
        // Alt is released again: a later letter is typed plainly.
        send(QStringLiteral("a"));
        QCOMPARE(field.text(), QStringLiteral("a"));
    }
};

QTEST_MAIN(TestQtKeyPlatform)
#include "test_qt_key_platform.moc"
