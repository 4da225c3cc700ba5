#pragma once

#include <QSize>

class QWidget;

// Windows open inside the screen's available area (without the panels) with their frame.
namespace windowfit {

// Sizes the window to `wanted`, or as much of it as fits, and centres it with its frame on
// the screen of `near` (of the window itself without one). A fixed-size window stays fixed
// at the size it gets. The real frame is known only once the window system has put one
// around the shown window: the window is placed again then if it did not fit.
void place(QWidget *window, QSize wanted, bool fixed, const QWidget *near = nullptr);

} // namespace windowfit
