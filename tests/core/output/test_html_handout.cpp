// A lesson as a web page: what each board shows, what each option leaves out, texts a user typed
// kept as text, and the page as a real browser reads and draws it (headless Chromium).

#include "output/html_handout.h"

#include "analysis/double_dummy.h"
#include "auction/auction_model.h"
#include "store/game_files.h"
#include "support/test_files.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace briqo;

namespace {

// Board 5 (North deals, North-South vulnerable): North opens 1NT and is raised to 3NT; East leads
// the queen of hearts. North holds 19 points.
Game lessonGame()
{
    Game game;
    game.number = 5;
    game.holdings = {"AKQ2", "K87", "32", "AK54", "JT9", "QJT9", "AK4", "QJ2", "8765", "A2", "QJT9", "T98", "43",
        "6543", "8765", "763"};
    AuctionModel auction;
    auction.resetForGame(North);
    const QString pass = QStringLiteral("Pass");
    for (const auto &[k, caption] : {std::pair {4, QString()}, {BoxButton::Pass, pass}, {14, QString()},
             {BoxButton::Pass, pass}, {BoxButton::Pass, pass}, {BoxButton::Pass, pass}})
        auction.click(k, caption);
    game.auction = auctionFileOf(auction);
    game.contract = QStringLiteral("North 3 NT");
    game.lead = LeadLine {QStringLiteral("East"), Hearts, QStringLiteral("Queen")};
    game.question = QStringLiteral("What do you lead against 3NT?\r\n<b>Dummy</b> & you hold !S or \\H");
    game.answer = QStringLiteral("The !HQ: top of a sequence.");
    return game;
}

HtmlHandoutSettings english()
{
    HtmlHandoutSettings settings;
    settings.languageNumber = LanguageEnglish;
    settings.year = 2026;
    return settings;
}

QString page(const Game &game, const HtmlHandoutSettings &settings)
{
    return QString::fromUtf8(handoutHtml({game}, settings));
}

// The page is written so strictly that an XML reader takes it: a text that escaped its escaping
// would break that.
QString xmlError(const QString &html)
{
    QXmlStreamReader reader(html);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() + QStringLiteral(" at line ") + QString::number(reader.lineNumber())
                             : QString();
}

const QString Heart = QStringLiteral("<span class=\"suit red\">\u2665</span>");
const QString Spade = QStringLiteral("<span class=\"suit\">\u2660</span>");

// What each option names, as it shows on the page.
const QString LeadShown = QStringLiteral("East - Queen ") + Heart;
const QString AuctionShown = QStringLiteral("<table class=\"auction\"");
const QString ContractShown = QStringLiteral("<dt>Contract:</dt><dd>3NT</dd><dt>Leader:</dt><dd>North</dd>");
const QString PointsShown = QStringLiteral("North <span class=\"points\">(19)</span>");
const QString NorthCards = QStringLiteral("AKQ2");
const QString NoticeShown = QStringLiteral("<footer>");

// Chromium as installed by the README's test command; runs with its profile in a folder of its own
// and gives up after two minutes rather than hang the suite.
struct Browser {
    QString program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    QTemporaryDir profile;

    // The browser's standard output, or a failure message in error.
    QByteArray run(const QStringList &arguments, QString &error)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), profile.path());
        process.setProcessEnvironment(env);
        process.start(program,
            QStringList {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                QStringLiteral("--no-first-run"), QStringLiteral("--user-data-dir=") + profile.path() + "/chromium"}
                + arguments);
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            error = QStringLiteral("chromium did not finish within two minutes");
            return {};
        }
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            error = QStringLiteral("chromium failed: ") + QString::fromUtf8(process.readAllStandardError().right(2000));
        return process.readAllStandardOutput();
    }
};

} // namespace

