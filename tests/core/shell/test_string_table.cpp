#include "base/string_table.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace briqo;

class TestStringTable : public QObject {
    Q_OBJECT

private slots:
    void lookupPadsTheIndexAndPrefixesTheLanguage_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0 Dutch") << 0 << 10 << "Spel";
        QTest::newRow("24 English") << 24 << 11 << "Game ready.";
        QTest::newRow("five digits load directly") << 10024 << 11 << "Spel klaar.";
        QTest::newRow("unknown language falls back to Dutch") << 24 << 12 << "Spel klaar.";
        QTest::newRow("gap in the table is empty") << 48 << 10 << "";
    }
    void lookupPadsTheIndexAndPrefixesTheLanguage()
    {
        QFETCH(int, n);
        QFETCH(int, language);
        QFETCH(QString, expected);
        QCOMPARE(ResString(n, language), expected);
    }

    // The named ids are read from the headers that define them, so a text added under a new name
    // is checked without anyone copying its number here.
    void everyNamedIdIsInTheTableOnceAndInBothLanguages()
    {
        const QList<int> indexes = stringIndexes();
        QSet<int> seen;
        for (int n : indexes) {
            QVERIFY2(!seen.contains(n), qPrintable(QStringLiteral("%1 twice").arg(n)));
            seen.insert(n);
        }

        const QRegularExpression named(QStringLiteral(R"(constexpr\s+int\s+(\w+)\s*=\s*(\d+)\s*;)"));
        int checked = 0;
        for (const QString &header : {QStringLiteral("base/string_ids.h"), QStringLiteral("base/string_table.h"),
                 QStringLiteral("exchange/exchange_strings.h"), QStringLiteral("generate/generate_strings.h")}) {
            QFile file(QStringLiteral(BRIQO_SOURCE_DIR "/src/") + header);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch &m : named.globalMatch(text)) {
                if (m.captured(1).startsWith(QLatin1String("Language")))
                    continue; // the language numbers, not texts
                const int n = m.captured(2).toInt();
                const QString where = header + QLatin1Char(' ') + m.captured(1);
                QVERIFY2(seen.contains(n), qPrintable(where + QStringLiteral(" is not in the table")));
                QVERIFY2(!ResString(n, 10).isEmpty() && !ResString(n, 11).isEmpty(), qPrintable(where));
                ++checked;
            }
        }
        QVERIFY(checked > 150);
    }

    void textsKeepTheirExactBlanksQuotesAndTabs()
    {
        QCOMPARE(ResString(25, 10),
            QStringLiteral("~  heeft 13 kaarten.|Als hij er meer krijgt, dan moet je de arbiter roepen."));
        QCOMPARE(ResString(25, 11), QStringLiteral(" ~ has 13 cards | If he gets more, you must call the arbiter."));
        QCOMPARE(ResString(23, 10), QStringLiteral("Wis de hele bieding.\"|\"Zeker weten?"));
        QCOMPARE(ResString(35, 11), QStringLiteral("\"~ #\" has already been used once."));
        QVERIFY(ResString(58, 10).endsWith(QLatin1Char('\t')));
        QVERIFY(!ResString(58, 11).endsWith(QLatin1Char('\t')));
        QVERIFY(ResString(15, 10).endsWith(QLatin1String("2020")));
    }

    void messagesTurnBarsIntoLineBreaksAndFillPlaceholders()
    {
        QCOMPARE(messageText(ResString(36, 11)), QStringLiteral("Delete ~ permanently?\n\nAre you sure?"));
        QString text = fillPlaceholder(ResString(70, 11), QLatin1Char('~'), QStringLiteral("East"));
        text = fillPlaceholder(text, QLatin1Char('#'), QStringLiteral("Hearts"));
        text = fillPlaceholder(text, QLatin1Char('*'), QStringLiteral("King"));
        QCOMPARE(text, QStringLiteral("East leads with the King of Hearts"));
    }

    void languageFromTheIniFallsBackToDutch_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("language");
        QTest::newRow("empty") << "" << 10;
        QTest::newRow("11") << "11" << 11;
        QTest::newRow("leading digits") << "11abc" << 11;
        QTest::newRow("other number") << "12" << 10;
        QTest::newRow("text") << "English" << 10;
    }
    void languageFromTheIniFallsBackToDutch()
    {
        QFETCH(QString, value);
        QFETCH(int, language);
        QCOMPARE(languageFromIniValue(value), language);
    }

    void leadingNumberReadsLikeVal()
    {
        QCOMPARE(leadingNumber(QStringLiteral("  42abc")), 42LL);
        QCOMPARE(leadingNumber(QStringLiteral("abc")), 0LL);
        QCOMPARE(leadingNumber(QStringLiteral("-7")), -7LL);
    }
};

QTEST_APPLESS_MAIN(TestStringTable)
#include "test_string_table.moc"
