#include "playergrid.h"

#include "holecolumns.h"
#include "numbercell.h"

#include <QHeaderView>

using namespace holecolumns;

namespace {

// The shade of a hidden hole's column, and the colour of a score that is none.
const QColor kHiddenShade(255, 236, 179);
const QColor kRefusedText(200, 0, 0);

QTableWidgetItem *cell(const QString &text, bool editable, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                            : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

CompePlayerGrid::CompePlayerGrid(QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("PlayerGrid"));
    setUp(this);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedWidth(fullWidth(this));
    auto *numbers = new NumberCellDelegate(this);
    for (int hole = 1; hole <= compe::kHoles; ++hole)
        setItemDelegateForColumn(columnOf(hole), numbers);
    connect(this, &QTableWidget::itemChanged, this, &CompePlayerGrid::cellEdited);
}

void CompePlayerGrid::setPlayers(const QList<compe::Player> &players)
{
    ++m_filling;
    setRowCount(0);
    for (const compe::Player &p : players)
        addPlayer(p);
    --m_filling;
}

void CompePlayerGrid::addPlayer(const compe::Player &player)
{
    const int row = rowCount();
    ++m_filling;
    insertRow(row);
    fillRow(row, player, player.golfer);
    --m_filling;
}

int CompePlayerGrid::addGuest()
{
    const int row = rowCount();
    ++m_filling;
    insertRow(row);
    compe::Player empty;
    fillRow(row, empty, false);
    for (int hole = 1; hole <= compe::kHoles; ++hole)
        item(row, columnOf(hole))->setText(QString());
    --m_filling;
    setCurrentCell(row, kName);
    editItem(item(row, kName));
    return row;
}

void CompePlayerGrid::fillRow(int row, const compe::Player &player, bool golfer)
{
    // A golfer's scores are those of his card: they are changed there, not here.
    auto *name = cell(player.name, !golfer, Qt::AlignLeft | Qt::AlignVCenter);
    name->setData(Qt::UserRole, golfer);
    setItem(row, kName, name);
    for (int hole = 1; hole <= compe::kHoles; ++hole)
        setItem(row, columnOf(hole),
            cell(QString::number(player.scores[hole - 1]), !golfer, Qt::AlignCenter));
    for (int c : {kOut, kIn, kTotal})
        setItem(row, c, cell(QString(), false, Qt::AlignRight | Qt::AlignVCenter));
    setItem(row, kKind,
        cell(golfer ? QStringLiteral("ゴルファー") : QStringLiteral("ゲスト"), false,
            Qt::AlignCenter));
    showTotals(row);
    shade(row);
}

void CompePlayerGrid::removePlayer(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    removeRow(row);
}

QString CompePlayerGrid::nameAt(int row) const
{
    const QTableWidgetItem *name = item(row, kName);
    return name ? name->text() : QString();
}

bool CompePlayerGrid::isGolferRow(int row) const
{
    const QTableWidgetItem *name = item(row, kName);
    return name && name->data(Qt::UserRole).toBool();
}

std::optional<QList<compe::Player>> CompePlayerGrid::players(QString *problem) const
{
    QList<compe::Player> list;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList scores;
        for (int hole = 1; hole <= compe::kHoles; ++hole)
            scores.append(item(row, columnOf(hole))->text());
        const std::optional<compe::Player> player
            = compe::playerFromTexts(nameAt(row), scores, isGolferRow(row), problem);
        if (!player)
            return std::nullopt;
        list.append(*player);
    }
    *problem = compe::playersProblem(list);
    if (!problem->isEmpty())
        return std::nullopt;
    return list;
}

QList<compe::Player> CompePlayerGrid::namesOnly() const
{
    QList<compe::Player> list;
    for (int row = 0; row < rowCount(); ++row)
        list.append({nameAt(row), {}, isGolferRow(row)});
    return list;
}

void CompePlayerGrid::setHidden(const QList<int> &holes)
{
    m_hidden = holes;
    ++m_filling;
    for (int row = 0; row < rowCount(); ++row)
        shade(row);
    --m_filling;
}

void CompePlayerGrid::shade(int row)
{
    for (int hole = 1; hole <= compe::kHoles; ++hole)
        item(row, columnOf(hole))
            ->setBackground(m_hidden.contains(hole) ? QBrush(kHiddenShade) : QBrush());
}

void CompePlayerGrid::cellEdited(QTableWidgetItem *changed)
{
    if (m_filling)
        return;
    const int row = changed->row();
    const int hole = holeOf(changed->column());
    if (hole > 0) {
        const QString text = changed->text();
        const std::optional<int> score = compe::parseScore(text);
        ++m_filling;
        // Full-width digits and blanks around them are the number they stand for.
        if (score && text != QString::number(*score))
            changed->setText(QString::number(*score));
        changed->setForeground(score || text.trimmed().isEmpty() ? QBrush() : QBrush(kRefusedText));
        showTotals(row);
        --m_filling;
        if (!score && !text.trimmed().isEmpty()) {
            // Told once the cell's editor has closed, so the message does not take the focus
            // from an editor still committing its text.
            const QString message = compe::scoreTextProblem(nameAt(row), hole, text);
            QMetaObject::invokeMethod(
                this, [this, message] { Q_EMIT refused(message); }, Qt::QueuedConnection);
        }
    }
    Q_EMIT edited();
}

void CompePlayerGrid::showTotals(int row)
{
    int sums[2] = {0, 0};
    bool whole[2] = {true, true};
    for (int hole = 1; hole <= compe::kHoles; ++hole) {
        const std::optional<int> score = compe::parseScore(item(row, columnOf(hole))->text());
        const int half = (hole - 1) / 9;
        if (score)
            sums[half] += *score;
        else
            whole[half] = false;
    }
    // A half with a hole still to type shows no total: a partial sum would read as a score.
    item(row, kOut)->setText(whole[0] ? QString::number(sums[0]) : QString());
    item(row, kIn)->setText(whole[1] ? QString::number(sums[1]) : QString());
    item(row, kTotal)
        ->setText(whole[0] && whole[1] ? QString::number(sums[0] + sums[1]) : QString());
}
