#include "output/handout_sheets.h"

#include "auction/auction_model.h"
#include "base/fonts.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "deal/hand_evaluation.h"
#include "qa/suit_text.h"
#include "store/game.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace briqo {

namespace {

constexpr double CardPoints = 11; // the cards of a question sheet
constexpr double CaptionPoints = 9;
constexpr double HeadingPoints = 11;
constexpr double Spacing = 8; // between the parts of a board, in pixels at 96 to the inch
constexpr int StrainSpades = 3; // bidding order: clubs 0 ... spades 3, no trump 4

QColor suitColour(int suit) { return suit == 1 || suit == 2 ? bgr(SuitRed) : QColor(Qt::black); }

QString escaped(const QString &text) { return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")); }

// The text as rich text: each suit mark a coloured symbol, the rest escaped as it is.
QString suitHtml(const QString &text)
{
    QString html;
    for (const SuitTextPiece &piece : suitTextPieces(text)) {
        if (piece.isSuit())
            html += QStringLiteral("<span style=\"color:%1\">%2</span>").arg(suitColour(piece.suit).name(), piece.text);
        else
            html += escaped(piece.text);
    }
    return QStringLiteral("<div style=\"white-space:pre-wrap\">") + html + QStringLiteral("</div>");
}

void prepareDocument(QTextDocument &doc, const QString &text, const QFont &font, double width, QPaintDevice *device)
{
    doc.documentLayout()->setPaintDevice(device);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setHtml(suitHtml(text));
    doc.setTextWidth(width);
}

double lineHeight(const QFont &font, QPaintDevice *device) { return QFontMetricsF(font, device).height(); }

QString holdingText(const Game &game, int seat, int suit, const PictureSettings &settings)
{
    const QString cards = game.holdings[FieldOf(seat, suit)];
    if (cards.isEmpty())
        return QStringLiteral("\u2013"); // a void
    return settings.board.tenAs10 ? tensAs10(cards) : cards;
}

bool handShows(const PictureSettings &settings, int seat)
{
    return settings.shown.hands[seat] && !settings.board.hidden[seat];
}

bool pointsShow(const PictureSettings &settings) { return settings.shown.points && settings.board.points; }

int pointsOf(const Game &game, int seat, int language) { return handHcp(handFromDeal(game.holdings, seat, language)); }

// A hand as four lines, each its suit symbol in the suit's colour and the cards.
void drawHand(
    QPainter &painter, QPointF at, const Game &game, int seat, const PictureSettings &settings, const QFont &font)
{
    const QFontMetricsF metrics(font, painter.device());
    const double symbolWidth = metrics.horizontalAdvance(QStringLiteral("\u2660 "));
    painter.setFont(font);
    for (int suit = 0; suit < 4; ++suit) {
        const double baseline = at.y() + suit * metrics.height() + metrics.ascent();
        painter.setPen(suitColour(suit));
        painter.drawText(QPointF(at.x(), baseline), QString(suitSymbol(suit)));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(at.x() + symbolWidth, baseline), holdingText(game, seat, suit, settings));
    }
}

double handWidth(QPaintDevice *device, const Game &game, int seat, const PictureSettings &settings, const QFont &font)
{
    const QFontMetricsF metrics(font, device);
    double widest = 0;
    for (int suit = 0; suit < 4; ++suit)
        widest = std::max(widest, metrics.horizontalAdvance(holdingText(game, seat, suit, settings)));
    return metrics.horizontalAdvance(QStringLiteral("\u2660 ")) + widest;
}

QString seatLetter(int seat, int language) { return SeatName(seat, language).left(1); }

// The double-dummy table: a row a seat, a column a strain from no trump down to clubs.
void drawTable(
    QPainter &painter, QPointF at, double width, const DoubleDummyResult &result, int language, const QFont &font)
{
    const QFontMetricsF metrics(font, painter.device());
    const double column = width / 6;
    const double line = metrics.height();
    painter.setFont(font);
    // Centred in its cell by hand: a plain line of text needs none of the layout that drawing into
    // a rectangle does for every cell.
    auto cell = [&](int row, int col, const QString &text, const QColor &colour) {
        painter.setPen(colour);
        const double left = at.x() + col * column + (column - metrics.horizontalAdvance(text)) / 2;
        painter.drawText(QPointF(left, at.y() + row * line + metrics.ascent()), text);
    };
    cell(0, 1, ResString(92, language), Qt::black);
    for (int suit = 0; suit < 4; ++suit)
        cell(0, 2 + suit, QString(suitSymbol(suit)), suitColour(suit));
    const int seats[4] = {North, South, East, West};
    for (int r = 0; r < 4; ++r) {
        cell(1 + r, 0, seatLetter(seats[r], language), Qt::black);
        cell(1 + r, 1, QString::number(result.tricks[NoTrumpStrain][seats[r]]), Qt::black);
        for (int suit = 0; suit < 4; ++suit)
            cell(1 + r, 2 + suit, QString::number(result.tricks[StrainSpades - suit][seats[r]]), Qt::black);
    }
}

// A call as its caption and, for a bid, the strain's symbol (or "SA"/"NT").
QString callText(const AuctionCell &cell, int language)
{
    if (!cell.callVisible)
        return {};
    QString text = cell.caption;
    const int code = cell.code.isEmpty() ? -1 : cellNumber(cell.code);
    if (cell.pictureVisible && code >= 0 && code < 4)
        text += suitSymbol(StrainSpades - code);
    else if (cell.pictureVisible && code == NoTrumpStrain)
        text += ResString(92, language);
    if (cell.noteVisible && !cell.note.isEmpty())
        text += QLatin1Char(' ') + cell.note;
    return text;
}

std::optional<AuctionModel> auctionOf(const Game &game)
{
    if (!game.auction || game.auction->callKinds.isEmpty())
        return std::nullopt;
    AuctionModel auction;
    auction.resetForGame(DealerOf(game.number));
    auction.loadFrom(game.auction->callKinds, QList<FileCell>(game.auction->cells.begin(), game.auction->cells.end()));
    return auction;
}

int auctionRows(const AuctionModel &auction)
{
    int rows = 0;
    for (int row = 0; row < 9; ++row) {
        for (int seat = 0; seat < 4; ++seat) {
            if (auction.cell(row, seat).callVisible)
                rows = row + 1;
        }
    }
    return rows;
}

// The lines under the auction: the contract and the lead, as far as they show; the lead's suit as
// its mark, drawn as the symbol.
QStringList contractAndLead(const Game &game, const PictureSettings &settings)
{
    const int language = settings.languageNumber;
    QStringList lines;
    if (settings.shown.contract && !game.contract.isEmpty())
        lines << ResString(Str::Contract, language) + QStringLiteral(": ") + game.contract;
    if (settings.shown.lead && game.lead) {
        const QString card = settings.board.tenAs10 ? tensAs10(game.lead->cardText) : game.lead->cardText;
        lines << ResString(Str::Lead, language) + QStringLiteral(": ") + game.lead->leaderName + QStringLiteral(" - ")
                + QLatin1Char('!') + QLatin1Char("SHDC"[std::clamp(game.lead->suitIndex, 0, 3)]) + QLatin1Char(' ')
                + card;
    }
    return lines;
}

QString gameHeading(const Game &game, int language)
{
    return ResString(Str::Game, language) + QLatin1Char(' ') + QString::number(game.number);
}

QString dealerAndVulnerability(const Game &game, int language)
{
    if (game.number < 1 || game.number > 999)
        return {};
    return ResString(Str::DealerCaption, language) + QLatin1Char(' ') + SeatName(DealerOf(game.number), language)
        + QStringLiteral("   ") + ResString(Str::VulnerableCaption, language) + QLatin1Char(' ')
        + VulnerabilityName(VulnerabilityOf(game.number), language);
}

// The auction so far with the contract and lead lines under it, as the question sheet and the
// board layout draw it: the calls in the calls' font, the seats' names in the caption's, the
// contract and lead in the plain one.
struct AuctionFonts {
    QFont calls;
    QFont caption;
    QFont plain;
};

struct AuctionPart {
    std::optional<AuctionModel> auction;
    QStringList below; // contract and lead
    double column = 0; // the width of a seat's column
    QSizeF size; // all of it; empty when nothing shows

