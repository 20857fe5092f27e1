#pragma once
// The boards of the handout's layouts (board, hand record, question sheet), drawn as text at sizes that stay readable
// on paper (never below 8 points), and the texts with suit symbols that every handout shares.

#include "analysis/double_dummy.h"
#include "output/picture_export.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;
class QPaintDevice;

namespace briqo {

struct Game;

// The smallest type on a handout's page: digits and suit symbols included.
constexpr double SmallestHandoutPoints = 8;

// The handout's type: the board's typeface, with its letters never joined into ligatures ("fi"),
// so that a search of the PDF finds every word.
QFont handoutFont(double points, bool bold = false);

// A text whose suit marks ("!S", "\\S") are drawn as red or black suit symbols, wrapped at width.
double suitTextHeight(const QString &text, const QFont &font, double width, QPaintDevice *device);
void drawSuitText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font);

// One board of a hand record in its cell: dealer and vulnerability in the top-left corner, the
// hands as a compass around a box with the seats (or their points), and below it the double-dummy
// table and par, when there is one. handPoints is the size of the cards.
void drawRecordBoard(QPainter &painter, const QRectF &cell, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double handPoints);
// The height that board takes at that size.
double recordBoardHeight(QPaintDevice *device, bool withTable, double handPoints);

// One board of a question sheet: its heading, the hands that show side by side, the auction so far
// beside them, the contract, the lead and the double-dummy table when they show, and the question below.
double questionBlockHeight(QPaintDevice *device, double width, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings);
void drawQuestionBlock(QPainter &painter, const QRectF &box, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings);

// One board of the board layout: game, dealer, vulnerability and the four hands as a compass, as
// in the hand record; the auction with its notes, the contract, the lead and the double-dummy table
// and par beside the compass or below it, whichever is lower in that width; the question under
// everything and, when not empty, the answer under the question. cardPoints is the size of the
// cards, the calls, the question and the answer; the captions are a little smaller, never below
// the least. What does not fit the box is cut at its edge.
double boardBlockHeight(QPaintDevice *device, double width, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double cardPoints,
    const QString &answer);
// Whether the board fits a box of that size, the compass's width included.
bool boardBlockFits(QPaintDevice *device, const QSizeF &box, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double cardPoints,
    const QString &answer);
void drawBoardBlock(QPainter &painter, const QRectF &box, const Game &game,
    const std::optional<DoubleDummyResult> &doubleDummy, const PictureSettings &settings, double cardPoints,
    const QString &answer);

} // namespace briqo
