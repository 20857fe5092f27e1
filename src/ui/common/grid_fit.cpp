#include "ui/common/grid_fit.h"

#include <QFontMetrics>
#include <QTableWidget>

namespace briqo {

int PasKolommenAan(QTableWidget *grid, const QFont &font)
{
    const QFontMetrics fm(font);
    grid->setUpdatesEnabled(false);
    int total = 0;
    for (int c = 0; c < grid->columnCount(); ++c) {
        int width = 0;
        for (int r = 0; r < grid->rowCount(); ++r) {
            const QTableWidgetItem *item = grid->item(r, c);
            const QString text = item ? item->text() : QString();
            width = std::max(width, fm.horizontalAdvance(text + QLatin1Char('W')));
        }
        grid->setColumnWidth(c, width);
        total += width;
    }
    grid->setUpdatesEnabled(true);
    return total;
}

int totalRowHeight(const QTableWidget *grid)
{
    int total = 0;
    for (int r = 0; r < grid->rowCount(); ++r)
        total += grid->rowHeight(r);
    return total;
}

} // namespace briqo
