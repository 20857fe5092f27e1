#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/importer.h"
#include "exchange/pbn_reader.h"
#include "exchange/pbn_text.h"
#include "exchange/pbn_writer.h"
#include "exchange_games.h"

#include <QTemporaryDir>
#include <QTest>

using namespace briqo;

namespace {

const Game *gameNumber(const ImportPlan &plan, long long n)
{
    for (const Game &g : plan.games) {
        if (g.number == n)
            return &g;
    }
    return nullptr;
}

QStringList messages(const QList<ExchangeProblem> &problems, int language)
{
    QStringList out;
    for (const ExchangeProblem &p : problems)
        out << describe(p, language);
    return out;
}

ImportPlan plan(const char *file, int language = LanguageEnglish)
{
    static QTemporaryDir dir;
    return planImport(test::readBytes(test::dataFile(file)), ExchangeFormat::Pbn, GameStore(dir.path(), language));
}

} // namespace

class PbnReaderTest : public QObject {
    Q_OBJECT

private slots:
    void aResultFileGivesEachBoardOnceAndKeepsOnlyWhatTheTablesAgreeOn()
    {
        const ImportPlan p = plan("session_results.pbn");
        QCOMPARE(p.games.size(), 3);
        QCOMPARE(p.refused, 0);
        QCOMPARE(messages(p.notices, LanguageEnglish),
            QStringList({"Board 1 appears 2 times in the file (once per table); its deal was imported once.",
                "Board 2 appears 2 times in the file (once per table); its deal was imported once.",
                "Board 3 appears 2 times in the file (once per table); its deal was imported once."}));
        // Both tables played 3 NT by West on board 2, and 4 spades by East on board 1 (doubled at one
        // table, which a stored contract does not record); board 3 was 4 hearts at one table and
        // 2 hearts at the other, so it keeps its deal alone.
        QCOMPARE(gameNumber(p, 2)->contract, QStringLiteral("West 3 NT"));
        QCOMPARE(gameNumber(p, 1)->contract, QStringLiteral("East 4 Spades"));
        QVERIFY(gameNumber(p, 3)->contract.isEmpty());
        // The heading of the file stands apart from the games: it is nobody's question.
        QVERIFY(!gameNumber(p, 1)->hasQuestionFile);
        // The deal of the second table came as "#", the copy of the first.
        QCOMPARE(gameNumber(p, 1)->holdings[FieldOf(East, Spades)], QStringLiteral("AKQJ94"));
    }

    void aDealingMachineFileGivesDealsWithEmptyAuctions()
    {
        const ImportPlan p = plan("dealing_machine.pbn", LanguageDutch);
        QCOMPARE(p.games.size(), 4);
        QVERIFY(p.notices.isEmpty());
        const Game &west = *gameNumber(p, 4);
        QCOMPARE(west.holdings[FieldOf(North, Clubs)], QString()); // a void
        QCOMPARE(west.holdings[FieldOf(West, Spades)], QStringLiteral("V42"));
        QCOMPARE(west.auction->callKinds, QString());
        // West deals: the three cells before the dealer read "-", as the board shows them.
        QCOMPARE(west.auction->cells[auctionCellIndex(South, 0)].caption, QStringLiteral("-"));
        QCOMPARE(west.auction->cells[auctionCellIndex(West, 0)].caption, QString());
        QVERIFY(west.contract.isEmpty());
    }

