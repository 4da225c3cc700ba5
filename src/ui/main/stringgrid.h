#pragma once

#include <QTableWidget>

// A grid of texts whose row 0 is the fixed heading row, addressed the way the pages think of
// it: RowCount() counts the heading row, and record i stands in row i + 1. The heading row
// is the table's header, so it stays in view while the rows scroll.
class TStringGrid final : public QTableWidget
{
    Q_OBJECT

public:
    explicit TStringGrid(int colCount, QWidget *parent = nullptr);

    int RowCount() const { return rowCount() + 1; }
    void SetRowCount(int rows);
    int ColCount() const { return columnCount(); }
    void SetColCount(int cols);

    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString &text);
    void ClearRow(int row);
    // Writes a whole row; fewer texts than columns leave the rest empty.
    void SetRow(int row, const QStringList &texts);
    QStringList Row(int row) const;

    int ColWidth(int col) const { return columnWidth(col); }
    void SetColWidth(int col, int width) { setColumnWidth(col, width); }

    // Row of the current cell in grid numbering (0 when none).
    int SelectedRow() const;
    void SelectRow(int row);
    // Moves the rows below `row` up by one and drops the last row.
    void DeleteRow(int row);
    // Inserts an empty row before `row`.
    void InsertRow(int row);
};
