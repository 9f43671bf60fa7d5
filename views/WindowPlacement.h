#pragma once
// Where the program's windows open. Each is owned by the main window, so
// it stays above it and a click on the main window never hides it; on its
// first showing it is placed in the main window's work area, below the
// menu and the toolbar (never over them), a little further down and right
// than the window shown before it, and sized to fit the screen.
class QWidget;

namespace WindowPlacement {

// Makes gMainWindow the owner of window (which stays a window of its own).
void adopt(QWidget* window);
// Adopts the window and, on its first showing, places it as above.
void placeOnFirstShow(QWidget* window);
// The top-left corner of the main window's work area, where a window that
// asks for position 0, 0 goes (on the screen's corner it would cover the
// main window's menu), moved up and left as far as needed to stay on screen.
void moveToWorkAreaCorner(QWidget* window);

} // namespace WindowPlacement
