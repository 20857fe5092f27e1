#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>

#include <functional>

namespace briqo {

// The grid the boards of a page stand in, and the size of their type.
struct BoardGrid {
    int columns = 1;
    int rows = 1;
    QSizeF cell; // each board's room
    double points = 0; // the size of the boards' type
    bool fits = false; // every board fits its cell at that size

    // The cell of the board in that place of the page (0 top left, then across and down), in an
    // area whose top-left corner is at the origin.
    QRectF place(int slot, double gap) const;
};

// How many of the boards fit a cell of that size with their type that large.
using BoardsFitting = std::function<int(const QSizeF &cell, double points)>;

// Of the grids that take perPage boards in an area, gap between two cells, the one whose boards
// can have the largest type (from largest down to least in steps of step); of two alike the one
// with fewer columns. When no grid holds all boards at the least size, the one that holds most of
// them at that size. boards is how many boards there are; perPage below 1 counts as 1.
BoardGrid chooseBoardGrid(int perPage, const QSizeF &area, double gap, int boards, double largest, double least,
    double step, const BoardsFitting &fitting);

// Splits blocks of the given heights (the answers, or the boards of a question sheet, one block each) over pages that
// have firstPageHeight free on the first and pageHeight on every later one, gap between two blocks: the indices of the
// blocks of each page, in order. A block is never split: one that does not fit goes to the next page, so the first page
// may hold none; one taller than a page stands alone.
QList<QList<int>> paginateBlocks(const QList<double> &heights, double firstPageHeight, double pageHeight, double gap);

} // namespace briqo
