#pragma once

class QAbstractItemView;

// Keys in a table as desktop users expect them: Tab and Shift+Tab leave the table for the
// next control (the arrows move between cells); Enter on a cell starts editing it, or moves
// down where it cannot be edited, and Enter in an editor confirms the cell and moves down.
// Enter never reaches the window, whose default button would close it.
namespace tablekeys {

// Call once the view has its model and its item delegates.
void install(QAbstractItemView *view);

} // namespace tablekeys
