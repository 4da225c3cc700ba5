// The navigation tree, the page switch, showing schedule entries, golf clubs and courses, and
// the reset routines of their pages.
#include "mainform.h"

#include "data/datetime.h"
#include "data/numeric.h"
#include "stringgrid.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

struct Hints {
    const char *append, *regist, *cancel, *remove, *change;
};

// Per page: schedule, golf club, course, score card.
const Hints kHints[4] = {
    {"予定データを追加します", "予定データの登録を実行します", "予定データの登録をキャンセルします",
        "予定データを削除します", "予定データを変更します"},
    {"ゴルフ場データを追加します", "ゴルフ場データの登録を実行します",
        "ゴルフ場データの登録をキャンセルします", "ゴルフ場データを削除します",
        "ゴルフ場データを変更します"},
    {"コースデータを追加します", "コースデータの登録を実行します",
        "コースデータの登録をキャンセルします", "コースデータを削除します",
        "コースデータを変更します"},
    {"スコアデータを追加します", "スコアデータの登録を実行します",
        "スコアデータの登録をキャンセルします", "スコアデータを削除します",
        "スコアデータを変更します"},
};

int levelOf(const QTreeWidgetItem *node)
{
    int level = 0;
    for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++level;
    return level;
}

} // namespace

void TMainForm::setRecordHints(int page)
{
    QList<QToolButton *> buttons
        = {DataAppendBtn, DataRegistBtn, DataCancelBtn, DataDeleteBtn, DataChangeBtn};
    if (page == 4) {
        for (QToolButton *b : buttons)
            b->setToolTip(QString());
        return;
    }
    if (page < 0 || page > 3)
        return;
    const Hints &h = kHints[page];
    const char *texts[5] = {h.append, h.regist, h.cancel, h.remove, h.change};
    for (int i = 0; i < 5; ++i)
        buttons[i]->setToolTip(QString::fromUtf8(texts[i]));
}

void TMainForm::pageStatus(int page)
{
    switch (page) {
    case 0:
        setStatus(GolferName.isEmpty() ? QStringLiteral("ゴルファーを選択してください")
                                       : QStringLiteral("ラウンド予定数 ")
                    + QString::number(YoteiList.size()) + QStringLiteral(" 回"));
        break;
    case 1:
        setStatus(QStringLiteral("登録ゴルフ場数 ") + QString::number(LinksList.size())
            + QStringLiteral("コース"));
        break;
    case 2:
        setStatus(QStringLiteral("登録コース数 ") + QString::number(CourseList.size())
            + QStringLiteral("コース"));
        break;
    case 3:
        setStatus(GolferName.isEmpty() ? QStringLiteral("ゴルファーを選択してください")
                                       : QStringLiteral("登録スコアカード数 ")
                    + QString::number(ScoreList.size()) + QStringLiteral("カード"));
        break;
    case 4: setStatus(QStringLiteral("成績を表示します")); break;
    default: break;
    }
}

// After loading or editing the schedule; the page switch words it slightly differently.
void TMainForm::yoteiCountStatus()
{
    setStatus(QStringLiteral("ラウンド予定数は ") + QString::number(YoteiList.size())
        + QStringLiteral(" 回"));
}

void TMainForm::ActionList_TreeView()
{
    DataCancelAction->trigger();
    DataChangeAction->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    ChartAction1->setEnabled(false);
    ScoreDispAction->setEnabled(false);
    resetScoreDisp();
}

void TMainForm::resetScoreDisp()
{
    ScoreDispMode = QStringLiteral("Par+-");
    ScoreDisp->setText(QStringLiteral("±スコアで表示(&S)"));
    ScoreBtn->setText(QStringLiteral("±スコア"));
}

