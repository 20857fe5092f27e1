// What each board of a handout shows, kept in taal.ini between two handouts of the window.

#include "base/profile.h"
#include "output/shown_parts.h"

#include <QTemporaryDir>
#include <QTest>

using namespace briqo;

class TestShownParts : public QObject {
    Q_OBJECT

private slots:
    void choicesComeBackAndBadValuesKeepTheirDefaults()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        // Nothing written yet: the board as the window's picture shows it.
        QCOMPARE(readShownParts(ini), ShownParts {});

        ShownParts chosen;
        chosen.lead = false;
        chosen.contract = false;
        chosen.doubleDummy = true;
        chosen.hands = {false, true, false, false};
        QVERIFY(writeShownParts(chosen, ini));
        QCOMPARE(readShownParts(ini), chosen);
        // The language's other section stays as it was.
        QVERIFY(WriteIni(QStringLiteral("Taal"), QStringLiteral("nummer"), QStringLiteral("11"), ini));
        QCOMPARE(readShownParts(ini), chosen);

        // No hand at all is a choice too, not "never chosen".
        chosen.hands = {};
        QVERIFY(writeShownParts(chosen, ini));
        QCOMPARE(readShownParts(ini).hands, chosen.hands);

        // Edited by hand: a value not understood keeps its default, Dutch seat letters are read.
        QVERIFY(WriteIni(QStringLiteral("Hand-out"), QStringLiteral("Uitkomst"), QStringLiteral("ja"), ini));
        QVERIFY(WriteIni(QStringLiteral("Hand-out"), QStringLiteral("Handen"), QStringLiteral("oz"), ini));
        QCOMPARE(readShownParts(ini).lead, true);
        QCOMPARE(readShownParts(ini).hands, (std::array<bool, 4> {false, true, true, false}));
        QVERIFY(WriteIni(QStringLiteral("Hand-out"), QStringLiteral("Handen"), QStringLiteral("NX"), ini));
        QCOMPARE(readShownParts(ini).hands, ShownParts {}.hands);
    }
};

QTEST_GUILESS_MAIN(TestShownParts)
#include "test_shown_parts.moc"
