#pragma once
// The boards of the hand record and the question sheet, drawn as text at sizes that stay readable
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

} // namespace briqo