    void aTeachingFileGivesQuestionNotesContractLeadAndAnswer()
    {
        const ImportPlan p = plan("teaching.pbn");
        QVERIFY2(p.notices.isEmpty(), qPrintable(messages(p.notices, LanguageEnglish).join('\n')));
        const Game &five = *gameNumber(p, 5);
        QCOMPARE(five.question,
            QStringLiteral(
                "You are East.\r\nWhat do you lead against 4\\H?\r\n(1) multi\r\n(2) asks\r\n(3) weak, hearts"));
        QCOMPARE(five.auction->callKinds, QStringLiteral("1212121222"));
        QCOMPARE(five.auction->cells[auctionCellIndex(North, 0)], (FileCell {"2", "1", "(1)"}));
        QCOMPARE(five.auction->cells[auctionCellIndex(South, 0)], (FileCell {"2", "4", "(2)"}));
        QCOMPARE(five.auction->cells[auctionCellIndex(North, 1)], (FileCell {"3", "2", "(3)"}));
        QCOMPARE(five.auction->cells[auctionCellIndex(East, 0)], (FileCell {"Pass", "5", ""}));
        QCOMPARE(five.contract, QStringLiteral("North 4 Hearts"));
        QCOMPARE(five.lead, (LeadLine {"East", Spades, "2"}));
        QCOMPARE(five.answer, QStringLiteral("The spade two\r\n  shows an honour. ; not a comment"));

        const Game &six = *gameNumber(p, 6);
        QCOMPARE(six.auction->callKinds, QStringLiteral("11113222"));
        QCOMPARE(six.contract, QStringLiteral("South 4 Spades"));
        QCOMPARE(six.lead, (LeadLine {"West", Hearts, "T"}));
        QCOMPARE(six.answer, QStringLiteral("Partner's suit first."));
    }

    void everyRefusalSaysWhichBoardLineAndWhy()
    {
        const ImportPlan p = plan("refusals.pbn");
        QList<long long> numbers;
        for (const Game &g : p.games)
            numbers << g.number;
        QCOMPARE(numbers, (QList<long long> {1, 7, 8, 9}));
        QCOMPARE(p.refused, 7);
        QCOMPARE(messages(p.notices, LanguageEnglish),
            QStringList({
                "Line 40: \" is not closed.",
                "Line 43: { is not closed.",
                "Board 1000 (line 7): the board number must be 1 to 999.",
                "Board 2 (line 10): the deal is not 52 different cards.",
                "Board 3 (line 13): the dealer in the file (North) does not match the board number.",
                "Board 4 (line 17): the vulnerability in the file (None) does not match the board number.",
                "Board 5 (line 21): there is no deal.",
                "Line 24: a game without a board number.",
                "Board 7 (line 30): this number came earlier with another deal; the first one was imported.",
                "Board 8 (line 33): the auction was left out: the call XX is not allowed there.",
                "Board 8 (line 33): the lead SA was left out: that card is not in the leader's hand.",
            }));
        QCOMPARE(describe(p.notices[9], LanguageDutch),
            QStringLiteral("Bord 8 (regel 33): de bieding is weggelaten: de bieding XX mag daar niet."));
        // A board whose auction is left out keeps its deal and the cells of a board without calls.
        QCOMPARE(gameNumber(p, 8)->auction->callKinds, QString());
        QVERIFY(!gameNumber(p, 8)->lead);
    }

    void tagFormsOfTheStandard()
    {
        const QString text
            = QStringLiteral("%PBN 2.1\n"
                             "[Event \"Club \\\"de Klaver\\\" \\\\ 1\"]\n"
                             "  [Board   \"3\"  ]   ; spaces inside a tag pair\n"
                             "[Deal \"S:QJ62.J8.T762.Q96 K.T542.KQ94.8753 T974.AKQ73.A8.T4 A853.96.J53.AKJ2\"]\n"
                             "[Auction \"S\"] Pass 1H\n"
                             "Pass 2H Pass Pass\n"
                             "$1 Pass\n"
                             "[Board \"4\"]\n" // no empty line before the next game
                             "[Event \"## (late)\"]\n"
                             "[Deal \"W:Q42.Q43.9852.Q86 9753.AJT85.AQJ4. AKJT8.K96.73.T97 6.72.KT6.AKJ5432\"]\n"
                             "[Auction \"W\"]\n"
                             "AP\n");
        const PbnReadResult read = readPbn(text, LanguageEnglish);
        QVERIFY(read.problems.isEmpty());
        QCOMPARE(read.boards.size(), 2);
        QCOMPARE(read.boards[0].boardText, QStringLiteral("3"));
        QCOMPARE(read.boards[0].calls.size(), 7);
        QCOMPARE(read.boards[1].line, 8);
        QCOMPARE(read.boards[1].calls.size(), 4); // all pass from the dealer: passed out
        const BoardAsGame passed = gameFromBoard(read.boards[1], LanguageEnglish);
        QCOMPARE(passed.game->auction->callKinds, QStringLiteral("2222"));
        QVERIFY(passed.game->contract.isEmpty());
    }

