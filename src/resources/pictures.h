#pragma once

#include <QPixmap>

class QLabel;
class QPainter;
class QRectF;

namespace briqo {

// The program's own pictures, looked up by their resource number:
// 101-104 the suit symbols beside the hand fields (spades, hearts, diamonds, clubs),
// 106-109 the small suit symbols of the auction and the lead (clubs, diamonds, hearts, spades),
// 110 "SA" and 111 "NT", 112-126 the waving Dutch flag and 127-141 the waving British flag.
// Any other number gives an empty picture.
QPixmap picture(int id);

// Shows picture id in a label and remembers the number, so that the board can tell (and a test
// can check) which picture a control holds; 0 empties it.
void setPicture(QLabel *label, int id);
int pictureIdOf(const QLabel *label);

// Draws picture id as the bitmap shows it, centred in box (the bitmap's own place and size), but
// with the painter's own means: the suit symbols and "SA"/"NT" as glyphs of the shipped font, so
// a PDF, an SVG or an enlarged picture gets them as sharp text rather than scaled pixels.
void paintPicture(QPainter &painter, int id, const QRectF &box);

// The maker's logo of the board panel.
QPixmap makerLogo(int width, int height);

} // namespace briqo
