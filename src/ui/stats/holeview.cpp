#include "holeview.h"

#include "ui/charts/chartparts.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace {

void refill(QComboBox *combo, const QStringList &items, int fallback)
{
    const QString chosen = combo->currentText();
    combo->clear();
    combo->addItems(items);
    const int at = int(items.indexOf(chosen));
    combo->setCurrentIndex(at >= 0 ? at : qMin(fallback, int(items.size()) - 1));
}

} // namespace

HoleView::HoleView(const ScoreCards &cards, QWidget *parent) : QWidget(parent), m_cards(cards)
{
    setObjectName(QStringLiteral("HoleView"));
    auto combo = [this](const QString &name, int width) {
        auto *box = new QComboBox(this);
        box->setObjectName(name);
        box->setMinimumWidth(width);
        return box;
    };
    HoleClubCombo = combo(QStringLiteral("HoleClubCombo"), 220);
    OutCourseCombo = combo(QStringLiteral("OutCourseCombo"), 120);
    InCourseCombo = combo(QStringLiteral("InCourseCombo"), 120);
    HoleOrderCombo = combo(QStringLiteral("HoleOrderCombo"), 120);
    HoleOrderCombo->addItems({QStringLiteral("ホール順"), QStringLiteral("コストの大きい順")});

    auto *choices = new QHBoxLayout;
    const std::pair<const char *, QComboBox *> labelled[] = {{"ゴルフ場", HoleClubCombo},
        {"OUT", OutCourseCombo}, {"IN", InCourseCombo}, {"並び順", HoleOrderCombo}};
    for (const auto &[text, box] : labelled) {
        auto *label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(box);
        choices->addWidget(label);
        choices->addWidget(box);
        choices->addSpacing(12);
    }
    choices->addStretch(1);

    HoleTable = new QTableWidget(this);
    HoleTable->setObjectName(QStringLiteral("HoleTable"));
    const QStringList header = stats::holeHeader();
    HoleTable->setColumnCount(int(header.size()));
    HoleTable->setHorizontalHeaderLabels(header);
    HoleTable->verticalHeader()->hide();
    HoleTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    HoleTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    HoleTable->setTabKeyNavigation(false);
    HoleTable->setWordWrap(false);
    HoleTable->verticalHeader()->setDefaultSectionSize(HoleTable->fontMetrics().height() + 8);

    HoleNoteLabel
        = new QLabel(QStringLiteral("色の付いた3ホールが、平均のパー差が最も大きいホールです。"
                                    "FWキープ率とOBは、プレー詳細を入力したラウンドから数えます。"),
            this);
    HoleNoteLabel->setObjectName(QStringLiteral("HoleNoteLabel"));
    HoleNoteLabel->setWordWrap(true);

    HoleChart = chartparts::chartView(
        QStringLiteral("HoleChart"), QStringLiteral("ホール別の平均パー差"), this);
    m_bars = chartparts::bars(QStringLiteral("HoleBars"), HoleChart->chart());
    // The values are in the table; eighteen bars of labels would cover each other.
    m_bars->setLabelsVisible(false);
    HoleChart->setMinimumHeight(220);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(HoleTable);
    split->addWidget(HoleChart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(split, 1);
    layout->addWidget(HoleNoteLabel);

    connect(HoleClubCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            fillCourses();
    });
    for (QComboBox *box : {OutCourseCombo, InCourseCombo, HoleOrderCombo})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling)
                showHoles();
        });
}

void HoleView::refresh()
{
    m_filling = true;
    QStringList clubs = stats::analysisLinks(m_cards);
    clubs.removeFirst(); // "全て": the holes are a club's
    // The club of the latest card first comes to mind: it is offered when nothing was chosen.
    refill(HoleClubCombo, clubs, int(clubs.size()) - 1);
    m_filling = false;
    fillCourses();
}

void HoleView::fillCourses()
{
    m_filling = true;
    const QStringList courses = stats::playedCourses(m_cards, HoleClubCombo->currentText());
    refill(OutCourseCombo, courses, 0);
    refill(InCourseCombo, courses, 1);
    m_filling = false;
    showHoles();
}

void HoleView::showHoles()
{
    static const details::DetailsMap none;
    m_holes = stats::holeStats(m_cards, m_details ? *m_details : none, HoleClubCombo->currentText(),
        OutCourseCombo->currentText(), InCourseCombo->currentText());
    const QList<int> costliest = stats::costliestHoles(m_holes);
    const QList<stats::HoleStats> shown = stats::sortedHoles(m_holes,
        HoleOrderCombo->currentIndex() == 1 ? stats::HoleOrder::Cost : stats::HoleOrder::Number);
    const QList<QStringList> rows = stats::holeRows(shown);
    HoleTable->setUpdatesEnabled(false);
    HoleTable->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const int rank = int(costliest.indexOf(shown[r].number));
        for (int c = 0; c < rows[r].size(); ++c) {
            QTableWidgetItem *item = HoleTable->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(
                    (c == 1 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
                HoleTable->setItem(r, c, item);
            }
            item->setText(rows[r][c]);
            QFont font = item->font();
            font.setBold(rank >= 0);
            item->setFont(font);
            item->setBackground(rank >= 0 ? QBrush(QColor(0xFF, 0xD8, 0xD0)) : QBrush());
            item->setToolTip(
                rank >= 0 ? QStringLiteral("コストの大きいホール %1位").arg(rank + 1) : QString());
        }
    }
    HoleTable->resizeColumnsToContents();
    HoleTable->setUpdatesEnabled(true);

    const QList<charts::ChartValue> bars = stats::holeBars(m_holes);
    // The eighteen bars stay; only their values and colours change, which costs far less than
    // making the bars anew.
    if (m_bars->count() != bars.size()) {
        chartparts::fillBars(m_bars, bars);
    } else {
        for (qsizetype k = 0; k < bars.size(); ++k) {
            QBarSet *set = m_bars->barSets().at(k);
            if (set->at(k) != bars[k].value)
                set->replace(k, bars[k].value);
            if (set->pen().color() != QColor::fromRgb(bars[k].colour).darker(200))
                chartparts::colourBar(set, QColor::fromRgb(bars[k].colour));
        }
    }
    double low = -1;
    double high = 3;
    for (const charts::ChartValue &bar : bars) {
        low = qMin(low, std::floor(bar.value));
        high = qMax(high, std::ceil(bar.value));
    }
    for (QAbstractAxis *axis : m_bars->attachedAxes())
        if (auto *values = qobject_cast<QValueAxis *>(axis)) {
            values->setRange(low, high);
            values->setTickCount(int(high - low) + 1);
        }
}
