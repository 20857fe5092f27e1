// briqo-cli picture and handout, run as a script runs them: no display, a program folder of its own.

#include "base/string_table.h"
#include "core/cli/cli_run.h"
#include "store/game_store.h"
#include "support/test_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;

namespace {

QString data(const char *name) { return exchangeData(name); }

// The height in points of the smallest word of a page: about the size of its type.
double smallestWord(const QString &pdf, int page)
{
    const QString boxes = runTool(
        QStringLiteral("pdftotext"), {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    const QRegularExpression word(QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\""));
    double smallest = 1e9;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        smallest = std::min(smallest, m.captured(2).toDouble() - m.captured(1).toDouble());
    }
    return smallest;
}

// Every file below a folder with a digest of its bytes and its time: what "nothing was written" means.
QStringList snapshot(const QString &folder)
{
    QStringList seen;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const QByteArray digest = f.open(QIODevice::ReadOnly)
            ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex()
            : QByteArray();
        seen << path + QLatin1Char(' ') + QString::fromLatin1(digest) + QLatin1Char(' ')
                + QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    seen.sort();
    return seen;
}

} // namespace

// Eleven boards of one deal, board 1 with an auction and lead, board 2 with a question and an
// answer holding suit marks: a lesson for the hand record and the question sheet.
QByteArray lessonPbn()
{
    QByteArray pbn = "% PBN 2.1\n";
    for (int n = 1; n <= 11; ++n) {
        pbn += "[Board \"" + QByteArray::number(n) + "\"]\n";
        pbn += "[Deal \"N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74\"]\n";
        if (n == 1)
            pbn += "[Declarer \"S\"]\n[Contract \"3NT\"]\n[Auction \"N\"]\nPass Pass 1NT Pass\n3NT AP\n[Play "
                   "\"W\"]\nSK\n";
        pbn += "\n";
    }
    return pbn;
}

class CliPicturesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder; // the program folder, with games 1 to 6 stored in English
    QTemporaryDir m_lesson; // another, with the eleven boards of lessonPbn
    QTemporaryDir m_out;

    Run cli(const QStringList &args, const char *lang = "en", const QString &folder = QString())
    {
        return runCli(args + QStringList {"--folder", folder.isEmpty() ? m_folder.path() : folder, "--lang", lang});
    }
    QString out(const QString &name) const { return m_out.filePath(name); }

