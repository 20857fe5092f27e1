#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

class QPainter;

namespace briqo {

class BoardView;

// The board sits 60 twips from the left and 30 from the top of the main window, and so of its
// picture; a board drawn without the window keeps the same margins.
constexpr double BoardInWindowLeft = 60;
constexpr double BoardInWindowTop = 30;
// Room below the last thing the picture shows (South's clubs, or the question).
constexpr double PictureBottomMargin = 120;
// The maker's notices stand this far inside the board's left and right edges.
constexpr double MakerNoteInset = 60;
// The double-dummy block stands this far below West's clubs in the picture.
constexpr double DoubleDummyBelowWest = 90;
// Pictures are made at 96 dots per inch, as on the screen the board was designed for.
constexpr int PictureDotsPerMetre = 3780;

// The size of a board's picture in pixels, and where the board's top-left lies in it.
struct PictureFrame {
    QSize size;
    QPoint boardOffset;
};

// Strips the board to what its picture shows, and works out the picture's frame:
// - the summary grid, the question button, the maker's panel, the lead box and the flags go;
// - every hand field and its background turn white; with tenAs10 the tens of the hands and of the
//   lead are written "10" (the caller holds its own guard against the fields' change handling,
//   and puts the texts back);
// - the auction frame is cut at AuctionBottom and the hands are stacked below it;
// - the frame is the board's width plus 60 twips wide and reaches 120 twips below South's clubs,
//   or, when the question shows, below the question, which is fitted to its text;
// - the maker's notices stand in the bottom corners, level with the bottom of South's clubs;
// - the double-dummy block stays when it shows a table (the window hides it first when its
//   option is off), below West's hand; the frame reaches below it if need be.
// The main window adds its own steps around this one; a board made for a stored game without any
// window calls it alone. Nothing is put back here: the caller remembers what it needs.
PictureFrame prepareBoardPicture(BoardView &board, bool tenAs10);

// The one drawing of a board picture, on any paint device: white, with the prepared board at its
// offset, cut at the frame's size. The window's Alt+Print Screen answer, the printout, the picture
// files and the handouts all draw through it. Drawn pixel for pixel on an image it is the
// window's picture exactly; on a PDF or SVG, or scaled, the suit symbols and "SA"/"NT" are drawn
// as glyphs instead of their bitmaps, so the whole board is text and shapes.
void paintBoardPicture(BoardView &board, const PictureFrame &frame, QPainter &painter);

// The picture as an image of the frame's size at 96 dots per inch.
QImage boardPicture(BoardView &board, const PictureFrame &frame);

} // namespace briqo
