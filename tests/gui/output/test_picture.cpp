// The board picture taken from the real window: files, clipboard, and the window put back.

#include "picture_board.h"

#include "shell/string_ids.h"
#include "shell/string_table.h"
#include "shell/twips.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTableWidget>
#include <QtEndian>

using namespace briqo;
using namespace briqo::testing;

namespace {

constexpr int PassButton = 35;
constexpr int OneNoTrump = 4;

// A little-endian field of a Windows bitmap file's headers.
template<typename T> T field(const QByteArray &bytes, int offset)
{
    return bytes.size() >= offset + int(sizeof(T)) ? qFromLittleEndian<T>(bytes.constData() + offset) : T(0);
}

// The bottom rows of a picture hold something other than white.
bool hasInkBelow(const QImage &picture, int fromRow)
{
    for (int y = fromRow; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    void savedPicturesAreNumberedBitmapsOfTheStrippedWindow_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("Dutch") << 10 << "Spellen/Spel 005" << QStringList {"Spel 005.bmp", "Spel 005_1.bmp"};
        QTest::newRow("English") << 11 << "Games/Game 005" << QStringList {"Game 005.bmp", "Game 005_1.bmp"};
    }
    void savedPicturesAreNumberedBitmapsOfTheStrippedWindow()
    {
        QFETCH(int, language);
        QFETCH(QString, folder);
        QFETCH(QStringList, names);
        PictureBoard p(language);
        frmBordix &w = p.window();
        readyWithAuction(p.board, QStringLiteral("5"), {OneNoTrump, PassButton, PassButton, PassButton});
        const WindowLookSeen before = lookOf(w);
        const double auctionBottom = w.AuctionBottom;
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            w.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/window_before_%1.png").arg(language));
        QVERIFY(auctionBottom < 3315); // the auction frame is cut short below the last call

        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);
        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);

        const QString gameFolder = p.board.folder() + QLatin1Char('/') + folder;
        QCOMPARE(QDir(gameFolder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name), names);
        QCOMPARE(p.seen.size(), 2);
        const WindowLookSeen stripped = p.seen.first();
        // Stripped: no caption, on top, the board alone, as wide as the board and 60 twips.
        QCOMPARE(stripped.caption, QString());
        QVERIFY(stripped.topmost);
        QCOMPARE(stripped.geometry.width(), w.picAlles->width() + toPx(60));
        for (QWidget *gone : std::initializer_list<QWidget *> {w.fraSpellen, w.picKnoppen, w.msfgOverzicht,
                 w.cmdVraagAntwoord, w.picDeMaker, w.picVlaggen, w.chkUitKomst})
            QVERIFY(!stripped.visible.contains(gone));
        QVERIFY(stripped.visible.contains(w.lblMakerNote[0]) && stripped.visible.contains(w.lblMakerNote[1]));
        QVERIFY(!stripped.timerRunning && !stripped.biddingBoxEnabled);

