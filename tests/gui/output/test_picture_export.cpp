// Picture files and handouts made from stored games without the window: the same pixels as the
// window's picture, text that stays text in PDF and SVG, and handouts that never cut a board.

#include "picture_board.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "output/bitmap_file.h"
#include "output/handout.h"
#include "output/picture_export.h"
#include "store/game_store.h"
#include "support/child_windows.h"
#include "support/test_files.h"
#include "ui/overview/overview_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>

#include <cerrno>
#include <sys/wait.h>

using namespace briqo;
using namespace briqo::testing;

namespace {

constexpr int PassButton = 35;
constexpr int OneNoTrump = 4;

void keepShot(const QString &name, const QByteArray &bytes)
{
    if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
        writeFile(QString::fromLocal8Bit(shots) + QLatin1Char('/') + name, bytes);
}

// Where two pictures differ, for the failure message; empty when they are the same.
QString difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes %1x%2 and %3x%4").arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box.isNull()
        ? QString()
        : QStringLiteral("differ in %1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height());
}

// The overview's handout dialog answered as the user does: the choices changed by steps, then Make
// (or Cancel when make is false).
void whenTheHandoutDialogOpens(std::function<void(QDialog &)> steps = {}, bool make = true)
{
    QTimer::singleShot(0, [steps, make] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog && dialog->objectName() == QLatin1String("handoutChoices"));
        if (steps)
            steps(*dialog);
        if (make)
            dialog->findChild<QPushButton *>(QStringLiteral("make"))->click();
        else
            dialog->reject();
    });
}

} // namespace