    bool isEmpty() const { return !auction && below.isEmpty(); }
};

AuctionPart auctionPart(
    QPaintDevice *device, const Game &game, const PictureSettings &settings, const AuctionFonts &fonts)
{
    AuctionPart part;
    if (settings.shown.auction)
        part.auction = auctionOf(game);
    part.below = contractAndLead(game, settings);
    const QFontMetricsF calls(fonts.calls, device);
    part.column = calls.horizontalAdvance(QStringLiteral("RDBL  "));
    double width = 0;
    double height = 0;
    if (part.auction) {
        // A note after a call widens its column.
        for (int row = 0; row < auctionRows(*part.auction); ++row) {
            for (int seat = 0; seat < 4; ++seat) {
                part.column = std::max(part.column,
                    calls.horizontalAdvance(
                        callText(part.auction->cell(row, seat), settings.languageNumber) + QStringLiteral("  ")));
            }
        }
        for (int seat = 0; seat < 4; ++seat)
            part.column = std::max(part.column,
                QFontMetricsF(fonts.caption, device)
                    .horizontalAdvance(SeatName(seat, settings.languageNumber) + QStringLiteral(" ")));
        width = 4 * part.column;
        height = (1 + auctionRows(*part.auction)) * calls.height();
    }
    const QFontMetricsF plain(fonts.plain, device);
    for (const QString &line : part.below)
        width = std::max(width, plain.horizontalAdvance(withSuitSymbols(line)) + 2);
    height += part.below.size() * plain.height();
    part.size = QSizeF(width, height);
    return part;
}

// Draws the part from its top-left corner, its columns at most width wide together.
void drawAuctionPart(
    QPainter &painter, QPointF at, double width, const AuctionPart &part, const AuctionFonts &fonts, int language)
{
    QPaintDevice *device = painter.device();
    const double column = std::min(width / 4, part.column);
    const double line = lineHeight(fonts.calls, device);
    double y = at.y();
    if (part.auction) {
        painter.setPen(Qt::black);
        painter.setFont(fonts.caption);
        for (int seat = 0; seat < 4; ++seat)
            painter.drawText(QRectF(at.x() + seat * column, y, column, line), Qt::AlignLeft | Qt::AlignVCenter,
                SeatName(seat, language));
        y += line;
        painter.setFont(fonts.calls);
        for (int row = 0; row < auctionRows(*part.auction); ++row) {
            for (int seat = 0; seat < 4; ++seat) {
                const AuctionCell &cell = part.auction->cell(row, seat);
                const int code = cell.code.isEmpty() ? -1 : cellNumber(cell.code);
                const bool red = cell.pictureVisible && (code == 1 || code == 2);
                const QString text = callText(cell, language);
                // The level in black, the strain in its suit's colour.
                const QRectF place(at.x() + seat * column, y, column, line);
                painter.setPen(Qt::black);
                painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, cell.callVisible ? cell.caption : QString());
                const double levelWidth = QFontMetricsF(fonts.calls, device).horizontalAdvance(cell.caption);
                painter.setPen(red ? bgr(SuitRed) : QColor(Qt::black));
                painter.drawText(place.adjusted(levelWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                    text.mid(cell.caption.size()));
            }
            y += line;
        }
    }
    painter.setPen(Qt::black);
    painter.setFont(fonts.plain);
    const double plainLine = lineHeight(fonts.plain, device);
    for (const QString &text : part.below) {
        drawSuitText(painter, QRectF(at.x(), y, std::max(width, part.size.width()), plainLine + 2), text, fonts.plain);
        y += plainLine;
    }
}

// The double-dummy table with par under it, in the smallest type.
QSizeF tablePartSize(QPaintDevice *device, const DoubleDummyResult &result)
{
    const QFontMetricsF small(handoutFont(SmallestHandoutPoints), device);
    return QSizeF(std::max(small.horizontalAdvance(QStringLiteral("W13")) * 6,
                      small.horizontalAdvance(result.parLines.value(0)) + 2),
        6 * small.height());
}

void drawTablePart(QPainter &painter, QPointF at, double width, const DoubleDummyResult &result, int language)
{
    const QFont small = handoutFont(SmallestHandoutPoints);
    const QFontMetricsF metrics(small, painter.device());
    drawTable(
        painter, at, std::min(width, metrics.horizontalAdvance(QStringLiteral("W13")) * 6), result, language, small);
    painter.setPen(Qt::black);
    painter.setFont(small);
    painter.drawText(QPointF(at.x(), at.y() + 5 * metrics.height() + metrics.ascent()), result.parLines.value(0));
}

struct QuestionParts {
    QList<int> seats; // the hands that show
    double handsWidth = 0;
    double handsHeight = 0;
    AuctionPart auction;
    double auctionHeight = 0;
    std::optional<DoubleDummyResult> table;
    QString question;
};

AuctionFonts questionFonts()
{
    return {handoutFont(CardPoints), handoutFont(CaptionPoints, true), handoutFont(CaptionPoints)};
}

QuestionParts questionParts(QPaintDevice *device, const Game &game, const std::optional<DoubleDummyResult> &doubleDummy,
    const PictureSettings &settings)
{
    QuestionParts parts;
    const QFont cards = handoutFont(CardPoints);
    const QFont caption = handoutFont(CaptionPoints, true);
    for (int seat = 0; seat < 4; ++seat) {
        if (handShows(settings, seat))
            parts.seats << seat;
    }
    for (int seat : parts.seats)
        parts.handsWidth
            += std::max(handWidth(device, game, seat, settings, cards),
                   QFontMetricsF(caption, device)
                       .horizontalAdvance(SeatName(seat, settings.languageNumber) + QStringLiteral(" (40)")))
            + 3 * Spacing;
    if (!parts.seats.isEmpty())
        parts.handsHeight = lineHeight(caption, device) + 4 * lineHeight(cards, device);
    parts.auction = auctionPart(device, game, settings, questionFonts());
    parts.auctionHeight = parts.auction.size.height();
    parts.table = doubleDummy;
    if (parts.table) // five lines of the table and par, a little apart from what is above
        parts.auctionHeight += 6 * lineHeight(handoutFont(SmallestHandoutPoints), device) + Spacing;
    parts.question = game.question.trimmed();
    return parts;
}

// The sizes of one board of the board layout: the calls and the question as large as the cards,
// the captions a little smaller, nothing below the least that can be read.
AuctionFonts boardFonts(double cardPoints)
{
    const double captionPoints = std::max(SmallestHandoutPoints, cardPoints - 2);
    return {handoutFont(cardPoints), handoutFont(captionPoints, true), handoutFont(captionPoints)};
}

// Where the parts of a board of the board layout go, relative to its top-left corner.
struct BoardArrangement {
    double compassWidth = 0;
    double compassHeight = 0;
    AuctionPart auction;
    QPointF auctionAt;
    std::optional<QPointF> tableAt;
    double partsBottom = 0; // below the compass, the auction and the table
    double questionHeight = 0;
    double answerHeight = 0; // the caption and the answer, when it stands under the board
    double height = 0;
    bool fits = true; // the compass fits the width
};

BoardArrangement arrangeBoard(QPaintDevice *device, double width, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double cardPoints,
    const QString &answer)
{
    BoardArrangement a;
    const QFont cards = handoutFont(cardPoints);
    double widest = 0;
    for (int seat = 0; seat < 4; ++seat)
        widest = std::max(widest, handWidth(device, game, seat, settings, cards));
    // West and East at the sides, North and South (and the box with the seats) between them; no
    // wider than three of the widest hand, so that the hands stay together on a wide page.
    const double needed = handWidth(device, game, West, settings, cards)
        + handWidth(device, game, East, settings, cards)
        + std::max({handWidth(device, game, North, settings, cards), handWidth(device, game, South, settings, cards),
            QFontMetricsF(handoutFont(SmallestHandoutPoints), device).horizontalAdvance(QStringLiteral("40 40  "))})
        + 2 * Spacing;
    a.fits = needed <= width;
    a.compassWidth = std::max(needed, std::min(width, 3 * widest + 2 * Spacing));
    a.compassHeight = 12 * lineHeight(cards, device);
    a.auction = auctionPart(device, game, settings, boardFonts(cardPoints));
    const QSizeF auction = a.auction.isEmpty() ? QSizeF() : a.auction.size;
    const QSizeF table = doubleDummy ? tablePartSize(device, *doubleDummy) : QSizeF();

    // Of the ways the auction and the table go beside or below the compass, the lowest that fits
    // the width; of two as low the first.
    struct Way {
        QPointF auctionAt;
        QPointF tableAt;
        double bottom;
        double right;
    };
    const double side = a.compassWidth + 3 * Spacing; // beside the compass
    const double under = a.compassHeight + Spacing; // below it
    const double gapAfterAuction = auction.isEmpty() ? 0 : 3 * Spacing;
    const double gapUnderAuction = auction.isEmpty() ? 0 : Spacing;
    const QList<Way> ways {
        // the auction and the table side by side, beside the compass
        {{side, 0}, {side + auction.width() + gapAfterAuction, 0},
            std::max({a.compassHeight, auction.height(), table.height()}),
            side + auction.width() + gapAfterAuction + table.width()},
        // the table under the auction, beside the compass
        {{side, 0}, {side, auction.height() + gapUnderAuction},
            std::max(a.compassHeight, auction.height() + gapUnderAuction + table.height()),
            side + std::max(auction.width(), table.width())},
        // the auction and the table side by side, below the compass
        {{0, under}, {auction.width() + gapAfterAuction, under}, under + std::max(auction.height(), table.height()),
            std::max(a.compassWidth, auction.width() + gapAfterAuction + table.width())},
        // the one under the other, below the compass
        {{0, under}, {0, under + auction.height() + gapUnderAuction},
            under + auction.height() + gapUnderAuction + table.height(),
            std::max({a.compassWidth, auction.width(), table.width()})},
    };
    const Way *best = nullptr;
    if (auction.isEmpty() && table.isEmpty()) {
        a.partsBottom = a.compassHeight;
    } else {
        for (const Way &way : ways) {
            if (way.right <= width + 0.01 && (!best || way.bottom < best->bottom - 0.01))
                best = &way;
        }
        if (!best) { // too narrow for any: everything under the compass, cut at the edge
            best = &ways.last();
            a.fits = false;
        }
        a.auctionAt = best->auctionAt;
        if (doubleDummy)
            a.tableAt = best->tableAt;
        a.partsBottom = best->bottom;
    }
    a.height = a.partsBottom;
    if (const QString question = game.question.trimmed(); !question.isEmpty()) {
        a.questionHeight = suitTextHeight(question, cards, width, device);
        a.height += Spacing + a.questionHeight;
    }
    if (!answer.isEmpty()) {
        a.answerHeight
            = lineHeight(boardFonts(cardPoints).caption, device) + suitTextHeight(answer, cards, width, device);
        a.height += Spacing + a.answerHeight;
    }
    return a;
}

} // namespace