        // The file is a 24-bit Windows bitmap of exactly the stripped window, and the same picture
        // stays on the clipboard.
        const QByteArray bytes = fileBytes(gameFolder + QLatin1Char('/') + names.last());
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            QFile::copy(gameFolder + QLatin1Char('/') + names.last(),
                QString::fromLocal8Bit(shots) + QLatin1Char('/') + names.last());
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(field<quint32>(bytes, 14), 40u); // BITMAPINFOHEADER
        QCOMPARE(field<quint16>(bytes, 28), quint16(24)); // bits a pixel
        QCOMPARE(QSize(field<qint32>(bytes, 18), std::abs(field<qint32>(bytes, 22))), stripped.geometry.size());
        const QImage onClipboard = p.board.clipboard.image();
        QCOMPARE(onClipboard.size(), stripped.geometry.size());
        QCOMPARE(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32),
            onClipboard.convertToFormat(QImage::Format_RGB32));
        // Its bottom: 120 twips below South's clubs, with the notices in the bottom corners.
        // Each hand is four rows of 510 twips overlapping by 30; North starts 15 below the auction.
        const double southBottom = toPx(auctionBottom) * TwipsPerPixel + 15 + 3 * (3 * 480 + 510);
        QCOMPARE(stripped.geometry.height(), toPx(southBottom + 120));
        const auto [leftNote, rightNote] = p.notesAtCapture;
        QCOMPARE(leftNote.x(), toPx(60));
        QCOMPARE(leftNote.y() + leftNote.height(), toPx(southBottom));
        QCOMPARE(rightNote.y(), leftNote.y());
        QCOMPARE(rightNote.x() + rightNote.width(), w.picAlles->width() - toPx(60));

        VERIFY_SAME_LOOK(lookOf(w), before);
        QCOMPARE(w.AuctionBottom, auctionBottom);
        QCOMPARE(p.board.pause.pauses, (QList<int> {100, 1000, 100, 1000}));
        QVERIFY(p.board.messages.shown.isEmpty());
        QVERIFY(w.isEnabled() && w.cmdKopie->isEnabled());
    }

    void theWindowComesBackWhateverFails()
    {
        // The picture cannot be written: a folder stands where the file would go.
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        const WindowLookSeen before = lookOf(w);
        QVERIFY(QDir().mkpath(p.gameFolder(5) + QStringLiteral("/Spel 005.bmp")));
        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);
        QCOMPARE(p.seen.size(), 1);
        VERIFY_SAME_LOOK(lookOf(w), before);
        QVERIFY(!p.board.clipboard.image().isNull()); // the picture is still there to paste
        QCOMPARE(p.board.messages.shown.size(), 1);
        QVERIFY(p.board.messages.shown.first().contains(QStringLiteral("Spel 005.bmp")));
        QVERIFY(p.board.pause.pauses.contains(200));

        // No picture arrives at all: the keys never reach the platform.
        TestBoard silent;
        frmBordix &s = silent.window();
        readyForPicture(silent, QStringLiteral("6"));
        s.sendKeys = [](const QString &) {};
        const WindowLookSeen silentBefore = lookOf(s);
        QTest::mouseClick(s.cmdKopie, Qt::LeftButton);
        VERIFY_SAME_LOOK(lookOf(s), silentBefore);
        QCOMPARE(silent.messages.shown, QStringList {messageText(ResString(own::PictureNotTaken, 10))});
        QVERIFY(QDir(s.store().folderOf(6)).entryList(QDir::Files).isEmpty());
        QCOMPARE(silent.pause.pauses, (QList<int> {100, 200, 1000}));
    }

    void toClipboardWritesNoFileAndSaysPaste()
    {
        PictureBoard p(11);
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("12"));
        const WindowLookSeen before = lookOf(w);
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        QVERIFY(QFileInfo(p.gameFolder(12)).isDir()); // the numbering made the folder
        QVERIFY(p.pictures(12).isEmpty());
        QCOMPARE(p.board.clipboard.image().size(), p.seen.first().geometry.size());
        QCOMPARE(p.board.messages.shown, QStringList {ResString(Str::PasteThePicture, 11)});
        QCOMPARE(p.board.messages.titles, QStringList {w.caption()});
        VERIFY_SAME_LOOK(lookOf(w), before);
        QVERIFY(!w.ClipboardMode);
        QCOMPARE(p.board.pause.pauses, QList<int> {100});
    }

    void theQuestionTextEndsThePicture()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage plain = p.board.clipboard.image();

        w.txtVraag->setPlainText(QStringLiteral("Wat start Zuid tegen 3 SA?\nEn waarom?"));
        const WindowLookSeen before = lookOf(w);
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage asked = p.board.clipboard.image();
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            asked.save(QString::fromLocal8Bit(shots) + QStringLiteral("/picture_with_question.png"));
        const QRect question = p.questionAtCapture;
        QVERIFY(question.isValid());
        // The question stands 120 twips below South's clubs and the picture ends 120 twips below it.
        QCOMPARE(question.top(), plain.height());
        QCOMPARE(asked.height(), question.y() + question.height() + toPx(120));
        QVERIFY(question.height() >= 2 * w.txtVraag->fontMetrics().lineSpacing());
        QCOMPARE(asked.width(), plain.width());
        QVERIFY(hasInkBelow(asked, plain.height()));
        VERIFY_SAME_LOOK(lookOf(w), before); // the box goes back to where it was, hidden
    }

    void tenAs10IsInThePictureOnly()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        const int eastSpades = FieldOf(East, Spades);
        QCOMPARE(w.txtInvoer[eastSpades]->text(), QStringLiteral("T987"));

        // The option set without rewriting the board (as the program does while it fills the
        // board): the board shows "T", the picture "10", and afterwards the board "T" again.
        w.EntrySuppressed = true;
        w.chkTien->setChecked(true);
        w.EntrySuppressed = false;
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        QCOMPARE(p.seen.last().hands[eastSpades], QStringLiteral("10987"));
        QCOMPARE(p.seen.last().hands[FieldOf(South, Spades)], QStringLiteral("6543"));
        QCOMPARE(w.txtInvoer[eastSpades]->text(), QStringLiteral("T987"));
        const QImage withTen = p.board.clipboard.image();

        // Ticked by the user, the board itself shows "10"; the capture leaves it so.
        w.chkTien->setChecked(false);
        w.chkTien->setChecked(true);
        QCOMPARE(w.txtInvoer[eastSpades]->text(), QStringLiteral("10987"));
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        QCOMPARE(p.seen.last().hands[eastSpades], QStringLiteral("10987"));
        QCOMPARE(w.txtInvoer[eastSpades]->text(), QStringLiteral("10987"));
        QCOMPARE(p.board.clipboard.image(), withTen);

        // Without the option the picture keeps the "T" and differs where the tens are.
        w.chkTien->setChecked(false);
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        QCOMPARE(p.seen.last().hands[eastSpades], QStringLiteral("T987"));
        QVERIFY(p.board.clipboard.image() != withTen);
        QVERIFY(!w.EntrySuppressed);
    }

    void theStrippedBoardDrawsTheSameWithoutTheWindow()
    {
        // What the command line will do: a board of its own, filled from the game, prepared and
        // drawn by the same code as the window's picture, gives the same pixels.
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);

        BoardView alone;
        alone.setUpCaptions(LanguageDutch, 2026);
        Game game;
        game.number = 5;
        game.holdings = w.holdings();
        alone.showGame(game, {});
        // Typing leaves the seat of the last field bold; a stored game has no such seat.
        for (int seat = 0; seat < 4; ++seat) {
            alone.lblWind[seat]->setFont(w.lblWind[seat]->font());
            alone.lblWind[seat]->adjustSize();
        }
        const QImage drawn = boardPicture(alone, prepareBoardPicture(alone, false));
        QCOMPARE(drawn.dotsPerMeterX(), 3780);
        QCOMPARE(drawn, p.board.clipboard.image());
    }
};

QTEST_MAIN(TestPicture)
#include "test_picture.moc"
