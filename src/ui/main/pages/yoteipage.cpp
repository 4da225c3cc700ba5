// The schedule page: opening it for a new round, showing, registering, changing and deleting
// planned rounds, the calendar, the club list and the time box.
#include "yoteipage.h"

#include "pagecontrols.h"
#include "pagehost.h"

#include "core/data/datetime.h"
#include "core/data/sjis.h"
#include "ui/common/services.h"
#include "ui/common/statictext.h"
#include "ui/common/texttips.h"
#include "ui/main/stringgrid.h"
#include "ui/main/treenodes.h"
#include "ui/scorecard/scorecardframe.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace pagecontrols;

YoteiPage::YoteiPage(RecordBook &book, PageHost &host)
    : m_book(book), m_host(host), YoteiList(book.yotei())
{
    setObjectName(QStringLiteral("YoteiSheet"));
    auto *outer = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    YoteiCalendar = new QCalendarWidget(this);
    YoteiCalendar->setObjectName(QStringLiteral("YoteiCalendar"));
    YoteiCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    YoteiCalendar->setGridVisible(true);
    YoteiCalendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    YoteiCalendar->setFirstDayOfWeek(Qt::Sunday);
    // The whole month, all seven columns and six weeks, in whatever font the desktop uses.
    YoteiCalendar->setFixedSize(QSize(250, 160).expandedTo(YoteiCalendar->minimumSizeHint()));
    connect(YoteiCalendar, &QCalendarWidget::clicked, this, [this] { YoteiCalendarClick(); });
    connect(YoteiCalendar, &QCalendarWidget::activated, this, [this] { YoteiCalendarClick(); });
    top->addWidget(YoteiCalendar);

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(10);
    form->addWidget(heading(QStringLiteral("日 付"), this), 0, 0);
    form->addWidget(heading(QStringLiteral("時 間"), this), 1, 0);
    form->addWidget(heading(QStringLiteral("ゴルフ場"), this), 2, 0);
    form->addWidget(heading(QStringLiteral("備 考"), this), 3, 0);

    YDateText = staticText(QStringLiteral("YDateText"), Qt::white, this);
    YDateText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    YDateText->setToolTip(QStringLiteral("カレンダーをクリックして日付を設定してください"));
    YDateText->setFixedSize(120, 24);
    YTimeEdit = numberEdit(QStringLiteral("YTimeEdit"), this, NumberFormValidator::Kind::Time);
    YTimeEdit->setAlignment(Qt::AlignLeft);
    YTimeEdit->setFixedWidth(80);
    YLinksCombo = listCombo(QStringLiteral("YLinksCombo"), this);
    YLinksCombo->setMinimumWidth(260);
    connect(YLinksCombo, &QComboBox::activated, this, &YoteiPage::YLinksComboChange);
    YBikouEdit = textEdit(QStringLiteral("YBikouEdit"), 30, this);
    YBikouEdit->setMinimumWidth(260);
    form->addWidget(YDateText, 0, 1, Qt::AlignLeft);
    form->addWidget(YTimeEdit, 1, 1, Qt::AlignLeft);
    form->addWidget(YLinksCombo, 2, 1, Qt::AlignLeft);
    form->addWidget(YBikouEdit, 3, 1, Qt::AlignLeft);
    form->setColumnStretch(2, 1);
    top->addLayout(form, 1);
    outer->addLayout(top);

    YoteiGrid = new TStringGrid(4, this);
    YoteiGrid->setObjectName(QStringLiteral("YoteiGrid"));
    YoteiGrid->setFocusPolicy(Qt::NoFocus);
    YoteiGrid->SetRowCount(2);
    outer->addWidget(YoteiGrid, 1);

    QWidget::setTabOrder(YoteiCalendar, YTimeEdit);
    QWidget::setTabOrder(YTimeEdit, YLinksCombo);
    QWidget::setTabOrder(YLinksCombo, YBikouEdit);

    texttips::tipWhenCut(YLinksCombo);
    texttips::tipWhenCut(YBikouEdit);
    for (QObject *watched : {static_cast<QObject *>(YTimeEdit), static_cast<QObject *>(YBikouEdit),
             static_cast<QObject *>(YDateText), static_cast<QObject *>(YoteiGrid->viewport())})
        watched->installEventFilter(this);
}

YoteiPage::~YoteiPage()
{
    detachControls(this);
}

DialogService &YoteiPage::dialogs() const
{
    return *m_host.services().dialogs;
}

QStringList YoteiPage::hints() const
{
    return {QStringLiteral("予定データを追加します"),
        QStringLiteral("予定データの登録を実行します"),
        QStringLiteral("予定データの登録をキャンセルします"),
        QStringLiteral("予定データを削除します"), QStringLiteral("予定データを変更します")};
}

