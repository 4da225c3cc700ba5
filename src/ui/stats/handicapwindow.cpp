#include "handicapwindow.h"

#include "core/data/datetime.h"
#include "handicaptable.h"
#include "ui/charts/timeaxes.h"
#include "ui/common/numberitemdelegate.h"
#include "ui/common/services.h"
#include "ui/common/tablekeys.h"
#include "ui/common/windowfit.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace {

QLabel *label(const QString &name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

} // namespace

THandicapForm::THandicapForm(RatingStore &store, DialogService &dialogs, QWidget *parent)
    : TModalDialog(parent), m_store(store), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("HandicapForm"));
    setWindowTitle(QStringLiteral("ハンディキャップ"));
}

void THandicapForm::build()
{
    if (m_model)
        return;
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    // On a small screen the figures scroll; the close button stays in view.
    auto *body = new QWidget;
    body->setObjectName(QStringLiteral("HdcpBody"));
    auto *root = new QVBoxLayout(body);
    root->setContentsMargins(0, 0, 0, 0);

    HdcpIndexText = label(QStringLiteral("HdcpIndexText"), body);
    QFont big = HdcpIndexText->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    HdcpIndexText->setFont(big);
    root->addWidget(HdcpIndexText);
    HdcpNoteText = label(QStringLiteral("HdcpNoteText"), body);
    HdcpNoteText->setWordWrap(true);
    HdcpNoteText->setText(QStringLiteral(
        "これはスコアカードとレーティングから計算した推定値で、公式のハンディキャップインデックス"
        "ではありません。プレー状況調整（PCC）はハンディキャップの統括団体が公表するもので、ここで"
        "は"
        " 0 として計算しています。ディファレンシャルの「*」は推定に使われているもの、調整グロスの"
        "「概算」はホールのHDCPが入力されていないコースのラウンドです。斜体の「前回」は同じ"
        "ゴルフ場・コース・ティーの前回の値で、確定するまで推定に数えません。"));
    root->addWidget(HdcpNoteText);

    auto *split = new QSplitter(Qt::Vertical, body);
    split->setChildrenCollapsible(false);
    m_model = new HandicapTableModel(m_store, this);
    HdcpGrid = new QTableView(split);
    HdcpGrid->setObjectName(QStringLiteral("HdcpGrid"));
    HdcpGrid->setModel(m_model);
    HdcpGrid->setItemDelegate(new NumberItemDelegate(HdcpGrid));
    HdcpGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    HdcpGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    HdcpGrid->verticalHeader()->setDefaultSectionSize(HdcpGrid->fontMetrics().height() + 6);
    HdcpGrid->verticalHeader()->hide();
    HdcpGrid->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics fm = HdcpGrid->fontMetrics();
    tablekeys::install(HdcpGrid);
    // Six rows at least, so the table is a table on the smallest screen.
    HdcpGrid->setMinimumHeight(HdcpGrid->horizontalHeader()->sizeHint().height()
        + 6 * HdcpGrid->verticalHeader()->defaultSectionSize() + 4);
    connect(m_model, &HandicapTableModel::refused, this, &THandicapForm::reportLater);
    connect(m_model, &HandicapTableModel::writeFailed, this, &THandicapForm::reportWriteErrors);
    connect(m_model, &HandicapTableModel::ratingsChanged, this, &THandicapForm::refresh);

    auto *useOffers = new QPushButton(QStringLiteral("前回の値を使う(&U)"), body);
    useOffers->setObjectName(QStringLiteral("HdcpUseOffersBtn"));
    useOffers->setAutoDefault(false);
    useOffers->setToolTip(QStringLiteral(
        "選んだ行のうちレーティングのないラウンドに、同じゴルフ場・コース・ティーの前回の"
        "コースレートとスロープレートを入れます"));
    connect(useOffers, &QPushButton::clicked, this, [this] {
        QList<int> rows;
        for (const QModelIndex &index : HdcpGrid->selectionModel()->selectedIndexes())
            if (!rows.contains(index.row()))
                rows.append(index.row());
        if (rows.isEmpty() && HdcpGrid->currentIndex().isValid())
            rows.append(HdcpGrid->currentIndex().row());
        m_model->useOffers(rows);
    });
    auto *top = new QWidget(split);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(HdcpGrid, 1);
    // The course handicap of a round to come, where the golfer has played before.
    HdcpNextCombo = new QComboBox(top);
    HdcpNextCombo->setObjectName(QStringLiteral("HdcpNextCombo"));
    HdcpNextCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    HdcpNextCombo->setMinimumContentsLength(16);
    auto *nextLabel = new QLabel(QStringLiteral("次のラウンド(&N)"), top);
    nextLabel->setBuddy(HdcpNextCombo);
    HdcpNextText = label(QStringLiteral("HdcpNextText"), top);
    connect(HdcpNextCombo, &QComboBox::currentIndexChanged, this, &THandicapForm::showNextRound);
    auto *offerRow = new QHBoxLayout;
    offerRow->addWidget(useOffers);
    offerRow->addSpacing(16);
    offerRow->addWidget(nextLabel);
    offerRow->addWidget(HdcpNextCombo, 1);
    offerRow->addWidget(HdcpNextText);
    offerRow->addStretch(0);
    topLayout->addLayout(offerRow);

    auto *bottom = new QWidget(split);
    auto *row = new QHBoxLayout(bottom);
    row->setContentsMargins(0, 0, 0, 0);
    HdcpChart = new QChartView(bottom);
    HdcpChart->setMinimumHeight(220);
    HdcpChart->setObjectName(QStringLiteral("HdcpChart"));
    HdcpChart->setRenderHint(QPainter::Antialiasing);
    QChart *chart = HdcpChart->chart();
    chart->setTitle(QStringLiteral("ハンディキャップインデックスの推移"));
    chart->legend()->hide();
    HdcpSeries = new QLineSeries;
    HdcpSeries->setObjectName(QStringLiteral("HdcpSeries"));
    HdcpSeries->setPen(QPen(QColor(0x1F, 0x5F, 0xBF), 2));
    chart->addSeries(HdcpSeries);
    m_dateAxis = timeaxes::dateAxis();
    m_indexAxis = new QValueAxis;
    chart->addAxis(m_dateAxis, Qt::AlignBottom);
    chart->addAxis(m_indexAxis, Qt::AlignLeft);
    HdcpSeries->attachAxis(m_dateAxis);
    HdcpSeries->attachAxis(m_indexAxis);
    row->addWidget(timeaxes::panel(HdcpChart, bottom), 3);

    auto *holes = new QGroupBox(QStringLiteral("ホールのHDCP"), bottom);
    auto *holeLayout = new QVBoxLayout(holes);
    auto *choice = new QHBoxLayout;
    HdcpLinksCombo = new QComboBox(holes);
    HdcpLinksCombo->setObjectName(QStringLiteral("HdcpLinksCombo"));
    HdcpCourseCombo = new QComboBox(holes);
    HdcpCourseCombo->setObjectName(QStringLiteral("HdcpCourseCombo"));
    choice->addWidget(new QLabel(QStringLiteral("ゴルフ場"), holes));
    choice->addWidget(HdcpLinksCombo, 1);
    choice->addWidget(new QLabel(QStringLiteral("コース"), holes));
    choice->addWidget(HdcpCourseCombo);
    holeLayout->addLayout(choice);
    HdcpHoleGrid = new QTableWidget(2, 9, holes);
    HdcpHoleGrid->setObjectName(QStringLiteral("HdcpHoleGrid"));
    HdcpHoleGrid->setVerticalHeaderLabels({QStringLiteral("パー"), QStringLiteral("HDCP")});
    HdcpHoleGrid->setItemDelegateForRow(1, new NumberItemDelegate(HdcpHoleGrid));
    for (int h = 0; h < 9; ++h)
        HdcpHoleGrid->setColumnWidth(h, fm.horizontalAdvance(QStringLiteral("000")) + 12);
    HdcpHoleGrid->setFixedHeight(
        HdcpHoleGrid->horizontalHeader()->sizeHint().height() + 2 * HdcpHoleGrid->rowHeight(0) + 4);
    HdcpHoleGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The nine holes side by side, whatever room the chart leaves.
    HdcpHoleGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HdcpHoleGrid->setMinimumWidth(HdcpHoleGrid->verticalHeader()->sizeHint().width()
        + 9 * HdcpHoleGrid->columnWidth(0) + 2 * HdcpHoleGrid->frameWidth() + 2);
    tablekeys::install(HdcpHoleGrid);
    holeLayout->addWidget(HdcpHoleGrid);
    HdcpHoleNote = label(QStringLiteral("HdcpHoleNote"), holes);
    HdcpHoleNote->setWordWrap(true);
    holeLayout->addWidget(HdcpHoleNote);
    holeLayout->addStretch(1);
    row->addWidget(holes, 2);
    connect(HdcpLinksCombo, &QComboBox::currentIndexChanged, this, &THandicapForm::fillCourses);
    connect(HdcpCourseCombo, &QComboBox::currentIndexChanged, this, &THandicapForm::fillHoles);
    connect(HdcpHoleGrid, &QTableWidget::cellChanged, this, &THandicapForm::holeEdited);

    // The HDCP row and its note are never cut: below their height the window scrolls.
    bottom->setMinimumHeight(qMax(bottom->sizeHint().height(), holes->sizeHint().height()));
    split->addWidget(top);
    split->addWidget(bottom);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    root->addWidget(split, 1);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(windowfit::scrolled(body, this), 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    HdcpCloseBtn = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    HdcpCloseBtn->setObjectName(QStringLiteral("HdcpCloseBtn"));
    // Enter confirms a cell or a choice; it never closes the window under the user's typing.
    HdcpCloseBtn->setAutoDefault(false);
    connect(HdcpCloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(HdcpCloseBtn);
    outer->addLayout(buttons);

    // What the window asks for; ShowModal fits it to the screen.
    resize(1120, 720);
}

void THandicapForm::showGolfer(const QString &golfer, const ScoreCards &cards,
    const QList<TLinksRecord> &links, const QList<TCourseRecord> &courses)
{
    build();
    setWindowTitle(QStringLiteral("ハンディキャップ  [ %1 ]").arg(golfer));
    m_links = links;
    m_courses = courses;
    m_model->setCards(cards);
    sizeColumns(cards);
    // The club of the latest card; of cards of one day, the first.
    qsizetype latest = -1;
    for (qsizetype i = 0; i < cards.size(); ++i)
        if (latest < 0 || cards.card(latest).roundDate() < cards.card(i).roundDate())
            latest = i;
    m_latestClub = latest < 0 ? QString() : cards.card(latest).linksName();
    {
        const QSignalBlocker block(HdcpLinksCombo);
        HdcpLinksCombo->clear();
        for (const TLinksRecord &club : m_links)
            HdcpLinksCombo->addItem(club.LinksName);
        HdcpLinksCombo->setCurrentIndex(std::max(0, HdcpLinksCombo->findText(m_latestClub)));
    }
    fillCourses();
    refresh();
    HdcpGrid->scrollToBottom();
}

void THandicapForm::refresh()
{
    fillNextRounds();
    const QList<handicap::RoundResult> &results = m_model->results();
    const std::optional<int> index = results.isEmpty() ? std::nullopt : results.last().indexAfter;
    if (index)
        HdcpIndexText->setText(
            QStringLiteral("推定ハンディキャップインデックス %1").arg(handicap::indexText(*index)));
    else
        HdcpIndexText->setText(QStringLiteral("あと %1 ラウンドのレーティングが必要です")
                                   .arg(handicap::kMinRounds - results.size()));

    const QList<handicap::Round> &rounds = m_model->rated().rounds;
    QList<QPointF> points;
    points.reserve(results.size());
    int low = 0;
    int high = 0;
    for (qsizetype i = 0; i < results.size(); ++i) {
        if (!results[i].indexAfter)
            continue;
        const int v = *results[i].indexAfter;
        if (points.isEmpty())
            low = high = v;
        low = std::min(low, v);
        high = std::max(high, v);
        points.append(QPointF(qreal(datetime::toDate(rounds[i].day).toJulianDay()), v / 10.0));
    }
    HdcpSeries->replace(points);
    // A single index is a point: every point is marked while they are few.
    HdcpSeries->setPointsVisible(points.size() <= 60);
    timeaxes::showText(HdcpChart, points.isEmpty() ? timeaxes::kNoData : QString());
    if (points.isEmpty())
        return;
    timeaxes::applyDates(m_dateAxis,
        charts::dateAxis(QDate::fromJulianDay(qint64(points.first().x())),
            QDate::fromJulianDay(qint64(points.last().x())), 7));
    timeaxes::applyRound(m_indexAxis, charts::roundScale(low / 10.0, high / 10.0, 7, 0.5));
}

// The combinations with a rating to offer, the one chosen kept while it is still offered.
void THandicapForm::fillNextRounds()
{
    m_nextRounds = handicap::nextRounds(m_model->cards(), m_store);
    const QString chosen = HdcpNextCombo->currentText();
    {
        const QSignalBlocker block(HdcpNextCombo);
        HdcpNextCombo->clear();
        for (const handicap::NextRound &next : std::as_const(m_nextRounds))
            HdcpNextCombo->addItem(next.text());
        HdcpNextCombo->setCurrentIndex(qMax(0, HdcpNextCombo->findText(chosen)));
    }
    showNextRound();
}

void THandicapForm::showNextRound()
{
    const QList<handicap::RoundResult> &results = m_model->results();
    const std::optional<int> index = results.isEmpty() ? std::nullopt : results.last().indexAfter;
    const int at = HdcpNextCombo->currentIndex();
    std::optional<int> value;
    if (index && at >= 0 && at < m_nextRounds.size())
        value = m_nextRounds[at].courseHandicap(*index);
    HdcpNextCombo->setEnabled(!m_nextRounds.isEmpty());
    if (m_nextRounds.isEmpty())
        HdcpNextText->setText(QStringLiteral("（レーティングを入力したラウンドがありません）"));
    else if (!value)
        HdcpNextText->setText(QStringLiteral("（インデックスが出てから計算します）"));
    else
        HdcpNextText->setText(QStringLiteral("次のラウンドのコースハンディキャップ %1")
                                  .arg(handicap::courseHandicapText(*value)));
}

// Wide enough for the header and for the widest text of the golfer's cards, so nothing is cut.
void THandicapForm::sizeColumns(const ScoreCards &cards)
{
    const QFontMetrics fm = HdcpGrid->fontMetrics();
    const QFontMetrics header = HdcpGrid->horizontalHeader()->fontMetrics();
    const int padding = 2 * HdcpGrid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 16;
    for (int c = 0; c < HandicapTableModel::ColumnCount; ++c) {
        const QString title = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = header.horizontalAdvance(title) + padding + 8;
        if (c == HandicapTableModel::Date)
            width = qMax(width, fm.horizontalAdvance(QStringLiteral("0000/00/00")) + padding);
        else if (c == HandicapTableModel::CourseRating || c == HandicapTableModel::Slope) {
            QFont italic = HdcpGrid->font();
            italic.setItalic(true);
            width = qMax(width,
                QFontMetrics(italic).horizontalAdvance(QStringLiteral("00.0 前回")) + padding);
        } else if (c == HandicapTableModel::Adjusted)
            width = qMax(width, fm.horizontalAdvance(QStringLiteral("000 概算")) + padding);
        HdcpGrid->setColumnWidth(c, width);
    }
    // The names of clubs, courses and tees as long as the longest, within reason.
    const int longest = fm.horizontalAdvance(QString(16, QChar(0x3042)));
    std::array<int, 4> widths {};
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const CardView card = cards.card(i);
        widths[0] = qMax(widths[0], fm.horizontalAdvance(card.linksName()));
        widths[1] = qMax(widths[1], fm.horizontalAdvance(card.courseName(0)));
        widths[2] = qMax(widths[2], fm.horizontalAdvance(card.courseName(1)));
        widths[3] = qMax(widths[3],
            fm.horizontalAdvance(card.tee(0) == card.tee(1)
                    ? card.tee(0)
                    : card.tee(0) + QChar('/') + card.tee(1)));
    }
    const int columns[] = {HandicapTableModel::Links, HandicapTableModel::Out,
        HandicapTableModel::In, HandicapTableModel::Tee};
    for (int k = 0; k < 4; ++k)
        HdcpGrid->setColumnWidth(columns[k],
            qMax(HdcpGrid->columnWidth(columns[k]), qMin(widths[k] + padding, longest)));
}

void THandicapForm::fillCourses()
{
    const QSignalBlocker block(HdcpCourseCombo);
    HdcpCourseCombo->clear();
    const QString club = HdcpLinksCombo->currentText();
    for (const TCourseRecord &course : std::as_const(m_courses))
        if (course.LinksName == club)
            HdcpCourseCombo->addItem(course.CourseName);
    fillHoles();
}

void THandicapForm::fillHoles()
{
    const QString club = HdcpLinksCombo->currentText();
    const QString name = HdcpCourseCombo->currentText();
    const TCourseRecord *course = nullptr;
    for (const TCourseRecord &c : std::as_const(m_courses))
        if (c.LinksName == club && c.CourseName == name)
            course = &c;
    const std::optional<HoleHandicaps> row = m_store.holeHandicaps(club, name);
    m_holeValues = row.value_or(HoleHandicaps {});
    m_fillingHoles = true;
    for (int h = 0; h < 9; ++h) {
        auto *par = new QTableWidgetItem(course ? QString::number(course->Par[h]) : QString());
        par->setFlags(Qt::ItemIsEnabled);
        par->setTextAlignment(Qt::AlignCenter);
        HdcpHoleGrid->setItem(0, h, par);
        auto *hdcp = new QTableWidgetItem(row ? QString::number((*row)[h]) : QString());
        hdcp->setTextAlignment(Qt::AlignCenter);
        hdcp->setFlags(course ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                              : Qt::ItemIsEnabled);
        HdcpHoleGrid->setItem(1, h, hdcp);
    }
    m_fillingHoles = false;
    noteHoles(row.has_value());
}

void THandicapForm::noteHoles(bool stored)
{
    HdcpHoleNote->setText(stored
            ? QStringLiteral("このコースのHDCPでストロークを割り振ります。")
            : QStringLiteral("1〜18 の数を 9 ホールすべてに入力すると保存され、"
                             "このコースのラウンドは概算でなくなります。"));
}

void THandicapForm::holeEdited(int row, int column)
{
    if (m_fillingHoles || row != 1)
        return;
    const QString club = HdcpLinksCombo->currentText();
    const QString course = HdcpCourseCombo->currentText();
    QTableWidgetItem *item = HdcpHoleGrid->item(1, column);
    const QString text = item->text().trimmed();
    bool number = false;
    const int value = text.isEmpty() ? 0 : text.toInt(&number);
    QString refusal;
    if (!text.isEmpty() && (!number || value < 1 || value > 18)) {
        refusal = QStringLiteral("%1 はHDCPとして使えません。1 から 18 までの数を入力してください")
                      .arg(text);
    } else if (value > 0) {
        for (int h = 0; h < 9; ++h)
            if (h != column && m_holeValues[h] == value)
                refusal = QStringLiteral("HDCP の %1 は、既にホール %2 にあります")
                              .arg(value)
                              .arg(h + 1);
    }
    if (!refusal.isEmpty()) {
        m_fillingHoles = true;
        const int old = m_holeValues[column];
        item->setText(old ? QString::number(old) : QString());
        m_fillingHoles = false;
        reportLater(refusal);
        return;
    }
    m_holeValues[column] = value;
    const bool complete
        = std::all_of(m_holeValues.begin(), m_holeValues.end(), [](int v) { return v > 0; });
    const bool had = m_store.holeHandicaps(club, course).has_value();
    if (!complete && !had)
        return;
    // A row with a cell emptied no longer allocates strokes: the course's row is removed.
    reportWriteErrors(m_store.setHoleHandicaps(
        club, course, complete ? std::optional<HoleHandicaps>(m_holeValues) : std::nullopt));
    noteHoles(m_store.holeHandicaps(club, course).has_value());
    m_model->recompute();
    refresh();
}

// A message box opened while the table still commits the typed text would take the focus
// from the editor and commit it a second time: the answer waits for the edit to end.
void THandicapForm::reportLater(const QString &text)
{
    QMetaObject::invokeMethod(
        this, [this, text] { m_dialogs.error(text); }, Qt::QueuedConnection);
}

void THandicapForm::reportWriteErrors(const QStringList &errors)
{
    for (const QString &e : errors)
        m_dialogs.ioError(e);
}
