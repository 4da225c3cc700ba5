// The results page: the tally dialog and the three tallies, the charts of a tally, and what
// the printout and the CSV file take of it.
#include "seisekipage.h"

#include "pagecontrols.h"
#include "pagehost.h"

#include "core/data/datetime.h"
#include "core/data/recordbook.h"
#include "core/print/resultsprintout.h"
#include "core/stats/chartdata.h"
#include "core/stats/scorelists.h"
#include "ui/charts/chartform.h"
#include "ui/common/services.h"
#include "ui/main/stringgrid.h"
#include "ui/main/treenodes.h"
#include "ui/stats/shukeiform.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

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

SeisekiPage::SeisekiPage(RecordBook &book, PageHost &host)
    : m_book(book), m_host(host), ScoreList(book.scoreRecords())
{
    setObjectName(QStringLiteral("SeisekiSheet"));
    auto *outer = new QVBoxLayout(this);
    ShukeiNaiyou = new QLabel(this);
    ShukeiNaiyou->setObjectName(QStringLiteral("ShukeiNaiyou"));
    QFont big = ShukeiNaiyou->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    ShukeiNaiyou->setFont(big);
    KensakuNaiyou = new QLabel(this);
    KensakuNaiyou->setObjectName(QStringLiteral("KensakuNaiyou"));
    QFont bold = KensakuNaiyou->font();
    bold.setBold(true);
    KensakuNaiyou->setFont(bold);
    SeisekiGrid = new TStringGrid(1, this);
    SeisekiGrid->setObjectName(QStringLiteral("SeisekiGrid"));
    SeisekiGrid->SetRowCount(1);
    SeisekiGrid->SetColWidth(0, 0);
    connect(SeisekiGrid, &QTableWidget::cellDoubleClicked, this, [this] { SeisekiGridDblClick(); });
    outer->addWidget(ShukeiNaiyou);
    outer->addWidget(KensakuNaiyou);
    outer->addWidget(SeisekiGrid, 1);
    SeisekiGrid->viewport()->installEventFilter(this);
}

SeisekiPage::~SeisekiPage()
{
    pagecontrols::detachControls(this);
}

DialogService &SeisekiPage::dialogs() const
{
    return *m_host.services().dialogs;
}

bool SeisekiPage::eventFilter(QObject *watched, QEvent *event)
{
    // The columns follow the visible width of the grid.
    if (event->type() == QEvent::Resize && watched == SeisekiGrid->viewport())
        SeisekiSheetResize();
    return QWidget::eventFilter(watched, event);
}

void SeisekiPage::createResults()
{
    ShukeiForm = new TShukeiForm(dialogs(), window());
    ChartForm = new TChartForm(window());
    SeisekiGrid->horizontalHeader()->hide();
    SeisekiGrid->setItemDelegateForColumn(0, new FixedColumnDelegate(SeisekiGrid));
}

stats::TallyCondition SeisekiPage::tallyCondition() const
{
    return ShukeiForm->condition();
}

void SeisekiPage::forgetTally()
{
    ShukeiCaller.clear();
    ShukeiDone = false;
}

void SeisekiPage::ShukeiActionExecute()
{
    if (m_book.golferName().isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }
    const int total = int(ScoreList.size());
    ShukeiForm->refill(m_book.yearList(), m_book.playedLinksList(), total);
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

void SeisekiPage::seisekiGridEmpty()
{
    SeisekiGrid->clearContents();
    SeisekiGrid->horizontalHeader()->hide();
    SeisekiGrid->SetColCount(1);
    SeisekiGrid->SetRowCount(1);
    SeisekiGrid->SetColWidth(0, 0);
}

// A tally whose selection holds no card leaves the page empty and says so.
void SeisekiPage::seisekiNothingFound()
{
    seisekiGridEmpty();
    m_host.setStatus(kShowResults);
    dialogs().information(kNothingFound);
}

void SeisekiPage::ShousaiShukei()
{
    const stats::DetailedTally tally = stats::detailedTally(ScoreList.list(), tallyCondition());
    HoleResultCounts = tally.holeResultCounts;
    m_parAverages = tally.pars;
    if (tally.rounds == 0) {
        seisekiNothingFound();
        return;
    }
    m_host.setStatus(QStringLiteral("スコア詳細の日付をダブルクリックでスコアカードを表示します"));

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
    m_host.actions().ChartAction1->setEnabled(true);
}

void SeisekiPage::seisekiListGrid(const QList<QStringList> &rows)
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
    m_host.setStatus(QStringLiteral("スコア一覧の日付をダブルクリックでスコアカードを表示します"));
}