bool YoteiPage::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // The boxes hint at Append when a key that edits is pressed in them.
        if ((watched == YTimeEdit || watched == YBikouEdit)
            && isEditingKey(static_cast<QKeyEvent *>(event)))
            m_host.AppendCheck();
        break;
    case QEvent::FocusOut:
        if (watched == YTimeEdit
            && exitCheckDue(static_cast<QFocusEvent *>(event), m_host.sheetLink()))
            YTimeEditExit();
        break;
    case QEvent::MouseButtonPress:
        if (watched == YDateText)
            YDateTextClick();
        break;
    case QEvent::Resize:
        // The columns follow the visible width of the grid.
        if (watched == YoteiGrid->viewport())
            YoteiSheetResize();
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void YoteiPage::setClubNames(QStringListModel *names)
{
    YLinksCombo->setModel(names);
    YLinksCombo->setCurrentIndex(-1);
}

void YoteiPage::start()
{
    const QDate today = m_host.services().clock->today();
    YoteiCalendar->setSelectedDate(today);
    YoteiCalendar->setMinimumDate(today);

    YDateText->clear();
    YTimeEdit->clear();
    YLinksCombo->setCurrentIndex(-1);
    YBikouEdit->clear();

    YoteiGrid->SetColWidth(0, 80);
    YoteiGrid->SetColWidth(1, 50);
    YoteiGrid->SetColWidth(2, 170);
    YoteiGrid->SetColWidth(3, qMax(260, YoteiGrid->width() - 300));
    YoteiGrid->SetRow(0,
        {QStringLiteral("ラウンド日"), QStringLiteral("スタート"), QStringLiteral("ゴルフ場"),
            QStringLiteral("備 考")});
}

void YoteiPage::golferLoaded()
{
    if (!YoteiList.isEmpty()) {
        YoteiGrid->SetRowCount(int(YoteiList.size()) + 2);
        QList<QStringList> rows;
        rows.reserve(YoteiList.size());
        for (const TYoteiRecord &r : YoteiList)
            rows.append(yoteiRow(r));
        // The grid makes the cells of its rows as they come into view.
        YoteiGrid->SetRows(1, rows);
    }
    yoteiCountStatus();
}

void YoteiPage::golferReleased()
{
    YoteiGrid->SetRowCount(2);
    YoteiGrid->ClearRow(1);
    // An index into the old golfer's rounds would point at the next golfer's.
    YoteiIndex = -1;
}

bool YoteiPage::regist(qint64 freeBytes)
{
    if (!freeSpaceOk(100, freeBytes, m_host))
        return false;
    if (YDateText->text().isEmpty()) {
        dialogs().warning(QStringLiteral("日付が入力されていません"));
        return false;
    }
    if (YTimeEdit->text().isEmpty()) {
        dialogs().warning(QStringLiteral("時間が入力されていません"));
        return false;
    }
    if (YLinksCombo->currentText().isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルフ場が選択されていません"));
        return false;
    }
    const auto date = datetime::parseDate(YDateText->text());
    const TDateTime day = date ? datetime::fromDate(*date) : 0;
    if (date && !m_host.settle(m_book.checkYoteiDate(day)))
        return false;
    // Everything is converted before the list is touched, so a failure leaves nothing behind.
    const auto start = datetime::parseTime(YTimeEdit->text());
    if (!date || !start) {
        dialogs().error(QStringLiteral("予定の登録に失敗しました"));
        m_host.actions().DataCancelAction->trigger();
        return false;
    }
    TYoteiRecord record;
    record.RoundDate = day;
    record.StartTime = *start;
    record.LinksName = sjis::fit(YLinksCombo->currentText(), FieldSize::LinksName);
    record.Bikou = sjis::fit(YBikouEdit->text(), FieldSize::Bikou);

    const BookChange change = m_book.registerYotei(record);
    if (!m_host.settle(change))
        return false;
    const int index = change.index;
    m_host.nodes().YoteiNode->insertChild(index, new QTreeWidgetItem({datetime::dateText(day)}));
    yoteiCountStatus();
    YoteiGrid->InsertRow(index + 1);
    writeYoteiRow(index + 1, record);
    YoteiSheet_Format();
    return true;
}

void YoteiPage::change()
{
    if (YDateText->text().trimmed().isEmpty() || YTimeEdit->text().trimmed().isEmpty())
        return;
    if (YoteiIndex < 0 || YoteiIndex >= YoteiList.size())
        return;
    const auto date = datetime::parseDate(YDateText->text());
    const auto start = datetime::parseTime(YTimeEdit->text());
    if (!date || !start) {
        dialogs().plain(QStringLiteral("警告"), QStringLiteral("入力された時間は正しくありません"));
        m_host.sheetLink().refocus(YTimeEdit);
        return;
    }
    if (!dialogs().confirm(QStringLiteral("この予定のデータを変更しますか？")))
        return;

    TYoteiRecord r = YoteiList[YoteiIndex];
    r.RoundDate = datetime::fromDate(*date);
    r.StartTime = *start;
    // No club chosen means the entry's club is no longer in the list; keep its name.
    if (YLinksCombo->currentIndex() >= 0)
        r.LinksName = sjis::fit(YLinksCombo->currentText(), FieldSize::LinksName);
    r.Bikou = sjis::fit(YBikouEdit->text(), FieldSize::Bikou);
    if (!m_host.settle(m_book.changeYotei(YoteiIndex, r)))
        return;

    if (QTreeWidgetItem *node = m_host.nodes().YoteiNode->child(YoteiIndex))
        node->setText(0, YDateText->text());
    YoteiGrid->SetRow(
        YoteiIndex + 1, {YDateText->text(), YTimeEdit->text(), r.LinksName, YBikouEdit->text()});
}

