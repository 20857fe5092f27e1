// Printing the board through the test printer, which prints into a PDF file; the page is
// rasterised with poppler's tools at 72 dots per inch (one pixel a point) and measured.

#include "picture_board.h"
#include "support/test_files.h"

#include "output/print_picture.h"
#include "platform/qt_services.h"

#include <QApplication>
#include <QPrintDialog>
#include <QTimer>

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace briqo;
using namespace briqo::testing;

namespace {

// Where the board goes on the page and how large, in points: 400 twips in, and half the picture's
// HiMetric size read as twips, which is 0.5 x 2540/96 twips = 0.661 points a 96-dpi pixel.
constexpr double OffsetPoints = 400 / 20.0;
constexpr double PointsPerPixel = 0.5 * 2540 / 96 / 20;
// Rasterising rounds each edge to a whole point.
constexpr double Tolerance = 1.5;

struct PrintedPages {
    int count = 0;
    QImage first;
};

PrintedPages rasterise(const QString &pdf)
{
    PrintedPages pages;
    pages.count = pageCount(pdf);
    QTemporaryDir out;
    QProcess::execute(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
        {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
            out.filePath(QStringLiteral("page"))});
    pages.first = QImage(out.filePath(QStringLiteral("page.png")));
    if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty() && !pages.first.isNull())
        pages.first.save(
            QString::fromLocal8Bit(shots) + QLatin1Char('/') + QFileInfo(pdf).baseName() + QStringLiteral("_page.png"));
    return pages;
}

// The smallest rectangle holding every pixel that is not (nearly) white.
QRectF inkBox(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) < 200 || qGreen(c) < 200 || qBlue(c) < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    return right < 0 ? QRectF() : QRectF(left, top, right - left + 1, bottom - top + 1);
}

void verifyNear(const QRectF &actual, const QRectF &expected)
{
    const QMarginsF off(actual.left() - expected.left(), actual.top() - expected.top(),
        actual.right() - expected.right(), actual.bottom() - expected.bottom());
    for (double edge : {off.left(), off.top(), off.right(), off.bottom()})
        QVERIFY2(
            std::abs(edge) <= Tolerance, qPrintable(QDebug::toString(actual) + " for " + QDebug::toString(expected)));
}

bool havePopplerTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (!havePopplerTools())
            QSKIP("pdftoppm and pdfinfo (poppler-utils) are needed to measure printed pages");
    }

    void aPictureIsPlacedAndScaledFromItsOwnSize_data()
    {
        QTest::addColumn<int>("printerMode");
        QTest::addColumn<int>("pictureDpi");
        QTest::addColumn<double>("widthMm");
        QTest::newRow("fine printer, screen picture") << int(QPrinter::HighResolution) << 96 << 149.35;
        QTest::newRow("coarse printer, screen picture") << int(QPrinter::ScreenResolution) << 96 << 149.35;
        QTest::newRow("picture of twice the resolution") << int(QPrinter::HighResolution) << 192 << 74.68;
    }
    void aPictureIsPlacedAndScaledFromItsOwnSize()
    {
        QFETCH(int, printerMode);
        QFETCH(int, pictureDpi);
        QFETCH(double, widthMm);
        QTemporaryDir dir;
        QPrinter printer {QPrinter::PrinterMode(printerMode)};
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("scaled.pdf")));
        printer.setPageMargins(QMarginsF(12, 17, 12, 12), QPageLayout::Millimeter);
        QImage picture(640, 200, QImage::Format_RGB32);
        picture.fill(Qt::black);
        picture.setDotsPerMeterX(qRound(pictureDpi / 0.0254));
        picture.setDotsPerMeterY(qRound(pictureDpi / 0.0254));

        QPainter page(&printer);
        PrintScaledPicture(page, picture, 400, 400, 0.5);
        page.end();

        const PrintedPages printed = rasterise(printer.outputFileName());
        QCOMPARE(printed.count, 1);
        const QPointF origin = printer.pageLayout().paintRectPoints().topLeft();
        const double widthPt = widthMm / 25.4 * 72;
        verifyNear(inkBox(printed.first),
            QRectF(origin.x() + OffsetPoints, origin.y() + OffsetPoints, widthPt, widthPt * 200 / 640));
    }

    void printingCapturesSavesAndPrintsOnePage()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        QTest::mouseClick(w.cmdDrukSpelAf, Qt::LeftButton);

        QCOMPARE(p.board.printing.dialogs, 1);
        QCOMPARE(p.pictures(5), QStringList {QStringLiteral("Spel 005.bmp")});
        const QImage picture = w.boardPictureNow();
        QCOMPARE(p.board.clipboard.image(), picture);

        QPrinter &printer = p.board.printing.printer();
        const PrintedPages printed = rasterise(printer.outputFileName());
        QCOMPARE(printed.count, 1);
        // What is drawn on the page is the picture's ink moved 400 twips in and scaled by half its
        // HiMetric size: a 96-dpi picture prints 0.661 points a pixel.
        const QPointF origin = printer.pageLayout().paintRectPoints().topLeft();
        const QRectF ink = inkBox(picture.convertToFormat(QImage::Format_RGB32));
        verifyNear(inkBox(printed.first),
            QRectF(origin.x() + OffsetPoints + ink.left() * PointsPerPixel,
                origin.y() + OffsetPoints + ink.top() * PointsPerPixel, ink.width() * PointsPerPixel,
                ink.height() * PointsPerPixel));
        QVERIFY(p.board.pause.pauses.isEmpty());
    }

    void theRealPrintDialogsOkPrintsThePageWithoutAnActiveWindow()
    {
        // The platform's own dialog, confirmed with "Print to File (PDF)" chosen; when it closes
        // no window is active yet, and the page must come all the same.
        QTemporaryDir dir;
        QtPrinterServices real;
        real.printer().setOutputFormat(QPrinter::PdfFormat);
        real.printer().setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
        PictureBoard p(10, &real);
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        bool dialogShown = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            dialogShown = dialog != nullptr;
            if (dialog)
                dialog->accept();
        });
        QTest::mouseClick(w.cmdDrukSpelAf, Qt::LeftButton);
        QVERIFY(dialogShown);
        QVERIFY(p.board.messages.shown.isEmpty());
        QCOMPARE(p.pictures(5), QStringList {QStringLiteral("Spel 005.bmp")});
        QCOMPARE(rasterise(dir.filePath(QStringLiteral("print.pdf"))).count, 1);
        const QRectF ink = inkBox(rasterise(dir.filePath(QStringLiteral("print.pdf"))).first);
        QVERIFY(ink.width() > 100 && ink.height() > 100); // the board, not a blank page
    }

    void cancelPrintsAndWritesNothing()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        readyForPicture(p.board, QStringLiteral("5"));
        p.board.printing.confirm = false;
        QTest::mouseClick(w.cmdDrukSpelAf, Qt::LeftButton);
        QCOMPARE(p.board.printing.dialogs, 1);
        QVERIFY(p.pictures(5).isEmpty());
        QVERIFY(!QFileInfo::exists(p.board.printing.printer().outputFileName()));
        QVERIFY(w.isEnabled() && w.cmdDrukSpelAf->isEnabled());

        p.board.printing.confirm = true;
        QTest::mouseClick(w.cmdDrukSpelAf, Qt::LeftButton);
        QCOMPARE(p.pictures(5), QStringList {QStringLiteral("Spel 005.bmp")});
        QCOMPARE(rasterise(p.board.printing.printer().outputFileName()).count, 1);
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
