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
    auto cell = [&](int row, int col, const QString &text, const QColor &colour) {
        painter.setPen(colour);
        painter.drawText(QRectF(at.x() + col * column, at.y() + row * line, column, line), Qt::AlignCenter, text);
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

struct QuestionParts {
    QList<int> seats; // the hands that show
    double handsWidth = 0;
    double handsHeight = 0;
    std::optional<AuctionModel> auction;
    double auctionHeight = 0;
    QStringList below; // contract and lead
    std::optional<DoubleDummyResult> table;
    QString question;
};

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
    if (settings.shown.auction)
        parts.auction = auctionOf(game);
    if (parts.auction)
        parts.auctionHeight = (1 + auctionRows(*parts.auction)) * lineHeight(cards, device);
    parts.below = contractAndLead(game, settings);
    parts.auctionHeight += parts.below.size() * lineHeight(handoutFont(CaptionPoints), device);
    parts.table = doubleDummy;
    if (parts.table) // five lines of the table and par, a little apart from what is above
        parts.auctionHeight += 6 * lineHeight(handoutFont(SmallestHandoutPoints), device) + Spacing;
    parts.question = game.question.trimmed();
    return parts;
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
    if (parts.auction || !parts.below.isEmpty() || parts.table) {
        const double left = std::max(x, box.left() + box.width() / 2);
        const double column = std::min(
            (box.right() - left) / 4, QFontMetricsF(cards, device).horizontalAdvance(QStringLiteral("RDBL  ")));
        const double line = lineHeight(cards, device);
        double ay = y;
        if (parts.auction) {
            painter.setFont(caption);
            for (int seat = 0; seat < 4; ++seat)
                painter.drawText(QRectF(left + seat * column, ay, column, line), Qt::AlignLeft | Qt::AlignVCenter,
                    SeatName(seat, language));
            ay += line;
            painter.setFont(cards);
            for (int row = 0; row < auctionRows(*parts.auction); ++row) {
                for (int seat = 0; seat < 4; ++seat) {
                    const AuctionCell &cell = parts.auction->cell(row, seat);
                    const int code = cell.code.isEmpty() ? -1 : cellNumber(cell.code);
                    const bool red = cell.pictureVisible && (code == 1 || code == 2);
                    const QString text = callText(cell, language);
                    // The level in black, the strain in its suit's colour.
                    const QRectF place(left + seat * column, ay, column, line);
                    painter.setPen(Qt::black);
                    painter.drawText(
                        place, Qt::AlignLeft | Qt::AlignVCenter, cell.callVisible ? cell.caption : QString());
                    const double levelWidth = QFontMetricsF(cards, device).horizontalAdvance(cell.caption);
                    painter.setPen(red ? bgr(SuitRed) : QColor(Qt::black));
                    painter.drawText(place.adjusted(levelWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        text.mid(cell.caption.size()));
                }
                ay += line;
            }
        }
        painter.setPen(Qt::black);
        painter.setFont(plain);
        for (const QString &text : parts.below) {
            drawSuitText(painter, QRectF(left, ay, box.right() - left, lineHeight(plain, device) + 2), text, plain);
            ay += lineHeight(plain, device);
        }
        if (parts.table) {
            const QFont small = handoutFont(SmallestHandoutPoints);
            ay += Spacing;
            drawTable(
                painter, QPointF(left, ay), std::min(4 * column, box.right() - left), *parts.table, language, small);
            ay += 5 * lineHeight(small, device);
            painter.setPen(Qt::black);
            painter.setFont(small);
            painter.drawText(QPointF(left, ay + QFontMetricsF(small, device).ascent()), parts.table->parLines.value(0));
        }
    }
    const double middle = std::max(parts.handsHeight, parts.auctionHeight);
    if (middle > 0)
        y += middle + Spacing;
    if (!parts.question.isEmpty())
        drawSuitText(painter, QRectF(box.left(), y, box.width(), box.bottom() - y), parts.question, cards);
    painter.restore();
}

} // namespace briqo
