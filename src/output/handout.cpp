#include "output/handout.h"

#include "analysis/double_dummy.h"
#include "base/fonts.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "output/handout_layout.h"
#include "output/handout_sheets.h"
#include "output/handout_strings.h"
#include "store/game.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace briqo {

namespace {

// Everything is drawn in the boards' own unit, 96 to the inch, so that their fonts keep their size.
constexpr int Dpi = 96;
constexpr double Margin = 48; // half an inch
constexpr double Gap = 24;
// Answer texts on their own pages: as large as the question on a board.
constexpr double AnswerPoints = 9.75;
// The cards of the board layout: as large as this where there is room, never below the least.
constexpr double BoardCardPointsMost = 14;
constexpr double TitlePoints = 16;
constexpr double SubtitlePoints = 11;
constexpr double HeadingPoints = 15;
// A hand record has 6 or 9 boards on a page; with 6 the cards are larger.
constexpr int RecordFewPerPage = 6;
constexpr double RecordCardPointsFew = 11;
constexpr double RecordCardPointsMany = 9;

constexpr int TextFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

QString gameCaption(const Game &game, int languageNumber)
{
    return ResString(Str::Game, languageNumber) + QLatin1Char(' ') + QString::number(game.number);
}

// What every page carries: the title and subtitle at its head, the notice and the page number at
// its foot; and the room that leaves for the boards.
class PageFrame {
public:
    PageFrame(const HandoutSettings &settings, QPaintDevice *device)
        : m_settings(settings)
        , m_device(device)
    {
        const QSizeF page(device->width(), device->height());
        double top = Margin;
        if (!settings.title.trimmed().isEmpty())
            top += QFontMetricsF(handoutFont(TitlePoints, true), device).height();
        if (!settings.subtitle.trimmed().isEmpty())
            top += QFontMetricsF(handoutFont(SubtitlePoints), device).height();
        if (top > Margin)
            top += Gap / 2;
        const double foot = QFontMetricsF(handoutFont(SmallestHandoutPoints), device).height() + Gap / 2;
        m_body = QRectF(Margin, top, page.width() - 2 * Margin, page.height() - Margin - foot - top);
        m_foot = QRectF(Margin, page.height() - Margin - foot + Gap / 2, page.width() - 2 * Margin, foot - Gap / 2);
    }

    QRectF body() const { return m_body; }

