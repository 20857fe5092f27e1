#include "store/code_page_1252.h"
#include "store/text_file.h"
#include "store_test_files.h"

#include <csignal>
#include <numeric>
#include <sys/resource.h>

using namespace briqo;
using namespace briqo::test;

class TextFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void linesEndWithCrLfLfOrCrAndTheLastEndMayBeMissing()
    {
        const QString path = m_dir.filePath("f.txt");
        putBytes(path, "a\r\n\nb\rc");
        QCOMPARE(readTextLines(path), std::optional<QStringList>({"a", "", "b", "c"}));
        putBytes(path, "");
        QCOMPARE(readTextLines(path), std::optional<QStringList>(QStringList {}));
        QVERIFY(!readTextLines(m_dir.filePath("none.txt")));
    }

    void linesAreWrittenInCodePage1252WithCrLfAndEveryByteReadsBack()
    {
        const QString path = m_dir.filePath("f.txt");
        QVERIFY(writeTextLines(path, {"één", "", "5€", "中😀x", "a\r\nb"}));
        // No code in 1252 becomes one "?" per character; a break inside a line becomes a blank.
        QCOMPARE(bytesOf(path), QByteArray("\xE9\xE9n\r\n\r\n5\x80\r\n??x\r\na  b\r\n"));
        QByteArray all(256, '\0');
        std::iota(all.begin(), all.end(), '\0');
        QCOMPARE(encode1252(decode1252(all)), all);
    }

    void questionTextIsReadJoinedAndTrimmedAndWrittenWithOneEnd()
    {
        QCOMPARE(readJoinedText(golden("question_windows_1252.txt")),
            QString::fromUtf8("Wat bied je met één hand vol ideeën?\r\n  Tip: denk aan 5€."));
        const QString path = m_dir.filePath("Vraag.txt");
        QVERIFY(writeTextItem(path, "Eerste regel\nTweede regel"));
        QCOMPARE(bytesOf(path), bytesOf(golden("question_item.txt")));
        QVERIFY(writeTextItem(path, QString()));
        QCOMPARE(bytesOf(path), QByteArray("\r\n"));
    }

    void failedWriteReportsAndKeepsThePreviousFile()
    {
        // A full disk, made by a file size limit that holds for root as well.
        const QString path = m_dir.filePath("game.txt");
        QVERIFY(writeTextLines(path, {"old"}));
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small {64, saved.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        QString error;
        const bool written = writeTextLines(path, {QString(1000, 'n')}, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(bytesOf(path), QByteArray("old\r\n"));
    }
};

QTEST_APPLESS_MAIN(TextFileTest)
#include "test_text_file.moc"