bool YoteiPage::remove()
{
    if (YoteiIndex < 0 || YoteiIndex >= YoteiList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("この予定のデータを削除しますか？")))
        return false;
    if (!m_host.settle(m_book.deleteYotei(YoteiIndex)))
        return false;
    TreeNodes &nodes = m_host.nodes();
    delete nodes.YoteiNode->takeChild(YoteiIndex);
    nodes.SelectedNode = nodes.YoteiNode;
    nodes.SelectedParent = nullptr;
    yoteiCountStatus();
    YoteiGrid->DeleteRow(YoteiIndex + 1);
    YoteiSheet_Format();
    YoteiIndex = -1;
    return true;
}

void YoteiPage::YTimeEditExit()
{
    if (YTimeEdit->text().isEmpty())
        return;
    if (!datetime::parseTime(YTimeEdit->text())) {
        dialogs().plain(QStringLiteral("警告"), QStringLiteral("入力された時間は正しくありません"));
        YTimeEdit->clear();
        m_host.sheetLink().refocus(YTimeEdit);
    }
}

// After loading or editing the schedule; the page switch words it slightly differently.
void YoteiPage::yoteiCountStatus()
{
    m_host.setStatus(QStringLiteral("ラウンド予定数は ") + QString::number(YoteiList.size())
        + QStringLiteral(" 回"));
}

void YoteiPage::yoteiShow(int index)
{
    const ShellActions &actions = m_host.actions();
    m_host.ActionList_TreeView();
    actions.ShukeiAction->setEnabled(false);
    YoteiIndex = index;
    const TYoteiRecord &r = YoteiList[index];
    YDateText->setText(datetime::dateText(r.RoundDate));
    YTimeEdit->setText(datetime::timeText(r.StartTime));
    YBikouEdit->setText(r.Bikou);
    YLinksCombo->setCurrentIndex(YLinksCombo->findText(r.LinksName, Qt::MatchExactly));
    YoteiCalendar->setSelectedDate(datetime::toDate(r.RoundDate));
    m_host.showPage(this);
    YTimeEdit->setReadOnly(false);
    YBikouEdit->setReadOnly(false);
    actions.DataAppendAction->setEnabled(true);
    actions.DataDeleteAction->setEnabled(true);
    actions.DataChangeAction->setEnabled(true);
    YoteiGrid->SelectRow(index + 1);
}

void YoteiPage::YoteiSheet_Format()
{
    YDateText->clear();
    YTimeEdit->clear();
    YLinksCombo->setCurrentIndex(-1);
    YBikouEdit->clear();
    YTimeEdit->setReadOnly(true);
    YBikouEdit->setReadOnly(true);
}

void YoteiPage::clubRenamed(const QList<int> &rounds, const QString &newName)
{
    for (int row : rounds)
        YoteiGrid->SetCell(2, row + 1, newName);
}

void YoteiPage::YoteiCalendarClick()
{
    m_host.AppendCheck();
    if (!m_host.actions().DataAppendAction->isEnabled()) {
        YDateText->setText(datetime::dateText(YoteiCalendar->selectedDate()));
        YTimeEdit->setFocus();
    }
}

void YoteiPage::YDateTextClick()
{
    dialogs().information(QStringLiteral("カレンダーをクリックして日付を設定してください"));
}

void YoteiPage::YoteiSheetResize()
{
    YoteiGrid->fillLastColumn(260);
}

QStringList YoteiPage::yoteiRow(const TYoteiRecord &r)
{
    return {datetime::dateText(r.RoundDate), datetime::timeText(r.StartTime), r.LinksName, r.Bikou};
}

void YoteiPage::writeYoteiRow(int row, const TYoteiRecord &r)
{
    YoteiGrid->SetRow(row, yoteiRow(r));
}

void YoteiPage::YLinksComboChange(int)
{
    const ShellActions &actions = m_host.actions();
    if (actions.DataAppendAction->isEnabled() && !actions.DataChangeAction->isEnabled()) {
        dialogs().information(QStringLiteral("追加をクリックしてください"));
        YLinksCombo->setCurrentIndex(-1);
    }
}

bool YoteiPage::append()
{
    YoteiSheet_Format();
    YoteiCalendar->setFocus();
    YTimeEdit->setReadOnly(false);
    YBikouEdit->setReadOnly(false);
    return true;
}
