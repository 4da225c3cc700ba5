#include "stringgrid.h"

#include "ui/common/texttips.h"

#include <QHeaderView>
#include <QSignalBlocker>

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
    setItemDelegate(new texttips::ItemTextTips(false, this));
    for (int c = 0; c < colCount; ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem());
    // Emptied: the waiting texts go too. Reshaped: they get their cells first.
    connect(model(), &QAbstractItemModel::modelReset, this, &TStringGrid::dropPending);
    for (auto shapeChange :
        {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved,
            &QAbstractItemModel::columnsAboutToBeInserted,
            &QAbstractItemModel::columnsAboutToBeRemoved})
        connect(model(), shapeChange, this, &TStringGrid::makeAllCells);
}

TStringGrid::~TStringGrid()
{
    // The table empties its model on the way out, when this part is gone already.
    disconnect(model(), nullptr, this, nullptr);
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

void TStringGrid::fillLastColumn(int least, int slack)
{
    const int last = columnCount() - 1;
    int others = 0;
    for (int c = 0; c < last; ++c)
        others += columnWidth(c);
    setColumnWidth(last, qMax(least, viewport()->width() - others - slack));
}

QString TStringGrid::Cell(int col, int row) const
{
    if (row == 0) {
        const QTableWidgetItem *h = horizontalHeaderItem(col);
        return h ? h->text() : QString();
    }
    if (const QStringList *texts = pendingRow(row - 1))
        return col >= 0 && col < columnCount() ? texts->value(col) : QString();
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
    if (row < 1 || row - 1 >= rowCount())
        return;
    if (pendingRow(row - 1))
        makeCells(row - 1, row - 1);
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

void TStringGrid::SetRows(int firstRow, const QList<QStringList> &rows)
{
    makeAllCells();
    const int first = qMax(1, firstRow) - 1;
    const int count = int(qMin<qsizetype>(rows.size(), qMax(0, rowCount() - first)));
    if (count <= 0)
        return;
    m_pending = rows.mid(0, count);
    m_pendingFirst = first;
    m_pendingLeft = count;
    const int top = qMax(first, rowAt(0));
    const int bottom = rowAt(viewport()->height() - 1);
    makeCells(top, bottom < 0 ? qMin(first + count - 1, top + 100) : bottom);
    viewport()->update();
}

const QStringList *TStringGrid::pendingRow(int tableRow) const
{
    if (m_pendingLeft == 0)
        return nullptr;
    const qsizetype k = tableRow - m_pendingFirst;
    if (k < 0 || k >= m_pending.size())
        return nullptr;
    const QStringList &texts = m_pending[k];
    return texts.isEmpty() ? nullptr : &texts;
}

void TStringGrid::makeCells(int fromTableRow, int toTableRow)
{
    if (m_pendingLeft == 0)
        return;
    const int from = qMax(fromTableRow, m_pendingFirst);
    const int to = qMin<qsizetype>(toTableRow, m_pendingFirst + m_pending.size() - 1);
    if (from > to)
        return;
    bool made = false;
    {
        // One repaint afterwards instead of a change signal per cell.
        const QSignalBlocker quiet(model());
        for (int r = from; r <= to; ++r) {
            QStringList &texts = m_pending[r - m_pendingFirst];
            if (texts.isEmpty())
                continue;
            for (int c = 0; c < columnCount() && c < texts.size(); ++c)
                if (!texts[c].isEmpty())
                    setItem(r, c, new QTableWidgetItem(texts[c]));
            texts = QStringList();
            --m_pendingLeft;
            made = true;
        }
    }
    if (m_pendingLeft == 0)
        m_pending.clear();
    if (made)
        viewport()->update();
}

void TStringGrid::makeAllCells()
{
    if (m_pendingLeft > 0)
        makeCells(m_pendingFirst, int(m_pendingFirst + m_pending.size() - 1));
}

void TStringGrid::dropPending()
{
    m_pending.clear();
    m_pendingLeft = 0;
}

void TStringGrid::paintEvent(QPaintEvent *event)
{
    if (m_pendingLeft > 0) {
        const int top = rowAt(0);
        const int bottom = rowAt(viewport()->height() - 1);
        if (top >= 0)
            makeCells(top, bottom < 0 ? rowCount() - 1 : bottom);
    }
    QTableWidget::paintEvent(event);
}
