#include "analysiswindow.h"

#include "holeview.h"

#include "core/stats/playstats.h"
#include "ui/charts/trendcharts.h"
#include "ui/common/numberspinbox.h"
#include "ui/common/windowfit.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>
#include <utility>

namespace {

QLabel *label(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

// Keeps the chosen text when the new list still offers it, else takes the first item.
void refill(QComboBox *combo, const QStringList &items, bool fresh)
{
    const QString chosen = combo->currentText();
    combo->clear();
    combo->addItems(items);
    const int at = fresh ? -1 : int(items.indexOf(chosen));
    combo->setCurrentIndex(qMax(at, 0));
}

} // namespace

AnalysisWindow::AnalysisWindow(const ScoreCards &cards, QWidget *parent)
    : QWidget(parent, Qt::Window), m_cards(cards)
{
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("分析"));

    YearCombo = new QComboBox(this);
    YearCombo->setObjectName(QStringLiteral("YearCombo"));
    YearCombo->setMinimumWidth(100);
    LinksCombo = new QComboBox(this);
    LinksCombo->setObjectName(QStringLiteral("LinksCombo"));
    LinksCombo->setMinimumWidth(220);
    LinksCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CountSpin = new NumberSpinBox(this);
    CountSpin->setObjectName(QStringLiteral("CountSpin"));
    CountSpin->setMinimumWidth(80);
    CountSpin->setAlignment(Qt::AlignRight);
    // A count is taken when it is complete (Enter, the arrows, leaving the box), not at
    // every digit typed.
    CountSpin->setKeyboardTracking(false);
    CountSpin->setAttribute(Qt::WA_InputMethodEnabled, false);
    TotalLabel = new QLabel(this);
    TotalLabel->setObjectName(QStringLiteral("TotalLabel"));