QFont handoutFont(double points, bool bold)
{
    QFont font = verdana(points, bold);
    // Latin text needs no shaping; without it no letters are joined.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

double suitTextHeight(const QString &text, const QFont &font, double width, QPaintDevice *device)
{
    QTextDocument doc;
    prepareDocument(doc, text, font, width, device);
    return doc.size().height();
}

void drawSuitText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font)
{
    QTextDocument doc;
    prepareDocument(doc, text, font, box.width(), painter.device());
    painter.save();
    painter.translate(box.topLeft());
    doc.drawContents(&painter, QRectF(0, 0, box.width(), box.height()));
    painter.restore();
}

double recordBoardHeight(QPaintDevice *device, bool withTable, double handPoints)
{
    const double hand = 4 * lineHeight(handoutFont(handPoints), device);
    const double small = lineHeight(handoutFont(SmallestHandoutPoints), device);
    // The table's five lines and par go below the compass.
    return 3 * hand + (withTable ? Spacing / 2 + 6 * small : 0);
}

void drawRecordBoard(QPainter &painter, const QRectF &cell, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double handPoints)
{
    QPaintDevice *device = painter.device();
    const int language = settings.languageNumber;
    const QFont cards = handoutFont(handPoints);
    const QFont small = handoutFont(SmallestHandoutPoints);
    const QFont bold = handoutFont(SmallestHandoutPoints + 1, true);
    const double hand = 4 * lineHeight(cards, device);
    const double line = lineHeight(small, device);
    painter.save();
    painter.setPen(Qt::black);

    // Game, dealer and vulnerability in the top-left corner.
    double y = cell.top();
    painter.setFont(bold);
    painter.drawText(QRectF(cell.left(), y, cell.width() / 2, line + 2), Qt::AlignLeft, gameHeading(game, language));
    y += lineHeight(bold, device);
    painter.setFont(small);
    if (game.number >= 1 && game.number <= 999) {
        const QStringList lines {
            ResString(Str::DealerCaption, language) + QLatin1Char(' ') + seatLetter(DealerOf(game.number), language),
            ResString(Str::VulnerableCaption, language), VulnerabilityName(VulnerabilityOf(game.number), language)};
        for (const QString &text : lines) {
            painter.drawText(QPointF(cell.left(), y + QFontMetricsF(small, device).ascent()), text);
            y += line;
        }
    }

    // The compass: West and East as wide as their longest suit, North and South in the middle.
    const double westWidth = handWidth(device, game, West, settings, cards);
    const double eastWidth = handWidth(device, game, East, settings, cards);
    const double middleLeft = cell.left() + std::max(westWidth, cell.width() / 3);
    const double middleRight = cell.right() - std::max(eastWidth, cell.width() / 3);
    const double middleWidth = std::max(middleRight - middleLeft, 1.0);
    auto handAt = [&](int seat, QPointF at) {
        if (handShows(settings, seat))
            drawHand(painter, at, game, seat, settings, cards);
    };
    const double northWidth = handWidth(device, game, North, settings, cards);
    const double southWidth = handWidth(device, game, South, settings, cards);
    const double handsLeft = std::max(middleLeft, cell.left() + (cell.width() - northWidth) / 2);
    handAt(North, QPointF(handsLeft, cell.top()));
    handAt(West, QPointF(cell.left(), cell.top() + hand));
    handAt(East, QPointF(cell.right() - eastWidth, cell.top() + hand));
    handAt(South, QPointF(std::max(middleLeft, cell.left() + (cell.width() - southWidth) / 2), cell.top() + 2 * hand));

    // The box in the middle names the seats, or gives their points when the points show.
    const QRectF box(middleLeft + Spacing / 2, cell.top() + hand + Spacing / 2, middleWidth - Spacing, hand - Spacing);
    painter.setPen(QPen(Qt::gray, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.setFont(small);
    const Qt::Alignment sides[4] = {Qt::AlignTop | Qt::AlignHCenter, Qt::AlignRight | Qt::AlignVCenter,
        Qt::AlignBottom | Qt::AlignHCenter, Qt::AlignLeft | Qt::AlignVCenter};
    for (int seat = 0; seat < 4; ++seat) {
        const QString text = pointsShow(settings) && handShows(settings, seat)
            ? QString::number(pointsOf(game, seat, language))
            : seatLetter(seat, language);
        painter.drawText(box.adjusted(2, 1, -2, -1), sides[seat], text);
    }

    // The table below the compass, on the left, and par under it.
    if (doubleDummy) {
        const double tableWidth
            = std::min(cell.width(), QFontMetricsF(small, device).horizontalAdvance(QStringLiteral("W13")) * 6);
        const double top = cell.top() + 3 * hand + Spacing / 2;
        drawTable(painter, QPointF(cell.left(), top), tableWidth, *doubleDummy, language, small);
        painter.setPen(Qt::black);
        painter.setFont(small);
        painter.drawText(
            QRectF(cell.left(), top + 5 * line, cell.width(), line), Qt::AlignLeft, doubleDummy->parLines.value(0));
    }
    painter.restore();
}

double questionBlockHeight(QPaintDevice *device, double width, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings)
{
    const QuestionParts parts = questionParts(device, game, doubleDummy, settings);
    double height = lineHeight(handoutFont(HeadingPoints, true), device) + Spacing;
    const double middle = std::max(parts.handsHeight, parts.auctionHeight);
    if (middle > 0)
        height += middle + Spacing;
    if (!parts.question.isEmpty())
        height += suitTextHeight(parts.question, handoutFont(CardPoints), width, device);
    return height;
}

void drawQuestionBlock(QPainter &painter, const QRectF &box, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings)
{
    QPaintDevice *device = painter.device();
    const int language = settings.languageNumber;
    const QuestionParts parts = questionParts(device, game, doubleDummy, settings);
    const QFont heading = handoutFont(HeadingPoints, true);
    const QFont caption = handoutFont(CaptionPoints, true);
    const QFont plain = handoutFont(CaptionPoints);
    const QFont cards = handoutFont(CardPoints);
    painter.save();
    painter.setPen(Qt::black);

    double y = box.top();
    painter.setFont(heading);
    const QFontMetricsF headingMetrics(heading, device);
    const QString title = gameHeading(game, language);
    painter.drawText(QPointF(box.left(), y + headingMetrics.ascent()), title);
    painter.setFont(plain);
    painter.drawText(
        QPointF(box.left() + headingMetrics.horizontalAdvance(title) + 3 * Spacing, y + headingMetrics.ascent()),
        dealerAndVulnerability(game, language));
    y += headingMetrics.height() + Spacing;

    // The hands side by side, each under its seat's name (and points).
    double x = box.left();
    for (int seat : parts.seats) {
        QString name = SeatName(seat, language);
        if (pointsShow(settings))
            name += QStringLiteral(" (%1)").arg(pointsOf(game, seat, language));
        painter.setFont(caption);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x, y + QFontMetricsF(caption, device).ascent()), name);
        drawHand(painter, QPointF(x, y + lineHeight(caption, device)), game, seat, settings, cards);
        x += std::max(handWidth(device, game, seat, settings, cards),
                 QFontMetricsF(caption, device).horizontalAdvance(name + QStringLiteral("  ")))
            + 3 * Spacing;
    }

    // The auction so far: a column a seat, North first as on the board.
    if (!parts.auction.isEmpty() || parts.table) {
        const double left = std::max(x, box.left() + box.width() / 2);
        const double width = box.right() - left;
        drawAuctionPart(painter, QPointF(left, y), width, parts.auction, questionFonts(), language);
        if (parts.table) {
            const double column = std::min(width / 4, parts.auction.column);
            drawTablePart(painter, QPointF(left, y + parts.auction.size.height() + Spacing),
                std::min(4 * column, width), *parts.table, language);
        }
    }
    const double middle = std::max(parts.handsHeight, parts.auctionHeight);
    if (middle > 0)
        y += middle + Spacing;
    if (!parts.question.isEmpty())
        drawSuitText(painter, QRectF(box.left(), y, box.width(), box.bottom() - y), parts.question, cards);
    painter.restore();
}

