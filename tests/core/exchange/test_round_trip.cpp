#include "exchange/board_game.h"
#include "exchange/importer.h"
#include "exchange/lin_format.h"
#include "exchange/pbn_reader.h"
#include "exchange/pbn_text.h"
#include "exchange/pbn_writer.h"
#include "exchange_games.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace briqo;

namespace {

// Every file below a folder with its bytes, by path relative to the folder.
QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), test::readBytes(path));
    }
    return files;
}

// A stored game with every part the formats carry: lead, question with a note line, answer.
Game leadingGame(int language)
{
    Game game = test::typedGame(5, QStringLiteral("2D # P 2N # P 3H P 4H P P P"), language);
    game.lead = LeadLine {SeatName(East, language), Spades, QStringLiteral("2")};
    game.question = QStringLiteral("You are East.\r\nWhat do you lead?\r\n(1) multi");
    game.hasQuestionFile = true;
    game.answer = QStringLiteral("The two.");
    game.hasAnswerFile = true;
    return game;
}

Game throughPbn(const Game &game, int language)
{
    const QByteArray file = writePbn({boardFromGame(game, language)});
    const PbnReadResult read = readPbn(decodeExchangeFile(file), language);
    if (read.boards.size() != 1 || !read.problems.isEmpty())
        return {};
    return gameFromBoard(read.boards[0], language).game.value_or(Game {});
}

Game throughLin(const Game &game, int language)
{
    const LinReadResult read = readLin(writeLin(boardFromGame(game, language), language));
    if (read.boards.size() != 1 || !read.problems.isEmpty())
        return {};
    return gameFromBoard(read.boards[0], language).game.value_or(Game {});
}

} // namespace

class RoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void gamesComeBackThroughBothFormats_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<Game>("game");
        QTest::addColumn<bool>("linKeepsTexts");
        for (int language : {LanguageDutch, LanguageEnglish}) {
            const QByteArray l = language == LanguageDutch ? " nl" : " en";
            QTest::newRow("passed out" + l)
                << language << test::typedGame(3, QStringLiteral("P P P P"), language) << true;
            QTest::newRow("redoubled" + l)
                << language << test::typedGame(2, QStringLiteral("1S X XX P P P"), language) << true;
            QTest::newRow("doubled after two passes" + l)
                << language << test::typedGame(4, QStringLiteral("1C P P X P P P"), language) << true;
            QTest::newRow("unfinished" + l)
                << language << test::typedGame(7, QStringLiteral("1N P 2C"), language) << true;
            QTest::newRow("no auction" + l) << language << test::typedGame(16, QString(), language) << true;
            QTest::newRow("noted and leading" + l) << language << leadingGame(language) << false;
        }
    }
    void gamesComeBackThroughBothFormats()
    {
        QFETCH(int, language);
        QFETCH(Game, game);
        QFETCH(bool, linKeepsTexts);
        QCOMPARE(throughPbn(game, language), game);
        // LIN has no place for a question or an answer: only the note texts travel, as notes.
        Game lin = game;
        if (!linKeepsTexts) {
            lin.question = QStringLiteral("(1) multi");
            lin.answer.clear();
            lin.hasAnswerFile = false;
        }
        QCOMPARE(throughLin(game, language), lin);
    }

    void exportedFileMeetsTheStandardsLayout()
    {
        const QString text = QString::fromLatin1(writePbn({boardFromGame(leadingGame(LanguageDutch), LanguageDutch)}));
        const QStringList tags {"Event", "Site", "Date", "Board", "West", "North", "East", "South", "Dealer",
            "Vulnerable", "Deal", "Scoring", "Declarer", "Contract", "Result"};
        qsizetype at = 0;
        for (const QString &tag : tags) {
            const qsizetype next = text.indexOf(QLatin1Char('[') + tag + QLatin1Char(' '), at);
            QVERIFY2(next > at, qPrintable(tag));
            at = next;
        }
        QVERIFY(text.startsWith(QLatin1String("% PBN 2.1\r\n% EXPORT\r\n")));
        QVERIFY(text.contains(QLatin1String("[Deal \"N:643.QJ9862.9.K85 A972.3.Q8763.T32 ")));
        QVERIFY(text.contains(QLatin1String("[Vulnerable \"NS\"]\r\n{You are East.\r\nWhat do you lead?}\r\n[Deal")));
        QVERIFY(text.contains(
            QLatin1String("[Auction \"N\"]\r\n2D =1= Pass 2NT =2= Pass\r\n3H Pass 4H Pass\r\nPass Pass\r\n")));
        QVERIFY(text.contains(
            QLatin1String("[Note \"1:multi\"]\r\n[Note \"2:\"]\r\n[Play \"E\"]\r\nS2 - - -\r\n*\r\n{The two.}")));
        QVERIFY(text.contains(QLatin1String("[Declarer \"N\"]\r\n[Contract \"4H\"]")));
        for (const QString &line : text.split(QStringLiteral("\r\n")))
            QVERIFY(line.size() <= PbnMaxLineLength);
    }

    void theTableAndParFollowThePlayAndAreReadPast()
    {
        ExchangeBoard board = boardFromGame(leadingGame(LanguageEnglish), LanguageEnglish);
        DoubleDummyResult table;
        // Tricks that tell strain and seat apart: ten times the strain plus the seat.
        for (int strain = 0; strain < StrainCount; ++strain)
            for (int seat = 0; seat < 4; ++seat)
                table.tricks[strain][seat] = (10 * strain + seat) % 14;
        table.parScore = -100;
        board.doubleDummy = table;
        const QString text = QString::fromLatin1(writePbn({board}));
        QVERIFY(text.contains(QLatin1String("S2 - - -\r\n*\r\n[OptimumScore \"NS -100\"]\r\n"
                                            "[OptimumResultTable \"Declarer;Denomination\\2R;Result\\2R\"]\r\n"
                                            "N NT 12\r\nN S 2\r\nN H 6\r\nN D 10\r\nN C 0\r\n"
                                            "E NT 13\r\nE S 3\r\n")));
        QVERIFY(text.contains(QLatin1String("W D 13\r\nW C 3\r\n{The two.}")));

        // The reader goes past the tables: the game, its answer included, is what it was.
        const PbnReadResult read = readPbn(decodeExchangeFile(text.toLatin1()), LanguageEnglish);
        QCOMPARE(read.problems.size(), 0);
        QCOMPARE(read.boards.size(), 1);
        QCOMPARE(gameFromBoard(read.boards[0], LanguageEnglish).game.value_or(Game {}), leadingGame(LanguageEnglish));

        // Without a complete deal there is nothing for a table to belong to.
        board.deal.deal.reset();
        QVERIFY(!QString::fromLatin1(writePbn({board})).contains(QLatin1String("Optimum")));
    }

    void commentaryKeepsEveryTextExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("plain") << QStringLiteral("Wat start u?");
        QTest::newRow("braces and backslashes") << QStringLiteral("a } b {c} \\S \\\\ \\x41 \\");
        QTest::newRow("code page 1252 only") << QStringLiteral("\u20ac 5 \u2018quoted\u2019 \u2013 caf\u00e9");
        QTest::newRow("empty lines and edges") << QStringLiteral("\r\n\r\nA\r\n\r\n \r\nB \r\n\r\n");
        QTest::newRow("tabs and percent") << QStringLiteral("\tindented\r\n%not an escape line\r\nend\t");
        QTest::newRow("long line") << QStringLiteral("word ").repeated(300) + QStringLiteral("\\");
        QTest::newRow("only line breaks") << QStringLiteral("\r\n\r\n");
    }
    void commentaryKeepsEveryTextExactly()
    {
        QFETCH(QString, text);
        const QString encoded = encodeCommentary(text);
        QVERIFY(encoded.startsWith(QLatin1Char('{')) && encoded.endsWith(QLatin1Char('}')));
        const QString inner = encoded.mid(1, encoded.size() - 2);
        QVERIFY(!inner.contains(QLatin1Char('}')));
        for (const QString &line : encoded.split(QStringLiteral("\r\n"))) {
            QVERIFY(line.size() <= PbnMaxLineLength);
            QVERIFY(!line.trimmed().isEmpty() || line.size() > 0); // never an empty line inside a game
            QVERIFY(isPlainTagText(line));
        }
        QCOMPARE(decodeCommentary(inner, LanguageEnglish), text);
    }

    void importOfOurOwnExportGivesTheSameFilesByteForByte_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("nl") << LanguageDutch;
        QTest::newRow("en") << LanguageEnglish;
    }
    void importOfOurOwnExportGivesTheSameFilesByteForByte()
    {
        QFETCH(int, language);
        QTemporaryDir from, to;
        const GameStore source(from.path(), language), target(to.path(), language);
        const QList<Game> games {leadingGame(language), test::typedGame(3, QStringLiteral("P P P P"), language),
            test::typedGame(2, QStringLiteral("1S X XX P P P"), language), test::typedGame(9, QString(), language)};
        for (Game game : games) {
            QVERIFY(source.save(game));
            if (!game.contract.isEmpty())
                QVERIFY(source.writeContract(game.number, game.contract));
            if (game.lead)
                QVERIFY(source.writeLead(game.number, *game.lead));
            if (game.hasQuestionFile)
                QVERIFY(source.writeQuestion(game.number, game.question));
            if (game.hasAnswerFile)
                QVERIFY(source.writeAnswer(game.number, game.answer));
        }
        // A contract without an auction, as a result file leaves it.
        QVERIFY(source.writeContract(9, ContractTextOf(language)));

        const ExportResult exported = exportGames(source, storedGameNumbers(source), ExchangeFormat::Pbn);
        QCOMPARE(exported.exported, (QList<long long> {2, 3, 5, 9}));
        const ImportPlan plan = planImport(exported.bytes, ExchangeFormat::Pbn, target);
        QVERIFY(plan.notices.isEmpty());
        const ImportResult result = applyImport(plan, ClashChoice::Cancel, target);
        QCOMPARE(result.written, 4);
        QCOMPARE(filesBelow(target.gamesRoot()), filesBelow(source.gamesRoot()));
    }

    void anImportOrExportStoppedBetweenGamesWritesOnlyWhatCameBefore()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        const QByteArray file = test::readBytes(test::dataFile("dealing_machine.pbn"));
        const ImportPlan plan = planImport(file, ExchangeFormat::Pbn, store);
        QCOMPARE(plan.games.size(), 4);
        QList<qsizetype> told;
        const ImportResult result = applyImport(plan, ClashChoice::Cancel, store, [&](qsizetype done, qsizetype total) {
            told << done;
            return total == 4 && done < 2; // Stop is pressed while the third game waits
        });
        QCOMPARE(told, (QList<qsizetype> {0, 1, 2}));
        QCOMPARE(result.written, 2);
        QVERIFY(result.stopped);
        QCOMPARE(result.notTried, 2);
        QCOMPARE(store.list().size(), 2);
        QCOMPARE(importSummary(plan, result, LanguageEnglish).last(),
            QStringLiteral("The import was stopped: 2 games have not been written."));

        told.clear();
        const ExportResult all
            = exportGames(store, storedGameNumbers(store), ExchangeFormat::Pbn, [&](qsizetype done, qsizetype) {
                  told << done;
                  return true;
              });
        QCOMPARE(told, (QList<qsizetype> {0, 1, 2})); // each game, then the end
        QVERIFY(!all.bytes.isEmpty());
        const ExportResult stopped = exportGames(
            store, storedGameNumbers(store), ExchangeFormat::Pbn, [](qsizetype done, qsizetype) { return done < 1; });
        QVERIFY(stopped.stopped);
        QVERIFY(stopped.bytes.isEmpty());
    }

    void aClashIsOverwrittenWholeSkippedOrCancelled()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageEnglish);
        Game old = leadingGame(LanguageEnglish);
        QVERIFY(store.save(old));
        QVERIFY(store.writeContract(5, old.contract));
        QVERIFY(store.writeLead(5, *old.lead));
        QVERIFY(store.writeQuestion(5, old.question));
        const QMap<QString, QByteArray> before = filesBelow(store.gamesRoot());
        const QByteArray file = test::readBytes(test::dataFile("dealing_machine.pbn"));
        // Board 5 of the teaching file is stored; the dealing machine's boards 1-4 are not.
        const ImportPlan plan = planImport(
            file + "\r\n" + writePbn({boardFromGame(test::typedGame(5, {}, LanguageEnglish), LanguageEnglish)}),
            ExchangeFormat::Pbn, store);
        QCOMPARE(plan.clashes, QList<long long> {5});

        QVERIFY(applyImport(plan, ClashChoice::Cancel, store).cancelled);
        QCOMPARE(filesBelow(store.gamesRoot()), before);

        const ImportResult skipped = applyImport(plan, ClashChoice::Skip, store);
        QCOMPARE(skipped.written, 4);
        QCOMPARE(skipped.skipped, 1);
        const QMap<QString, QByteArray> afterSkip = filesBelow(store.gamesRoot());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(afterSkip.value(it.key()), it.value());

        const ImportResult overwritten = applyImport(plan, ClashChoice::Overwrite, store);
        QCOMPARE(overwritten.written, 5);
        // Nothing of the earlier game stays beside the new one.
        const Game now = store.load(5);
        QVERIFY(!now.lead);
        QVERIFY(!now.hasQuestionFile);
        QVERIFY(now.contract.isEmpty());
        QCOMPARE(now.auction->callKinds, QString());
        QCOMPARE(importSummary(plan, overwritten, LanguageDutch).first(),
            QStringLiteral("5 spellen geschreven, 0 overgeslagen, 0 geweigerd."));
    }

    void aGameWithoutACompleteDealIsNotExported()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        Game game = test::typedGame(4, QString(), LanguageDutch);
        game.holdings[0].clear();
        QVERIFY(store.save(game));
        QVERIFY(store.save(test::typedGame(6, QString(), LanguageDutch)));
        const ExportResult exported = exportGames(store, {4, 6}, ExchangeFormat::Lin);
        QCOMPARE(exported.leftOut, QList<long long> {4});
        QCOMPARE(readLin(QString::fromLatin1(exported.bytes)).boards.size(), 1);
    }

    void theHandViewerLinkCarriesTheBoard()
    {
        const QString link
            = handViewerLink(boardFromGame(leadingGame(LanguageEnglish), LanguageEnglish), LanguageEnglish);
        QVERIFY(link.startsWith(QLatin1String("https://www.bridgebase.com/tools/handviewer.html?lin=pn%7C")));
        const LinReadResult read = readLin(linOfHandViewerLink(link));
        QCOMPARE(read.boards.size(), 1);
        QCOMPARE(gameFromBoard(read.boards[0], LanguageEnglish).game->lead, leadingGame(LanguageEnglish).lead);
    }

