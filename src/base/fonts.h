#pragma once

#include <QFont>

namespace briqo {

// The board's typeface at a size given in points at 96 dots per inch, so that every control has
// the same pixel size on every screen and in every picture.
QFont verdana(double points, bool bold = false);

// Loads the shipped font and makes it stand in for Verdana and Arial. Call once per application.
void installFonts();

} // namespace briqo