void SeisekiPage::ItiranShukei()
{
    const QList<QStringList> rows = stats::dateList(ScoreList.list(), tallyCondition());
    if (rows.isEmpty()) {
        seisekiNothingFound();
        return;
    }
    seisekiListGrid(rows);
    m_host.actions().ChartAction1->setEnabled(true);
}

void SeisekiPage::ShoujunShukei()
{
    m_host.actions().ChartAction1->setEnabled(false);
    const QList<QStringList> rows = stats::ascendingList(ScoreList.list(), tallyCondition());
    if (rows.isEmpty()) {
        seisekiNothingFound();
        return;
    }
    seisekiListGrid(rows);
}

void SeisekiPage::showResultCharts()
{
    if (hasHeadingRow()) {
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

void SeisekiPage::seisekiEnter()
{
    m_host.actions().ShukeiAction->setEnabled(true);
    m_host.actions().DataAppendAction->setEnabled(false);
    ShukeiNaiyou->clear();
    KensakuNaiyou->clear();
    SeisekiGrid->clear();
    SeisekiGrid->horizontalHeader()->hide();
    SeisekiGrid->SetColCount(1);
    SeisekiGrid->SetRowCount(1);
    SeisekiGrid->SetColWidth(0, 0);
    if (m_book.golferName().isEmpty())
        return;
    m_book.refreshPlayedLinks();
    ShukeiCaller = ShukeiDone ? QStringLiteral("PageControl") : QString();
    m_host.actions().ShukeiAction->trigger();
}

void SeisekiPage::SeisekiSheetResize()
{
    // The last column takes what the others leave (330 for the lists, 370 for the details).
    if (SeisekiGrid->ColCount() < 4)
        return;
    SeisekiGrid->fillLastColumn(190, 1);
}

void SeisekiPage::SeisekiGridDblClick()
{
    const QTableWidgetItem *item = SeisekiGrid->currentItem();
    const QString text = item ? item->text() : QString();
    const auto date = datetime::parseDate(text);
    if (!date)
        return; // a club, a score or a heading
    // Change and Delete act on this node; the tree's own selection stays as it is.
    TreeNodes &nodes = m_host.nodes();
    if (QTreeWidgetItem *node
        = nodes.lazyChild(nodes.yearNode(datetime::yearText(datetime::fromDate(*date))), text)) {
        nodes.SelectedNode = node;
        nodes.SelectedParent = node->parent();
    }
    Q_EMIT cardRequested(text);
}

// An emptied results grid keeps a single hidden column; every tally lays out five or more.
bool SeisekiPage::hasResult() const
{
    return SeisekiGrid->ColCount() > 1;
}

bool SeisekiPage::hasHeadingRow() const
{
    return !SeisekiGrid->horizontalHeader()->isHidden();
}

printout::ResultsSheet SeisekiPage::resultsSheet() const
{
    printout::ResultsSheet sheet;
    sheet.golferName = m_book.golferName();
    sheet.conditions = KensakuNaiyou->text();
    sheet.kensakuYear = ShukeiForm->KensakuYear();
    sheet.kensakuLinks = ShukeiForm->KensakuLinks();
    // The score lists show their heading row; the detailed statistics hide it.
    sheet.hasHeaderRow = hasHeadingRow();
    for (int row = 1; row < SeisekiGrid->RowCount(); ++row)
        sheet.rows.append(SeisekiGrid->Row(row));
    return sheet;
}

QList<QStringList> SeisekiPage::shownTable() const
{
    QList<QStringList> rows;
    for (int r = hasHeadingRow() ? 0 : 1; r < SeisekiGrid->RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < SeisekiGrid->ColCount(); ++c)
            if (SeisekiGrid->ColWidth(c) > 0)
                row << SeisekiGrid->Cell(c, r);
        rows << row;
    }
    return rows;
}