private:
    static QString ContractTextOf(int language)
    {
        return language == LanguageDutch ? QStringLiteral("Zuid 4 Schoppen") : QStringLiteral("South 4 Spades");
    }

    // A file declared ISO-8859-1 holds no byte from 0x80 to 0x9F, and no escape that stands for one.
    void whatOnlyCodePage1252HoldsIsWrittenInItsPlainForm()
    {
        ExchangeBoard board = boardFromGame(leadingGame(LanguageEnglish), LanguageEnglish);
        board.question
            = QStringLiteral("\u201cWhy\u201d \u2018not\u2019 \u2013 \u20ac 5\u2026 \u0153uvre caf\u00e9 \u2022");
        board.answer = QStringLiteral("\u2122 \u0160 \U0001F600");
        const QByteArray bytes = writePbn({board});
        const QString text = QString::fromLatin1(bytes);
        QVERIFY(text.contains(QStringLiteral("{\"Why\" 'not' - EUR 5... oeuvre caf\u00e9 \u00b7}")));
        QVERIFY(text.contains(QStringLiteral("{TM S ?}")));
        for (const char b : bytes)
            QVERIFY(uchar(b) < 0x80 || uchar(b) >= 0xA0);
        QVERIFY(!text.contains(QLatin1String("\\x8")) && !text.contains(QLatin1String("\\x9")));
        QCOMPARE(charactersWrittenPlain({board}),
            QStringLiteral("\u201c\u201d\u2018\u2019\u2013\u20ac\u2026\u0153\u2022\u2122\u0160\U0001F600"));
        QCOMPARE(charactersWrittenPlain({boardFromGame(leadingGame(LanguageEnglish), LanguageEnglish)}), QString());
    }
};

QTEST_APPLESS_MAIN(RoundTripTest)
#include "test_round_trip.moc"
