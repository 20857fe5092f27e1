#include "keys/key_sender.h"
#include "platform/qt_key_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace briqo;

class TestQtKeyPlatform : public QObject {
    Q_OBJECT

    QtKeyPlatform m_platform;
    KeySender m_sender {m_platform};

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
    void typedKeysArrive_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        const QString punctuation = QStringLiteral("Hi, [x]; 'q' = \"z\"/2.\\|<>?_:`!@#$&*");
        QTest::newRow("letters and punctuation") << punctuation << punctuation;
        QTest::newRow("shifted group") << "+(ab)c"
                                       << "ABc";
        QTest::newRow("backspace") << "abc{BS}"
                                   << "ab";
        QTest::newRow("Unicode, also beyond the first plane") << "a\u20ACb\U0001F600"
                                                              << "a\u20ACb\U0001F600";
        QTest::newRow("End moves the caret to the end of the line") << "ab{HOME}c{END}d"
                                                                    << "cabd";
        QTest::newRow("Home then Shift+End selects the line of the caret") << "one~two~three{UP}{HOME}+{END}x"
                                                                           << "one\nx\nthree";
    }

    void typedKeysArrive()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QPlainTextEdit edit;
        QVERIFY(showFocused(edit, edit));
        send(text);
        QCOMPARE(edit.toPlainText(), typed);
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
