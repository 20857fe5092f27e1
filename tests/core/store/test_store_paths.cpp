#include "base/string_table.h"
#include "store/file_state.h"
#include "store/game_paths.h"
#include "store_test_files.h"

#include <climits>

using namespace briqo;
using briqo::test::putBytes;

class StorePathsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void fileStateTellsContentEmptinessAndAbsence()
    {
        putBytes(m_dir.filePath("full.txt"), "x");
        putBytes(m_dir.filePath("empty.txt"), "");
        QCOMPARE(FileState(m_dir.filePath("FULL.TXT")), 1); // copied with other letter case
        QCOMPARE(FileState(m_dir.filePath("empty.txt")), 0);
        QCOMPARE(FileState(m_dir.filePath("missing.txt")), -1);
        QCOMPARE(FileState(m_dir.path()), -1); // a folder is no file
    }

    void gameDigitsAreTheLastThreeDigitsAndNeverNegative()
    {
        const std::pair<long long, const char *> cases[]
            = {{5, "005"}, {123, "123"}, {1234, "234"}, {-5, "995"}, {LLONG_MIN, "192"}};
        for (const auto &[n, digits] : cases)
            QCOMPARE(GameDigits(n), QString(digits));
    }

    void gameNamesFollowTheLanguageAndTheLetterCaseOnDisk()
    {
        const GameWords dutch = gameWords(LanguageDutch);
        const GameWords english = gameWords(LanguageEnglish);
        const QString root = m_dir.filePath("b");
        QCOMPARE(gameFilePaths(GameFolder(root, english, 7), gameFolderName(english, 7), english).hands,
            root + "/Games/Game 007/Game 007 hands.txt");

        putBytes(root + "/spellen/SPEL 012/SPEL 012 BIEDING.TXT", "1");
        const GameFilePaths files = gameFilePaths(GameFolder(root, dutch, 12), gameFolderName(dutch, 12), dutch);
        QCOMPARE(files.auction, root + "/spellen/SPEL 012/SPEL 012 BIEDING.TXT");
        QCOMPARE(files.hands, root + "/spellen/SPEL 012/Spel 012 handen.txt"); // not on disk: our spelling
        CreateFolderPath(root + "/Spellen/Spel 012/a/");
        QVERIFY(QFileInfo(root + "/spellen/SPEL 012/a").isDir() && !QFileInfo::exists(root + "/Spellen"));
        QDir(root).mkpath("spellen/Spel 012"); // the exact spelling wins when both exist
        QCOMPARE(GameFolder(root, dutch, 12), root + "/spellen/Spel 012");
    }
};

QTEST_APPLESS_MAIN(StorePathsTest)
#include "test_store_paths.moc"
