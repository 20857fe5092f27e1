// Printing into a PDF file ("Print to File" in the print dialog) on a disk that fills up: the
// file chosen keeps what it held, and the print says why it did not land.

#include "core/reliability/hostile_disk.h"
#include "output/print_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;
using test::FullDisk;

namespace {

// One page with a line of text, as a print of the board or the overview gives it.
bool printPage(QPrinter &printer)
{
    QPainter page;
    if (!page.begin(&printer))
        return false;
    page.drawText(100, 100, QStringLiteral("Spel 5"));
    return page.end();
}

} // namespace

class TestPrintFile : public QObject {
    Q_OBJECT

private slots:
    void aCompleteDocumentReplacesTheChosenFile()
    {
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("print.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(chosen);
        {
            PrintFileGuard toFile(printer);
            QVERIFY(printPage(printer));
            QVERIFY(toFile.finish());
        }
        QCOMPARE(printer.outputFileName(), chosen);
        QVERIFY(contents(chosen).startsWith("%PDF"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"print.pdf"});
    }

    // The printer wrote straight into the chosen file: a full disk left a cut PDF in place of the
    // earlier one.
    void aFullDiskLeavesTheChosenFileAsItWas_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("room");
        QTest::newRow("room for a part") << int(FullDisk::FileSizeLimit) << qint64(300);
        QTest::newRow("no byte fits") << int(FullDisk::FileSizeLimit) << qint64(0);
        QTest::newRow("full file system") << int(FullDisk::SmallFileSystem) << qint64(0);
    }
    void aFullDiskLeavesTheChosenFileAsItWas()
    {
        QFETCH(int, kind);
        QFETCH(qint64, room);
        QTemporaryDir dir;
        FullDisk disk(FullDisk::Kind(kind), dir.path(), room);
        if (!disk.ready())
            QSKIP("no right to mount a small file system here");
        const QString chosen = dir.filePath(QStringLiteral("print.pdf"));
        QFile earlier(chosen);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("the earlier print") > 0);
        earlier.close();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(chosen);
        disk.fill();
        WriteOutcome outcome {true, {}};
        {
            PrintFileGuard toFile(printer);
            if (printPage(printer))
                outcome = toFile.finish();
            else
                outcome = {false, QStringLiteral("the printer could not begin")};
        }
        disk.drain();
        QVERIFY(!outcome);
        QVERIFY(!outcome.reason.isEmpty());
        QCOMPARE(contents(chosen), QByteArray("the earlier print"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"print.pdf"});
    }

    void printingOnPaperIsLeftAlone()
    {
        QPrinter printer;
        printer.setOutputFileName(QString());
        PrintFileGuard toFile(printer);
        QVERIFY(toFile.target().isEmpty());
        QVERIFY(toFile.finish());
    }
};

QTEST_MAIN(TestPrintFile)
#include "test_print_file.moc"
