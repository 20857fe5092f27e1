#include "output/html_handout.h"

#include "analysis/double_dummy.h"
#include "analysis/par_text.h"
#include "auction/final_contract.h"
#include "base/string_ids.h"
#include "deal/hand_evaluation.h"
#include "qa/suit_text.h"

#include <QFileInfo>

#include <optional>

namespace briqo {

namespace {

// The page's own texts, in both languages.
namespace html_text {
constexpr int ShowAnswer = 760; // the button that opens the answer
constexpr int HiddenHand = 761; // read out for a hand whose cards are not shown
constexpr int Auction = 762;
constexpr int DoubleDummy = 763;
} // namespace html_text

// Everything that is not the boards: one column on a phone, as many as fit on a wide screen. Hearts
// and diamonds in the board's red (192, 0, 0). A closed answer prints as closed; that is the point
// of a question sheet.
const char *const Style = R"(
*{box-sizing:border-box}
body{margin:0;padding:1rem;font-family:Verdana,"DejaVu Sans",Arial,sans-serif;font-size:16px;line-height:1.35;color:#111;background:#f3f3ef}
header{margin:0 0 1rem}
h1{margin:0;font-size:1.6rem}
.subtitle{margin:.2rem 0 0;font-size:1.1rem;color:#444}
.boards{display:grid;gap:1rem;grid-template-columns:repeat(auto-fill,minmax(min(100%,23rem),1fr));align-items:start}
.board{background:#fff;border:1px solid #bbb;border-radius:6px;padding:.8rem}
.board h2{margin:0 0 .4rem;font-size:1.25rem}
.info{display:grid;grid-template-columns:max-content 1fr;gap:.05rem .6rem;margin:0 0 .5rem}
.info dt{font-weight:bold}
.info dd{margin:0}
.diagram{display:grid;grid-template-columns:repeat(3,minmax(0,1fr));grid-template-areas:". n ." "w t e" ". s .";gap:.4rem .3rem;margin:.3rem 0 .6rem}
.north{grid-area:n}.east{grid-area:e}.south{grid-area:s}.west{grid-area:w}
.hand h3{margin:0;font-size:1rem;font-weight:bold}
.hand ul{list-style:none;margin:0;padding:0;white-space:nowrap}
.hand li{line-height:1.4}
.points{font-weight:normal;color:#c00000}
.table{grid-area:t;justify-self:center;align-self:center;width:4.6rem;height:4.6rem;border:2px solid #2f6d34;border-radius:4px;background:#e6f2e6;display:grid;grid-template-columns:1fr 1fr 1fr;grid-template-rows:1fr 1fr 1fr;text-align:center;align-items:center;font-weight:bold;font-size:.85rem}
.table .n{grid-column:2;grid-row:1}.table .e{grid-column:3;grid-row:2}.table .s{grid-column:2;grid-row:3}.table .w{grid-column:1;grid-row:2}
.table .vul{color:#c00000}
.hand .suit{display:inline-block;min-width:1.1em}
.red{color:#c00000}
.auction,.dd{border-collapse:collapse;margin:.2rem 0 .6rem;text-align:center}
.auction{width:100%;max-width:22rem;table-layout:fixed}
.auction caption,.dd caption{text-align:left;font-weight:bold;padding:0 0 .15rem}
.auction th,.auction td,.dd th,.dd td{border:1px solid #c8c8c8;padding:.15rem .3rem}
.auction th,.dd th{background:#ececec}
.note{font-size:.8em;margin-left:.15em}
.par{margin:0 0 .6rem}
.question{margin:.4rem 0}
.question strong{display:block}
.text{white-space:pre-wrap;overflow-wrap:anywhere}
details{margin:.4rem 0 0;border:1px solid #9bb3d1;border-radius:4px;background:#f3f7fc}
summary{cursor:pointer;padding:.45rem .6rem;font-weight:bold;color:#1b4d89}
details>div{padding:0 .6rem .6rem}
.hidden-hand{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
footer{margin:1.5rem 0 0;font-size:.8rem;color:#555;text-align:center}
@media print{body{background:#fff;padding:0}.board{break-inside:avoid;border-color:#888}}
)";

QString escaped(const QString &text) { return text.toHtmlEscaped(); }

QString text(int n, int languageNumber) { return escaped(ResString(n, languageNumber)); }

QString suitSpan(int handSuit)
{
    const bool red = handSuit == Hearts || handSuit == Diamonds;
    return QStringLiteral("<span class=\"suit%1\">%2</span>")
        .arg(red ? QStringLiteral(" red") : QString(), QString(suitSymbol(handSuit)));
}

// A strain of the auction (0 clubs .. 3 spades, 4 no trump) as the grid and the contract show
// it: the suit's symbol, or "SA" / "NT".
QString strainHtml(int strain, int languageNumber)
{
    if (strain >= 0 && strain <= 3)
        return suitSpan(3 - strain);
    return text(Str::NoTrump, languageNumber);
}

// A typed question or answer: escaped, its suit marks as symbols, its line breaks kept.
QString typedText(const QString &typed)
{
    QString plain = typed;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QString html;
    for (const SuitTextPiece &piece : suitTextPieces(plain.trimmed()))
        html += piece.isSuit() ? suitSpan(piece.suit) : escaped(piece.text);
    return html;
}

const char *const SeatClasses[4] = {"north", "east", "south", "west"};
const char *const SeatLetterClasses[4] = {"n", "e", "s", "w"};

QString handHtml(const Game &game, int seat, const HtmlHandoutSettings &settings)
{
    const int language = settings.languageNumber;
    QString html = QStringLiteral("<section class=\"hand %1\"><h3>%2")
                       .arg(QLatin1String(SeatClasses[seat]), escaped(SeatName(seat, language)));
    if (!settings.shown.hands[seat]) {
        html += QStringLiteral(" <span class=\"hidden-hand\">(%1)</span></h3></section>")
                    .arg(text(html_text::HiddenHand, language));
        return html;
    }
    if (settings.shown.points)
        html += QStringLiteral(" <span class=\"points\">(%1)</span>")
                    .arg(handHcp(handFromDeal(game.holdings, seat, language)));
    html += QStringLiteral("</h3><ul>");
    for (int suit = 0; suit < 4; ++suit) {
        const QString holding = game.holdings[FieldOf(seat, suit)];
        const QString shown = settings.tenAs10 ? tensAs10(holding) : holding;
        // A void is a dash, as printed diagrams show it.
        html += QStringLiteral("<li>%1 %2</li>")
                    .arg(suitSpan(suit), shown.isEmpty() ? QStringLiteral("\u2014") : escaped(shown));
    }
    html += QStringLiteral("</ul></section>");
    return html;
}

// The square between the hands: the seats' initials, those of a vulnerable side in red.
QString tableHtml(long long number, int languageNumber)
{
    const int vulnerability = number > 0 && number < 1000 ? VulnerabilityOf(number) : 0;
    QString html = QStringLiteral("<div class=\"table\" aria-hidden=\"true\">");
    for (int seat = 0; seat < 4; ++seat) {
        const bool northSouth = seat == North || seat == South;
        const bool vulnerable
            = vulnerability == 3 || (vulnerability == 1 && northSouth) || (vulnerability == 2 && !northSouth);
        html += QStringLiteral("<span class=\"%1%2\">%3</span>")
                    .arg(QLatin1String(SeatLetterClasses[seat]), vulnerable ? QStringLiteral(" vul") : QString(),
                        escaped(seatInitial(seat, languageNumber)));
    }
    return html + QStringLiteral("</div>");
}

QString auctionCellHtml(const AuctionCell &cell, int languageNumber)
{
    if (!cell.callVisible)
        return {};
    QString html = escaped(cell.caption);
    const bool bid = cell.pictureVisible && !cell.code.isEmpty() && cellNumber(cell.code) < 5;
    if (bid)
        html += strainHtml(cellNumber(cell.code), languageNumber);
    if (cell.noteVisible && !cell.note.isEmpty())
        html += QStringLiteral("<span class=\"note\">%1</span>").arg(escaped(cell.note));
    return html;
}

// The rows of the grid down to the last that holds a call; none for an auction without calls (the
// dashes before the dealer alone are no auction).
QString auctionHtml(const AuctionModel &auction, int languageNumber)
{
    int lastRow = -1;
    for (int row = 0; row < AuctionRows; ++row)
        for (int seat = 0; seat < SeatCount; ++seat)
            if (auction.cell(row, seat).callVisible && auction.cell(row, seat).caption != QLatin1String("-"))
                lastRow = row;
    if (lastRow < 0)
        return {};
    QString html = QStringLiteral("<table class=\"auction\"><caption>%1</caption><thead><tr>")
                       .arg(text(html_text::Auction, languageNumber));
    for (int seat = 0; seat < SeatCount; ++seat)
        html += QStringLiteral("<th scope=\"col\">%1</th>").arg(escaped(SeatName(seat, languageNumber)));
    html += QStringLiteral("</tr></thead><tbody>");
    for (int row = 0; row <= lastRow; ++row) {
        html += QStringLiteral("<tr>");
        for (int seat = 0; seat < SeatCount; ++seat)
            html += QStringLiteral("<td>%1</td>").arg(auctionCellHtml(auction.cell(row, seat), languageNumber));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</tbody></table>");
}

QString infoLine(const QString &caption, const QString &valueHtml)
{
    return QStringLiteral("<dt>%1</dt><dd>%2</dd>").arg(caption, valueHtml);
}

// The caption as the board writes it: "Contract:" gets its colon, "Gever:" has one already.
QString withColon(int n, int languageNumber)
{
    QString caption = ResString(n, languageNumber);
    if (!caption.endsWith(QLatin1Char(':')))
        caption += QLatin1Char(':');
    return escaped(caption);
}

// "West - ♥ Vrouw" in Dutch, "West - Queen ♥" in English, as the board reads it.
QString leadHtml(const LeadLine &lead, const HtmlHandoutSettings &settings)
{
    const QString card = escaped(settings.tenAs10 ? tensAs10(lead.cardText) : lead.cardText);
    const QString suit = suitSpan(lead.suitIndex);
    const QString cardAndSuit
        = settings.languageNumber == LanguageEnglish ? card + QLatin1Char(' ') + suit : suit + QLatin1Char(' ') + card;
    return escaped(lead.leaderName) + QStringLiteral(" - ") + cardAndSuit;
}

// The rows and columns as the board's block has them: North-South above East-West, no trump first.
constexpr int DoubleDummySeats[4] = {North, South, East, West};
constexpr int DoubleDummyStrains[StrainCount] = {NoTrumpStrain, 3, 2, 1, 0};

QString doubleDummyHtml(const DoubleDummyResult &result, int languageNumber)
{
    QString html = QStringLiteral("<table class=\"dd\"><caption>%1</caption><thead><tr><td></td>")
                       .arg(text(html_text::DoubleDummy, languageNumber));
    for (int strain : DoubleDummyStrains)
        html += QStringLiteral("<th scope=\"col\">%1</th>").arg(strainHtml(strain, languageNumber));
    html += QStringLiteral("</tr></thead><tbody>");
    for (int seat : DoubleDummySeats) {
        html += QStringLiteral("<tr><th scope=\"row\">%1</th>").arg(escaped(seatInitial(seat, languageNumber)));
        for (int strain : DoubleDummyStrains)
            html += QStringLiteral("<td>%1</td>").arg(result.tricks[strain][seat]);
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</tbody></table>");
    return html + QStringLiteral("<p class=\"par\">Par %1</p>").arg(escaped(parSummaryText(result, languageNumber)));
}

QString boardHtml(const Game &game, const HtmlHandoutSettings &settings)
{
    const int language = settings.languageNumber;
    const long long n = game.number;
    QString html = QStringLiteral("<article class=\"board\" id=\"board-%1\"><h2>%2 %1</h2><dl class=\"info\">")
                       .arg(n)
                       .arg(text(Str::Game, language));
    // Games outside 1..999 have no dealer or vulnerability of their own; the board leaves them out.
    if (n > 0 && n < 1000) {
        html += infoLine(withColon(Str::DealerCaption, language), escaped(SeatName(DealerOf(n), language)));
        html += infoLine(
            withColon(Str::VulnerableCaption, language), escaped(VulnerabilityName(VulnerabilityOf(n), language)));
    }

    AuctionModel auction;
    auction.resetForGame(DealerOf(n));
    if (game.auction)
        auction.loadFrom(
            game.auction->callKinds, QList<FileCell>(game.auction->cells.begin(), game.auction->cells.end()));
    // The contract is known when the auction has ended: three passes after the last call.
    if (settings.shown.contract && game.auction && auction.CallKinds().endsWith(QLatin1String("222"))) {
        if (const std::optional<FinalContract> contract = finalContract(auction)) {
            html += infoLine(withColon(Str::Contract, language),
                QString::number(contract->level) + strainHtml(contract->strain, language));
            html += infoLine(withColon(Str::Declarer, language), escaped(SeatName(contract->declarer, language)));
        } else {
            html += infoLine(withColon(Str::Contract, language), text(Str::Pass, language));
        }
    }
    if (settings.shown.lead && game.auction && game.lead)
        html += infoLine(withColon(Str::Lead, language), leadHtml(*game.lead, settings));
    html += QStringLiteral("</dl><div class=\"diagram\">");
    for (int seat = 0; seat < 4; ++seat)
        html += handHtml(game, seat, settings);
    html += tableHtml(n, language) + QStringLiteral("</div>");

    if (settings.shown.auction)
        html += auctionHtml(auction, language);
    if (settings.shown.doubleDummy) {
        if (const std::optional<DoubleDummyResult> result = solveDeal(game.holdings, language, VulnerabilityOf(n)))
            html += doubleDummyHtml(*result, language);
    }
    if (!game.question.trimmed().isEmpty()) {
        html += QStringLiteral("<div class=\"question\"><strong>%1</strong><div class=\"text\">%2</div></div>")
                    .arg(text(Str::Question, language), typedText(game.question));
    }
    if (!game.answer.trimmed().isEmpty()) {
        html += QStringLiteral("<details><summary>%1</summary><div class=\"text\">%2</div></details>")
                    .arg(text(html_text::ShowAnswer, language), typedText(game.answer));
    }
    return html + QStringLiteral("</article>\n");
}

} // namespace

QByteArray handoutHtml(const QList<Game> &games, const HtmlHandoutSettings &settings, const ProgressReport &progress)
{
    const int language = settings.languageNumber;
    if (!solveTablesAhead(games, settings.shown, language, progress))
        return {};
    const QString title = settings.title.trimmed();
    const QString subtitle = settings.subtitle.trimmed();
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\" />\n"
                                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n"
                                  "<meta name=\"generator\" content=\"Briqo\" />\n<title>%2</title>\n<style>")
                       .arg(language == LanguageEnglish ? QStringLiteral("en") : QStringLiteral("nl"),
                           escaped(title.isEmpty() ? ResString(Str::ProgramName, language) : title));
    html += QLatin1String(Style);
    html += QStringLiteral("</style>\n</head>\n<body>\n");
    if (!title.isEmpty() || !subtitle.isEmpty()) {
        html += QStringLiteral("<header>");
        if (!title.isEmpty())
            html += QStringLiteral("<h1>%1</h1>").arg(escaped(title));
        if (!subtitle.isEmpty())
            html += QStringLiteral("<p class=\"subtitle\">%1</p>").arg(escaped(subtitle));
        html += QStringLiteral("</header>\n");
    }
    html += QStringLiteral("<main class=\"boards\">\n");
    for (qsizetype i = 0; i < games.size(); ++i) {
        if (progress && !progress(i, games.size()))
            return {};
        html += boardHtml(games[i], settings);
    }
    if (progress)
        progress(games.size(), games.size());
    html += QStringLiteral("</main>\n");
    if (settings.showNotice) {
        html += QStringLiteral("<footer>%1</footer>\n")
                    .arg(escaped(ResString(Str::MakerNotice, language)
                                     .replace(QStringLiteral("2020"), QString::number(settings.year))));
    }
    html += QStringLiteral("</body>\n</html>\n");
    return html.toUtf8();
}

bool isHtmlFileName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

} // namespace briqo