void TMainForm::TreeView1Click()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node)
        return;
    SelectedNode = node;
    CourseSelected = false;
    ScoreSelected = false;
    SelectedParent = node->parent();

    if ((node == YoteiNode || node == ScoreNode) && GolferName.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }

    const int level = levelOf(node);
    if (level == 1 && SelectedParent == YoteiNode) {
        ChartAction1->setEnabled(false);
        setStatus(QStringLiteral("ラウンド予定数 ") + QString::number(YoteiList.size())
            + QStringLiteral(" 回"));
        const auto date = datetime::parseDate(node->text(0));
        if (date) {
            const TDateTime day = datetime::fromDate(*date);
            for (int i = 0; i < YoteiList.size(); ++i) {
                if (YoteiList[i].RoundDate == day) {
                    yoteiShow(i);
                    break;
                }
            }
        }
    } else if (level == 1 && SelectedParent == LinksNode) {
        ChartAction1->setEnabled(false);
        setStatus(QStringLiteral("登録ゴルフ場 ") + QString::number(LinksList.size())
            + QStringLiteral("コース"));
        for (int i = 0; i < LinksList.size(); ++i) {
            if (LinksList[i].LinksName == node->text(0)) {
                linksShow(i);
                break;
            }
        }
    } else if (level == 2 && SelectedParent->parent() == LinksNode) {
        pageStatus(2);
        ChartAction1->setEnabled(false);
        for (int i = 0; i < CourseList.size(); ++i) {
            const TCourseRecord &c = CourseList[i];
            if (c.CourseName == node->text(0) && c.LinksName == SelectedParent->text(0)) {
                courseShow(i, SelectedParent);
                break;
            }
        }
    } else if (level == 2 && SelectedParent->parent() == ScoreNode) {
        ChartAction1->setEnabled(false);
        ScoreNodeSelect(node->text(0));
    }
    setRecordHints(PageControl1->currentIndex());
}

void TMainForm::yoteiShow(int index)
{
    ActionList_TreeView();
    ShukeiAction->setEnabled(false);
    YoteiIndex = index;
    const TYoteiRecord &r = YoteiList[index];
    YDateText->setText(datetime::dateText(r.RoundDate));
    YTimeEdit->setText(datetime::timeText(r.StartTime));
    YBikouEdit->setText(r.Bikou);
    YLinksCombo->setCurrentIndex(YLinksCombo->findText(r.LinksName, Qt::MatchExactly));
    YoteiCalendar->setSelectedDate(datetime::toDate(r.RoundDate));
    PageControl1->setCurrentWidget(YoteiSheet);
    YTimeEdit->setReadOnly(false);
    YBikouEdit->setReadOnly(false);
    DataAppendAction->setEnabled(true);
    DataDeleteAction->setEnabled(true);
    DataChangeAction->setEnabled(true);
    YoteiGrid->SelectRow(index + 1);
}

void TMainForm::linksShow(int index)
{
    ActionList_TreeView();
    ShukeiAction->setEnabled(false);
    const TLinksRecord &r = LinksList[index];
    LinksNameEdit->setText(r.LinksName);
    LinksAddressEdit->setText(r.LinksAddress);
    LinksTelEdit->setText(r.LinksTel);
    URLEdit->setText(r.URL);
    LinksIndex = index;
    PageControl1->setCurrentWidget(LinksSheet);
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit})
        e->setReadOnly(false);
    DataAppendAction->setEnabled(true);
    DataChangeAction->setEnabled(true);
    DataDeleteAction->setEnabled(true);
    LinksGrid->SelectRow(index + 1);
}

void TMainForm::courseShow(int index, QTreeWidgetItem *clubNode)
{
    Q_UNUSED(clubNode);
    ActionList_TreeView();
    ShukeiAction->setEnabled(false);
    CourseSelected = true;
    CourseIndex = index;
    const TCourseRecord &r = CourseList[index];
    CourseEdit->setText(r.CourseName);
    CourseLinksIndex = CLinksCombo->findText(r.LinksName, Qt::MatchExactly);
    CLinksCombo->setCurrentIndex(CourseLinksIndex);
    GreenCombo->setCurrentIndex(GreenCombo->findText(r.Green, Qt::MatchExactly));
    GreenCombo->setEditText(r.Green);
    TeeCombo->setCurrentIndex(TeeCombo->findText(r.Tee, Qt::MatchExactly));
    TeeCombo->setEditText(r.Tee);
    for (int h = 0; h < 9; ++h) {
        YardEdit[h]->setText(numeric::blankNumber(r.Yard[h]));
        ParEdit[h]->setText(numeric::blankNumber(r.Par[h]));
    }
    YardTotalText->setText(numeric::blankNumber(r.YardTotal));
    ParTotalText->setText(numeric::blankNumber(r.ParTotal));
    CourseEdit->setReadOnly(false);
    YardEditNotReadOnly();
    ParEditNotReadOnly();
    DataAppendAction->setEnabled(true);
    DataDeleteAction->setEnabled(true);
    DataChangeAction->setEnabled(true);
    PageControl1->setCurrentWidget(CourseSheet);
}

