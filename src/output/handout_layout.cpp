#include "output/handout_layout.h"

#include <algorithm>
#include <cmath>

namespace briqo {

QRectF BoardGrid::place(int slot, double gap) const
{
    return QRectF(QPointF((slot % columns) * (cell.width() + gap), (slot / columns) * (cell.height() + gap)), cell);
}

BoardGrid chooseBoardGrid(int perPage, const QSizeF &area, double gap, int boards, double largest, double least,
    double step, const BoardsFitting &fitting)
{
    perPage = std::max(1, perPage);
    step = std::max(step, 0.01);
    BoardGrid best;
    int bestFitting = -1;
    for (int columns = 1; columns <= perPage; ++columns) {
        BoardGrid g;
        g.columns = columns;
        g.rows = (perPage + columns - 1) / columns;
        // A column more without a row less only makes the cells narrower.
        if (columns > 1 && g.rows == (perPage + columns - 2) / (columns - 1))
            continue;
        g.cell
            = QSizeF((area.width() - (g.columns - 1) * gap) / g.columns, (area.height() - (g.rows - 1) * gap) / g.rows);
        int fit = 0;
        for (double points = largest; points >= least - 1e-9; points -= step) {
            fit = fitting(g.cell, points);
            g.points = points;
            if (fit >= boards)
                break;
        }
        g.fits = fit >= boards;
        const bool better = bestFitting < 0 || (g.fits && !best.fits)
            || (g.fits && best.fits && g.points > best.points + 1e-9) || (!g.fits && !best.fits && fit > bestFitting);
        if (better) {
            best = g;
            bestFitting = fit;
        }
    }
    return best;
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