    void copiesTakeThePreviousGamesValueAndSection()
    {
        const QString text = QStringLiteral(
            "[Board \"1\"]\n[Deal \"N:52.A643.K5.K8732 AKQJ94..A962.J64 763.K752.JT843.T T8.QJT98.Q7.AQ95\"]\n"
            "[Auction \"N\"]\nPass 1S Pass 4S\nAP\n\n"
            "[Board \"1\"]\n[Deal \"#\"]\n[Auction \"#\"]\n");
        const PbnReadResult read = readPbn(text, LanguageEnglish);
        QCOMPARE(read.boards.size(), 2);
        QCOMPARE(read.boards[1].deal, read.boards[0].deal);
        QCOMPARE(read.boards[1].calls, read.boards[0].calls);
    }

    // Found by fuzzing: the answer written after an auction with no play section came back as a
    // note of the last pass.
    void commentaryOnALineOfItsOwnAfterTheAuctionIsTheAnswer()
    {
        const QString text = QStringLiteral(
            "[Board \"6\"]\n[Deal \"E:Q64.AK87.874.KT9 AK7.J96532.Q.754 JT953.T.AKT9.AQ2 82.Q4.J6532.J863\"]\n"
            "[Auction \"E\"]\n1H 1S {overcall} 2H 4S\nX Pass Pass Pass\n{Partner's suit first.}\n");
        const PbnReadResult read = readPbn(text, LanguageEnglish);
        const Game game = gameFromBoard(read.boards.value(0), LanguageEnglish).game.value_or(Game {});
        QCOMPARE(game.answer, QStringLiteral("Partner's suit first."));
        QCOMPARE(game.question, QStringLiteral("(1) overcall"));
    }

    // Found by fuzzing: the reader stopped at the "*" of an unfinished auction and dropped the
    // answer after it, so a game written out and read back lost its answer.
    void answerAfterAnUnfinishedAuctionIsKept()
    {
        const QString text = QStringLiteral(
            "[Board \"5\"]\n[Deal \"N:52.A643.K5.K8732 AKQJ94..A962.J64 763.K752.JT843.T T8.QJT98.Q7.AQ95\"]\n"
            "[Auction \"N\"]\nPass 1S *\n{The spade two\n  shows an honour.}\n");
        const PbnReadResult read = readPbn(text, LanguageEnglish);
        QCOMPARE(read.boards.size(), 1);
        const Game game = gameFromBoard(read.boards[0], LanguageEnglish).game.value_or(Game {});
        QVERIFY(game.hasAnswerFile);
        QCOMPARE(game.answer, QStringLiteral("The spade two\r\n  shows an honour."));
        QVERIFY(game.auction.has_value());
    }

    // Found by fuzzing: a UTF-8 file's character that code page 1252 lacks made the game differ
    // from what its files hold.
    void textIsKeptAsTheGameFilesCanHoldIt()
    {
        const QByteArray file
            = QStringLiteral("[Board \"1\"]\n{Caf\u00e9 \u20ac5 \u07de}\n"
                             "[Deal \"N:52.A643.K5.K8732 AKQJ94..A962.J64 763.K752.JT843.T T8.QJT98.Q7.AQ95\"]\n")
                  .toUtf8();
        QTemporaryDir dir;
        const ImportPlan p = planImport(file, ExchangeFormat::Pbn, GameStore(dir.path(), LanguageDutch));
        QCOMPARE(p.games.value(0).question, QStringLiteral("Caf\u00e9 \u20ac5 ?"));
    }

    void brokenTextNeverStopsTheReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("lone bracket") << QByteArray("[");
        QTest::newRow("lone brace") << QByteArray("{");
        QTest::newRow("lone quote in a tag") << QByteArray("[Board \"");
        QTest::newRow("escape at the end") << QByteArray("[Board \"\\");
        QTest::newRow("carriage returns only") << QByteArray("\r\r\r[Board \"1\"]\r[Deal \"N:-\"]\r");
        QTest::newRow("nul bytes") << QByteArray("[Board \"1\0\"]\0\0{\0}", 17);
        QTest::newRow("auction without deal") << QByteArray("[Board \"2\"]\n[Auction \"E\"]\n1C =99= $ * 7NT\n");
        QTest::newRow("note without number")
            << QByteArray("[Note \":x\"]\n[Note \"x\"]\n[Board \"3\"]\n[Play \"Q\"]\n-\n");
        QTest::newRow("long line") << QByteArray(200000, 'x');
        QTest::newRow("many brackets") << QByteArray(100000, '[');
    }
    void brokenTextNeverStopsTheReader()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const ImportPlan p = planImport(bytes, ExchangeFormat::Pbn, GameStore(dir.path(), LanguageDutch));
        QVERIFY(p.games.isEmpty());
        QVERIFY(p.notices.size() <= 600); // a bad file gives a bounded list
    }

    // A commentary over 16 MiB used to become a question file the store would not read back, so
    // the game came back without its question and an export dropped it silently.
    void aCommentaryTooLongForAGameIsCutWithANotice_data()
    {
        QTest::addColumn<bool>("beforeDeal");
        QTest::newRow("question") << true;
        QTest::newRow("answer") << false;
    }
    void aCommentaryTooLongForAGameIsCutWithANotice()
    {
        QFETCH(bool, beforeDeal);
        const QByteArray line
            = QByteArray("Oost start met schoppen aas en speelt daarna klaveren na. ").repeated(16) + "\r\n";
        const QByteArray commentary = "{" + line.repeated(17 * 1024 * 1024 / line.size() + 1) + "}\r\n";
        const QByteArray deal = "[Deal \"N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74\"]\r\n";
        const QByteArray file = "[Board \"5\"]\r\n" + (beforeDeal ? commentary + deal : deal + commentary);
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        const ImportPlan planned = planImport(file, ExchangeFormat::Pbn, store);
        QCOMPARE(messages(planned.notices, LanguageDutch),
            QStringList {"Bord 5 (regel 1): het commentaar is langer dan een spel kan bewaren (16 MiB); alleen het "
                         "begin is ingelezen."});
        QCOMPARE(applyImport(planned, ClashChoice::Cancel, store).written, 1);
        const Game stored = store.load(5);
        const QString text = beforeDeal ? stored.question : stored.answer;
        QVERIFY(text.size() > MaxCommentaryLength - 1024 && text.size() <= MaxCommentaryLength);
        QVERIFY(text.startsWith(QLatin1String("Oost start met schoppen aas")));
    }

    void aNoteTooLongForAGameIsCutWithANotice()
    {
        const QByteArray note = QByteArray(100 * 1024, 'x');
        const QByteArray file = "[Board \"5\"]\r\n[Dealer \"N\"]\r\n"
                                "[Deal \"N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74\"]\r\n"
                                "[Auction \"N\"]\r\n2D =1= Pass Pass Pass\r\n[Note \"1:"
            + note + "\"]\r\n";
        const PbnReadResult read = readPbn(QString::fromLatin1(file), LanguageEnglish);
        QCOMPARE(read.boards.size(), 1);
        QCOMPARE(read.boards[0].calls[0].noteText.size(), MaxNoteLength);
        QCOMPARE(read.problems.size(), 1);
        QCOMPARE(read.problems[0].text, exchange_text::CommentaryCut);
    }

    void suitEscapesInCommentaryStayEscapesAndGoOutTheSame()
    {
        // A teacher's question and answer with the standard's suit symbols, and a note with one.
        const QByteArray file = "[Event \"Les\"]\r\n[Board \"1\"]\r\n[Dealer \"N\"]\r\n[Vulnerable \"None\"]\r\n"
                                "{Wat start u met \\S AH en \\H 5?}\r\n"
                                "[Deal \"N:AKQJ.AKQ.AKQ.AKQ T987.JT9.JT9.JT9 6543.876.876.876 2.5432.5432.5432\"]\r\n"
                                "[Auction \"N\"]\r\n1NT Pass 3NT =1= AP\r\n[Note \"1:\\D stopper\"]\r\n"
                                "{Start \\D 2, niet \\C.}\r\n";
        for (const int language : {LanguageDutch, LanguageEnglish}) {
            QTemporaryDir dir;
            const ImportPlan p = planImport(file, ExchangeFormat::Pbn, GameStore(dir.path(), language));
            QCOMPARE(p.games.size(), 1);
            const Game &game = p.games.first();
            QVERIFY2(game.question.contains(QLatin1String("\\S AH en \\H 5?")), qPrintable(game.question));
            QVERIFY2(game.answer.contains(QLatin1String("Start \\D 2, niet \\C.")), qPrintable(game.answer));
            // Written out and read again, the texts are what they were.
            const QByteArray again = writePbn({boardFromGame(game, language)});
            QVERIFY2(again.contains("\\S AH en \\H 5?"), again.constData());
            QVERIFY(!again.contains("\\\\S"));
            const ImportPlan back = planImport(again, ExchangeFormat::Pbn, GameStore(dir.path(), language));
            QCOMPARE(back.games.first().question, game.question);
            QCOMPARE(back.games.first().answer, game.answer);
        }
    }

    void theLessonTitleComesFromTheFirstGamesEventSiteAndDate_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("title");
        const QByteArray deal = "[Deal \"N:AKQJ.AKQ.AKQ.AKQ T987.JT9.JT9.JT9 6543.876.876.876 2.5432.5432.5432\"]\r\n";
        QTest::newRow("all three") << "% PBN 2.1\r\n\r\n[Event \"Clubavond\"]\r\n[Site \"De Schakel\"]\r\n"
                                      "[Date \"2024.03.15\"]\r\n[Board \"1\"]\r\n"
                + deal + "\r\n[Event \"Other\"]\r\n[Board \"2\"]\r\n"
                + deal << QStringLiteral("Clubavond - De Schakel - 2024.03.15");
        QTest::newRow("unknown parts left out")
            << "[Event \"Les \\\"3\\\"\"]\r\n[Site \"?\"]\r\n[Date \"2024.??.??\"]\r\n" + deal
            << QStringLiteral("Les \"3\" - 2024");
        QTest::newRow("accented, in code page 1252")
            << QByteArray("[Site \"Caf\xE9\"]\r\n[Date \"????.??.??\"]\r\n") + deal << QStringLiteral("Caf\u00e9");
        QTest::newRow("none") << "[Board \"1\"]\r\n" + deal << QString();
        QTest::newRow("no game at all") << QByteArray("% nothing\r\n") << QString();
    }
    void theLessonTitleComesFromTheFirstGamesEventSiteAndDate()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, title);
        QCOMPARE(pbnLessonTitle(file), title);
        QTemporaryDir dir;
        QCOMPARE(planImport(file, ExchangeFormat::Pbn, GameStore(dir.path(), LanguageDutch)).lessonTitle, title);
    }

    void utf16WithAByteOrderMarkIsDecodedInEitherOrder()
    {
        const QString text = QStringLiteral("[Board \"1\"] {caf\u00e9 \u20ac}");
        QByteArray le("\xFF\xFE"), be("\xFE\xFF");
        for (const QChar c : text) {
            le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
            be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        }
        QCOMPARE(decodeExchangeFile(le), text);
        QCOMPARE(decodeExchangeFile(be), text);
        QCOMPARE(decodeExchangeFile("\xEF\xBB\xBF" + text.toUtf8()), text);
    }
};

QTEST_APPLESS_MAIN(PbnReaderTest)
#include "test_pbn_reader.moc"
