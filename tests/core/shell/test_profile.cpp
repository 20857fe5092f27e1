#include "base/profile.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void missingFileSectionOrKeyReadsEmpty()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        QCOMPARE(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), ini), QString());
        put(ini, "[Taal]\r\nnummer=\r\n[Other]\r\nx=1\r\n");
        QCOMPARE(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), ini), QString());
        QCOMPARE(ReadIni(QStringLiteral("Taal"), QStringLiteral("x"), ini), QString());
        QCOMPARE(ReadIni(QStringLiteral("Nothing"), QStringLiteral("x"), ini), QString());
    }

    void firstWriteCreatesTheFileWithCrLf()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        QVERIFY(WriteIni(QStringLiteral("Taal"), QStringLiteral("nummer"), QStringLiteral("11"), ini));
        QCOMPARE(contents(ini), QByteArray("[Taal]\r\nnummer=11\r\n"));
        QVERIFY(WriteIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), QStringLiteral("1"), ini));
        QCOMPARE(contents(ini), QByteArray("[Taal]\r\nnummer=11\r\n[Sorteer Spellen]\r\nHoe=1\r\n"));
        QCOMPARE(ReadIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), ini), QStringLiteral("1"));
    }

    void namesMatchWithoutCaseAndOtherLinesAreKept()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        put(ini, "; made by hand\n[TAAL]\nNummer = 10 \nkleur=rood\n\n[Sorteer Spellen]\nHoe=0\n");
        QCOMPARE(ReadIni(QStringLiteral("taal"), QStringLiteral("NUMMER"), ini), QStringLiteral("10"));
        QVERIFY(WriteIni(QStringLiteral("Taal"), QStringLiteral("nummer"), QStringLiteral("11"), ini));
        QCOMPARE(contents(ini),
            QByteArray("; made by hand\r\n[TAAL]\r\nnummer=11\r\nkleur=rood\r\n\r\n[Sorteer Spellen]\r\nHoe=0\r\n"));
        // A new key joins its section after the last entry, before the blank line.
        QVERIFY(WriteIni(QStringLiteral("taal"), QStringLiteral("extra"), QStringLiteral("ja"), ini));
        QCOMPARE(contents(ini),
            QByteArray("; made by hand\r\n[TAAL]\r\nnummer=11\r\nkleur=rood\r\nextra=ja\r\n\r\n"
                       "[Sorteer Spellen]\r\nHoe=0\r\n"));
    }

    void unwritableFileReportsFailure()
    {
        QTemporaryDir dir;
        put(dir.filePath(QStringLiteral("plain")), "x");
        QVERIFY(!WriteIni(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c"),
            dir.filePath(QStringLiteral("plain/taal.ini"))));
    }
};

QTEST_APPLESS_MAIN(TestProfile)
#include "test_profile.moc"