private slots:
    void initTestCase()
    {
        for (const char *file : {"dealing_machine.pbn", "teaching.pbn"})
            QCOMPARE(cli({"import", data(file)}).exitCode, 0);
        QCOMPARE(GameStore(m_folder.path(), LanguageEnglish).list().size(), 6);

        const QString pbn = m_out.filePath(QStringLiteral("lesson.pbn"));
        put(pbn, lessonPbn());
        QCOMPARE(cli({"import", pbn}, "en", m_lesson.path()).exitCode, 0);
        const GameStore lesson(m_lesson.path(), LanguageEnglish);
        QCOMPARE(lesson.list().size(), 11);
        QVERIFY(lesson.writeQuestionAndAnswer(
            2, "Partner opens 1!S. What do you bid with \\H AKQ?", QStringLiteral("2!H: five hearts and 10 points.")));
        QVERIFY(lesson.writeQuestion(1, QStringLiteral("What do you lead against 3NT?")));
    }

    void everyRefusalSaysWhyAndWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString png = out(QStringLiteral("x.png"));
        const QString pdf = out(QStringLiteral("x.pdf"));
        const QString games = m_folder.filePath(QStringLiteral("Games"));
        QTest::newRow("no game") << QStringList {"picture", "--out", png} << "Say which game";
        QTest::newRow("no output") << QStringList {"picture", "--game", "5"} << "Name the file.";
        QTest::newRow("game not stored") << QStringList {"picture", "--game", "7", "--out", png}
                                         << "Game 7 is not stored.";
        QTest::newRow("one of the games not stored") << QStringList {"picture", "--games", "5-8", "--out",
            out(QStringLiteral("all/"))} << "Game 8 is not stored.";
        QTest::newRow("game and games") << QStringList {"picture", "--game", "5", "--games", "5", "--out", png}
                                        << "not both";
        QTest::newRow("game not a number")
            << QStringList {"picture", "--game", "five", "--out", png} << "Bad value for --game: five";
        QTest::newRow("bad list") << QStringList {"handout", "--games", "12-1", "--out", pdf}
                                  << "Bad list of games: 12-1";
        QTest::newRow("unknown format") << QStringList {"picture", "--game", "5", "--out", out(QStringLiteral("x.gif"))}
                                        << "Bad value for --out";
        QTest::newRow("unknown folder format")
            << QStringList {"picture", "--games", "5", "--out", out(QStringLiteral("d/")), "--format", "gif"}
            << "Bad value for --format: gif";
        QTest::newRow("several games into one file")
            << QStringList {"picture", "--games", "5,6", "--out", png} << "is a folder";
        QTest::newRow("scale too small") << QStringList {"picture", "--game", "5", "--out", png, "--scale", "0.5"}
                                         << "Bad value for --scale: 0.5";
        QTest::newRow("unknown seat") << QStringList {"picture", "--game", "5", "--out", png, "--hide", "X"}
                                      << "Bad value for --hide: X";
        QTest::newRow("ten boards a page")
            << QStringList {"handout", "--out", pdf, "--per-page", "10"} << "Bad value for --per-page: 10";
        QTest::newRow("unknown layout") << QStringList {"handout", "--out", pdf, "--layout", "poster"}
                                        << "Bad value for --layout: poster";
        QTest::newRow("answers nowhere") << QStringList {"handout", "--out", pdf, "--answers", "never"}
                                         << "Bad value for --answers: never";
        QTest::newRow("unreadable board file")
            << QStringList {"handout", "--out", pdf, "--pbn", out(QStringLiteral("missing.pbn"))} << "cannot be read";
        QTest::newRow("board not in the file") << QStringList {"picture", "--game", "1", "--out", png, "--pbn",
            data("teaching.pbn")} << "Board 1 is not in";
        QTest::newRow("unwritable output")
            << QStringList {"picture", "--game", "5", "--out", out(QStringLiteral("no/such/folder/x.png"))}
            << "cannot be written";
        QTest::newRow("into the games folder")
            << QStringList {"picture", "--game", "5", "--out", games + QStringLiteral("/Game 005/x.png")}
            << "lies in the games folder";
        QTest::newRow("games folder as the folder of pictures") << QStringList {"picture", "--games", "5,6", "--out",
            games + QStringLiteral("/")} << "lies in the games folder";
    }
    void everyRefusalSaysWhyAndWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QStringList before = snapshot(m_folder.path());
        const Run run = cli(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(snapshot(m_folder.path()), before);
        QVERIFY(!QFile::exists(out(QStringLiteral("x.png"))) && !QFile::exists(out(QStringLiteral("x.pdf"))));
    }

    void picturesInEveryFormatWithoutTouchingTheGames()
    {
        const QStringList before = snapshot(m_folder.path());
        const QString png = out(QStringLiteral("board5.png"));
        QCOMPARE(cli({"picture", "--game", "5", "--out", png}).exitCode, 0);
        const QSize plain = pngSize(contents(png));
        QVERIFY(plain.isValid());
        const QString sharp = out(QStringLiteral("board5x2.png"));
        QCOMPARE(cli({"picture", "--game", "5", "--out", sharp, "--scale", "2", "--ten"}).exitCode, 0);
        QCOMPARE(pngSize(contents(sharp)), plain * 2);

        // One file per game into a folder that is made for them, named as the window names pictures.
        const QString folder = out(QStringLiteral("lesson/"));
        const Run many = cli({"picture", "--games", "1-2,5", "--out", folder, "--format", "svg"});
        QCOMPARE(many.exitCode, 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
            (QStringList {"Game 001.svg", "Game 002.svg", "Game 005.svg"}));
        QVERIFY(many.err.contains(QStringLiteral("Game 005.svg written.")));

        // From the board file instead of the store: the question of board 5 is in the PDF's text.
        const QString pdf = out(QStringLiteral("from_file.pdf"));
        QCOMPARE(cli({"picture", "--game", "5", "--pbn", data("teaching.pbn"), "--out", pdf}).exitCode, 0);
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("What do you lead against")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Par")));

        // --dd works the table and par out and draws them below the board.
        const QString withTable = out(QStringLiteral("with_table.pdf"));
        QCOMPARE(cli({"picture", "--game", "5", "--out", withTable, "--dd"}).exitCode, 0);
        QVERIFY(pdfText(withTable).contains(QStringLiteral("Par")));
        QCOMPARE(snapshot(m_folder.path()), before);
    }

    void handoutOfTheStoredGames()
    {
        const QStringList before = snapshot(m_folder.path());
        const QString pdf = out(QStringLiteral("lesson.pdf"));
        const Run run = cli({"handout", "--games", "1-6", "--per-page", "4", "--out", pdf});
        QCOMPARE(run.exitCode, 0);
        // Six boards on two pages, then the answer of board 5 on its own page.
        QCOMPARE(pageCount(pdf), 3);
        const QString answers = pdfText(pdf, 3);
        QVERIFY2(answers.contains(QStringLiteral("Game 5")) && answers.contains(QStringLiteral("honour")),
            qPrintable(answers));
        QVERIFY(!answers.contains(QStringLiteral("Game 4"))); // a game without an answer is left out

        const QString inlined = out(QStringLiteral("inline.pdf"));
        QCOMPARE(cli({"handout", "--out", inlined, "--answers", "inline", "--hide", "NS"}).exitCode, 0);
        QCOMPARE(pageCount(inlined), 2);
        QCOMPARE(snapshot(m_folder.path()), before);

        // A handout of a board file takes the file's event as its title, unless another is given;
        // the same holds for the web page.
        const QString fromFile = out(QStringLiteral("from_file_lesson.pdf"));
        QCOMPARE(cli({"handout", "--pbn", data("teaching.pbn"), "--out", fromFile}).exitCode, 0);
        QVERIFY2(pdfText(fromFile, 1).contains(QStringLiteral("Lesson 4")), qPrintable(pdfText(fromFile, 1)));
        const QString page = out(QStringLiteral("from_file_lesson.html"));
        QCOMPARE(
            cli({"handout", "--pbn", data("teaching.pbn"), "--title", "Opening leads", "--out", page}).exitCode, 0);
        QFile html(page);
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QByteArray bytes = html.readAll();
        QVERIFY(bytes.contains("Opening leads") && !bytes.contains("Lesson 4"));
    }

    // Each option leaves out its own part of the board and nothing else, in the picture and in the
    // handout's board layout and question sheet, which draw the board themselves.
    void eachOptionLeavesOutWhatItNames_data()
    {
        QTest::addColumn<QString>("layout"); // "" for the picture
        QTest::addColumn<QString>("option");
        // The text only that part puts on the page: West's lead of the king of spades, the calls,
        // the contract line, South's points, North's hearts, the par line.
        const QStringList parts {"--no-lead", "--no-auction", "--no-contract", "--no-points", "--hide", "--dd"};
        for (const QString &layout : QStringList {QString(), "board", "question"}) {
            for (const QString &part : parts)
                QTest::newRow(
                    qPrintable((layout.isEmpty() ? QStringLiteral("picture ") : layout + QLatin1Char(' ')) + part))
                    << layout << part;
        }
    }
    void eachOptionLeavesOutWhatItNames()
    {
        QFETCH(QString, layout);
        QFETCH(QString, option);
        const QMap<QString, QRegularExpression> marks {
            {"--no-lead", QRegularExpression(QStringLiteral("West - "))},
            {"--no-auction", QRegularExpression(QStringLiteral("Pass"))},
            {"--no-contract", QRegularExpression(QStringLiteral("Contract"))},
            {"--no-points", QRegularExpression(QStringLiteral("\\(?15\\)?"))},
            {"--hide", QRegularExpression(QStringLiteral("QJ9862"))},
            {"--dd", QRegularExpression(QStringLiteral("Par"))},
        };
        auto make = [&](const QStringList &extra) {
            const QString pdf = m_out.filePath(QStringLiteral("part.pdf"));
            QFile::remove(pdf);
            QStringList args = layout.isEmpty() ? QStringList {"picture", "--game", "1"}
                                                : QStringList {"handout", "--games", "1", "--layout", layout};
            const Run run = cli(args + QStringList {"--out", pdf} + extra, "en", m_lesson.path());
            return run.exitCode == 0 ? pdfText(pdf) : QStringLiteral("failed: ") + run.err;
        };
        // Everything shows, the table too; then the one part is left out (the table by leaving out --dd).
        const QString all = make({"--dd"});
        QStringList without {"--dd"};
        if (option == QLatin1String("--dd"))
            without.clear();
        else if (option == QLatin1String("--hide"))
            without << option << QStringLiteral("N");
        else
            without << option;
        const QString less = make(without);
        for (auto it = marks.begin(); it != marks.end(); ++it) {
            QVERIFY2(all.contains(it.value()), qPrintable(it.key() + QStringLiteral(" missing in:\n") + all));
            QVERIFY2(less.contains(it.value()) == (it.key() != option),
                qPrintable(it.key() + QStringLiteral(" wrong in:\n") + less));
        }
        QVERIFY2(less.contains(QStringLiteral("What do you lead against 3NT?")), qPrintable(less));
    }

    // The three layouts: the title, subtitle, page number and notice on every page, a hand record
    // of 9 boards a page, a question sheet whose answers follow the boards, suit marks as symbols,
    // and type never below 8 points.
    void layoutsOfALesson()
    {
        const QString record = m_out.filePath(QStringLiteral("record.pdf"));
        QCOMPARE(cli({"handout", "--layout", "record", "--title", "Club night", "--subtitle", "Tuesday 4 March", "--dd",
                         "--out", record},
                     "en", m_lesson.path())
                     .exitCode,
            0);
        QCOMPARE(pageCount(record), 2);
        const QString first = pdfText(record, 1);
        for (int n = 1; n <= 9; ++n)
            QVERIFY2(first.contains(QStringLiteral("Game %1\n").arg(n)), qPrintable(first));
        QVERIFY(!first.contains(QStringLiteral("Game 10")));
        QVERIFY(pdfText(record, 2).contains(QStringLiteral("Game 11")));
        // No auction in a hand record, even for the board that has one.
        QVERIFY(!first.contains(QStringLiteral("Pass")));
        for (int page = 1; page <= 2; ++page) {
            const QString text = pdfText(record, page);
            QVERIFY(text.contains(QStringLiteral("Club night")) && text.contains(QStringLiteral("Tuesday 4 March")));
            QVERIFY(text.contains(QStringLiteral("Page %1 of 2").arg(page)));
            QCOMPARE(text.count(QStringLiteral("Briqo - bridge deal pictures")), 1);
            QVERIFY2(smallestWord(record, page) >= 8, qPrintable(QString::number(smallestWord(record, page))));
        }
        const QString six = m_out.filePath(QStringLiteral("six.pdf"));
        QCOMPARE(cli({"handout", "--layout", "record", "--per-page", "6", "--no-notice", "--out", six}, "en",
                     m_lesson.path())
                     .exitCode,
            0);
        QCOMPARE(pageCount(six), 2);
        QVERIFY(
            pdfText(six, 1).contains(QStringLiteral("Game 6")) && !pdfText(six, 1).contains(QStringLiteral("Game 7")));
        QVERIFY(!pdfText(six).contains(QStringLiteral("Briqo - bridge deal pictures")));

        // The question sheet: North and South hidden, so East's and West's hands show; the answers last.
        const QString sheet = m_out.filePath(QStringLiteral("sheet.pdf"));
        QCOMPARE(cli({"handout", "--layout", "question", "--hide", "NS", "--title", "Lesson 4", "--out", sheet}, "en",
                     m_lesson.path())
                     .exitCode,
            0);
        const int pages = pageCount(sheet);
        QVERIFY(pages >= 2);
        const QString answers = pdfText(sheet, pages);
        QVERIFY2(answers.contains(QStringLiteral("Answer/explanation")), qPrintable(answers));
        QVERIFY(answers.contains(QStringLiteral("\u2665: five hearts")));
        QVERIFY(!answers.contains(QStringLiteral("Game 11\n")));
        int lastBoardPage = 0;
        for (int page = 1; page <= pages; ++page) {
            const QString text = pdfText(sheet, page);
            QVERIFY(text.contains(QStringLiteral("Lesson 4")));
            QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)));
            QVERIFY(text.count(QStringLiteral("Briqo - bridge deal pictures")) == 1);
            QVERIFY2(smallestWord(sheet, page) >= 8, qPrintable(QString::number(smallestWord(sheet, page))));
            if (text.contains(QStringLiteral("Game 11")) && !text.contains(QStringLiteral("Answer/explanation")))
                lastBoardPage = page;
        }
        QVERIFY(lastBoardPage > 0 && lastBoardPage < pages);
        const QString questions = pdfText(sheet);
        QVERIFY2(questions.contains(QStringLiteral("opens 1\u2660. What do you bid with \u2665 AKQ?")),
            qPrintable(questions));
        QVERIFY(!questions.contains(QStringLiteral("QJ9862"))); // North's hearts
        QVERIFY(questions.contains(QStringLiteral("Q8763"))); // East's diamonds
    }

    // The board layout at every density, everything shown (the table and the answers under the
    // boards too): every part of a board on its page and no type below 8 points; 7 to 9 boards a
    // page give 6, as more would not hold that.
    void boardLayoutAtEveryDensity_data()
    {
        QTest::addColumn<int>("perPage");
        QTest::addColumn<int>("shown"); // boards on a page
        QTest::addColumn<bool>("inlined");
        for (const auto &[perPage, shown] : {std::pair {1, 1}, {2, 2}, {4, 4}, {9, 6}}) {
            for (const bool inlined : {false, true})
                QTest::addRow("%d a page%s", perPage, inlined ? ", answers inline" : "") << perPage << shown << inlined;
        }
    }
    void boardLayoutAtEveryDensity()
    {
        QFETCH(int, perPage);
        QFETCH(int, shown);
        QFETCH(bool, inlined);
        const QString pdf = m_out.filePath(QStringLiteral("density.pdf"));
        QFile::remove(pdf);
        QCOMPARE(
            cli({"handout", "--per-page", QString::number(perPage), "--dd", "--answers",
                    inlined ? QStringLiteral("inline") : QStringLiteral("page"), "--title", "Lesson 4", "--out", pdf},
                "en", m_lesson.path())
                .exitCode,
            0);
        const int boardPages = (11 + shown - 1) / shown;
        const int pages = pageCount(pdf);
        QCOMPARE(pages, boardPages + (inlined ? 0 : 1));
        const QString first = pdfText(pdf, 1);
        for (int n = 1; n <= shown + 1 && n <= 11; ++n)
            QVERIFY2(first.contains(QRegularExpression(QStringLiteral("\\bGame %1\\b").arg(n))) == (n <= shown),
                qPrintable(QString::number(n) + QStringLiteral(" in:\n") + first));
        // Board 1's hands, auction, contract, lead, question, points and table.
        for (const QString &part : QStringList {"QJ9862", "Q8763", "Pass", "3NT", "Contract", "West - ", "15", "Par",
                 "What do you lead against", "Dealer", "\u2660"})
            QVERIFY2(first.contains(part), qPrintable(part + QStringLiteral(" missing in:\n") + first));
        // Board 2's question with its suit marks drawn as symbols; its answer under it or at the end.
        const QString second = pdfText(pdf, shown >= 2 ? 1 : 2);
        QVERIFY2(second.contains(QStringLiteral("opens 1\u2660")), qPrintable(second));
        QCOMPARE(second.contains(QStringLiteral("\u2665: five hearts")), inlined);
        if (!inlined)
            QVERIFY(pdfText(pdf, pages).contains(QStringLiteral("\u2665: five hearts")));
        for (int page = 1; page <= pages; ++page) {
            const QString text = pdfText(pdf, page);
            QVERIFY(text.contains(QStringLiteral("Lesson 4")));
            QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)));
            QCOMPARE(text.count(QStringLiteral("Briqo - bridge deal pictures")), 1);
            QVERIFY2(smallestWord(pdf, page) >= 8,
                qPrintable(QStringLiteral("page %1: %2").arg(page).arg(smallestWord(pdf, page))));
        }
    }
};

QTEST_GUILESS_MAIN(CliPicturesTest)
#include "test_cli_pictures.moc"
