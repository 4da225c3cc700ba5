// The results page: the tally dialog and the three tallies, and the chart action.
#include "mainform.h"

#include "ui/charts/chartform.h"
#include "ui/charts/seisekiform.h"
#include "core/data/datetime.h"
#include "core/stats/chartdata.h"
#include "core/stats/scorelists.h"
#include "ui/stats/shukeiform.h"
#include "pages/scorepage.h"
#include "stringgrid.h"

#include <QAction>
#include <QDateEdit>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

const QString kShowResults = QStringLiteral("成績を表示します");
const QString kNothingFound = QStringLiteral("検索内容に該当するデータがありませんでした");

void setRowHeight(TStringGrid *grid, int height)
{
    QHeaderView *rows = grid->verticalHeader();
    if (rows->defaultSectionSize() == height)
        return;
    grid->SetRowCount(1); // rows kept from the last tally would keep their height
    rows->setMinimumSectionSize(qMin(rows->minimumSectionSize(), height));
    rows->setDefaultSectionSize(height);
}

// The columns at their given widths, widened where the grid's font needs more for `widest`,
// and the last column taking the rest of the width, at least `lastMin`.
void setColumnWidths(
    TStringGrid *grid, const QList<int> &widths, const QStringList &widest, int lastMin)
{
    const QFontMetrics metrics(grid->font());
    int used = 0;
    for (int c = 0; c < widths.size(); ++c) {
        int width = widths[c];
        if (width > 0 && !widest.value(c).isEmpty())
            width = qMax(width, metrics.horizontalAdvance(widest[c]) + 12);
        grid->SetColWidth(c, width);
        used += width;
    }
    // The rows may only now need the vertical scroll bar, which takes its width later.
    int room = grid->viewport()->width();
    QScrollBar *bar = grid->verticalScrollBar();
    const int rowsHeight = (grid->RowCount() - 1) * grid->verticalHeader()->defaultSectionSize();
    if (!bar->isVisible() && rowsHeight > grid->viewport()->height())
        room -= grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
    grid->SetColWidth(int(widths.size()), qMax(lastMin, room - used - 1));
}

// Column 0 of a tally stays put as the grid's fixed column: it is drawn like a heading.
class FixedColumnDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        painter->fillRect(option.rect, option.palette.button());
        QStyledItemDelegate::paint(painter, option, index);
    }
};

} // namespace

void TMainForm::createResults()
{
    ShukeiForm = new TShukeiForm(dialogs(), this);
    ScoreSheet->createResults();
    ChartForm = new TChartForm(this);
    SeisekiGrid->horizontalHeader()->hide();
    SeisekiGrid->setItemDelegateForColumn(0, new FixedColumnDelegate(SeisekiGrid));
    connect(ShukeiAction, &QAction::triggered, this, &TMainForm::ShukeiActionExecute);
    connect(ChartAction1, &QAction::triggered, this, &TMainForm::ChartAction1Execute);
}

stats::TallyCondition TMainForm::tallyCondition() const
{
    return ShukeiForm->condition();
}

void TMainForm::ShukeiActionExecute()
{
    if (GolferName.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }
    const int total = int(ScoreList.size());
    ShukeiForm->refill(YearList, PlayedLinksList, total);
    const bool rerun = ShukeiCaller == QStringLiteral("PageControl");
    if (!rerun) {
        ShukeiForm->ShowShukei();
        if (ShukeiForm->ShukeiKind().isEmpty()) {
            ShukeiDone = false;
            return;
        }
        ShukeiDone = true;
    }
    ShukeiCaller.clear();

    QString conditions = QStringLiteral("検索年数： ") + ShukeiForm->KensakuYear()
        + QStringLiteral("   ") + QStringLiteral("検索ゴルフ場： ") + ShukeiForm->KensakuLinks();
    // The heading names the count whenever the tally covers fewer than all cards, also when
    // the page repeats it after cards were added.
    const stats::TallyCondition condition = tallyCondition();
    const qsizetype covered = stats::coveredCount(total, condition);
    if (ShukeiForm->countApplied() && covered < total)
        conditions += QStringLiteral("     最近 ") + QString::number(covered)
            + QStringLiteral("ラウンドの成績を集計");
    KensakuNaiyou->setText(conditions);

    const QString kind = ShukeiForm->ShukeiKind();
    if (kind == QStringLiteral("詳細")) {
        ShukeiNaiyou->setText(QStringLiteral("スコアの詳細表示"));
        ShousaiShukei();
    } else if (kind == QStringLiteral("一覧")) {
        ShukeiNaiyou->setText(QStringLiteral("スコアの一覧表示"));
        ItiranShukei();
    } else if (kind == QStringLiteral("昇順")) {
        ShukeiNaiyou->setText(QStringLiteral("スコアを昇順で一覧表示"));
        ShoujunShukei();
    }
}

void TMainForm::seisekiGridEmpty()
{
    SeisekiGrid->clearContents();
    SeisekiGrid->horizontalHeader()->hide();
    SeisekiGrid->SetColCount(1);
    SeisekiGrid->SetRowCount(1);
    SeisekiGrid->SetColWidth(0, 0);
}

// A tally whose selection holds no card leaves the page empty and says so.
void TMainForm::seisekiNothingFound()
{
    seisekiGridEmpty();
    setStatus(kShowResults);
    dialogs().information(kNothingFound);
}

