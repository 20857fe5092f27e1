#include "base/string_table.h"
#include "core/cli/cli_run.h"
#include "exchange/importer.h"
#include "store/game_store.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;

// briqo-cli generate as a script runs it, in a program folder of its own.
class TestCliGenerate : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

    Run cli(const QStringList &args) { return runCli(QStringList {"generate"} + args); }

    QString script(const char *name, const char *text)
    {
        const QString path = m_folder.filePath(QLatin1String(name));
        put(path, text);
        return path;
    }

private slots:
    void aSeedGivesTheSameOutputWithAnyNumberOfThreads()
    {
        const QString lesson = script("lesson.dl",
            "produce 12\n"
            "nt = shape(north, any 4333 + any 4432 + any 5332) && hcp(north) >= 15 && hcp(north) <= 17\n"
            "condition nt && (hearts(south) >= 4 || spades(south) >= 4)\n");
        const Run one = cli({"--script", lesson, "--seed", "5", "--threads", "1", "--folder", m_folder.path()});
        const Run two = cli({"--script", lesson, "--seed", "5", "--threads", "2", "--lang", "en"});
        QCOMPARE(one.exitCode, 0);
        QCOMPARE(two.exitCode, 0);
        QCOMPARE(one.out, QString());
        const QStringList lines = two.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith(QStringLiteral("Generated ")));
        QCOMPARE(lines[1], QStringLiteral("Produced 12 hands"));
        QVERIFY(lines[2].startsWith(QStringLiteral("Time needed ")) && lines[2].endsWith(QStringLiteral(" sec")));
        QCOMPARE(one.err.section(QLatin1Char('\n'), 0, 1), two.err.section(QLatin1Char('\n'), 0, 1));
        // Standard output is PBN that imports as the twelve games the folder received.
        const GameStore store(m_folder.path(), LanguageDutch);
        QCOMPARE(store.list().size(), 12);
        QTemporaryDir other;
        const ImportPlan plan
            = planImport(two.out.toUtf8(), ExchangeFormat::Pbn, GameStore(other.path(), LanguageDutch));
        QCOMPARE(plan.games.size(), 12);
        for (const Game &game : plan.games)
            QCOMPARE(store.load(game.number), game);
    }

    void refusalsExitTwoWithTheirReason()
    {
        const QString bad = script("bad.dl", "condition hcp(north) > 20 &&\n  hcp(sout) > 3\n");
        Run r = cli({"--script", bad, "--lang", "en"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("bad.dl: Line 2, column 7: a seat")), qPrintable(r.err));

        const QString none = script("none.dl", "generate 20000\ncondition hcp(north) > 30 && hcp(south) > 30\n");
        r = cli({"--script", none, "--produce", "3", "--lang", "en"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("Could not find 3 deals that meet the conditions: 0 found in 20000")),
            qPrintable(r.err));
        QVERIFY(r.out.isEmpty());

        r = cli(
            {"--produce", "5", "--first", "996", "--out", m_folder.filePath(QStringLiteral("x.pbn")), "--lang", "en"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QStringLiteral("1000")));

        r = cli({"--threads", "0"});
        QCOMPARE(r.exitCode, 2);

        // Games stored already stay as they are unless --on-clash says otherwise.
        QTemporaryDir folder;
        QCOMPARE(cli({"--produce", "2", "--folder", folder.path()}).exitCode, 0);
        const GameStore store(folder.path(), LanguageDutch);
        const Game first = store.load(1);
        r = cli({"--produce", "2", "--folder", folder.path(), "--lang", "nl"});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(store.load(1), first);
        r = cli({"--produce", "2", "--folder", folder.path(), "--lang", "nl", "--on-clash", "overwrite"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(!(store.load(1) == first));
    }
};

QTEST_GUILESS_MAIN(TestCliGenerate)
#include "test_cli_generate.moc"
