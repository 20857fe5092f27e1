#include "base/string_ids.h"
#include "base/string_table.h"
#include "platform/update_files.h"
#include "shell/update_rules.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;

namespace { } // namespace

class TestUpdateRules : public QObject {
    Q_OBJECT

private slots:
    // The server writes its version with dots; the program, version 1.0.5, compares digits.
    void serverVersionIsNewerOnlyWhenItsDigitsAreLarger_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("newer");
        QTest::newRow("same version") << "1.0.5" << false;
        QTest::newRow("next revision") << "1.0.6" << true;
        QTest::newRow("next minor") << "1.1.0" << true;
        QTest::newRow("empty line") << "" << false;
        QTest::newRow("not a number") << "abc" << false;
        QTest::newRow("bare 2 reads as two, below 105") << "2" << false;
        QTest::newRow("very long number") << "1." + QString(5000, QLatin1Char('9')) << true;
    }
    void serverVersionIsNewerOnlyWhenItsDigitsAreLarger()
    {
        QFETCH(QString, line);
        QFETCH(bool, newer);
        QCOMPARE(isNewerVersion(line, QStringLiteral("105")), newer);
    }

    // Servers and editors add line ends and byte-order marks the comparison must not see.
    void versionFileGivesItsFirstLineOnly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::newRow("CR LF and more lines") << QByteArray("1.0.6\r\n1.0.9\r\n") << "1.0.6";
        QTest::newRow("byte-order mark") << QByteArray::fromHex("efbbbf") + "1.0.6\r\n"
                                         << "1.0.6";
        QTest::newRow("empty first line") << QByteArray("\r\n1.0.6\r\n") << "";
    }
    void versionFileGivesItsFirstLineOnly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, line);
        QTemporaryDir dir;
        const QString file = versionFilePath(dir.path());
        put(file, bytes);
        QCOMPARE(readVersionLine(file), line);
    }

    void settingsFallBackToTheMakersAddresses()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        UpdateSettings s = readUpdateSettings(ini);
        QCOMPARE(s.versionUrl, defaultVersionUrl());
        QCOMPARE(s.installerUrl, defaultInstallerUrl());
        QCOMPARE(s.website, defaultWebsite());
        QVERIFY(s.versionUrl.endsWith(QLatin1String("/versie.txt")));

        put(ini,
            "[Taal]\r\nnummer=11\r\n[Update]\r\nVersionUrl=\r\nInstallerUrl=ftp://files.example/Briqo.exe\r\n"
            "Website=\r\n");
        s = readUpdateSettings(ini);
        QCOMPARE(s.versionUrl, defaultVersionUrl());
        QCOMPARE(s.installerUrl, defaultInstallerUrl());
        QCOMPARE(s.website, defaultWebsite());
    }

    void settingsPointAtACompanyServer()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        put(ini,
            "[update]\r\nversionurl=http://intranet.local:8080/briqo/versie.txt\r\n"
            "InstallerUrl=updates.intranet.local/briqo/Briqo.run\r\nWebsite=the help desk, extension 123\r\n");
        const UpdateSettings s = readUpdateSettings(ini);
        QCOMPARE(s.versionUrl, QStringLiteral("http://intranet.local:8080/briqo/versie.txt"));
        // Typed without a scheme, as into a browser.
        QCOMPARE(s.installerUrl, QStringLiteral("http://updates.intranet.local/briqo/Briqo.run"));
        QCOMPARE(s.website, QStringLiteral("the help desk, extension 123"));
    }

    void noUpdateMessageNamesTheConfiguredWebsite()
    {
        for (int language : {LanguageDutch, LanguageEnglish}) {
            const QString text = ResString(Str::NoUpdate, language);
            // The table's text must end in the default website, or the swap below silently fails.
            QVERIFY(text.endsWith(defaultWebsite()));
            QCOMPARE(noUpdateMessage(text, defaultWebsite()), text);
            const QString shown = noUpdateMessage(text, QStringLiteral("https://intranet.local/briqo"));
            QVERIFY(shown.endsWith(QLatin1String(": https://intranet.local/briqo")));
            QVERIFY(!shown.contains(defaultWebsite()));
        }
    }
};

QTEST_GUILESS_MAIN(TestUpdateRules)
#include "test_update_rules.moc"