class TestPictureExport : public QObject {
    Q_OBJECT

private slots:
    void filesAreTheWindowsPicturePixelForPixel_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("tenAs10"); // ticked after loading: loading a game unticks it
        QTest::newRow("Dutch, with the lead") << 10 << QString() << false;
        QTest::newRow("English, with a question") << 11 << QStringLiteral("What do you lead?\r\nAnd why?") << false;
        QTest::newRow("Dutch, T as 10") << 10 << QString() << true;
        QTest::newRow("English, T as 10 and a question") << 11 << QStringLiteral("Which ten?") << true;
    }
    void filesAreTheWindowsPicturePixelForPixel()
    {
        QFETCH(int, language);
        QFETCH(QString, question);
        QFETCH(bool, tenAs10);
        // Game 5 typed, bid and saved in one window; East leads the ten of spades against North's
        // 1 NT; the question is stored as its window stores it. Then the game is loaded in a window
        // where nothing was typed: typing leaves its last seat in bold, which belongs to the
        // window, not to the game.
        PictureBoard p(language);
        frmBordix &w = p.window();
        const GameStore store = w.store();
        {
            PictureBoard typing(language);
            readyWithAuction(typing.board, QStringLiteral("5"), {OneNoTrump, PassButton, PassButton, PassButton});
            const GameStore typed = typing.window().store();
            QVERIFY(typed.writeLead(5, {ResString(Str::North + East, language), Spades, QStringLiteral("T")}));
            if (!question.isEmpty())
                QVERIFY(typed.writeQuestion(5, question));
            store.ensureFolder(5);
            for (const QString &name : QDir(typed.folderOf(5)).entryList(QDir::Files))
                QVERIFY(QFile::copy(
                    typed.folderOf(5) + QLatin1Char('/') + name, store.folderOf(5) + QLatin1Char('/') + name));
        }
        activate(w);
        w.LeesSpellen();
        QVERIFY(selectGame(w, store.folderName(5)));
        w.cmdLeesSpel_Click();
        if (tenAs10)
            w.chkTien->click();
        w.cmdNaarKlembord_Click();
        const QImage window = p.board.clipboard.image().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!window.isNull());

        PictureSettings settings;
        settings.languageNumber = language;
        settings.year = p.board.clock.currentYear();
        settings.board.tenAs10 = tenAs10;
        const Game game = store.load(5);
        const QByteArray png = pictureFileBytes(game, PictureFormat::Png, settings);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'));
        keepShot(QStringLiteral("export_%1.png").arg(tag), png);
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            window.save(QString::fromLocal8Bit(shots) + QStringLiteral("/window_%1.png").arg(tag));
        const QString differs = difference(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), window);
        QVERIFY2(differs.isEmpty(), qPrintable(differs));
        QCOMPARE(pictureFileBytes(game, PictureFormat::Bmp, settings), bitmapFileBytes(window));

        // Twice the scale: twice the pixels across and down, at twice the resolution.
        settings.scale = 2;
        const QImage sharper = QImage::fromData(pictureFileBytes(game, PictureFormat::Png, settings), "PNG");
        QCOMPARE(sharper.size(), window.size() * 2);
        QCOMPARE(sharper.dotsPerMeterX(), 2 * PictureDotsPerMetre);
    }

    // A folder of pictures is made by copies of the program, each game by one of them: every file
    // is still its own game's, in the games' order, and no copy is left behind.
    void manyGamesMadeTogetherAreEachGamesOwnFile()
    {
        const QStringList hands {"AHVB", "AHV", "AHV", "AHV", "T987", "BT9", "BT9", "BT9", "6543", "876", "876", "876",
            "2", "5432", "5432", "5432"};
        QList<Game> games;
        for (int n = 1; n <= 7; ++n) {
            Game game;
            game.number = n;
            for (int field = 0; field < FieldCount; ++field)
                game.holdings[field] = hands[(field + 4 * n) % FieldCount];
            games << game;
        }
        PictureSettings settings;
        for (PictureFormat format : {PictureFormat::Png, PictureFormat::Bmp}) {
            QList<QByteArray> each;
            for (const Game &game : games)
                each << pictureFileBytes(game, format, settings);
            QCOMPARE(pictureFilesBytes(games, format, settings, 3), each);
            QCOMPARE(pictureFilesBytes(games, format, settings, 1), each);
        }
        QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1);
        QCOMPARE(errno, ECHILD);
    }

    void pdfAndSvgKeepTheTextAsText()
    {
        QTemporaryDir dir;
        Game game;
        game.number = 5;
        game.holdings = sampleHoldings(LanguageEnglish);
        game.question = QStringLiteral("Board 1: what do you lead?");
        game.holdings[FieldOf(East, Spades)] = QStringLiteral("T987");
        AuctionFile auction;
        auction.callKinds = QStringLiteral("1222");
        auction.cells[auctionCellIndex(North, 0)] = {QStringLiteral("1"), QStringLiteral("4"), QString()};
        for (int seat : {East, South, West})
            auction.cells[auctionCellIndex(seat, 0)] = {QStringLiteral("Pass"), QStringLiteral("5"), QString()};
        game.auction = auction;
        game.contract = QStringLiteral("North 1 NT");
        PictureSettings settings;
        settings.languageNumber = LanguageEnglish;
        settings.board.tenAs10 = true;

        const QByteArray pdf = pictureFileBytes(game, PictureFormat::Pdf, settings);
        keepShot(QStringLiteral("export_board.pdf"), pdf);
        const QString pdfPath = dir.filePath(QStringLiteral("board.pdf"));
        QVERIFY(writeFile(pdfPath, pdf));
        QCOMPARE(pageCount(pdfPath), 1);
        const QString text = pdfText(pdfPath);
        for (const QString &expected : {QStringLiteral("AKQJ"), QStringLiteral("10987"), QStringLiteral("NT"),
                 QStringLiteral("Board 1: what do you lead?"), QStringLiteral("\u2660"), QStringLiteral("\u2665")})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + text));
        // Not one bitmap: the suit symbols are glyphs too.
        const QString images = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath});
        QCOMPARE(images.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2); // the two heading lines

        const QByteArray svg = pictureFileBytes(game, PictureFormat::Svg, settings);
        keepShot(QStringLiteral("export_board.svg"), svg);
        QXmlStreamReader xml(svg);
        QStringList texts;
        int images_ = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("text"))
                texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (xml.isStartElement() && xml.name() == QLatin1String("image"))
                ++images_;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QString all = texts.join(QLatin1Char('\n'));
        for (const QString &expected :
            {QStringLiteral("AKQJ"), QStringLiteral("10987"), QStringLiteral("NT"), QStringLiteral("\u2663")})
            QVERIFY2(all.contains(expected), qPrintable(expected));
        QCOMPARE(images_, 0);
        // The pages of a handout are the command's tests; a handout of no boards is no file.
        QVERIFY(handoutPdf({}, HandoutSettings {}).isEmpty());
    }

    void overviewWritesTheHandoutOfTheChosenRows()
    {
        TestBoard board(LanguageDutch);
        frmBordix &w = shown(board);
        const GameStore store = w.store();
        for (long long n : {3, 8, 9}) {
            Game game;
            game.number = n;
            game.holdings = sampleHoldings(LanguageDutch);
            QVERIFY(store.save(game));
            QVERIFY(store.writeContract(n, QStringLiteral("Zuid 4 Harten")));
            QVERIFY(store.writeAnswer(n, QStringLiteral("Antwoord bij spel %1").arg(n)));
        }
        w.LeesSpellen();
        QTest::mouseClick(w.cmdToonLijst, Qt::LeftButton);
        OverviewWindow *overview = openWindow<OverviewWindow>();
        QVERIFY(overview);
        QCOMPARE(overview->cmdHandout->text(), QStringLiteral("Hand-out..."));
        QVERIFY(!overview->cmdHandout->geometry().intersects(overview->cmdAfdrukken->geometry()));
        QVERIFY(!overview->cmdHandout->geometry().intersects(overview->msfgResultaat->geometry()));

        // The choices cancelled, then the file: nothing is written and nothing said.
        whenTheHandoutDialogOpens({}, false);
        QTest::mouseClick(overview->cmdHandout, Qt::LeftButton);
        QVERIFY(board.files.titles.isEmpty());
        whenTheHandoutDialogOpens();
        QTest::mouseClick(overview->cmdHandout, Qt::LeftButton);
        QCOMPARE(board.files.titles, QStringList {QStringLiteral("Hand-out opslaan (PDF of webpagina)")});
        QVERIFY(board.messages.shown.isEmpty());

        // Rows of games 3 and 9 chosen: their boards on one page, their answers on the next.
        QTableWidget *grid = overview->msfgResultaat;
        grid->selectionModel()->select(
            grid->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        grid->selectionModel()->select(
            grid->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("les.pdf"));
        board.files.toSave.enqueue(path);
        // A title, and the hands of North and South left out; both are remembered for the next time.
        whenTheHandoutDialogOpens([](QDialog &d) {
            if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
                d.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/handout_dialog.png"));
            d.findChildren<QLineEdit *>().first()->setText(QStringLiteral("Les 3"));
            for (QCheckBox *box : d.findChildren<QCheckBox *>()) {
                if (box->text() == QLatin1String("Noord") || box->text() == QLatin1String("Zuid"))
                    box->setChecked(false);
            }
        });
        QTest::mouseClick(overview->cmdHandout, Qt::LeftButton);
        QCOMPARE(board.messages.shown.size(), 1);
        QVERIFY(pdfText(path, 1).contains(QStringLiteral("Les 3")));
        QVERIFY(!pdfText(path, 1).contains(sampleHoldings(LanguageDutch)[FieldOf(North, Spades)]));
        whenTheHandoutDialogOpens(
            [](QDialog &d) {
                QCOMPARE(d.findChildren<QLineEdit *>().first()->text(), QStringLiteral("Les 3"));
                for (QCheckBox *box : d.findChildren<QCheckBox *>()) {
                    if (box->text() == QLatin1String("Noord"))
                        QVERIFY(!box->isChecked());
                }
            },
            false);
        QTest::mouseClick(overview->cmdHandout, Qt::LeftButton);
        QVERIFY(board.messages.shown.first().contains(path));
        QCOMPARE(pageCount(path), 2);
        const QString answers = pdfText(path, 2);
        QVERIFY(answers.contains(QStringLiteral("Spel 3")) && answers.contains(QStringLiteral("Spel 9")));
        QVERIFY(!answers.contains(QStringLiteral("Spel 8")));

        // A name ending in .html gets the lesson as a web page, with the same choices; the tables
        // asked for are worked out off the window's thread first.
        const QString page = dir.filePath(QStringLiteral("les.html"));
        board.files.toSave.enqueue(page);
        const bool tables = doubleDummyAvailable();
        whenTheHandoutDialogOpens([tables](QDialog &d) {
            for (QCheckBox *box : d.findChildren<QCheckBox *>()) {
                if (box->text() == QLatin1String("Dubbeldummytabel en par"))
                    box->setChecked(tables);
            }
        });
        QTest::mouseClick(overview->cmdHandout, Qt::LeftButton);
        QFile html(page);
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(html.readAll());
        QVERIFY(text.startsWith(QLatin1String("<!DOCTYPE html>")) && text.contains(QLatin1String("Les 3")));
        QVERIFY(text.contains(QLatin1String("<details")) && text.contains(QLatin1String("Antwoord bij spel 9")));
        QCOMPARE(text.contains(QLatin1String("class=\"par\"")), tables);

        // A file that cannot be written is named, and nothing else changes.
        board.files.toSave.enqueue(dir.filePath(QStringLiteral("no/such/folder/les.pdf")));
        whenTheHandoutDialogOpens();
        QTest::mouseClick(overview->cmdHandout, Qt::LeftButton);
        QCOMPARE(board.messages.shown.size(), 3);
        QVERIFY(board.messages.shown.last().contains(QStringLiteral("kan niet worden geschreven")));
        overview->close();
    }
};

QTEST_MAIN(TestPictureExport)
#include "test_picture_export.moc"
