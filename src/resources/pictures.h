#pragma once

#include <QPixmap>

namespace briqo {

// The program's own pictures, looked up by their resource number:
// 101-104 the suit symbols beside the hand fields (spades, hearts, diamonds, clubs),
// 106-109 the small suit symbols of the auction and the lead (clubs, diamonds, hearts, spades),
// 110 "SA" and 111 "NT", 112-126 the waving Dutch flag and 127-141 the waving British flag.
// Any other number gives an empty picture.
QPixmap picture(int id);

// The maker's logo of the board panel.
QPixmap makerLogo(int width, int height);

} // namespace briqo