class TestHtmlHandout : public QObject {
    Q_OBJECT

private slots:
    void boardShowsEverythingAndTypedTextStaysText()
    {
        const QString html = page(lessonGame(), english());
        QCOMPARE(xmlError(html), QString());
        QVERIFY(html.startsWith(QLatin1String("<!DOCTYPE html>\n<html lang=\"en\">")));
        QVERIFY(html.contains(QLatin1String("name=\"viewport\"")));
        // Nothing from elsewhere: no script, no linked file, no font.
        for (const char *outside : {"<script", "<link", "src=", "@import", "url("})
            QVERIFY2(!html.contains(QLatin1String(outside)), outside);

        QVERIFY(html.contains(QLatin1String("<h2>Game 5</h2>")));
        QVERIFY(html.contains(QLatin1String("<dt>Dealer:</dt><dd>North</dd><dt>Vulnerable:</dt><dd>North-South</dd>")));
        for (const QString &shown : {LeadShown, AuctionShown, ContractShown, PointsShown, NoticeShown})
            QVERIFY2(html.contains(shown), qPrintable(shown));
        QVERIFY(html.contains(QStringLiteral("<li>") + Spade + QStringLiteral(" AKQ2</li>")));
        QVERIFY(html.contains(QStringLiteral("<li>") + Heart + QStringLiteral(" 6543</li>")));
        // The grid to its last call, the note-free cells as typed; no empty rows below.
        QVERIFY(html.contains(QLatin1String("<tr><td>1NT</td><td>Pass</td><td>3NT</td><td>Pass</td></tr>"
                                            "<tr><td>Pass</td><td>Pass</td><td></td><td></td></tr></tbody>")));

        // The question with its line break, escaped, its suit marks as symbols; the answer folded.
        QVERIFY(html.contains(QStringLiteral("What do you lead against 3NT?\n&lt;b&gt;Dummy&lt;/b&gt; &amp; you hold ")
            + Spade + QStringLiteral(" or ") + Heart));
        QVERIFY(!html.contains(QLatin1String("<b>Dummy")));
        QVERIFY(html.contains(QStringLiteral("<details><summary>Show answer/explanation</summary>"
                                             "<div class=\"text\">The ")
            + Heart + QStringLiteral("Q: top of a sequence.</div></details>")));
        QVERIFY(!html.contains(QLatin1String("<details open")));
    }

