#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>

namespace briqo {

// A page of a handout: its size and the white kept free at its edges and between two boards, all
// in the unit the caller draws in.
struct HandoutPage {
    QSizeF size;
    double margin = 0;
    double gap = 0;
};

// Where one board of a handout goes.
struct HandoutPlace {
    int page = 0;
    QRectF board; // the board's picture, scaled
    QRectF answer; // the room for its answer below it; empty when the answers have a page of their own
};

struct HandoutLayout {
    int columns = 1;
    int rows = 1;
    double scale = 1; // of every board: they all show at the same size, so their texts look alike
    int pageCount = 0; // pages holding boards
    QList<HandoutPlace> places; // one per board, in the order given
};

// Lays out boards of the given picture sizes, perPage to a page, in the grid of columns and rows
// that shows them largest (never larger than their own size). Each board sits at the top of its
// cell, centred across it; with answerShare > 0 that part of the cell's height is kept below the
// board for its answer. Every board lies wholly inside its page's margins: none is ever cut.
// perPage below 1 counts as 1.
HandoutLayout layoutHandout(const QList<QSizeF> &boards, int perPage, const HandoutPage &page, double answerShare);

// Splits blocks of the given heights (the answers, one block each) over pages that have
// firstPageHeight free on the first and pageHeight on every later one, gap between two blocks:
// the indices of the blocks of each page, in order. A block is never split: one that does not fit
// goes to the next page, so the first page may hold none; one taller than a page stands alone.
QList<QList<int>> paginateBlocks(const QList<double> &heights, double firstPageHeight, double pageHeight, double gap);

} // namespace briqo
