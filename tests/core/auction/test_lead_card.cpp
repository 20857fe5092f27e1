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
        QTest::addColumn<QChar>("c");
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("tenAs10");
        QTest::addColumn<QString>("text");
        QTest::newRow("nl ace") << QChar('A') << LanguageDutch << false << "Aas";
        QTest::newRow("nl king") << QChar('H') << LanguageDutch << false << "Heer";
        QTest::newRow("nl queen") << QChar('V') << LanguageDutch << false << "Vrouw";
        QTest::newRow("nl jack") << QChar('B') << LanguageDutch << false << "Boer";
        QTest::newRow("nl ten") << QChar('T') << LanguageDutch << false << "T";
        QTest::newRow("nl ten as 10") << QChar('T') << LanguageDutch << true << "10";
        QTest::newRow("nl 1 of a 10") << QChar('1') << LanguageDutch << false << "T";
        QTest::newRow("nl spot") << QChar('7') << LanguageDutch << true << "7";
        QTest::newRow("en ace") << QChar('A') << LanguageEnglish << false << "Ace";
        QTest::newRow("en king") << QChar('K') << LanguageEnglish << false << "King";
        QTest::newRow("en queen") << QChar('Q') << LanguageEnglish << false << "Queen";
        QTest::newRow("en jack") << QChar('J') << LanguageEnglish << false << "Jack";
        QTest::newRow("en ten") << QChar('T') << LanguageEnglish << false << "T";
        QTest::newRow("en 1 of a 10 as 10") << QChar('1') << LanguageEnglish << true << "10";
        QTest::newRow("en spot") << QChar('2') << LanguageEnglish << false << "2";
        QTest::newRow("Dutch king letter in English is no king") << QChar('H') << LanguageEnglish << false << "H";
        QTest::newRow("nothing clicked") << QChar() << LanguageEnglish << false << "";
    }
    void cardTextNamesHonoursAndTheTen()
    {
        QFETCH(QChar, c);
        QFETCH(int, language);
        QFETCH(bool, tenAs10);
        QFETCH(QString, text);
        QCOMPARE(leadCardText(c, language, tenAs10), text);
    }

    void caretPicksTheCardAfterIt_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QChar>("card");
        QTest::newRow("honour") << "AK1032" << 1 << QChar('K');
        QTest::newRow("the 1 of a 10") << "AK1032" << 2 << QChar('T');
        QTest::newRow("the 0 of a 10") << "AK1032" << 3 << QChar('T');
        QTest::newRow("spot after a 10") << "AK1032" << 4 << QChar('3');
        QTest::newRow("ten as T") << "AKT32" << 2 << QChar('T');
        QTest::newRow("past the last card") << "AK1032" << 6 << QChar();
        QTest::newRow("empty hand") << "" << 0 << QChar();
        QTest::newRow("negative caret") << "AK" << -1 << QChar();
    }
    void caretPicksTheCardAfterIt()
    {
        QFETCH(QString, field);
        QFETCH(int, caret);
        QFETCH(QChar, card);
        QCOMPARE(leadCharAt(field, caret), card);
    }

    void leaderSitsAfterTheDeclarer_data()
    {
        QTest::addColumn<QString>("declarer");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("leader");
        QTest::newRow("North declares, East leads") << "0" << 13 << 1;
        QTest::newRow("South declares, West leads") << "2" << 0 << 3;
        QTest::newRow("West declares, North leads") << "3" << 5 << 0;
        QTest::newRow("no declarer: owner of the clicked hand") << "" << 13 << 3;
        QTest::newRow("unreadable declarer: owner of the clicked hand") << "x" << 5 << 1;
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
        QCOMPARE(leadQuestion(1, 1, QStringLiteral("King"), LanguageEnglish),
                 QStringLiteral("East leads with the King of Hearts"));
        const QString ten = leadCardText(leadCharAt(QStringLiteral("1082"), 1), LanguageEnglish, true);
        QCOMPARE(leadQuestion(0, 3, ten, LanguageEnglish), QStringLiteral("North leads with the 10 of Clubs"));
        QCOMPARE(leadRecord(0, 3, ten, LanguageEnglish), QStringLiteral("North - 3T"));
        QCOMPARE(leadRecord(3, 1, QStringLiteral("Heer"), LanguageDutch), QStringLiteral("West - 1Heer"));
        QCOMPARE(leadPicture(1), 108);
    }
};

QTEST_APPLESS_MAIN(TestLeadCard)
#include "test_lead_card.moc"
