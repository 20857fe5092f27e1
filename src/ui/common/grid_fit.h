#pragma once

#include <QFont>

class QTableWidget;

namespace briqo {

// Fits every column of a grid to its widest cell text (measured with one "W" added, in the given
// font) and returns the sum of the column widths in pixels.
int PasKolommenAan(QTableWidget *grid, const QFont &font);

// The sum of a grid's row heights in pixels.
int totalRowHeight(const QTableWidget *grid);

} // namespace briqo
