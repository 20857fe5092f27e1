#include "exchange/lin_format.h"
#include "exchange/pbn_reader.h"
#include "shell/string_table.h"
#include "store/game_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace briqo;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QString data(const char *name) { return QStringLiteral(BRIQO_TEST_DATA "/exchange/") + QLatin1String(name); }

} // namespace

// briqo-cli run as a script would run it: no display, a program folder of its own.
class CliTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

    Run cli(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(BRIQO_CLI), args);
        p.waitForFinished(60000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QStringList in(const QStringList &args, const char *lang = "en")
    {
        return args
            + QStringList {QStringLiteral("--folder"), m_folder.path(), QStringLiteral("--lang"), QLatin1String(lang)};
    }

private slots:
    void init()
    {
        QDir(m_folder.path()).removeRecursively();
        QDir().mkpath(m_folder.path());
    }

    void helpAndBadArguments()
    {
        const Run help = cli({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QLatin1String("briqo-cli import")));
        QVERIFY(help.err.isEmpty()); // no notices of the platform without a display

        QCOMPARE(cli({}).exitCode, 2);
        QCOMPARE(cli({QStringLiteral("paint")}).exitCode, 2);
        QCOMPARE(cli(in({QStringLiteral("import")})).exitCode, 2);
        QCOMPARE(cli(in({QStringLiteral("import"), data("teaching.pbn"), QStringLiteral("--on-clash"),
                         QStringLiteral("maybe")}))
                     .exitCode,
            2);
        QCOMPARE(cli({QStringLiteral("import"), data("teaching.pbn"), QStringLiteral("--lang"), QStringLiteral("fr")})
                     .exitCode,
            2);
        QCOMPARE(cli(in({QStringLiteral("export"), QStringLiteral("--games"), QStringLiteral("5-2"),
                         QStringLiteral("--out"), m_folder.filePath(QStringLiteral("x.pbn"))}))
                     .exitCode,
            2);
        const Run unreadable
            = cli(in({QStringLiteral("import"), m_folder.filePath(QStringLiteral("missing.pbn"))}, "nl"));
        QCOMPARE(unreadable.exitCode, 2);
        QVERIFY(unreadable.err.contains(QLatin1String("kan niet worden gelezen")));
    }

    void importWritesTheGamesAndSaysWhatItRefused()
    {
        const Run ok = cli(in({QStringLiteral("import"), data("teaching.pbn")}));
        QCOMPARE(ok.exitCode, 0);
        QCOMPARE(ok.err.trimmed(), QStringLiteral("2 games written, 0 skipped, 0 refused."));
        const GameStore store(m_folder.path(), LanguageEnglish);
        QCOMPARE(store.list(), (QStringList {"Game 005", "Game 006"}));
        QCOMPARE(store.load(5).contract, QStringLiteral("North 4 Hearts"));

        const Run refused = cli(in({QStringLiteral("import"), data("refusals.pbn")}, "nl"));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.startsWith(QLatin1String("4 spellen geschreven, 0 overgeslagen, 7 geweigerd.")));
        QVERIFY(
            refused.err.contains(QLatin1String("Bord 1000 (regel 7): het bordnummer moet tussen 1 en 999 liggen.")));
        // Dutch games live in their own folder; the English ones are untouched.
        QCOMPARE(GameStore(m_folder.path(), LanguageDutch).list().size(), 4);
        QCOMPARE(store.list().size(), 2);
    }

    void clashesStopUnlessOverwriteOrSkipIsAsked()
    {
        QCOMPARE(cli(in({QStringLiteral("import"), data("dealing_machine.pbn")})).exitCode, 0);
        const GameStore store(m_folder.path(), LanguageEnglish);
        QVERIFY(store.writeLead(1, {QStringLiteral("East"), Spades, QStringLiteral("Ace")}));

        const Run stopped = cli(in({QStringLiteral("import"), data("session_results.pbn")}));
        QCOMPARE(stopped.exitCode, 1);
        QVERIFY(stopped.err.contains(QLatin1String("1, 2, 3")));
        QVERIFY(store.load(1).lead); // nothing was written

        const Run skipped = cli(in({QStringLiteral("import"), data("session_results.pbn"), QStringLiteral("--on-clash"),
            QStringLiteral("skip")}));
        QCOMPARE(skipped.exitCode, 0);
        QVERIFY(skipped.err.startsWith(QLatin1String("0 games written, 3 skipped, 0 refused.")));
        QVERIFY(store.load(1).lead);

        const Run overwritten = cli(in({QStringLiteral("import"), data("session_results.pbn"),
            QStringLiteral("--on-clash"), QStringLiteral("overwrite")}));
        QCOMPARE(overwritten.exitCode, 0);
        QVERIFY(!store.load(1).lead);
        QCOMPARE(store.load(2).contract, QStringLiteral("West 3 NT"));
    }

    void exportWritesPbnOrLinAndNamesWhatIsMissing()
    {
        QCOMPARE(cli(in({QStringLiteral("import"), data("dealing_machine.pbn")})).exitCode, 0);
        const QString pbn = m_folder.filePath(QStringLiteral("lesson.pbn"));
        const Run all = cli(in({QStringLiteral("export"), QStringLiteral("--out"), pbn}));
        QCOMPARE(all.exitCode, 0);
        QFile file(pbn);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(readPbn(QString::fromLatin1(file.readAll()), LanguageEnglish).boards.size(), 4);

        const QString lin = m_folder.filePath(QStringLiteral("lesson.lin"));
        const Run some = cli(in({QStringLiteral("export"), QStringLiteral("--games"), QStringLiteral("1-2,4,7"),
            QStringLiteral("--out"), lin}));
        QCOMPARE(some.exitCode, 1); // game 7 is not stored
        QVERIFY(some.err.contains(QLatin1String("Game 7 is not stored.")));
        QFile linFile(lin);
        QVERIFY(linFile.open(QIODevice::ReadOnly));
        QCOMPARE(readLin(QString::fromLatin1(linFile.readAll())).boards.size(), 3);

        const Run unwritable = cli(in({QStringLiteral("export"), QStringLiteral("--out"),
            m_folder.filePath(QStringLiteral("no/such/folder/x.pbn"))}));
        QCOMPARE(unwritable.exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "test_cli.moc"
