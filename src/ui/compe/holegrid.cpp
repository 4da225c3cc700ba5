#include "holegrid.h"

#include "holecolumns.h"

#include <QHeaderView>

using namespace holecolumns;

namespace {

constexpr int kParRow = 0;
constexpr int kHiddenRow = 1;

QTableWidgetItem *fixedItem(const QString &text, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

CompeHoleGrid::CompeHoleGrid(QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("HoleGrid"));
    setUp(this);
    setHorizontalHeaderItem(kName, new QTableWidgetItem(QStringLiteral("ホール")));
    setHorizontalHeaderItem(kKind, new QTableWidgetItem(QString()));
    setRowCount(2);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_filling = true;
    for (int c = 0; c < kCount; ++c) {
        setItem(kParRow, c, fixedItem(QString()));
        setItem(kHiddenRow, c, fixedItem(QString()));
    }
    item(kParRow, kName)->setText(QStringLiteral("パー"));
    item(kHiddenRow, kName)->setText(QStringLiteral("隠しホール"));
    m_filling = false;
    setFixedHeight(horizontalHeader()->sizeHint().height() + 2 * rowHeight(0) + 2 * frameWidth());
    setFixedWidth(fullWidth(this));
    setAccessibleName(QStringLiteral("ホールごとのパーと隠しホール"));
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *changed) {
        const int hole = holeOf(changed->column());
        if (m_filling || changed->row() != kHiddenRow || hole == 0)
            return;
        showCounts();
        Q_EMIT toggled(hole, changed->checkState() == Qt::Checked);
    });
}

void CompeHoleGrid::setPars(const compe::Pars &pars)
{
    m_pars = pars;
    m_filling = true;
    int sums[2] = {0, 0};
    for (int hole = 1; hole <= compe::kHoles; ++hole) {
        const int par = pars[hole - 1];
        sums[(hole - 1) / 9] += par;
        item(kParRow, columnOf(hole))->setText(par > 0 ? QString::number(par) : QString());
    }
    const bool known = sums[0] > 0 && sums[1] > 0;
    item(kParRow, kOut)->setText(known ? QString::number(sums[0]) : QString());
    item(kParRow, kIn)->setText(known ? QString::number(sums[1]) : QString());
    item(kParRow, kTotal)->setText(known ? QString::number(sums[0] + sums[1]) : QString());
    m_filling = false;
    setHidden(hidden(), m_locked);
}

void CompeHoleGrid::setHidden(const QList<int> &holes, bool locked)
{
    m_locked = locked;
    m_filling = true;
    for (int hole = 1; hole <= compe::kHoles; ++hole) {
        QTableWidgetItem *tick = item(kHiddenRow, columnOf(hole));
        const bool usable = m_pars[hole - 1] > 0;
        tick->setFlags(
            usable && !locked ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemIsEnabled);
        tick->setCheckState(holes.contains(hole) ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
    showCounts();
}

QList<int> CompeHoleGrid::hidden() const
{
    QList<int> holes;
    for (int hole = 1; hole <= compe::kHoles; ++hole)
        if (item(kHiddenRow, columnOf(hole))->checkState() == Qt::Checked)
            holes.append(hole);
    return holes;
}

void CompeHoleGrid::showCounts()
{
    const QList<int> holes = hidden();
    int counts[2] = {0, 0};
    for (int hole : holes)
        ++counts[(hole - 1) / 9];
    const bool was = std::exchange(m_filling, true);
    item(kHiddenRow, kOut)->setText(QString::number(counts[0]));
    item(kHiddenRow, kIn)->setText(QString::number(counts[1]));
    item(kHiddenRow, kTotal)->setText(QString::number(holes.size()));
    m_filling = was;
}
