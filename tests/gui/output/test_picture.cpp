// The board picture taken from the real window: files, clipboard, and the window put back.

#include "picture_board.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"

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
    void savedPicturesAreNumberedBitmapsOfTheBoardMadeWithoutTouchingTheWindow()
    {
        // How pictures are named in each language is the store's test.
        const QString folder = QStringLiteral("Spellen/Spel 005");
        const QStringList names {QStringLiteral("Spel 005.bmp"), QStringLiteral("Spel 005_1.bmp")};
        PictureBoard p(10);
        frmBordix &w = p.window();
        readyWithAuction(p.board, QStringLiteral("5"), {OneNoTrump, PassButton, PassButton, PassButton});
        const WindowLookSeen before = lookOf(w);
        const double auctionBottom = w.AuctionBottom;
        QVERIFY(auctionBottom < 3315); // the auction frame is cut short below the last call

        const WindowChanges changes(w);
        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);
        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);
        QVERIFY2(changes.seen.isEmpty(), qPrintable(changes.seen.join(QLatin1Char(' '))));
        VERIFY_SAME_LOOK(lookOf(w), before);

        const QString gameFolder = p.board.folder() + QLatin1Char('/') + folder;
        QCOMPARE(QDir(gameFolder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name), names);
        // A 24-bit Windows bitmap as wide as the board and 60 twips, and the same picture stays on
        // the clipboard.
        const QByteArray bytes = fileBytes(gameFolder + QLatin1Char('/') + names.last());
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(field<quint32>(bytes, 14), 40u); // BITMAPINFOHEADER
        QCOMPARE(field<quint16>(bytes, 28), quint16(24)); // bits a pixel
        const QImage saved = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved.width(), w.picAlles->width() + toPx(60));
        QCOMPARE(saved, p.board.clipboard.image().convertToFormat(QImage::Format_RGB32));
        // Its bottom: 120 twips below South's clubs. Each hand is four rows of 510 twips
        // overlapping by 30; North starts 15 below the auction.
        const double southBottom = toPx(auctionBottom) * TwipsPerPixel + 15 + 3 * (3 * 480 + 510);
        QCOMPARE(saved.height(), toPx(southBottom + 120));
        QVERIFY(hasInkBelow(saved, toPx(southBottom) - toPx(200))); // the maker's notices

        QCOMPARE(w.AuctionBottom, auctionBottom);
        QVERIFY(p.board.pause.pauses.isEmpty());
        QVERIFY(p.board.messages.shown.isEmpty());
        QVERIFY(w.isEnabled() && w.cmdKopie->isEnabled());
    }

    void aPictureNeedsNoActiveWindow()
    {
        // Another program has the focus when the button is clicked (a kiosk without a window
        // manager, a remote desktop): the picture is the same.
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage whileActive = p.board.clipboard.image();

        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!w.isActiveWindow());
        p.board.clipboard.clear();
        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);
        QCOMPARE(p.pictures(5), QStringList {QStringLiteral("Spel 005.bmp")});
        QCOMPARE(QImage(p.gameFolder(5) + QStringLiteral("/Spel 005.bmp")).convertToFormat(QImage::Format_RGB32),
            whileActive.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(p.board.clipboard.image(), whileActive);
        QCOMPARE(p.board.messages.shown, QStringList {ResString(Str::PasteThePicture, 10)});
    }

    void aPictureThatCannotBeWrittenIsReportedAndStaysOnTheClipboard()
    {
        // A folder stands where the file would go.
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        const WindowLookSeen before = lookOf(w);
        QVERIFY(QDir().mkpath(p.gameFolder(5) + QStringLiteral("/Spel 005.bmp")));
        QTest::mouseClick(w.cmdKopie, Qt::LeftButton);
        VERIFY_SAME_LOOK(lookOf(w), before);
        QVERIFY(!p.board.clipboard.image().isNull()); // the picture is still there to paste
        QCOMPARE(p.board.messages.shown.size(), 1);
        QVERIFY(p.board.messages.shown.first().contains(QStringLiteral("Spel 005.bmp")));
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
        QCOMPARE(p.board.clipboard.image(), w.boardPictureNow());
        QCOMPARE(p.board.messages.shown, QStringList {ResString(Str::PasteThePicture, 11)});
        QCOMPARE(p.board.messages.titles, QStringList {w.caption()});
        VERIFY_SAME_LOOK(lookOf(w), before);
    }

    void theQuestionTextEndsThePicture()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        const QImage plain = w.boardPictureNow();

        w.questionAndAnswerStored(QStringLiteral("Wat start Zuid tegen 3 SA?\r\nEn waarom?"), QString());
        const WindowLookSeen before = lookOf(w);
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage asked = p.board.clipboard.image();
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            asked.save(QString::fromLocal8Bit(shots) + QStringLiteral("/picture_with_question.png"));
        // The question stands 120 twips below South's clubs, two lines high, and the picture ends
        // 120 twips below it.
        QCOMPARE(asked.width(), plain.width());
        QVERIFY(asked.height() >= plain.height() + 2 * w.txtVraag->fontMetrics().lineSpacing() + toPx(120));
        QVERIFY(!hasInkBelow(asked, asked.height() - toPx(120) + 1));
        QVERIFY(hasInkBelow(asked, plain.height()));
        VERIFY_SAME_LOOK(lookOf(w), before);
    }

    void tenAs10IsInThePictureOnly()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        const int eastSpades = FieldOf(East, Spades);
        QCOMPARE(w.txtInvoer[eastSpades]->text(), QStringLiteral("T987"));

        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage withT = p.board.clipboard.image();

        // Ticked by the user, the board and the picture show "10".
        w.chkTien->setChecked(true);
        QCOMPARE(w.txtInvoer[eastSpades]->text(), QStringLiteral("10987"));
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        QCOMPARE(w.txtInvoer[eastSpades]->text(), QStringLiteral("10987"));
        const QImage withTen = p.board.clipboard.image();
        QVERIFY(withTen != withT);

        // Without the option again the picture is the first one.
        w.chkTien->setChecked(false);
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        QCOMPARE(p.board.clipboard.image(), withT);
    }

    void aHiddenHandIsLeftOutOfThePictureButKeptInTheDeal()
    {
        PictureBoard p(11);
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        const QImage open = w.boardPictureNow();
        QTest::mouseClick(w.chkNietZichtbaar[East], Qt::LeftButton);
        QVERIFY(w.txtInvoer[FieldOf(East, Spades)]->text().isEmpty());
        QVERIFY(w.boardPictureNow() != open);
        QCOMPARE(w.boardAsGame().holdings[FieldOf(East, Spades)], QStringLiteral("T987"));
        QTest::mouseClick(w.chkNietZichtbaar[East], Qt::LeftButton);
        QCOMPARE(w.boardPictureNow(), open);
    }
};

QTEST_MAIN(TestPicture)
#include "test_picture.moc"