    void eachOptionLeavesOutWhatItNamesAndNothingElse_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("gone");
        QTest::newRow("lead") << "lead" << LeadShown;
        QTest::newRow("auction") << "auction" << AuctionShown;
        QTest::newRow("contract") << "contract" << ContractShown;
        QTest::newRow("points") << "points" << PointsShown;
        QTest::newRow("North's hand") << "north" << NorthCards;
        QTest::newRow("notice") << "notice" << NoticeShown;
    }

    void eachOptionLeavesOutWhatItNamesAndNothingElse()
    {
        QFETCH(QString, option);
        QFETCH(QString, gone);
        HtmlHandoutSettings settings = english();
        settings.shown.lead = option != QLatin1String("lead");
        settings.shown.auction = option != QLatin1String("auction");
        settings.shown.contract = option != QLatin1String("contract");
        settings.shown.points = option != QLatin1String("points");
        settings.shown.hands[North] = option != QLatin1String("north");
        settings.showNotice = option != QLatin1String("notice");
        const QString html = page(lessonGame(), settings);
        QCOMPARE(xmlError(html), QString());
        QVERIFY2(!html.contains(gone), qPrintable(gone));
        for (const QString &kept : {LeadShown, AuctionShown, ContractShown, PointsShown, NorthCards, NoticeShown}) {
            // A hidden hand takes its points with it.
            if (kept != gone && !(option == QLatin1String("north") && kept == PointsShown))
                QVERIFY2(html.contains(kept), qPrintable(kept));
        }
        // The other hands, the question and the answer stay whatever is left out.
        QVERIFY(html.contains(QLatin1String(" QJT9</li>")));
        QVERIFY(html.contains(QLatin1String("What do you lead")));
        QVERIFY(html.contains(QLatin1String("<details>")));
        if (option == QLatin1String("north")) {
            QVERIFY(html.contains(QLatin1String("<h3>North <span class=\"hidden-hand\">(hidden)</span></h3>")));
            QVERIFY(html.contains(QLatin1String("East <span class=\"points\">(14)</span>")));
        }
    }

    void dealWithoutAuctionHasNoGridContractOrLeadAndPassedOutReadsPass()
    {
        Game game = lessonGame();
        game.auction.reset();
        game.answer.clear();
        const QString html = page(game, english());
        QVERIFY(!html.contains(QLatin1String("<table")));
        QVERIFY(!html.contains(QLatin1String("Contract:")));
        QVERIFY(!html.contains(QLatin1String("Lead:")));
        QVERIFY(!html.contains(QLatin1String("<details")));
        QVERIFY(html.contains(NorthCards));
        // A game number without a dealer of its own (0) shows none.
        game.number = 0;
        QVERIFY(!page(game, english()).contains(QLatin1String("Dealer:")));

        // Four passes: the contract reads "Pass", and there is no declarer.
        AuctionModel passedOut;
        passedOut.resetForGame(North);
        for (int i = 0; i < 4; ++i)
            passedOut.click(BoxButton::Pass, QStringLiteral("Pass"));
        game.auction = auctionFileOf(passedOut);
        const QString passedOutPage = page(game, english());
        QVERIFY(passedOutPage.contains(QLatin1String("<dt>Contract:</dt><dd>Pass</dd>")));
        QVERIFY(!passedOutPage.contains(QLatin1String("Leader:")));
    }

    void dutchCaptionsTitleAndTens()
    {
        HtmlHandoutSettings settings;
        settings.title = QStringLiteral("Les 3: <Sans> & troef");
        settings.subtitle = QStringLiteral("Uitkomen");
        settings.tenAs10 = true;
        Game game = lessonGame();
        game.lead = LeadLine {QStringLiteral("Oost"), Hearts, QStringLiteral("T")};
        const QString html = page(game, settings);
        QCOMPARE(xmlError(html), QString());
        QVERIFY(html.contains(QLatin1String("<html lang=\"nl\">")));
        QVERIFY(html.contains(QLatin1String("<title>Les 3: &lt;Sans&gt; &amp; troef</title>")));
        QVERIFY(
            html.contains(QLatin1String("<h1>Les 3: &lt;Sans&gt; &amp; troef</h1><p class=\"subtitle\">Uitkomen</p>")));
        QVERIFY(html.contains(QLatin1String("<dt>Gever:</dt><dd>Noord</dd><dt>Kwetsbaar:</dt><dd>Noord-Zuid</dd>")));
        QVERIFY(html.contains(QLatin1String("<dt>Contract:</dt><dd>3SA</dd><dt>Leider:</dt><dd>Noord</dd>")));
        QVERIFY(html.contains(QStringLiteral("<dt>Uitkomst:</dt><dd>Oost - ") + Heart + QStringLiteral(" 10</dd>")));
        QVERIFY(html.contains(QLatin1String(" QJ109</li>")));
        QVERIFY(html.contains(QLatin1String("<summary>Toon antwoord/uitleg</summary>")));
        QVERIFY(html.contains(QLatin1String("<th scope=\"col\">Oost</th>")));
        // Without a title the page is named after the program and shows no heading.
        QVERIFY(page(game, HtmlHandoutSettings {}).contains(QLatin1String("<title>Briqo</title>")));
        QVERIFY(!page(game, HtmlHandoutSettings {}).contains(QLatin1String("<h1>")));
    }

    void doubleDummyTableWhenAsked()
    {
        if (!doubleDummyAvailable())
            QSKIP("the double-dummy library (libdds) cannot be opened");
        HtmlHandoutSettings settings = english();
        QVERIFY(!page(lessonGame(), settings).contains(QLatin1String("class=\"dd\"")));
        settings.shown.doubleDummy = true;
        const QString html = page(lessonGame(), settings);
        QCOMPARE(xmlError(html), QString());
        QVERIFY(html.contains(QLatin1String("<table class=\"dd\"><caption>Double dummy</caption>")));
        QVERIFY(html.contains(QLatin1String("<p class=\"par\">Par ")));
    }

    void browserReadsTheBoardsKeepsTheAnswersClosedAndDrawsPhoneAndWide()
    {
        Browser browser;
        if (browser.program.isEmpty())
            QSKIP("chromium is not installed (the README's test command installs it)");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("lesson.html"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(handoutHtml({lessonGame(), lessonGame(), lessonGame()}, english()));
        out.close();
        const QString url = QStringLiteral("file://") + file;

        QString error;
        const QString dom = QString::fromUtf8(browser.run({QStringLiteral("--dump-dom"), url}, error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(dom.count(QLatin1String("<article class=\"board\"")), 3);
        QVERIFY(dom.contains(QStringLiteral("<li>") + Spade + QStringLiteral(" AKQ2</li>")));
        QVERIFY(dom.contains(QLatin1String("<td>1NT</td><td>Pass</td><td>3NT</td>")));
        QVERIFY(dom.contains(QStringLiteral("&lt;b&gt;Dummy&lt;/b&gt; &amp; you hold ") + Spade));
        QVERIFY(!dom.contains(QLatin1String("<b>"))); // the browser made no element of typed markup
        const QRegularExpression details(
            QStringLiteral("<details([^>]*)>(.*?)</details>"), QRegularExpression::DotMatchesEverythingOption);
        int answers = 0;
        for (const QRegularExpressionMatch &m : details.globalMatch(dom)) {
            QVERIFY2(!m.captured(1).contains(QLatin1String("open")), qPrintable(m.captured(0)));
            QVERIFY(m.captured(2).contains(QLatin1String("top of a sequence")));
            ++answers;
        }
        QCOMPARE(answers, 3);
        QCOMPARE(dom.count(QLatin1String("top of a sequence")), 3);

        for (const QSize window : {QSize(390, 844), QSize(1280, 900)}) {
            const QString png = dir.filePath(QStringLiteral("lesson-%1.png").arg(window.width()));
            browser.run({QStringLiteral("--hide-scrollbars"), QStringLiteral("--screenshot=") + png,
                            QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()), url},
                error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(testing::pngSize(testing::contents(png)), window); // invalid when none was made
        }
    }
};

QTEST_GUILESS_MAIN(TestHtmlHandout)
#include "test_html_handout.moc"
