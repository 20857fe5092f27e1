// How a par is written on the board and in the overview, in both languages.

#include "analysis/par_text.h"
#include "base/string_table.h"

#include <QTest>

using namespace briqo;

class TestParText : public QObject {
    Q_OBJECT

private slots:
    void parIsWrittenForTheSideThatGainsIt_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<DoubleDummyResult>("result");
        QTest::addColumn<QString>("summary");

        DoubleDummyResult game;
        game.parScore = 620;
        game.parContracts = {ParContract {4, 3, {North, South}}, ParContract {4, 2, {North}, false, 1}};
        QTest::newRow("game nl") << int(LanguageDutch) << game << QStringLiteral("NZ +620: 4♠ NZ, 4♥ N +1");
        QTest::newRow("game en") << int(LanguageEnglish) << game << QStringLiteral("NS +620: 4♠ NS, 4♥ N +1");

        DoubleDummyResult sacrifice;
        sacrifice.parScore = -300;
        sacrifice.parContracts = {ParContract {5, 1, {East, West}, true, 0, 2}};
        QTest::newRow("sacrifice nl") << int(LanguageDutch) << sacrifice << QStringLiteral("OW +300: 5♦x OW -2");

        DoubleDummyResult noTrump;
        noTrump.parScore = -90;
        noTrump.parContracts = {ParContract {1, NoTrumpStrain, {West}}};
        QTest::newRow("no trump nl") << int(LanguageDutch) << noTrump << QStringLiteral("OW +90: 1SA W");
        QTest::newRow("no trump en") << int(LanguageEnglish) << noTrump << QStringLiteral("EW +90: 1NT W");

        QTest::newRow("passed out") << int(LanguageEnglish) << DoubleDummyResult {} << QStringLiteral("0");
    }
    void parIsWrittenForTheSideThatGainsIt()
    {
        QFETCH(int, language);
        QFETCH(DoubleDummyResult, result);
        QFETCH(QString, summary);
        QCOMPARE(parSummaryText(result, language), summary);
    }
};

QTEST_MAIN(TestParText)
#include "test_par_text.moc"
