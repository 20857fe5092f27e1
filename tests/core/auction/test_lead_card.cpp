#include "auction/lead_card.h"
#include "shell/string_table.h"

#include <QtTest>

using namespace briqo;

class TestLeadCard : public QObject
{
    Q_OBJECT

private slots:
    void cardTextNamesHonoursAndTheTen_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("tenAs10");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("texts");
        QTest::newRow("Dutch") << LanguageDutch << false << "AHVBT17K" << "Aas Heer Vrouw Boer T T 7 K";
        QTest::newRow("Dutch, ten as 10") << LanguageDutch << true << "T12" << "10 10 2";
        QTest::newRow("English") << LanguageEnglish << false << "AKQJT12H" << "Ace King Queen Jack T T 2 H";
        QTest::newRow("English, ten as 10") << LanguageEnglish << true << "T19" << "10 10 9";
    }
    void cardTextNamesHonoursAndTheTen()
    {
        QFETCH(int, language);
        QFETCH(bool, tenAs10);
        QFETCH(QString, cards);
        QFETCH(QString, texts);
        QStringList out;
        for (QChar c : cards)
            out << leadCardText(c, language, tenAs10);
        QCOMPARE(out.join(QLatin1Char(' ')), texts);
        QCOMPARE(leadCardText(QChar(), language, tenAs10), QString());
    }

    void caretPicksTheCardAfterIt()
    {
        QString picked; // every caret position of "AK1032", and one past the end
        for (int caret = -1; caret <= 6; ++caret) {
            const QChar c = leadCharAt(QStringLiteral("AK1032"), caret);
            picked += c.isNull() ? QChar('_') : c;
        }
        QCOMPARE(picked, QStringLiteral("_AKTT32_")); // both characters of the 10 are the ten
        QVERIFY(leadCharAt(QString(), 0).isNull());
    }

    void leaderSitsAfterTheDeclarer_data()
    {
        QTest::addColumn<QString>("declarer");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("leader");
        QTest::newRow("North declares, East leads") << "0" << 13 << 1;
        QTest::newRow("South declares, West leads") << "2" << 0 << 3;
        QTest::newRow("West declares, North leads") << "3" << 5 << 0;
        QTest::newRow("no declarer: the clicked hand") << "" << 13 << 3;
        QTest::newRow("unreadable declarer: the clicked hand") << "x" << 5 << 1;
        QTest::newRow("no declarer, no such field") << "" << 16 << -1;
    }
    void leaderSitsAfterTheDeclarer()
    {
        QFETCH(QString, declarer);
        QFETCH(int, field);
        QFETCH(int, leader);
        QCOMPARE(leaderSeat(declarer, field), leader);
    }

    void questionAndRecordInBothLanguages()
    {
        QCOMPARE(leadQuestion(3, 1, QStringLiteral("Heer"), LanguageDutch), QStringLiteral("West start met Harten Heer"));
        QCOMPARE(leadQuestion(1, 1, QStringLiteral("King"), LanguageEnglish), QStringLiteral("East leads with the King of Hearts"));
        QCOMPARE(leadQuestion(0, 3, QStringLiteral("10"), LanguageEnglish), QStringLiteral("North leads with the 10 of Clubs"));
        QCOMPARE(leadRecord(0, 3, QStringLiteral("10"), LanguageEnglish), QStringLiteral("North - 3T"));
        QCOMPARE(leadRecord(3, 1, QStringLiteral("Heer"), LanguageDutch), QStringLiteral("West - 1Heer"));
    }
};

QTEST_APPLESS_MAIN(TestLeadCard)
#include "test_lead_card.moc"
