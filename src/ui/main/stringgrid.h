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
    ~TStringGrid() override;

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
    // The last column takes the width the others leave in view (less `slack`), `least` at
    // the smallest.
    void fillLastColumn(int least, int slack = 0);

    // Row of the current cell in grid numbering (0 when none).
    int SelectedRow() const;
    void SelectRow(int row);
    // Moves the rows below `row` up by one and drops the last row.
    void DeleteRow(int row);
    // Inserts an empty row before `row`.
    void InsertRow(int row);

    // Writes many rows from `firstRow` on into rows that are empty (just made or cleared).
    // The rows in view get their cells now, the others when they come into view, so that
    // tens of thousands of rows fill at once; Cell(), Row() and SetCell() see every row
    // either way.
    void SetRows(int firstRow, const QList<QStringList> &rows);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QStringList *pendingRow(int tableRow) const;
    void makeCells(int fromTableRow, int toTableRow);
    void makeAllCells();
    void dropPending();

    QList<QStringList> m_pending; // texts of rows without cells yet, from m_pendingFirst
    int m_pendingFirst = 0; // table row of m_pending[0]
    qsizetype m_pendingLeft = 0; // rows of m_pending still without cells
};
