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

// A label whose mnemonic takes the focus to its box.
QLabel *label(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
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

    auto *body = new QWidget;
    body->setObjectName(QStringLiteral("AnalysisBody"));
    YearCombo = new QComboBox(body);
    YearCombo->setObjectName(QStringLiteral("YearCombo"));
    YearCombo->setMinimumWidth(100);
    LinksCombo = new QComboBox(body);
    LinksCombo->setObjectName(QStringLiteral("LinksCombo"));
    LinksCombo->setMinimumWidth(180);
    LinksCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CountSpin = new NumberSpinBox(body);
    CountSpin->setObjectName(QStringLiteral("CountSpin"));
    CountSpin->setMinimumWidth(80);
    CountSpin->setAlignment(Qt::AlignRight);
    // A count is taken when it is complete (Enter, the arrows, leaving the box), not at
    // every digit typed.
    CountSpin->setKeyboardTracking(false);
    CountSpin->setAttribute(Qt::WA_InputMethodEnabled, false);
    TotalLabel = new QLabel(body);
    TotalLabel->setObjectName(QStringLiteral("TotalLabel"));

    auto *choices = new QHBoxLayout;
    choices->addWidget(label(QStringLiteral("年(&Y)"), YearCombo, body));
    choices->addWidget(YearCombo);
    choices->addSpacing(12);
    choices->addWidget(label(QStringLiteral("ゴルフ場(&G)"), LinksCombo, body));
    choices->addWidget(LinksCombo, 1);
    choices->addSpacing(12);
    choices->addWidget(label(QStringLiteral("最近(&R)"), CountSpin, body));
    choices->addWidget(CountSpin);
    choices->addWidget(new QLabel(QStringLiteral("ラウンド"), body));
    choices->addSpacing(12);
    choices->addWidget(TotalLabel);
    choices->addStretch(1);

    auto *tablePane = new QWidget(body);
    AnalysisTable = new QTableWidget(tablePane);
    AnalysisTable->setObjectName(QStringLiteral("AnalysisTable"));
    // Labels are put on existing columns only: the header makes its columns first.
    const QStringList header = stats::analysisHeader();
    AnalysisTable->setColumnCount(int(header.size()));
    AnalysisTable->setHorizontalHeaderLabels(header);
    AnalysisTable->verticalHeader()->hide();
    AnalysisTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AnalysisTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    AnalysisTable->setWordWrap(false);
    AnalysisTable->setTabKeyNavigation(false);
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
    NoteLabel = new QLabel(tablePane);
    NoteLabel->setObjectName(QStringLiteral("AnalysisNote"));
    NoteLabel->setWordWrap(true);
    NoteLabel->hide();
    auto *tableLayout = new QVBoxLayout(tablePane);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(AnalysisTable, 1);
    tableLayout->addWidget(NoteLabel);

    Charts = new TrendCharts(body);
    m_split = new QSplitter(Qt::Horizontal, body);
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(tablePane);
    m_split->addWidget(Charts);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);

    auto *definition = new QLabel(stats::sandSaveDefinition(), body);
    definition->setObjectName(QStringLiteral("SandSaveLabel"));
    definition->setWordWrap(true);
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(choices);
    bodyLayout->addWidget(m_split, 1);
    bodyLayout->addWidget(definition);

    // The statistics of the selection, and where the strokes go hole by hole. On a small
    // screen the choices and the table scroll; the tabs and the buttons stay in view.
    Holes = new HoleView(m_cards, this);
    AnalysisTabs = new QTabWidget(this);
    AnalysisTabs->setObjectName(QStringLiteral("AnalysisTabs"));
    AnalysisTabs->addTab(windowfit::scrolled(body, this), QStringLiteral("統計"));
    AnalysisTabs->addTab(Holes, QStringLiteral("ホール別"));
    // The holes are worked out when their tab is shown.
    connect(AnalysisTabs, &QTabWidget::currentChanged, this, [this] {
        if (AnalysisTabs->currentWidget() == Holes)
            Holes->refresh();
    });

    auto *save = new QPushButton(QStringLiteral("CSVに保存(&S)..."), this);
    save->setObjectName(QStringLiteral("SaveCsvButton"));
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &AnalysisWindow::exportRequested);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(AnalysisTabs, 1);
    layout->addLayout(buttons);

    for (QComboBox *combo : {YearCombo, LinksCombo})
        connect(combo, &QComboBox::currentIndexChanged, this, &AnalysisWindow::selectionChanged);
    connect(CountSpin, &QSpinBox::valueChanged, this, &AnalysisWindow::selectionChanged);
}

void AnalysisWindow::setGolfer(const QString &golfer)
{
    setWindowTitle(
        golfer.isEmpty() ? QStringLiteral("分析") : QStringLiteral("分析  [ %1 ]").arg(golfer));
}

QString AnalysisWindow::selectionText() const
{
    const stats::TallyCondition c = condition();
    const QString recent = c.roundCount < 0 ? QStringLiteral("全ラウンド")
                                            : QStringLiteral("最近 %1 ラウンド").arg(c.roundCount);
    return QStringLiteral("年: %1  ゴルフ場: %2  %3").arg(c.year, c.links, recent);
}

void AnalysisWindow::open()
{
    fillChoices(std::exchange(m_fresh, false));
    refresh();
    if (!m_sized) {
        m_sized = true;
        windowfit::place(this, QSize(1240, 760), false, parentWidget());
        arrange();
    }
    show();
    raise();
    activateWindow();
}

// Beside the charts while the window is wide enough for both, above them when it is not;
// the table whole where there is room, else the charts keep half the width.
void AnalysisWindow::arrange()
{
    const int tableWidth = AnalysisTable->horizontalHeader()->length()
        + 2 * AnalysisTable->frameWidth() + AnalysisTable->verticalScrollBar()->sizeHint().width();
    const bool side = width() >= tableWidth + 480;
    // The widths the user gave the two sides stay while they stay side by side.
    const bool turned = m_split->orientation() != (side ? Qt::Horizontal : Qt::Vertical);
    m_split->setOrientation(side ? Qt::Horizontal : Qt::Vertical);
    // Stacked, the table shows every row and the charts keep a readable height: the window
    // scrolls to them.
    const int rows = AnalysisTable->horizontalHeader()->height()
        + AnalysisTable->verticalHeader()->length() + 2 * AnalysisTable->frameWidth()
        + AnalysisTable->horizontalScrollBar()->sizeHint().height();
    AnalysisTable->setMinimumHeight(side ? 0 : rows);
    Charts->setMinimumHeight(side ? 0 : 2 * 340);
    if (side && (turned || !m_arranged)) {
        m_arranged = true;
        const int table = qMin(tableWidth, width() / 2);
        m_split->setSizes({table, qMax(width() - table, 200)});
    }
}

// Escape closes the window, as it does a dialog, once no control has taken it for itself (an
// open list of a choice box closes first).
void AnalysisWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AnalysisWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_sized)
        arrange();
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
    const QString note = stats::puttNote(m_analysis.selected);
    NoteLabel->setText(note);
    NoteLabel->setVisible(!note.isEmpty());
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
