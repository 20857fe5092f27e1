#include "store/file_state.h"
#include "store/game_paths.h"
#include "store/path_lookup.h"
#include "store_test_files.h"

#include "shell/string_table.h"

#include <QTemporaryDir>
#include <QtTest>

#include <climits>

using namespace briqo;
using briqo::test::putBytes;

class StorePathsTest : public QObject {
    Q_OBJECT

private slots:
    void fileStateTellsContentEmptinessAndAbsence()
    {
        QTemporaryDir dir;
        putBytes(dir.filePath("full.txt"), "x");
        putBytes(dir.filePath("empty.txt"), "");
        QCOMPARE(FileState(dir.filePath("full.txt")), 1);
        QCOMPARE(FileState(dir.filePath("FULL.TXT")), 1); // copied with other letter case
        QCOMPARE(FileState(dir.filePath("empty.txt")), 0);
        QCOMPARE(FileState(dir.filePath("missing.txt")), -1);
        QCOMPARE(FileState(dir.path()), -1); // a folder is no file
    }

    void createFolderPathMakesMissingLevelsAndIgnoresFailures()
    {
        QTemporaryDir dir;
        CreateFolderPath(dir.filePath("a/b/c/"));
        QVERIFY(QFileInfo(dir.filePath("a/b/c")).isDir());
        putBytes(dir.filePath("plain"), "x");
        CreateFolderPath(dir.filePath("plain/sub")); // below a file: cannot be made, no crash
        QVERIFY(!QFileInfo::exists(dir.filePath("plain/sub")));
        // A folder spelled in other case is reused, not doubled.
        QDir(dir.path()).mkpath("SPELLEN");
        CreateFolderPath(dir.filePath("Spellen/Spel 005"));
        QVERIFY(QFileInfo(dir.filePath("SPELLEN/Spel 005")).isDir());
        QVERIFY(!QFileInfo::exists(dir.filePath("Spellen")));
    }

    void gameDigits_data()
    {
        QTest::addColumn<long long>("n");
        QTest::addColumn<QString>("digits");
        QTest::newRow("0") << 0LL << "000";
        QTest::newRow("5") << 5LL << "005";
        QTest::newRow("42") << 42LL << "042";
        QTest::newRow("123") << 123LL << "123";
        QTest::newRow("1234 keeps the last three") << 1234LL << "234";
        QTest::newRow("-5 as n + 1000 gives") << -5LL << "995";
        QTest::newRow("-1005 stays three digits") << -1005LL << "995";
        QTest::newRow("smallest") << LLONG_MIN << "192";
    }

    void gameDigits()
    {
        QFETCH(long long, n);
        QFETCH(QString, digits);
        QCOMPARE(GameDigits(n), digits);
    }

    void namesOfGameSevenFollowTheLanguage()
    {
        const QString program = QStringLiteral("/nonexistent/briqo/");
        for (const int language : {LanguageDutch, LanguageEnglish}) {
            const GameWords words = gameWords(language);
            const GameFilePaths files =
                gameFilePaths(GameFolder(program, words, 7), gameFolderName(words, 7), words);
            const bool dutch = language == LanguageDutch;
            QCOMPARE(files.auction, program + (dutch ? "Spellen/Spel 007/Spel 007 bieding.txt"
                                                     : "Games/Game 007/Game 007 bidding.txt"));
            QCOMPARE(files.hands, program + (dutch ? "Spellen/Spel 007/Spel 007 handen.txt"
                                                   : "Games/Game 007/Game 007 hands.txt"));
        }
    }

    void gameFilesAreFoundWhateverTheirLetterCase()
    {
        QTemporaryDir dir;
        putBytes(dir.filePath("spellen/SPEL 012/SPEL 012 BIEDING.TXT"), "1");
        const GameWords words = gameWords(LanguageDutch);
        const QString folder = GameFolder(dir.path(), words, 12);
        QCOMPARE(gameFilePath(folder, "Spel 012", words.bidding),
                 dir.filePath("spellen/SPEL 012/SPEL 012 BIEDING.TXT"));
        // Parts that do not exist yet keep our spelling.
        QCOMPARE(gameFilePath(folder, "Spel 012", words.hands),
                 dir.filePath("spellen/SPEL 012/Spel 012 handen.txt"));
        // The exact spelling wins when both exist.
        QDir(dir.path()).mkpath("spellen/Spel 012");
        QCOMPARE(GameFolder(dir.path(), words, 12), dir.filePath("spellen/Spel 012"));
    }
};

QTEST_APPLESS_MAIN(StorePathsTest)
#include "test_store_paths.moc"
