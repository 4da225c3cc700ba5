#pragma once

#include "core/compe/peoria.h"

#include <QStringList>

class QTableWidget;

// The holes grid and the players grid stand one above the other with the same columns, so
// that a hole's par, its tick and the players' scores line up: a name (or a row's label),
// holes 1 to 9, OUT, holes 10 to 18, IN, the total and the kind of player.
namespace holecolumns {

constexpr int kName = 0;
constexpr int kOut = 10;
constexpr int kIn = 20;
constexpr int kTotal = 21;
constexpr int kKind = 22;
constexpr int kCount = 23;

// The column of a hole (1 to 18), and the hole of a column (0 for the other columns).
constexpr int columnOf(int hole)
{
    return hole <= 9 ? hole : hole + 1;
}
constexpr int holeOf(int column)
{
    if (column >= 1 && column <= 9)
        return column;
    if (column >= 11 && column <= 19)
        return column - 1;
    return 0;
}

// "氏名", "1" … "9", "OUT", "10" … "18", "IN", "計", "区分".
QStringList headings();
// Gives the table the columns, their headings and widths for its font; the same table font
// gives the same widths, so the two grids line up. Tab leaves the table.
void setUp(QTableWidget *table);
// The width the table needs to show every column without scrolling sideways.
int fullWidth(const QTableWidget *table);

} // namespace holecolumns
