#include "stringgrid.h"

#include <QHeaderView>

TStringGrid::TStringGrid(int colCount, QWidget *parent) : QTableWidget(0, colCount, parent)
{
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    for (int c = 0; c < colCount; ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem());
}

void TStringGrid::SetRowCount(int rows)
{
    setRowCount(qMax(0, rows - 1));
}

void TStringGrid::SetColCount(int cols)
{
    const int old = columnCount();
    setColumnCount(cols);
    for (int c = old; c < cols; ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem());
}

QString TStringGrid::Cell(int col, int row) const
{
    if (row == 0) {
        const QTableWidgetItem *h = horizontalHeaderItem(col);
        return h ? h->text() : QString();
    }
    const QTableWidgetItem *it = item(row - 1, col);
    return it ? it->text() : QString();
}

void TStringGrid::SetCell(int col, int row, const QString &text)
{
    if (col < 0 || col >= columnCount())
        return;
    if (row == 0) {
        QTableWidgetItem *h = horizontalHeaderItem(col);
        if (!h) {
            h = new QTableWidgetItem();
            setHorizontalHeaderItem(col, h);
        }
        h->setText(text);
        return;
    }
    if (row - 1 >= rowCount())
        return;
    QTableWidgetItem *it = item(row - 1, col);
    if (!it) {
        if (text.isEmpty())
            return;
        setItem(row - 1, col, new QTableWidgetItem(text));
    } else {
        it->setText(text);
    }
}

void TStringGrid::ClearRow(int row)
{
    for (int c = 0; c < columnCount(); ++c)
        SetCell(c, row, QString());
}

void TStringGrid::SetRow(int row, const QStringList &texts)
{
    for (int c = 0; c < columnCount(); ++c)
        SetCell(c, row, c < texts.size() ? texts[c] : QString());
}

QStringList TStringGrid::Row(int row) const
{
    QStringList texts;
    for (int c = 0; c < columnCount(); ++c)
        texts.append(Cell(c, row));
    return texts;
}

int TStringGrid::SelectedRow() const
{
    const int r = currentRow();
    return r < 0 ? 0 : r + 1;
}

void TStringGrid::SelectRow(int row)
{
    if (row < 1 || row - 1 >= rowCount())
        return;
    setCurrentCell(row - 1, 0);
    selectRow(row - 1);
    scrollTo(model()->index(row - 1, 0));
}

void TStringGrid::DeleteRow(int row)
{
    if (row >= 1 && row - 1 < rowCount())
        removeRow(row - 1);
}

void TStringGrid::InsertRow(int row)
{
    if (row >= 1 && row - 1 <= rowCount())
        insertRow(row - 1);
}