    auto *choices = new QHBoxLayout;
    choices->addWidget(label(QStringLiteral("年数"), this));
    choices->addWidget(YearCombo);
    choices->addSpacing(12);
    choices->addWidget(label(QStringLiteral("ゴルフ場"), this));
    choices->addWidget(LinksCombo, 1);
    choices->addSpacing(12);
    choices->addWidget(label(QStringLiteral("最近"), this));
    choices->addWidget(CountSpin);
    choices->addWidget(label(QStringLiteral("ラウンド"), this));
    choices->addSpacing(12);
    choices->addWidget(TotalLabel);
    choices->addStretch(1);
    auto *save = new QPushButton(QStringLiteral("CSVに保存(&S)..."), this);
    save->setObjectName(QStringLiteral("SaveCsvButton"));
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &AnalysisWindow::exportRequested);
    choices->addWidget(save);

    AnalysisTable = new QTableWidget(this);
    AnalysisTable->setObjectName(QStringLiteral("AnalysisTable"));
    // Labels are put on existing columns only: the header makes its columns first.
    const QStringList header = stats::analysisHeader();
    AnalysisTable->setColumnCount(int(header.size()));
    AnalysisTable->setHorizontalHeaderLabels(header);
    AnalysisTable->verticalHeader()->hide();
    AnalysisTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AnalysisTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    AnalysisTable->setWordWrap(false);
    AnalysisTable->horizontalHeader()->setStretchLastSection(false);
    auto *copy = new QAction(QStringLiteral("コピー(&C)"), AnalysisTable);
    copy->setObjectName(QStringLiteral("CopyAction"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    AnalysisTable->addAction(copy);
    // The table takes Ctrl+C for itself (it would copy the current cell alone): it is caught
    // on its way there.
    AnalysisTable->installEventFilter(this);
    AnalysisTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &AnalysisWindow::copyTable);

    AnalysisTable->verticalHeader()->setDefaultSectionSize(
        AnalysisTable->fontMetrics().height() + 10);

    Charts = new TrendCharts(this);
    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(AnalysisTable);
    m_split->addWidget(Charts);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);

    auto *definition = new QLabel(stats::sandSaveDefinition(), this);
    definition->setObjectName(QStringLiteral("SandSaveLabel"));
    definition->setWordWrap(true);

    // The statistics of the selection, and where the strokes go hole by hole.
    auto *summary = new QWidget(this);
    auto *summaryLayout = new QVBoxLayout(summary);
    summaryLayout->addLayout(choices);
    summaryLayout->addWidget(m_split, 1);
    summaryLayout->addWidget(definition);
    Holes = new HoleView(m_cards, this);
    AnalysisTabs = new QTabWidget(this);
    AnalysisTabs->setObjectName(QStringLiteral("AnalysisTabs"));
    AnalysisTabs->addTab(summary, QStringLiteral("統計"));
    AnalysisTabs->addTab(Holes, QStringLiteral("ホール別"));
    // The holes are worked out when their tab is shown.
    connect(AnalysisTabs, &QTabWidget::currentChanged, this, [this] {
        if (AnalysisTabs->currentWidget() == Holes)
            Holes->refresh();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(AnalysisTabs, 1);

    for (QComboBox *combo : {YearCombo, LinksCombo})
        connect(combo, &QComboBox::currentIndexChanged, this, &AnalysisWindow::selectionChanged);
    connect(CountSpin, &QSpinBox::valueChanged, this, &AnalysisWindow::selectionChanged);
}

void AnalysisWindow::open()
{
    fillChoices(std::exchange(m_fresh, false));
    refresh();
    if (!m_sized) {
        m_sized = true;
        windowfit::place(this, QSize(1240, 760), false, parentWidget());
        // The table whole where there is room for the charts beside it; on a small screen it
        // scrolls, so that the charts keep half the width.
        const int table
            = qMin(AnalysisTable->horizontalHeader()->length() + 2 * AnalysisTable->frameWidth()
                    + AnalysisTable->verticalScrollBar()->sizeHint().width(),
                width() / 2);
        m_split->setSizes({table, qMax(width() - table, 200)});
    }
    show();
    raise();
    activateWindow();
}

void AnalysisWindow::cardsChanged(bool otherGolfer)
{
    if (!isVisible()) {
        m_fresh = m_fresh || otherGolfer;
        return;
    }
    fillChoices(otherGolfer);
    refresh();
}

void AnalysisWindow::setDetails(const details::DetailsMap *details)
{
    m_details = details;
    Holes->setDetails(details);
}

void AnalysisWindow::fillChoices(bool fresh)
{
    m_filling = true;
    refill(YearCombo, stats::analysisYears(m_cards), fresh);
    refill(LinksCombo, stats::analysisLinks(m_cards), fresh);
    const int total = int(m_cards.size());
    CountSpin->setRange(total > 0 ? 1 : 0, total);
    // A count that now covers every card follows the cards from here on.
    m_countAtAll = fresh || m_countAtAll || CountSpin->value() >= total;
    if (m_countAtAll)
        CountSpin->setValue(total);
    CountSpin->setEnabled(YearCombo->currentIndex() == 0 && LinksCombo->currentIndex() == 0);
    TotalLabel->setText(QStringLiteral("（総ラウンド数は ") + QString::number(total)
        + QStringLiteral(" ラウンドです）"));
    m_filling = false;
}

void AnalysisWindow::selectionChanged()
{
    if (m_filling)
        return;
    CountSpin->setEnabled(YearCombo->currentIndex() == 0 && LinksCombo->currentIndex() == 0);
    m_countAtAll = CountSpin->value() >= m_cards.size();
    refresh();
}

stats::TallyCondition AnalysisWindow::condition() const
{
    if (!CountSpin->isEnabled())
        return {YearCombo->currentText(), LinksCombo->currentText(), -1};
    return {stats::kAll, stats::kAll, m_countAtAll ? -1 : CountSpin->value()};
}

void AnalysisWindow::refresh()
{
    static const details::DetailsMap none;
    m_analysis = stats::analyseWithDetails(m_cards, condition(), m_details ? *m_details : none);
    if (AnalysisTabs->currentWidget() == Holes)
        Holes->refresh();
    const QList<QStringList> &rows = m_analysis.rows;
    AnalysisTable->setUpdatesEnabled(false);
    AnalysisTable->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            QTableWidgetItem *item = AnalysisTable->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(
                    c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
                AnalysisTable->setItem(r, c, item);
            }
            item->setText(rows[r][c]);
        }
    }
    // Once for the whole table: sized to its contents as each cell is written, it would
    // measure every column ninety times.
    AnalysisTable->resizeColumnsToContents();
    AnalysisTable->setUpdatesEnabled(true);
    Charts->draw(
        charts::scoreTrend(m_cards, m_analysis.positions), charts::yearlyRates(m_analysis.years));
}

bool AnalysisWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == AnalysisTable && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copyTable();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AnalysisWindow::copyTable()
{
    const QList<QStringList> table = tableRows();
    std::set<int> chosen;
    for (const QModelIndex &index : AnalysisTable->selectionModel()->selectedIndexes())
        chosen.insert(index.row());
    QList<QStringList> rows;
    rows.append(table.first());
    for (int r = 1; r < table.size(); ++r)
        if (chosen.empty() || chosen.count(r - 1))
            rows.append(table[r]);
    QGuiApplication::clipboard()->setText(stats::tabSeparated(rows));
}
