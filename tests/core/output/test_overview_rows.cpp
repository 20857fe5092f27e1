#include "base/string_table.h"
#include "output/overview_rows.h"
#include "store/game_store.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace briqo;
using namespace briqo::testing;

namespace {

QStringList column(const QList<OverviewRow> &rows, OverviewColumn c)
{
    QStringList texts;
    for (const OverviewRow &row : rows)
        texts << overviewCell(row, c);
    return texts;
}

} // namespace

class OverviewRowsTest : public QObject {
    Q_OBJECT

private slots:
    void onlyGamesWithAContractLineGetARowInListOrder_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("Dutch") << LanguageDutch;
        QTest::newRow("English") << LanguageEnglish;
    }
    void onlyGamesWithAContractLineGetARowInListOrder()
    {
        QFETCH(int, language);
        QTemporaryDir dir;
        const GameStore store(dir.path(), language);
        const bool dutch = language == LanguageDutch;
        QVERIFY(store.writeContract(12, dutch ? "West 3 SA" : "West 3 NT"));
        QVERIFY(store.writeContract(5, dutch ? "Zuid 4 Harten" : "South 4 Hearts"));
        store.ensureFolder(7); // no contract file
        put(store.paths(8).contract, ""); // an empty file
        put(store.paths(9).contract, "\r\n"); // an empty line
        put(store.paths(10).contract, "   \r\nNoord 1 Ruiten\r\n"); // only blanks on the first line
        // Copied from another system in capitals: found all the same.
        const QString copied = (dutch ? "SPEL 014/SPEL 014 " : "GAME 014/GAME 014 ") + store.words().contract.toUpper();
        put(store.gamesRoot() + '/' + copied + ".TXT", "Oost 1 Klaveren\r\n");

        const QStringList entries {store.folderName(12), store.folderName(7), store.folderName(5), store.folderName(8),
            store.folderName(9), store.folderName(10), store.folderName(11), store.folderName(14)};
        const QList<OverviewRow> rows = overviewRows(store, entries);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0], (OverviewRow {"012", "West", dutch ? "3 SA" : "3 NT", {}}));
        QCOMPARE(rows[1], (OverviewRow {"005", dutch ? "Zuid" : "South", dutch ? "4 Harten" : "4 Hearts", {}}));
        QCOMPARE(rows[2], (OverviewRow {"014", "Oost", "1 Klaveren", {}}));
        QVERIFY(overviewRows(store, {}).isEmpty());
    }

    void handEditedLinesKeepEveryWord()
    {
        // A line without a blank cannot name a declarer: all of it is the contract.
        QCOMPARE(overviewRowOf("Spel 003", "3SA"), (OverviewRow {"003", "", "3SA", {}}));
        QCOMPARE(overviewRowOf("Spel 004", "  Oost 2 Schoppen  "), (OverviewRow {"004", "Oost", "2 Schoppen", {}}));
        QCOMPARE(overviewRowOf("Spel 006", "Noord  5 Klaveren"), (OverviewRow {"006", "Noord", " 5 Klaveren", {}}));
    }

    void eachColumnSortsAscendingCaseSensitiveAndStable_data()
    {
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<QStringList>("digits");
        QTest::newRow("game") << 0 << QStringList {"002", "010", "100", "101", "999"};
        // Equal declarers keep the order they had: 010 before 999 before 002.
        QTest::newRow("declarer") << 1 << QStringList {"100", "101", "010", "999", "002"};
        // Upper case sorts before lower case: "3 SA" before "3 Schoppen", "4 Harten" before "4 harten".
        QTest::newRow("contract") << 2 << QStringList {"002", "999", "101", "100", "010"};
    }
    void eachColumnSortsAscendingCaseSensitiveAndStable()
    {
        QFETCH(int, sortColumn);
        QFETCH(QStringList, digits);
        QList<OverviewRow> rows {{"010", "Zuid", "4 harten", {}}, {"999", "Zuid", "3 SA", {}},
            {"100", "Noord", "4 Harten", {}}, {"002", "Zuid", "1 Harten", {}}, {"101", "West", "3 Schoppen", {}}};
        sortOverviewRows(rows, static_cast<OverviewColumn>(sortColumn));
        QCOMPARE(column(rows, OverviewColumn::Game), digits);
        // Sorting again by the same column changes nothing.
        sortOverviewRows(rows, static_cast<OverviewColumn>(sortColumn));
        QCOMPARE(column(rows, OverviewColumn::Game), digits);
    }
};

QTEST_APPLESS_MAIN(OverviewRowsTest)
#include "test_overview_rows.moc"