void TMainForm::PageControl1Change(int index)
{
    DataCancelAction->trigger();
    DataChangeAction->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    DataAppendAction->setEnabled(true);
    ChartAction1->setEnabled(false);
    ScoreSelected = false;
    CourseSelected = false;
    ShukeiAction->setEnabled(false);
    TreeView1->setCurrentItem(nullptr);
    TreeView1->clearSelection();

    ScoreDispAction->setEnabled(false);
    resetScoreDisp();

    setRecordHints(index);
    pageStatus(index);
    switch (index) {
    case 0: YoteiSheet_Format(); break;
    case 1: LinksSheet_Format(); break;
    case 2: CourseSheet_Format(); break;
    case 3: ScoreSheet_Format(); break;
    case 4: seisekiEnter(); break;
    default: break;
    }
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
    // Each club once, placed where its last card stands.
    PlayedLinksList.clear();
    QHash<QString, qsizetype> last;
    for (qsizetype i = 0; i < ScoreList.size(); ++i)
        last.insert(ScoreList[i].LinksName, i);
    PlayedLinksList.append(QStringLiteral("全て"));
    for (qsizetype i = 0; i < ScoreList.size(); ++i)
        if (last.value(ScoreList[i].LinksName) == i)
            PlayedLinksList.append(ScoreList[i].LinksName);
    ShukeiCaller = ShukeiDone ? QStringLiteral("PageControl") : QString();
    ShukeiAction->trigger();
}

void TMainForm::YoteiSheet_Format()
{
    YDateText->clear();
    YTimeEdit->clear();
    YLinksCombo->setCurrentIndex(-1);
    YBikouEdit->clear();
    YTimeEdit->setReadOnly(true);
    YBikouEdit->setReadOnly(true);
}

void TMainForm::LinksSheet_Format()
{
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit}) {
        e->clear();
        e->setReadOnly(true);
    }
}

void TMainForm::CourseSheet_Format()
{
    YardEditReadOnly();
    ParEditReadOnly();
    CLinksCombo->setCurrentIndex(-1);
    CourseEdit->clear();
    GreenCombo->setCurrentIndex(-1);
    GreenCombo->clearEditText();
    TeeCombo->setCurrentIndex(-1);
    TeeCombo->clearEditText();
    CourseEdit->setReadOnly(true);
}

void TMainForm::YardEditReadOnly()
{
    for (QLineEdit *e : YardEdit) {
        e->setReadOnly(true);
        e->clear();
    }
    YardTotalText->clear();
}

void TMainForm::YardEditNotReadOnly()
{
    for (QLineEdit *e : YardEdit)
        e->setReadOnly(false);
}

void TMainForm::ParEditReadOnly()
{
    for (QLineEdit *e : ParEdit) {
        e->setReadOnly(true);
        e->clear();
    }
    ParTotalText->clear();
}

void TMainForm::ParEditNotReadOnly()
{
    for (QLineEdit *e : ParEdit)
        e->setReadOnly(false);
}

void TMainForm::YoteiCalendarClick()
{
    AppendCheck();
    if (!DataAppendAction->isEnabled()) {
        YDateText->setText(datetime::dateText(YoteiCalendar->selectedDate()));
        YTimeEdit->setFocus();
    }
}

void TMainForm::YDateTextClick()
{
    dialogs().information(QStringLiteral("カレンダーをクリックして日付を設定してください"));
}

void TMainForm::ScoreDatePickerClick()
{
    AppendCheck();
}

void TMainForm::YoteiSheetResize()
{
    YoteiGrid->SetColWidth(3, qMax(260, YoteiGrid->viewport()->width() - 300));
}

void TMainForm::LinksSheetResize()
{
    LinksGrid->SetColWidth(3, qMax(200, LinksGrid->viewport()->width() - 480));
}

void TMainForm::SeisekiSheetResize()
{
    // The last column takes what the others leave (330 for the lists, 370 for the details).
    const int cols = SeisekiGrid->ColCount();
    if (cols < 4)
        return;
    int others = 0;
    for (int c = 0; c < cols - 1; ++c)
        others += SeisekiGrid->ColWidth(c);
    SeisekiGrid->SetColWidth(cols - 1, qMax(190, SeisekiGrid->viewport()->width() - others - 1));
}

void TMainForm::writeYoteiRow(int row, const TYoteiRecord &r)
{
    YoteiGrid->SetRow(row,
        {datetime::dateText(r.RoundDate), datetime::timeText(r.StartTime), r.LinksName, r.Bikou});
}

void TMainForm::writeLinksRow(int row, const TLinksRecord &r)
{
    LinksGrid->SetRow(row, {r.LinksName, r.LinksAddress, r.LinksTel, r.URL});
}

QTreeWidgetItem *TMainForm::linksNodeOf(const QString &linksName) const
{
    for (int i = 0; i < LinksList.size(); ++i)
        if (LinksList[i].LinksName == linksName)
            return LinksNode->child(i);
    return nullptr;
}