    void draw(QPainter &painter, int page, int pages) const
    {
        const int language = m_settings.picture.languageNumber;
        painter.save();
        painter.setPen(Qt::black);
        double y = Margin;
        const double width = m_body.width();
        if (const QString title = m_settings.title.trimmed(); !title.isEmpty()) {
            const QFont font = handoutFont(TitlePoints, true);
            painter.setFont(font);
            const double h = QFontMetricsF(font, m_device).height();
            painter.drawText(QRectF(Margin, y, width, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title);
            y += h;
        }
        if (const QString subtitle = m_settings.subtitle.trimmed(); !subtitle.isEmpty()) {
            const QFont font = handoutFont(SubtitlePoints);
            painter.setFont(font);
            const double h = QFontMetricsF(font, m_device).height();
            painter.drawText(QRectF(Margin, y, width, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, subtitle);
        }
        painter.setFont(handoutFont(SmallestHandoutPoints));
        if (m_settings.notice) {
            const QString notice = ResString(Str::MakerNotice, language)
                                       .replace(QStringLiteral("2020"), QString::number(m_settings.picture.year));
            painter.drawText(m_foot, Qt::AlignLeft | Qt::AlignVCenter, notice);
        }
        const QString number = ResString(handout_text::PageOf, language)
                                   .replace(QLatin1Char('~'), QString::number(page))
                                   .replace(QLatin1Char('#'), QString::number(pages));
        painter.drawText(m_foot, Qt::AlignRight | Qt::AlignVCenter, number);
        painter.restore();
    }

private:
    const HandoutSettings &m_settings;
    QPaintDevice *m_device;
    QRectF m_body;
    QRectF m_foot;
};

using PageDrawing = std::function<void(QPainter &)>;

// The pages of answers after the boards: a heading, then each answered game with its answer.
void addAnswerPages(
    QList<PageDrawing> &pages, QPaintDevice *device, const QRectF &body, const QList<Game> &games, int languageNumber)
{
    QList<const Game *> answered;
    for (const Game &game : games) {
        if (!game.answer.trimmed().isEmpty())
            answered << &game;
    }
    if (answered.isEmpty())
        return;
    const QFont heading = handoutFont(HeadingPoints, true);
    const QFont caption = handoutFont(AnswerPoints, true);
    const QFont text = handoutFont(AnswerPoints);
    const double headingHeight = QFontMetricsF(heading, device).height() + Gap;
    const double captionHeight = QFontMetricsF(caption, device).height();
    QList<double> heights;
    QList<double> bodies;
    for (const Game *game : answered) {
        bodies << suitTextHeight(game->answer.trimmed(), text, body.width(), device);
        heights << captionHeight + bodies.last();
    }
    const QList<QList<int>> split = paginateBlocks(heights, body.height() - headingHeight, body.height(), Gap);
    for (qsizetype p = 0; p < split.size(); ++p) {
        pages << [=](QPainter &painter) {
            double y = body.top();
            painter.setPen(Qt::black);
            if (p == 0) {
                painter.setFont(heading);
                painter.drawText(QRectF(body.left(), y, body.width(), headingHeight), TextFlags,
                    ResString(Str::AnswerExplanation, languageNumber));
                y += headingHeight;
            }
            painter.save();
            painter.setClipRect(body);
            for (int i : split[p]) {
                painter.setFont(caption);
                painter.drawText(QRectF(body.left(), y, body.width(), captionHeight), TextFlags,
                    gameCaption(*answered[i], languageNumber));
                drawSuitText(painter, QRectF(body.left(), y + captionHeight, body.width(), bodies[i]),
                    answered[i]->answer.trimmed(), text);
                y += heights[i] + Gap;
            }
            painter.restore();
        };
    }
}

// The boards of the board layout, drawn as text: perPage to a page in the grid that shows them largest.
void addBoardPages(QList<PageDrawing> &pages, QPaintDevice *device, const QList<Game> &games,
    const QList<std::optional<DoubleDummyResult>> &tables, const HandoutSettings &settings, const QRectF &body)
{
    const int perPage = std::clamp(settings.perPage, 1, MostBoardsWithAuctionPerPage);
    QStringList answers;
    for (const Game &game : games)
        answers << (settings.answersInline ? game.answer.trimmed() : QString());
    // The cards as large as every board lets them be in its cell, never below the least.
    const BoardGrid grid = chooseBoardGrid(perPage, body.size(), Gap, static_cast<int>(games.size()),
        BoardCardPointsMost, SmallestHandoutPoints, 0.5, [&](const QSizeF &cell, double points) {
            int n = 0;
            for (qsizetype i = 0; i < games.size(); ++i)
                n += boardBlockFits(device, cell, games[i], tables[i], settings.picture, points, answers[i]) ? 1 : 0;
            return n;
        });
    for (qsizetype first = 0; first < games.size(); first += perPage) {
        pages << [=, &games, &tables, &settings](QPainter &painter) {
            for (qsizetype i = first; i < std::min<qsizetype>(first + perPage, games.size()); ++i) {
                const int slot = static_cast<int>(i - first);
                const QRectF place = grid.place(slot, Gap).translated(body.topLeft());
                drawBoardBlock(painter, place, games[i], tables[i], settings.picture, grid.points, answers[i]);
                // A thin line between the rows.
                if (slot / grid.columns < grid.rows - 1 && i + grid.columns < games.size()
                    && slot + grid.columns < perPage) {
                    painter.setPen(QPen(Qt::lightGray, 1));
                    painter.drawLine(QPointF(place.left(), place.bottom() + Gap / 2),
                        QPointF(place.right(), place.bottom() + Gap / 2));
                }
            }
        };
    }
}

void addRecordPages(QList<PageDrawing> &pages, QPaintDevice *device, const QList<Game> &games,
    const QList<std::optional<DoubleDummyResult>> &tables, const HandoutSettings &settings, const QRectF &body)
{
    const bool few = settings.perPage <= RecordFewPerPage;
    const int perPage = few ? RecordFewPerPage : MaxBoardsPerPage;
    const int columns = few ? 2 : 3;
    const int rows = perPage / columns;
    const QSizeF cell((body.width() - (columns - 1) * Gap) / columns, (body.height() - (rows - 1) * Gap) / rows);
    // The cards as large as the cell lets them be (a short page, under a long title), never below
    // the least that can be read.
    const bool withTable = std::any_of(tables.begin(), tables.end(), [](const auto &t) { return t.has_value(); });
    double cardPoints = few ? RecordCardPointsFew : RecordCardPointsMany;
    while (cardPoints > SmallestHandoutPoints && recordBoardHeight(device, withTable, cardPoints) > cell.height())
        cardPoints -= 0.5;
    for (qsizetype first = 0; first < games.size(); first += perPage) {
        pages << [=, &games, &tables, &settings](QPainter &painter) {
            for (qsizetype i = first; i < std::min<qsizetype>(first + perPage, games.size()); ++i) {
                const int slot = static_cast<int>(i - first);
                const QRectF place(body.left() + (slot % columns) * (cell.width() + Gap),
                    body.top() + (slot / columns) * (cell.height() + Gap), cell.width(), cell.height());
                drawRecordBoard(painter, place, games[i], tables[i], settings.picture, cardPoints);
                // A thin line between the rows, as a printed record separates its boards.
                if (slot / columns < rows - 1 && i + columns < games.size()) {
                    painter.setPen(QPen(Qt::lightGray, 1));
                    painter.drawLine(QPointF(place.left(), place.bottom() + Gap / 2),
                        QPointF(place.right(), place.bottom() + Gap / 2));
                }
            }
        };
    }
}

void addQuestionPages(QList<PageDrawing> &pages, QPaintDevice *device, const QList<Game> &games,
    const QList<std::optional<DoubleDummyResult>> &tables, const HandoutSettings &settings, const QRectF &body)
{
    QList<double> heights;
    for (qsizetype i = 0; i < games.size(); ++i)
        heights << std::min(
            body.height(), questionBlockHeight(device, body.width(), games[i], tables[i], settings.picture));
    const QList<QList<int>> split = paginateBlocks(heights, body.height(), body.height(), 2 * Gap);
    for (const QList<int> &onPage : split) {
        pages << [=, &games, &tables, &settings](QPainter &painter) {
            double y = body.top();
            for (int i : onPage) {
                drawQuestionBlock(
                    painter, QRectF(body.left(), y, body.width(), heights[i]), games[i], tables[i], settings.picture);
                y += heights[i] + Gap;
                if (i != onPage.last()) {
                    painter.setPen(QPen(Qt::lightGray, 1));
                    painter.drawLine(QPointF(body.left(), y), QPointF(body.right(), y));
                }
                y += Gap;
            }
        };
    }
}

} // namespace

std::optional<HandoutKind> handoutKindOf(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("board"))
        return HandoutKind::Board;
    if (n == QLatin1String("record"))
        return HandoutKind::Record;
    if (n == QLatin1String("question"))
        return HandoutKind::Question;
    return std::nullopt;
}

QByteArray handoutPdf(const QList<Game> &games, const HandoutSettings &settings, const ProgressReport &progress)
{
    if (games.isEmpty())
        return {};
    HandoutSettings used = settings;
    // A table the settings carry already is the one every board shows.
    if (!used.picture.board.doubleDummy
        && !solveTablesAhead(games, used.picture.shown, used.picture.languageNumber, progress))
        return {};
    QList<std::optional<DoubleDummyResult>> tables;
    for (qsizetype i = 0; i < games.size(); ++i) {
        std::optional<DoubleDummyResult> table = used.picture.board.doubleDummy;
        if (used.picture.shown.doubleDummy && !table)
            table = solveDeal(games[i].holdings, used.picture.languageNumber, VulnerabilityOf(games[i].number));
        tables << (used.picture.shown.doubleDummy ? table : std::nullopt);
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Briqo"));
    if (!used.title.trimmed().isEmpty())
        pdf.setTitle(used.title.trimmed());
    pdf.setResolution(Dpi);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const PageFrame frame(used, &pdf);
    const QRectF body = frame.body();

    QList<PageDrawing> pages;
    switch (used.kind) {
    case HandoutKind::Board:
        addBoardPages(pages, &pdf, games, tables, used, body);
        if (!used.answersInline)
            addAnswerPages(pages, &pdf, body, games, used.picture.languageNumber);
        break;
    case HandoutKind::Record:
        addRecordPages(pages, &pdf, games, tables, used, body);
        break;
    case HandoutKind::Question:
        addQuestionPages(pages, &pdf, games, tables, used, body);
        addAnswerPages(pages, &pdf, body, games, used.picture.languageNumber);
        break;
    }

    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0)
            pdf.newPage();
        frame.draw(painter, static_cast<int>(p + 1), static_cast<int>(pages.size()));
        pages[p](painter);
    }
    painter.end();
    buffer.close();
    return bytes;
}

HtmlHandoutSettings webPageSettings(const HandoutSettings &settings)
{
    const PictureSettings &picture = settings.picture;
    HtmlHandoutSettings page;
    page.languageNumber = picture.languageNumber;
    page.year = picture.year;
    page.title = settings.title;
    page.subtitle = settings.subtitle;
    page.tenAs10 = picture.board.tenAs10;
    page.shown = picture.shown;
    page.shown.points = page.shown.points && picture.board.points;
    for (int seat = 0; seat < 4; ++seat)
        page.shown.hands[seat] = page.shown.hands[seat] && !picture.board.hidden[seat];
    page.showNotice = settings.notice;
    return page;
}

} // namespace briqo