void TMainForm::ShousaiShukei()
{
    const stats::DetailedTally tally = stats::detailedTally(ScoreList.list(), tallyCondition());
    HoleResultCounts = tally.holeResultCounts;
    m_parAverages = tally.pars;
    if (tally.rounds == 0) {
        seisekiNothingFound();
        return;
    }
    setStatus(QStringLiteral("スコア詳細の日付をダブルクリックでスコアカードを表示します"));

    // Sixteen rows without a heading row; the grid's rows 1 to 16 hold them.
    SeisekiGrid->clearContents();
    SeisekiGrid->horizontalHeader()->hide();
    SeisekiGrid->SetColCount(stats::kDetailColumns);
    setRowHeight(SeisekiGrid, 19);
    SeisekiGrid->SetRowCount(stats::kDetailRows + 1);
    const QFontMetrics metrics(SeisekiGrid->font());
    QString longestName;
    for (const QString &name : stats::detailRowNames())
        if (metrics.horizontalAdvance(name) > metrics.horizontalAdvance(longestName))
            longestName = name;
    setColumnWidths(SeisekiGrid, {100, 0, 90, 180}, {longestName}, 190);
    for (int r = 0; r < tally.rows.size(); ++r)
        SeisekiGrid->SetRow(r + 1, tally.rows[r]);
    ChartAction1->setEnabled(true);
}

void TMainForm::seisekiListGrid(const QList<QStringList> &rows)
{
    SeisekiGrid->setUpdatesEnabled(false);
    SeisekiGrid->clearContents();
    SeisekiGrid->SetColCount(stats::kListColumns);
    setRowHeight(SeisekiGrid, 20);
    SeisekiGrid->SetRowCount(int(rows.size()) + 1);
    setColumnWidths(SeisekiGrid, {30, 0, 85, 85, 60, 70},
        {QStringLiteral(" %1").arg(rows.size()), {}, QStringLiteral("0000/00/00"),
            QStringLiteral("000   ( 00 , 00 )"), QStringLiteral("パット数"),
            QStringLiteral("100.0 %")},
        190);
    SeisekiGrid->SetRow(0, stats::scoreListHeader());
    QHeaderView *header = SeisekiGrid->horizontalHeader();
    header->setFixedHeight(20);
    header->show();
    SeisekiGrid->SetRows(1, rows);
    SeisekiGrid->setUpdatesEnabled(true);
    setStatus(QStringLiteral("スコア一覧の日付をダブルクリックでスコアカードを表示します"));
}

void TMainForm::ItiranShukei()
{
    const QList<QStringList> rows = stats::dateList(ScoreList.list(), tallyCondition());
    if (rows.isEmpty()) {
        seisekiNothingFound();
        return;
    }
    seisekiListGrid(rows);
    ChartAction1->setEnabled(true);
}

void TMainForm::ShoujunShukei()
{
    ChartAction1->setEnabled(false);
    const QList<QStringList> rows = stats::ascendingList(ScoreList.list(), tallyCondition());
    if (rows.isEmpty()) {
        seisekiNothingFound();
        return;
    }
    seisekiListGrid(rows);
}

void TMainForm::ChartAction1Execute()
{
    if (currentPage() == Page::Score) {
        ScoreSheet->showCardChart();
        return;
    }

    if (!SeisekiGrid->horizontalHeader()->isHidden()) {
        // A score list: its rows are the trend.
        QList<QStringList> rows;
        rows.reserve(SeisekiGrid->RowCount() - 1);
        for (int r = 1; r < SeisekiGrid->RowCount(); ++r)
            rows.append({QString(), QString(), QString(), SeisekiGrid->Cell(3, r),
                SeisekiGrid->Cell(4, r), SeisekiGrid->Cell(5, r)});
        ChartForm->drawTrend(KensakuNaiyou->text(), charts::trendLines(rows));
    } else {
        ChartForm->drawDistribution(KensakuNaiyou->text(), HoleResultCounts, m_parAverages);
    }
    ChartForm->ShowModal();
}

void TMainForm::seisekiEnter()
{
    ShukeiAction->setEnabled(true);
    DataAppendAction->setEnabled(false);
    ShukeiNaiyou->clear();
    KensakuNaiyou->clear();
    SeisekiGrid->clear();
    SeisekiGrid->horizontalHeader()->hide();
    SeisekiGrid->SetColCount(1);
    SeisekiGrid->SetRowCount(1);
    SeisekiGrid->SetColWidth(0, 0);
    if (GolferName.isEmpty())
        return;
    m_book.refreshPlayedLinks();
    ShukeiCaller = ShukeiDone ? QStringLiteral("PageControl") : QString();
    ShukeiAction->trigger();
}

void TMainForm::SeisekiSheetResize()
{
    // The last column takes what the others leave (330 for the lists, 370 for the details).
    if (SeisekiGrid->ColCount() < 4)
        return;
    SeisekiGrid->fillLastColumn(190, 1);
}

void TMainForm::SeisekiGridDblClick()
{
    const QTableWidgetItem *item = SeisekiGrid->currentItem();
    const QString text = item ? item->text() : QString();
    const auto date = datetime::parseDate(text);
    if (!date)
        return; // a club, a score or a heading
    // Change and Delete act on this node; the tree's own selection stays as it is.
    if (QTreeWidgetItem *node = m_nodes.lazyChild(
            m_nodes.yearNode(datetime::yearText(datetime::fromDate(*date))), text)) {
        m_nodes.SelectedNode = node;
        m_nodes.SelectedParent = node->parent();
    }
    ScoreSheet->ScoreNodeSelect(text);
}
