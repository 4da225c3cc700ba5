#include "prizegrid.h"

#include "numbercell.h"

#include <QHeaderView>

namespace {

enum Column { Kind, Hole, Winner };

} // namespace

CompePrizeGrid::CompePrizeGrid(QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("PrizeGrid"));
    setColumnCount(3);
    setHorizontalHeaderLabels(
        {QStringLiteral("賞"), QStringLiteral("ホール"), QStringLiteral("受賞者")});
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    setItemDelegateForColumn(Hole, new NumberCellDelegate(this));
    const QFontMetrics m = fontMetrics();
    setColumnWidth(Kind, m.horizontalAdvance(QStringLiteral("ニアピン")) + 20);
    setColumnWidth(Hole, m.horizontalAdvance(QStringLiteral("ホール")) + 20);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(m.height() + 8);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *changed) {
        if (m_filling)
            return;
        if (changed->column() == Hole) {
            // A hole typed in full-width digits is the hole it names.
            QString ignored;
            const std::optional<int> hole
                = compe::parsePrizeHole(compe::PrizeKind::Drive, changed->text(), &ignored);
            if (hole && changed->text() != QString::number(*hole)) {
                ++m_filling;
                changed->setText(QString::number(*hole));
                --m_filling;
            }
        }
        Q_EMIT edited();
    });
}

void CompePrizeGrid::setPrizes(const QList<compe::PrizeHole> &prizes)
{
    ++m_filling;
    setRowCount(0);
    for (const compe::PrizeHole &p : prizes)
        addRow(p.kind, QString::number(p.hole), p.winner);
    --m_filling;
}

void CompePrizeGrid::addPrize(compe::PrizeKind kind)
{
    ++m_filling;
    addRow(kind, QString(), QString());
    --m_filling;
    setCurrentCell(rowCount() - 1, Hole);
    editItem(item(rowCount() - 1, Hole));
}

void CompePrizeGrid::addRow(compe::PrizeKind kind, const QString &hole, const QString &winner)
{
    const int row = rowCount();
    insertRow(row);
    auto *kindItem = new QTableWidgetItem(compe::prizeKindText(kind));
    kindItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    kindItem->setData(Qt::UserRole, int(kind));
    setItem(row, Kind, kindItem);
    auto *holeItem = new QTableWidgetItem(hole);
    holeItem->setTextAlignment(Qt::AlignCenter);
    setItem(row, Hole, holeItem);
    setItem(row, Winner, new QTableWidgetItem(winner));
}

std::optional<QList<compe::PrizeHole>> CompePrizeGrid::prizes(QString *problem) const
{
    QList<compe::PrizeHole> list;
    problem->clear();
    for (int row = 0; row < rowCount(); ++row) {
        const auto kind = compe::PrizeKind(item(row, Kind)->data(Qt::UserRole).toInt());
        const std::optional<int> hole
            = compe::parsePrizeHole(kind, item(row, Hole)->text(), problem);
        if (!hole)
            return std::nullopt;
        list.append({kind, *hole, item(row, Winner)->text()});
    }
    return list;
}
