#include "base/string_table.h"
#include "core/cli/cli_run.h"
#include "core/reliability/hostile_disk.h"
#include "exchange/lin_format.h"
#include "exchange/pbn_reader.h"
#include "store/game_store.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;
using test::FullDisk;

namespace {

QString data(const char *name) { return exchangeData(name); }

// One board of the teaching file, with a question of its own.
QByteArray oneBoard(const QByteArray &question)
{
    return "[Board \"5\"]\r\n[Dealer \"N\"]\r\n[Vulnerable \"NS\"]\r\n{" + question
        + "}\r\n[Deal \"N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74\"]\r\n";
}

} // namespace

// briqo-cli run as a script would run it: no display, a program folder of its own.
class CliTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

    Run cli(const QStringList &args, qint64 fileSizeLimit = -1) { return runCli(args, fileSizeLimit); }

    QStringList in(const QStringList &args, const char *lang = "en")
    {
        return args + QStringList {"--folder", m_folder.path(), "--lang", QLatin1String(lang)};
    }

private slots:
    void init()
    {
        QDir(m_folder.path()).removeRecursively();
        QDir().mkpath(m_folder.path());
    }

    void helpAndBadArguments()
    {
        const Run help = cli({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QLatin1String("briqo-cli import")));
        QVERIFY(help.err.isEmpty()); // no notices of the platform without a display

        QCOMPARE(cli({}).exitCode, 2);
        QCOMPARE(cli({"paint"}).exitCode, 2);
        QCOMPARE(cli(in({"import"})).exitCode, 2);
        QCOMPARE(cli(in({"import", data("teaching.pbn"), "--on-clash", "maybe"})).exitCode, 2);
        const Run unreadable = cli(in({"import", m_folder.filePath(QStringLiteral("missing.pbn"))}, "nl"));
        QCOMPARE(unreadable.exitCode, 2);
        QVERIFY(unreadable.err.contains(QLatin1String("kan niet worden gelezen")));
    }

    void importWritesTheGamesAndSaysWhatItRefused()
    {
        const Run ok = cli(in({"import", data("teaching.pbn")}));
        QCOMPARE(ok.exitCode, 0);
        QCOMPARE(ok.err.trimmed(), QStringLiteral("2 games written, 0 skipped, 0 refused."));
        const GameStore store(m_folder.path(), LanguageEnglish);
        QCOMPARE(store.list(), (QStringList {"Game 005", "Game 006"}));
        QCOMPARE(store.load(5).contract, QStringLiteral("North 4 Hearts"));

        const Run refused = cli(in({"import", data("refusals.pbn")}, "nl"));
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
        QCOMPARE(cli(in({"import", data("dealing_machine.pbn")})).exitCode, 0);
        const GameStore store(m_folder.path(), LanguageEnglish);
        QVERIFY(store.writeLead(1, {"East", Spades, "Ace"}));

        const Run stopped = cli(in({"import", data("session_results.pbn")}));
        QCOMPARE(stopped.exitCode, 1);
        QVERIFY(stopped.err.contains(QLatin1String("1, 2, 3")));
        QVERIFY(store.load(1).lead); // nothing was written

        const Run skipped = cli(in({"import", data("session_results.pbn"), "--on-clash", "skip"}));
        QCOMPARE(skipped.exitCode, 0);
        QVERIFY(skipped.err.startsWith(QLatin1String("0 games written, 3 skipped, 0 refused.")));
        QVERIFY(store.load(1).lead);

        const Run overwritten = cli(in({"import", data("session_results.pbn"), "--on-clash", "overwrite"}));
        QCOMPARE(overwritten.exitCode, 0);
        QVERIFY(!store.load(1).lead);
        QCOMPARE(store.load(2).contract, QStringLiteral("West 3 NT"));
    }

    void exportWritesPbnOrLinAndNamesWhatIsMissing()
    {
        QCOMPARE(cli(in({"import", data("dealing_machine.pbn")})).exitCode, 0);
        const QString pbn = m_folder.filePath(QStringLiteral("lesson.pbn"));
        const Run all = cli(in({"export", "--out", pbn}));
        QCOMPARE(all.exitCode, 0);
        QFile file(pbn);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(readPbn(QString::fromLatin1(file.readAll()), LanguageEnglish).boards.size(), 4);

        const QString lin = m_folder.filePath(QStringLiteral("lesson.lin"));
        const Run some = cli(in({"export", "--games", "1-2,4", "--out", lin}));
        QCOMPARE(some.exitCode, 0);
        QVERIFY(some.err.contains(QLatin1String("3 games written to")));
        QFile linFile(lin);
        QVERIFY(linFile.open(QIODevice::ReadOnly));
        QCOMPARE(readLin(QString::fromLatin1(linFile.readAll())).boards.size(), 3);
    }

    // It used to exit 1 and leave an empty PBN in place of the earlier export.
    void aGameThatIsNotStoredIsRefusedAndNothingIsWritten()
    {
        QCOMPARE(cli(in({"import", data("dealing_machine.pbn")})).exitCode, 0);
        const QString earlier = m_folder.filePath(QStringLiteral("earlier.pbn"));
        put(earlier, "the earlier export");
        const QString fresh = m_folder.filePath(QStringLiteral("fresh.pbn"));
        for (const QString &out : {earlier, fresh}) {
            const Run r = cli(in({"export", "--games", "77", "--out", out}));
            QCOMPARE(r.exitCode, 2);
            QVERIFY(r.err.contains(QLatin1String("Game 77 is not stored.")));
        }
        QCOMPARE(contents(earlier), QByteArray("the earlier export"));
        QVERIFY(!QFile::exists(fresh));

        const Run range = cli(in({"export", "--games", "1-1000", "--out", fresh}));
        QCOMPARE(range.exitCode, 2);
        QVERIFY(range.err.contains(QLatin1String("games run from 1 to 999")));
    }

    // A full disk used to give "1 games written", exit 0 and a 0-byte or cut file in place of the
    // earlier one.
    void aFullDiskLeavesTheEarlierFileAndExitsTwo_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind");
        for (const int kind : {int(FullDisk::FileSizeLimit), int(FullDisk::SmallFileSystem)}) {
            const QByteArray k = FullDisk::kindName(FullDisk::Kind(kind)).toLatin1();
            QTest::newRow("export, " + k) << "export"
                                          << "lesson.pbn" << kind;
            QTest::newRow("picture, " + k) << "picture"
                                           << "board.png" << kind;
            QTest::newRow("handout, " + k) << "handout"
                                           << "lesson.pdf" << kind;
        }
    }
    void aFullDiskLeavesTheEarlierFileAndExitsTwo()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(int, kind);
        QCOMPARE(cli(in({"import", data("teaching.pbn")})).exitCode, 0);
        const QString outFolder = m_folder.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(outFolder));
        FullDisk disk(FullDisk::Kind(kind), outFolder);
        if (!disk.ready())
            QSKIP("no right to mount a small file system here");
        const QString out = outFolder + QLatin1Char('/') + file;
        // The earlier file is larger than the room left, so a cut file would show.
        const QByteArray earlier = QByteArray("earlier ").repeated(64);
        put(out, earlier);
        QStringList args {command, "--out", out};
        if (command == QLatin1String("picture"))
            args << QStringLiteral("--game") << QStringLiteral("5");
        qint64 limit = -1;
        if (kind == FullDisk::FileSizeLimit)
            limit = 100;
        else
            disk.fill();
        const Run r = cli(in(args), limit);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(out + QLatin1String(" cannot be written: ")), qPrintable(r.err));
        QVERIFY(r.err.contains(QLatin1String("What was there already has not been changed.")));
        QVERIFY(!r.err.contains(QLatin1String("written to")));
        QCOMPARE(contents(out), earlier);
        // Nothing half-written is left beside it.
        QStringList left = QDir(outFolder).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(QStringLiteral(".filler"));
        QCOMPARE(left, QStringList {file});
    }

    // Messages come out as the window shows them: line breaks for "|", singular and plural, a NUL
    // of the input shown instead of cutting the line, and an unknown language refused in English.
    void messagesReadAsTheWindowWouldShowThem()
    {
        QCOMPARE(cli(in({"import", data("teaching.pbn")})).exitCode, 0);
        const QString locked = m_folder.filePath(QStringLiteral("no-such-folder/x.pbn"));
        const Run unwritable = cli(in({"export", "--out", locked}, "nl"));
        QCOMPARE(unwritable.exitCode, 2);
        QVERIFY(!unwritable.err.contains(QLatin1Char('|')));
        QVERIFY(unwritable.err.contains(QLatin1String("kan niet worden geschreven: ")));
        QVERIFY(unwritable.err.contains(QLatin1String(".\nWat er al stond, is niet veranderd.")));

        const QString one = m_folder.filePath(QStringLiteral("one.pbn"));
        const Run exportedOne = cli(in({"export", "--games", "5", "--out", one}));
        QCOMPARE(exportedOne.exitCode, 0);
        QVERIFY(exportedOne.err.startsWith(QLatin1String("1 game written to ")));
        const QString nl = m_folder.filePath(QStringLiteral("nl"));
        QVERIFY(QDir().mkpath(nl));
        const Run importedOne = cli({"import", one, "--folder", nl, "--lang", "nl"});
        QCOMPARE(importedOne.exitCode, 0);
        QCOMPARE(importedOne.err.trimmed(), QStringLiteral("1 spel geschreven, 0 overgeslagen, 0 geweigerd."));

        const QString withNul = m_folder.filePath(QStringLiteral("nul.pbn"));
        const QByteArray nulAt = QByteArray("[Auction \"N\"]\r\n1H Pass Pa") + '\0' + QByteArray("ss!x Pass\r\n");
        put(withNul, oneBoard("?") + nulAt);
        const Run nul = cli(in({"import", withNul, "--on-clash", "skip"}));
        QVERIFY2(nul.err.contains(QLatin1String("ss!x is not a call")), qPrintable(nul.err));

        put(m_folder.filePath(QStringLiteral("taal.ini")), "[Taal]\r\nnummer=10\r\n");
        const Run fr = cli({"import", data("teaching.pbn"), "--folder", m_folder.path(), "--lang", "fr"});
        QCOMPARE(fr.exitCode, 2);
        QCOMPARE(fr.err.trimmed(), QStringLiteral("Bad value for --lang: fr"));
    }

    // Such files used to import "0 games written, 0 refused" and exit 0.
    void aFileWithoutAnyBoardSaysSoAndExitsOne_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray utf16("\xFF\xFE");
        for (const char c : QByteArray("Nothing here but a letter.\r\n"))
            utf16.append(c).append('\0');
        QTest::newRow("UTF-16 without a board") << utf16;
        QTest::newRow("all NULs") << QByteArray(4096, '\0');
        QTest::newRow("empty") << QByteArray();
    }
    void aFileWithoutAnyBoardSaysSoAndExitsOne()
    {
        QFETCH(QByteArray, bytes);
        const QString path = m_folder.filePath(QStringLiteral("nothing.pbn"));
        put(path, bytes);
        const Run r = cli(in({"import", path}));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QLatin1String("holds no board at all")), qPrintable(r.err));
        QVERIFY(!QDir(m_folder.filePath(QStringLiteral("Games"))).exists()
            || GameStore(m_folder.path(), LanguageEnglish).list().isEmpty());
    }

    // The decoding itself is the reader's; here the command reads the file's bytes, not its text.
    void aUtf16FileWithAByteOrderMarkIsRead()
    {
        QByteArray bytes("\xFE\xFF");
        for (const QChar c : QString::fromLatin1(oneBoard("Caf\xE9 \\H")))
            bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        const QString path = m_folder.filePath(QStringLiteral("unicode.pbn"));
        put(path, bytes);
        QCOMPARE(cli(in({"import", path})).exitCode, 0);
        QCOMPARE(GameStore(m_folder.path(), LanguageEnglish).load(5).question, QStringLiteral("Caf\u00e9 \\H"));
    }

    // Curly quotes and the euro sign used to go out as code-page-1252 bytes in a file declared
    // ISO-8859-1.
    void exportWritesThePlainFormOfWhatIso8859OneLacksAndSaysSo()
    {
        QCOMPARE(cli(in({"import", data("teaching.pbn")})).exitCode, 0);
        const GameStore store(m_folder.path(), LanguageEnglish);
        QVERIFY(store.writeQuestion(5, QStringLiteral("\u201cWat\u201d kost \u20ac 5 \u2013 caf\u00e9?")));
        const QString out = m_folder.filePath(QStringLiteral("plain.pbn"));
        const Run r = cli(in({"export", "--out", out}));
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.contains(QStringLiteral("written as their nearest plain form: \u201c\u201d\u20ac\u2013")),
            qPrintable(r.err));
        const QByteArray bytes = contents(out);
        QVERIFY(bytes.contains("{\"Wat\" kost EUR 5 - caf\xE9?}"));
        for (const char b : bytes)
            QVERIFY(uchar(b) < 0x80 || uchar(b) >= 0xA0);
        QVERIFY(!QRegularExpression(QStringLiteral("\\\\x[89]")).match(QString::fromLatin1(bytes)).hasMatch());
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "test_cli.moc"
