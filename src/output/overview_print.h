#pragma once

#include <QList>
#include <QString>

class QPrinter;
class QTableWidget;

namespace briqo {

// The printed overview, in twips from the top-left corner of the printable area: every page
// starts with the window caption and an empty line, the table's rows follow one below the
// other, and a new page starts while a row could still come within 1000 twips of its bottom.
struct OverviewPageLayout {
    static constexpr double Left = 400;
    static constexpr double CaptionTop = 800;
    static constexpr double BottomReserve = 1000;
    static constexpr double RowGap = 32; // between the bottom of a row's text cell and the next row
    static constexpr double TextInset = 64; // of the contract column's texts
};

struct PrintedRow {
    int page = 0;
    double top = 0;

    bool operator==(const PrintedRow &) const = default;
};

// Where each of rowCount rows goes. The first row starts at firstTop, each next row rowStep
// lower; when a row leaves the next one within the bottom reserve, the next row goes to a new
// page at restartTop (below that page's caption). No page is started after the last row.
QList<PrintedRow> overviewPrintPlan(
    int rowCount, double firstTop, double restartTop, double rowStep, double pageHeight);

// Prints the grid (its header row first, then every row, with its column widths and row
// heights) under the caption, as often as the printer's copies setting asks when the printer
// does not make the copies itself. False when the printer cannot be used.
bool printOverview(QPrinter &printer, const QTableWidget &grid, const QString &caption);

} // namespace briqo
