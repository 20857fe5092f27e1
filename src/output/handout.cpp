#include "output/handout.h"

#include "base/fonts.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "output/handout_layout.h"
#include "store/game.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace briqo {

namespace {

// Everything is drawn in the boards' own unit, 96 to the inch, so that their fonts keep their size.
constexpr int Dpi = 96;
constexpr double Margin = 48; // half an inch
constexpr double Gap = 24;
// Under each board, with the answers inline, this part of its cell is kept for the answer.
constexpr double InlineAnswerShare = 0.22;
// Answer texts: as large as the question on the board, never smaller than can be read.
constexpr double AnswerPixels = 13;
constexpr double SmallestAnswerPixels = 7;
constexpr double HeadingPixels = 20;

QFont answerFont(double pixels, bool bold = false)
{
    QFont f = verdana(8.25, bold);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return f;
}

QString gameCaption(const Game &game, int languageNumber)
{
    return ResString(Str::Game, languageNumber) + QLatin1Char(' ') + QString::number(game.number);
}

constexpr int TextFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

// The caption line and the answer below it, the largest size (down to a readable least) that
// fits the box; what still does not fit is cut at the box's edge rather than run into the next board.
void drawInlineAnswer(
    QPainter &painter, const QRectF &box, const QString &caption, const QString &answer, double pixels)
{
    QFont body = answerFont(pixels);
    QFont bold = answerFont(pixels, true);
    for (double size = pixels; size >= SmallestAnswerPixels; size -= 0.5) {
        body = answerFont(size);
        bold = answerFont(size, true);
        const double captionHeight = QFontMetricsF(bold, painter.device()).height();
        const QRectF text
            = QFontMetricsF(body, painter.device()).boundingRect(QRectF(0, 0, box.width(), 1e6), TextFlags, answer);
        if (captionHeight + text.height() <= box.height())
            break;
    }
    painter.save();
    painter.setClipRect(box);
    painter.setPen(Qt::black);
    painter.setFont(bold);
    const double captionHeight = QFontMetricsF(bold, painter.device()).height();
    painter.drawText(QRectF(box.left(), box.top(), box.width(), captionHeight), TextFlags, caption);
    painter.setFont(body);
    painter.drawText(box.adjusted(0, captionHeight, 0, 0), TextFlags, answer);
    painter.restore();
}

// The pages of answers after the boards: a heading, then each answered game with its answer.
void drawAnswerPages(QPdfWriter &pdf, QPainter &painter, const QList<Game> &games, int languageNumber)
{
    QList<const Game *> answered;
    for (const Game &game : games) {
        if (!game.answer.trimmed().isEmpty())
            answered << &game;
    }
    if (answered.isEmpty())
        return;
    const QFont heading = answerFont(HeadingPixels, true);
    const QFont caption = answerFont(AnswerPixels, true);
    const QFont body = answerFont(AnswerPixels);
    const double width = pdf.width() - 2 * Margin;
    const double headingHeight = QFontMetricsF(heading, &pdf).height() + Gap;
    const double captionHeight = QFontMetricsF(caption, &pdf).height();
    QList<double> heights;
    QList<double> bodies;
    for (const Game *game : answered) {
        const double text = QFontMetricsF(body, &pdf)
                                .boundingRect(QRectF(0, 0, width, 1e6), TextFlags, game->answer.trimmed())
                                .height();
        bodies << text;
        heights << captionHeight + text;
    }
    const double pageHeight = pdf.height() - 2 * Margin;
    const QList<QList<int>> pages = paginateBlocks(heights, pageHeight - headingHeight, pageHeight, Gap);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        pdf.newPage();
        double y = Margin;
        painter.setPen(Qt::black);
        if (p == 0) {
            painter.setFont(heading);
            painter.drawText(
                QRectF(Margin, y, width, headingHeight), TextFlags, ResString(Str::AnswerExplanation, languageNumber));
            y += headingHeight;
        }
        painter.save();
        painter.setClipRect(QRectF(Margin, Margin, width, pageHeight));
        for (int i : pages[p]) {
            painter.setFont(caption);
            painter.drawText(
                QRectF(Margin, y, width, captionHeight), TextFlags, gameCaption(*answered[i], languageNumber));
            painter.setFont(body);
            painter.drawText(
                QRectF(Margin, y + captionHeight, width, bodies[i]), TextFlags, answered[i]->answer.trimmed());
            y += heights[i] + Gap;
        }
        painter.restore();
    }
}

} // namespace

QByteArray handoutPdf(const QList<Game> &games, const HandoutSettings &settings, const ProgressReport &progress)
{
    if (games.isEmpty())
        return {};
    std::vector<std::unique_ptr<PreparedBoard>> boards;
    QList<QSizeF> sizes;
    for (qsizetype i = 0; i < games.size(); ++i) {
        if (progress && !progress(i, games.size()))
            return {};
        boards.push_back(std::make_unique<PreparedBoard>(games[i], settings.picture));
        sizes << QSizeF(boards.back()->frame.size);
    }
    if (progress)
        progress(games.size(), games.size());

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Briqo"));
    pdf.setResolution(Dpi);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const HandoutPage page {QSizeF(pdf.width(), pdf.height()), Margin, Gap};
    const HandoutLayout layout = layoutHandout(
        sizes, std::clamp(settings.perPage, 1, MaxBoardsPerPage), page, settings.answersInline ? InlineAnswerShare : 0);

    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    const int language = settings.picture.languageNumber;
    for (qsizetype i = 0; i < games.size(); ++i) {
        const HandoutPlace &place = layout.places[i];
        if (i > 0 && place.page != layout.places[i - 1].page)
            pdf.newPage();
        painter.save();
        painter.translate(place.board.topLeft());
        painter.scale(layout.scale, layout.scale);
        paintBoardPicture(boards[i]->view, boards[i]->frame, painter);
        painter.restore();
        if (settings.answersInline && !games[i].answer.trimmed().isEmpty()) {
            drawInlineAnswer(painter, place.answer, ResString(Str::AnswerExplanation, language),
                games[i].answer.trimmed(), std::max(SmallestAnswerPixels, AnswerPixels * layout.scale));
        }
    }
    if (!settings.answersInline)
        drawAnswerPages(pdf, painter, games, language);
    painter.end();
    buffer.close();
    return bytes;
}

} // namespace briqo
