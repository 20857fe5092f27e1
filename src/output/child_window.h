#pragma once

class QWidget;

namespace briqo {

class frmBordix;

// The main window is disabled while one of its own windows (the overview, the question and
// answer) is open. Those windows belong to it, so they stay in front of it and go with it, and
// are enabled again whenever the main window is disabled (disabling a window disables the
// windows it owns). Closing that window enables it again, centres it on the screen and makes it
// the active window once more, which runs its activation (flags, focus to the game number).
void returnToMainWindow(frmBordix &main);

// Moves a window so that its frame is centred on its screen, halves rounded down.
void centreOnScreen(QWidget *window);

// The screen width in twips of the screen a window is on (the primary screen before it is shown).
double screenWidthTw(const QWidget *window);

} // namespace briqo
