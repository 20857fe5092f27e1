#include "store/code_page_1252.h"
#include "store/text_file.h"
#include "store_test_files.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace briqo;
using briqo::test::bytesOf;
using briqo::test::golden;
using briqo::test::putBytes;

class TextFileTest : public QObject {
    Q_OBJECT

private slots:
    void linesEndWithCrLfLfOrCrAndTheLastEndMayBeMissing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("LF only") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"};
        QTest::newRow("bare CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
    }

    void linesEndWithCrLfLfOrCrAndTheLastEndMayBeMissing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        putBytes(dir.filePath("f.txt"), bytes);
        QCOMPARE(readTextLines(dir.filePath("f.txt")), std::optional<QStringList>(lines));
        QVERIFY(!readTextLines(dir.filePath("none.txt")));
        QVERIFY(!readTextLines(dir.path()));
    }

    void linesAreWrittenInCodePage1252WithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("f.txt");
        QVERIFY(writeTextLines(path, {"één", "", "5€", "中😀x", "a\r\nb"}));
        // No code in 1252 becomes one "?" per character; a break inside a line becomes a blank.
        QCOMPARE(bytesOf(path), QByteArray("\xE9\xE9n\r\n\r\n5\x80\r\n??x\r\na  b\r\n"));
    }

    void everyByteSurvivesDecodingAndEncoding()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = decode1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x9F], QChar(0x0178));
        QCOMPARE(encode1252(text), all);
    }

    void questionWrittenOnWindowsReadsBackJoinedAndTrimmed()
    {
        QCOMPARE(readJoinedText(golden("question_windows_1252.txt")),
                 QString::fromUtf8("Wat bied je met één hand vol ideeën?\r\n  Tip: denk aan 5€."));
    }

    void questionItemKeepsItsLinesWithoutAnExtraOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Vraag.txt");
        QVERIFY(writeTextItem(path, "Eerste regel\nTweede regel"));
        QCOMPARE(bytesOf(path), bytesOf(golden("question_item.txt")));
        QCOMPARE(readJoinedText(path), QString("Eerste regel\r\nTweede regel"));

        QVERIFY(writeTextItem(path, QString()));
        QCOMPARE(bytesOf(path), QByteArray("\r\n"));
        QCOMPARE(readJoinedText(path), QString());
    }

    void failedWriteReportsAndKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        putBytes(dir.filePath("plain"), "x");
        QString error;
        QVERIFY(!writeTextLines(dir.filePath("plain/f.txt"), {"a"}, &error)); // below a file
        QVERIFY(!error.isEmpty());

        // A full disk, made by a file size limit that holds for root as well.
        const QString path = dir.filePath("game.txt");
        QVERIFY(writeTextLines(path, {"old"}));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = writeTextLines(path, {QString(1000, 'n')});
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(bytesOf(path), QByteArray("old\r\n"));
    }

    void writeIntoReadOnlyFolderKeepsThePreviousFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; the size-limit case covers a failed save");
        QTemporaryDir dir;
        const QString path = dir.filePath("game.txt");
        QVERIFY(writeTextLines(path, {"old"}));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool intoReadOnly = writeTextLines(path, {"new"});
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!intoReadOnly);
        QCOMPARE(bytesOf(path), QByteArray("old\r\n"));
    }
};

QTEST_APPLESS_MAIN(TextFileTest)
#include "test_text_file.moc"
