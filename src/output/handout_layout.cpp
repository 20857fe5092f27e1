#include "output/handout_layout.h"

#include <algorithm>
#include <cmath>

namespace briqo {

namespace {

struct Grid {
    int columns;
    int rows;
    QSizeF cell;
    double scale;
};

Grid gridFor(int columns, int perPage, const QSizeF &largest, const HandoutPage &page, double answerShare)
{
    Grid g;
    g.columns = columns;
    g.rows = (perPage + columns - 1) / columns;
    const double width = page.size.width() - 2 * page.margin;
    const double height = page.size.height() - 2 * page.margin;
    g.cell = QSizeF((width - (g.columns - 1) * page.gap) / g.columns, (height - (g.rows - 1) * page.gap) / g.rows);
    const double boardHeight = g.cell.height() * (1 - answerShare);
    g.scale = 0;
    if (largest.width() > 0 && largest.height() > 0 && g.cell.width() > 0 && boardHeight > 0)
        g.scale = std::min({g.cell.width() / largest.width(), boardHeight / largest.height(), 1.0});
    return g;
}

} // namespace

HandoutLayout layoutHandout(const QList<QSizeF> &boards, int perPage, const HandoutPage &page, double answerShare)
{
    perPage = std::max(1, perPage);
    answerShare = std::clamp(answerShare, 0.0, 0.9);
    QSizeF largest(0, 0);
    for (const QSizeF &b : boards)
        largest = largest.expandedTo(b);

    // The grid that shows the boards largest; of two equal ones the one with fewer columns.
    Grid best = gridFor(1, perPage, largest, page, answerShare);
    for (int columns = 2; columns <= perPage; ++columns) {
        const Grid g = gridFor(columns, perPage, largest, page, answerShare);
        if (g.scale > best.scale + 1e-9)
            best = g;
    }

    HandoutLayout layout;
    layout.columns = best.columns;
    layout.rows = best.rows;
    layout.scale = best.scale;
    layout.pageCount = static_cast<int>((boards.size() + perPage - 1) / perPage);
    for (qsizetype i = 0; i < boards.size(); ++i) {
        const int slot = static_cast<int>(i % perPage);
        const QPointF cell(page.margin + (slot % best.columns) * (best.cell.width() + page.gap),
            page.margin + (slot / best.columns) * (best.cell.height() + page.gap));
        const QSizeF shown = boards[i] * best.scale;
        HandoutPlace place;
        place.page = static_cast<int>(i / perPage);
        place.board = QRectF(QPointF(cell.x() + (best.cell.width() - shown.width()) / 2, cell.y()), shown);
        if (answerShare > 0) {
            const double top = place.board.bottom() + page.gap / 2;
            place.answer = QRectF(cell.x(), top, best.cell.width(), cell.y() + best.cell.height() - top);
        }
        layout.places << place;
    }
    return layout;
}

QList<QList<int>> paginateBlocks(const QList<double> &heights, double firstPageHeight, double pageHeight, double gap)
{
    QList<QList<int>> pages;
    if (heights.isEmpty())
        return pages;
    pages.append(QList<int>());
    double room = firstPageHeight;
    for (int i = 0; i < heights.size(); ++i) {
        const bool pageHasBlocks = !pages.last().isEmpty();
        const double needed = (pageHasBlocks ? gap : 0) + heights[i];
        // A block that does not fit goes to a new page, unless no page could hold it better.
        if (needed > room && (pageHasBlocks || heights[i] <= pageHeight)) {
            pages.append(QList<int>());
            room = pageHeight;
        }
        room -= (pages.last().isEmpty() ? 0 : gap) + heights[i];
        pages.last() << i;
    }
    return pages;
}

} // namespace briqo
