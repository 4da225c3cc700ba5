#include "handicapwindow.h"

#include "core/data/datetime.h"
#include "handicaptable.h"
#include "ui/common/numberitemdelegate.h"
#include "ui/common/services.h"

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

qint64 chartTime(TDateTime day)
{
    return QDateTime(datetime::toDate(day), QTime(12, 0)).toMSecsSinceEpoch();
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
    auto *root = new QVBoxLayout(this);

    HdcpIndexText = label(QStringLiteral("HdcpIndexText"), this);
    QFont big = HdcpIndexText->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    HdcpIndexText->setFont(big);
    root->addWidget(HdcpIndexText);
    HdcpNoteText = label(QStringLiteral("HdcpNoteText"), this);
    HdcpNoteText->setWordWrap(true);
    HdcpNoteText->setText(QStringLiteral(
        "これはスコアカードとレーティングから計算した推定値で、公式のハンディキャップインデックス"
        "ではありません。プレー状況調整（PCC）はハンディキャップの統括団体が公表するもので、ここで"
        "は"
        " 0 として計算しています。ディファレンシャルの「*」は推定に使われているもの、調整スコアの"
        "「概算」はホールのHDCPが入力されていないコースのラウンドです。"));
    root->addWidget(HdcpNoteText);

    auto *split = new QSplitter(Qt::Vertical, this);
    m_model = new HandicapTableModel(m_store, this);
    HdcpGrid = new QTableView(split);
    HdcpGrid->setObjectName(QStringLiteral("HdcpGrid"));
    HdcpGrid->setModel(m_model);
    HdcpGrid->setItemDelegate(new NumberItemDelegate(HdcpGrid));
    HdcpGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    HdcpGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    HdcpGrid->verticalHeader()->setDefaultSectionSize(HdcpGrid->fontMetrics().height() + 6);
    HdcpGrid->verticalHeader()->hide();
    HdcpGrid->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics fm = HdcpGrid->fontMetrics();
    for (int c = 0; c < HandicapTableModel::ColumnCount; ++c) {
        const QString title = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = fm.horizontalAdvance(title) + 18;
        if (c == HandicapTableModel::Date)
            width = fm.horizontalAdvance(QStringLiteral("0000/00/00")) + 18;
        else if (c == HandicapTableModel::Links)
            width = fm.horizontalAdvance(QString(12, QChar(0x3042)));
        else if (c == HandicapTableModel::Out || c == HandicapTableModel::In)
            width = fm.horizontalAdvance(QString(5, QChar(0x3042)));
        else if (c == HandicapTableModel::Tee)
            width = fm.horizontalAdvance(QString(6, QChar(0x3042)));
        HdcpGrid->setColumnWidth(c, width);
    }
    connect(m_model, &HandicapTableModel::refused, this, &THandicapForm::reportLater);
    connect(m_model, &HandicapTableModel::writeFailed, this, &THandicapForm::reportWriteErrors);
    connect(m_model, &HandicapTableModel::ratingsChanged, this, &THandicapForm::refresh);

    auto *bottom = new QWidget(split);
    auto *row = new QHBoxLayout(bottom);
    row->setContentsMargins(0, 0, 0, 0);
    HdcpChart = new QChartView(bottom);
    HdcpChart->setObjectName(QStringLiteral("HdcpChart"));
    HdcpChart->setRenderHint(QPainter::Antialiasing);
    QChart *chart = HdcpChart->chart();
    chart->setTitle(QStringLiteral("ハンディキャップインデックスの推移"));
    chart->legend()->hide();
    HdcpSeries = new QLineSeries;
    HdcpSeries->setObjectName(QStringLiteral("HdcpSeries"));
    HdcpSeries->setPen(QPen(QColor(0x1F, 0x5F, 0xBF), 2));
    chart->addSeries(HdcpSeries);
    m_dateAxis = new QDateTimeAxis;
    m_dateAxis->setFormat(QStringLiteral("yyyy/MM/dd"));
    m_dateAxis->setTickCount(5);
    m_indexAxis = new QValueAxis;
    m_indexAxis->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(m_dateAxis, Qt::AlignBottom);
    chart->addAxis(m_indexAxis, Qt::AlignLeft);
    HdcpSeries->attachAxis(m_dateAxis);
    HdcpSeries->attachAxis(m_indexAxis);
    row->addWidget(HdcpChart, 3);

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
    holeLayout->addWidget(HdcpHoleGrid);
    HdcpHoleNote = label(QStringLiteral("HdcpHoleNote"), holes);
    HdcpHoleNote->setWordWrap(true);
    holeLayout->addWidget(HdcpHoleNote);
    holeLayout->addStretch(1);
    row->addWidget(holes, 2);
    connect(HdcpLinksCombo, &QComboBox::currentIndexChanged, this, &THandicapForm::fillCourses);
    connect(HdcpCourseCombo, &QComboBox::currentIndexChanged, this, &THandicapForm::fillHoles);
    connect(HdcpHoleGrid, &QTableWidget::cellChanged, this, &THandicapForm::holeEdited);

    split->addWidget(HdcpGrid);
    split->addWidget(bottom);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    root->addWidget(split, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    HdcpCloseBtn = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    HdcpCloseBtn->setObjectName(QStringLiteral("HdcpCloseBtn"));
    connect(HdcpCloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(HdcpCloseBtn);
    root->addLayout(buttons);

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
    int high = 100;
    for (qsizetype i = 0; i < results.size(); ++i) {
        if (!results[i].indexAfter)
            continue;
        const int v = *results[i].indexAfter;
        if (points.isEmpty())
            low = high = v;
        low = std::min(low, v);
        high = std::max(high, v);
        points.append(QPointF(qreal(chartTime(rounds[i].day)), v / 10.0));
    }
    HdcpSeries->replace(points);
    const qint64 day = 24 * 3600 * 1000;
    const qint64 first
        = points.isEmpty() ? QDateTime::currentMSecsSinceEpoch() : qint64(points.first().x());
    const qint64 last = points.isEmpty() ? first : qint64(points.last().x());
    m_dateAxis->setRange(QDateTime::fromMSecsSinceEpoch(first - day),
        QDateTime::fromMSecsSinceEpoch(std::max(last, first + 2 * day) + day));
    m_indexAxis->setRange(std::floor(low / 10.0) - 1, std::ceil(high / 10.0) + 1);
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
