#pragma once

#include <QRect>
#include <QScrollArea>
#include <QSize>

#include <functional>

class QScreen;
class QWidget;

// Windows open inside the screen's available area (without the panels) with their frame.
namespace windowfit {

// Sizes the window to `wanted`, or as much of it as fits, and centres it with its frame on
// the screen of `near` (of the window itself without one). A fixed-size window stays fixed
// at the size it gets. The real frame is known only once the window system has put one
// around the shown window: the window is placed again then if it did not fit.
void place(QWidget *window, QSize wanted, bool fixed, const QWidget *near = nullptr);

// The area a window may take on a screen: its available geometry. Tests put a screen of
// their own in its place (an empty function restores the real one).
using AreaOf = std::function<QRect(const QScreen *)>;
void setAreaOf(AreaOf areaOf);
QRect availableArea(const QScreen *screen);

// A frameless scroll area around `content`, which takes the whole width and height while
// they are larger than the content's least size and scrolls below it; the area itself never
// takes the focus, so Tab goes through the content as without it.
QScrollArea *scrolled(QWidget *content, QWidget *parent);

} // namespace windowfit
