#pragma once

#include <QIcon>

namespace briqo {

// The program's icon for its windows, drawn from the one SVG the icon theme also gets, at every
// size a window manager or task bar asks for (16 to 256 pixels).
QIcon programIcon();

} // namespace briqo
