// "To Clipboard" on a real X display: another program (xclip) pastes the board from the system
// clipboard. Runs under Xvfb; elsewhere it skips.

#include "base/fonts.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "platform/qt_key_platform.h"
#include "platform/qt_services.h"
#include "support/board_driver.h"
#include "support/fake_services.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace briqo;

namespace {

// What another program gets when it asks the clipboard for target; the event loop runs
// meanwhile, as the clipboard's owner must answer the request.
QByteArray pasteElsewhere(const QString &target)
{
    QProcess xclip;
    xclip.start(QStandardPaths::findExecutable(QStringLiteral("xclip")),
        {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"), target,
            QStringLiteral("-o")});
    if (!QTest::qWaitFor([&xclip] { return xclip.state() == QProcess::NotRunning; }, 10000))
        xclip.kill();
    return xclip.readAllStandardOutput();
}

} // namespace

class TestPictureClipboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (run under xvfb-run)");
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("needs xclip to read the clipboard as another program");
        installFonts();
    }

    void anotherProgramPastesTheBoard()
    {
        QTemporaryDir folder;
        FakeMessageBoxes messages;
        QtClipboard clipboard;
        FakePause pause;
        FixedClock clock;
        FakePrinting printing;
        FakeNetwork network;
        FakeProcesses processes;
        QtKeyPlatform keys;
        keys.setClipboard(&clipboard);
        Services services;
        services.messages = &messages;
        services.clipboard = &clipboard;
        services.pause = &pause;
        services.clock = &clock;
        services.keys = &keys;
        services.printing = &printing;
        services.network = &network;
        services.processes = &processes;
        frmBordix w(services, folder.path());
        w.endProgram = [] {};
        // A bare X server has no window manager to hand out the focus: the program takes it.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QApplication::setActiveWindow(&w);
        QTRY_COMPARE(QApplication::activeWindow(), &w);
        typeSampleDeal(w, QStringLiteral("5"));
        messages.shown.clear();

        const QRect before = w.geometry();
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        QCOMPARE(messages.shown, QStringList {ResString(Str::PasteThePicture, LanguageDutch)});
        const QImage ours = clipboard.image();
        QVERIFY(!ours.isNull());
        // The X server answers the shrinking and growing later: the window still ends where it was.
        QTest::qWait(300);
        QCOMPARE(w.geometry(), before);

        QVERIFY(pasteElsewhere(QStringLiteral("TARGETS")).contains("image/png"));
        const QImage pasted = QImage::fromData(pasteElsewhere(QStringLiteral("image/png")), "PNG");
        QCOMPARE(pasted.size(), ours.size());
        QCOMPARE(pasted.convertToFormat(QImage::Format_RGB32), ours.convertToFormat(QImage::Format_RGB32));
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            pasted.save(QString::fromLocal8Bit(shots) + QStringLiteral("/pasted_by_xclip.png"));

        // Closing the program leaves no picture behind on the clipboard.
        w.close();
        QVERIFY(QTest::qWaitFor([] { return QGuiApplication::clipboard()->image().isNull(); }, 2000));
    }
};

QTEST_MAIN(TestPictureClipboard)
#include "test_picture_clipboard.moc"