double boardBlockHeight(QPaintDevice *device, double width, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double cardPoints,
    const QString &answer)
{
    return arrangeBoard(device, width, game, doubleDummy, settings, cardPoints, answer).height;
}

bool boardBlockFits(QPaintDevice *device, const QSizeF &box, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double cardPoints,
    const QString &answer)
{
    const BoardArrangement a = arrangeBoard(device, box.width(), game, doubleDummy, settings, cardPoints, answer);
    return a.fits && a.height <= box.height() + 0.01;
}

void drawBoardBlock(QPainter &painter, const QRectF &box, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double cardPoints,
    const QString &answer)
{
    QPaintDevice *device = painter.device();
    const int language = settings.languageNumber;
    const BoardArrangement a = arrangeBoard(device, box.width(), game, doubleDummy, settings, cardPoints, answer);
    const AuctionFonts fonts = boardFonts(cardPoints);
    const QFont cards = handoutFont(cardPoints);
    painter.save();
    painter.setClipRect(box); // what does not fit is cut at the box's edge, never drawn over the next board
    drawRecordBoard(painter, QRectF(box.left(), box.top(), a.compassWidth, a.compassHeight), game, std::nullopt,
        settings, cardPoints);
    if (!a.auction.isEmpty())
        drawAuctionPart(
            painter, box.topLeft() + a.auctionAt, box.width() - a.auctionAt.x(), a.auction, fonts, language);
    if (a.tableAt)
        drawTablePart(painter, box.topLeft() + *a.tableAt, box.width() - a.tableAt->x(), *doubleDummy, language);
    double y = box.top() + a.partsBottom;
    if (a.questionHeight > 0) {
        y += Spacing;
        drawSuitText(painter, QRectF(box.left(), y, box.width(), a.questionHeight), game.question.trimmed(), cards);
        y += a.questionHeight;
    }
    if (a.answerHeight > 0) {
        y += Spacing;
        painter.setPen(Qt::black);
        painter.setFont(fonts.caption);
        const double caption = lineHeight(fonts.caption, device);
        painter.drawText(QRectF(box.left(), y, box.width(), caption), Qt::AlignLeft | Qt::AlignVCenter,
            ResString(Str::AnswerExplanation, language));
        drawSuitText(painter, QRectF(box.left(), y + caption, box.width(), a.answerHeight - caption), answer, cards);
    }
    painter.restore();
}

} // namespace briqo
