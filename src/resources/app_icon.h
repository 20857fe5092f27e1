#pragma once

#include <QIcon>

namespace briqo {

// The program's icon for its windows, drawn from the one SVG the icon theme also gets, at every
// size a window manager or task bar asks for (16 to 256 pixels).
QIcon programIcon();

// The same icon at one size only, for the moment the window first shows: a window carries every
// size of its icon, and drawing them all would delay its appearance. The program sets the full
// icon right after.
QIcon programIconAtStart();

} // namespace briqo
