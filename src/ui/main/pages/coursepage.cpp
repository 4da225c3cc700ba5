// The course page: registering, changing (optionally carried into the score cards) and
// deleting courses, showing one, and the checks of the yard and par boxes.
#include "coursepage.h"

#include "holepanel.h"
#include "pagecontrols.h"
#include "pagehost.h"

#include "core/data/sjis.h"
#include "ui/common/services.h"
#include "ui/common/texttips.h"
#include "ui/main/treenodes.h"
#include "ui/scorecard/scorecardframe.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace pagecontrols;

namespace {

void writeCourseFields(TCourseRecord &course, const QString &name, const HolePanel::Row &yards,
    const HolePanel::Row &pars)
{
    course.CourseName = name;
    course.Yard = yards.values;
    course.Par = pars.values;
    // The totals are the sums of the boxes, whatever an earlier failed check left shown.
    course.YardTotal = qint32(yards.total);
    course.ParTotal = qint32(pars.total);
}

} // namespace

CoursePage::CoursePage(RecordBook &book, PageHost &host)
    : m_book(book), m_host(host), CourseList(book.courses())
{
    setObjectName(QStringLiteral("CourseSheet"));
    setFocusPolicy(Qt::ClickFocus);
    auto *outer = new QVBoxLayout(this);

    auto *form = new QGridLayout;
    form->addWidget(heading(QStringLiteral("ゴルフ場"), this), 0, 0);
    form->addWidget(heading(QStringLiteral("コース"), this), 0, 1);
    form->addWidget(heading(QStringLiteral("グリーン"), this), 0, 2);
    form->addWidget(heading(QStringLiteral("ティー"), this), 0, 3);
    CLinksCombo = listCombo(QStringLiteral("CLinksCombo"), this);
    CLinksCombo->setMinimumWidth(240);
    connect(CLinksCombo, &QComboBox::activated, this, &CoursePage::clubActivated);
    CourseEdit = textEdit(QStringLiteral("CourseEdit"), 30, this);
    CourseEdit->setMinimumWidth(200);
    GreenCombo = choiceCombo(QStringLiteral("GreenCombo"),
        {QStringLiteral("ベント"), QStringLiteral("高麗")}, FieldSize::Green, this);
    GreenCombo->setMinimumWidth(110);
    TeeCombo = choiceCombo(QStringLiteral("TeeCombo"),
        {QStringLiteral("フルバック"), QStringLiteral("バック"), QStringLiteral("レギュラー"),
            QStringLiteral("フロント"), QStringLiteral("レディース")},
        FieldSize::Tee, this);
    TeeCombo->setMinimumWidth(130);
    form->addWidget(CLinksCombo, 1, 0);
    form->addWidget(CourseEdit, 1, 1);
    form->addWidget(GreenCombo, 1, 2);
    form->addWidget(TeeCombo, 1, 3);
    form->setColumnStretch(4, 1);
    outer->addLayout(form);

    m_holes = new HolePanel(host, this);
    outer->addWidget(m_holes);
    outer->addStretch(1);

    QWidget::setTabOrder(CLinksCombo, CourseEdit);
    QWidget::setTabOrder(CourseEdit, GreenCombo);
    QWidget::setTabOrder(GreenCombo, TeeCombo);
    const std::array<QLineEdit *, 9> &yards = m_holes->YardEdit;
    const std::array<QLineEdit *, 9> &pars = m_holes->ParEdit;
    QWidget::setTabOrder(TeeCombo, yards[0]);
    for (int h = 0; h < 8; ++h)
        QWidget::setTabOrder(yards[h], yards[h + 1]);
    QWidget::setTabOrder(yards[8], pars[0]);
    for (int h = 0; h < 8; ++h)
        QWidget::setTabOrder(pars[h], pars[h + 1]);

    texttips::tipWhenCut(CLinksCombo);
    texttips::tipWhenCut(CourseEdit);
    CourseEdit->installEventFilter(this);
}

CoursePage::~CoursePage()
{
    detachControls(this);
}

DialogService &CoursePage::dialogs() const
{
    return *m_host.services().dialogs;
}

QStringList CoursePage::hints() const
{
    return {QStringLiteral("コースデータを追加します"),
        QStringLiteral("コースデータの登録を実行します"),
        QStringLiteral("コースデータの登録をキャンセルします"),
        QStringLiteral("コースデータを削除します"), QStringLiteral("コースデータを変更します")};
}

bool CoursePage::eventFilter(QObject *watched, QEvent *event)
{
    // The name box hints at Append when a key that edits is pressed in it.
    if (watched == CourseEdit && event->type() == QEvent::KeyPress
        && isEditingKey(static_cast<QKeyEvent *>(event)))
        m_host.AppendCheck();
    return QWidget::eventFilter(watched, event);
}

void CoursePage::setClubNames(QStringListModel *names)
{
    CLinksCombo->setModel(names);
    CLinksCombo->setCurrentIndex(-1);
}

void CoursePage::restoreClub(bool courseShown)
{
    CLinksCombo->setCurrentIndex(courseShown ? CourseLinksIndex : -1);
}

const TCourseRecord *CoursePage::shownCourse() const
{
    if (!CourseSelected || CourseIndex < 0 || CourseIndex >= CourseList.size())
        return nullptr;
    return &CourseList[CourseIndex];
}

void CoursePage::CourseSheetRegistCheck()
{
    if (CLinksCombo->currentText().isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルフ場が選択されていません"));
        CheckFailed = true;
        return;
    }
    if (CourseEdit->text().isEmpty()) {
        dialogs().warning(QStringLiteral("コース名を入力してください"));
        CheckFailed = true;
        return;
    }
    // A box of blanks holds no number; stored, it would read as 0.
    if (m_holes->emptyBox()) {
        dialogs().warning(QStringLiteral("ホールのデータがすべて入力されていません"));
        CheckFailed = true;
    }
}

bool CoursePage::regist(qint64 freeBytes)
{
    CheckFailed = false;
    // A yard or par refused on the way out has said so and keeps the focus.
    if (!m_host.sheetLink().focusPage(this))
        return false;
    CourseSheetRegistCheck();
    if (CheckFailed)
        return false;
    if (!freeSpaceOk(180, freeBytes, m_host))
        return false;
    const QString club = CLinksCombo->currentText();
    const QString name = sjis::fit(CourseEdit->text(), FieldSize::CourseName);
    if (!m_host.settle(m_book.checkCourseName(-1, club, name)))
        return false;
    const HolePanel::Row yards = m_holes->yards();
    const HolePanel::Row pars = m_holes->pars();
    if (yards.bad || pars.bad) {
        dialogs().error(QStringLiteral("コースの登録に失敗しました"));
        m_host.actions().DataCancelAction->trigger();
        return false;
    }
    TCourseRecord record;
    record.LinksName = sjis::fit(club, FieldSize::LinksName);
    ScoreSheetLink &link = m_host.sheetLink();
    if (!takeText(record.Green, GreenCombo, GreenCombo->currentText(), FieldSize::Green, link)
        || !takeText(record.Tee, TeeCombo, TeeCombo->currentText(), FieldSize::Tee, link))
        return false;
    writeCourseFields(record, name, yards, pars);

    if (!m_host.settle(m_book.registerCourse(record)))
        return false;
    TreeNodes &nodes = m_host.nodes();
    if (QTreeWidgetItem *clubNode = nodes.linksNodeOf(club))
        nodes.addCourseNode(clubNode, record.CourseName);
    m_host.pageStatus(Page::Course);
    CourseSheet_Format();
    return true;
}

void CoursePage::change()
{
    if (CourseEdit->text().trimmed().isEmpty())
        return;
    if (CourseIndex < 0 || CourseIndex >= CourseList.size())
        return;
    if (!m_host.sheetLink().focusPage(this))
        return;
    CheckFailed = false;
    CourseSheetRegistCheck();
    if (CheckFailed)
        return;
    const QString club = CourseList[CourseIndex].LinksName;
    const QString name = sjis::fit(CourseEdit->text(), FieldSize::CourseName);
    if (!m_host.settle(m_book.checkCourseName(CourseIndex, club, name)))
        return;
    // Every number is read before anything is written.
    const HolePanel::Row yards = m_holes->yards();
    const HolePanel::Row pars = m_holes->pars();
    if (yards.bad || pars.bad) {
        m_holes->refuse(yards.bad ? yards.bad : pars.bad);
        return;
    }
    TCourseRecord course = CourseList[CourseIndex];
    ScoreSheetLink &link = m_host.sheetLink();
    if (!takeText(course.Green, GreenCombo, GreenCombo->currentText(), FieldSize::Green, link)
        || !takeText(course.Tee, TeeCombo, TeeCombo->currentText(), FieldSize::Tee, link))
        return;
    if (!dialogs().confirm(QStringLiteral("このコースのデータを変更しますか？")))
        return;
    // Both answers come first: the course and the cards it reaches are then saved as one
    // change, which a crash cannot leave half done.
    const bool carry = dialogs().confirm(
        QStringLiteral("この変更したデータをスコアカードのデータに反映しますか？"));

    const QString oldName = course.CourseName;
    writeCourseFields(course, name, yards, pars);
    if (!m_host.settle(m_book.changeCourse(CourseIndex, course, carry)))
        return;
    m_holes->showTotals(course.YardTotal, course.ParTotal);

    // The clicked node may be another one by now (a top or year node keeps the page).
    if (QTreeWidgetItem *node = m_host.nodes().courseNodeOf(club, oldName))
        node->setText(0, course.CourseName);
}

bool CoursePage::remove()
{
    if (CourseIndex < 0 || CourseIndex >= CourseList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("このコースのデータを削除しますか？")))
        return false;
    const TCourseRecord course = CourseList[CourseIndex];
    if (!m_host.settle(m_book.deleteCourse(CourseIndex)))
        return false;
    TreeNodes &nodes = m_host.nodes();
    delete nodes.courseNodeOf(course.LinksName, course.CourseName);
    nodes.SelectedNode = nodes.LinksNode;
    nodes.SelectedParent = nullptr;
    m_host.pageStatus(Page::Course);
    CourseSheet_Format();
    CourseIndex = -1;
    CourseSelected = false;
    return true;
}

void CoursePage::courseShow(int index)
{
    const ShellActions &actions = m_host.actions();
    m_host.ActionList_TreeView();
    actions.ShukeiAction->setEnabled(false);
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
    m_holes->showHoles(r.Yard, r.Par, r.YardTotal, r.ParTotal);
    CourseEdit->setReadOnly(false);
    m_holes->YardEditNotReadOnly();
    m_holes->ParEditNotReadOnly();
    actions.DataAppendAction->setEnabled(true);
    actions.DataDeleteAction->setEnabled(true);
    actions.DataChangeAction->setEnabled(true);
    m_host.showPage(this);
}

void CoursePage::CourseSheet_Format()
{
    m_holes->YardEditReadOnly();
    m_holes->ParEditReadOnly();
    CLinksCombo->setCurrentIndex(-1);
    CourseEdit->clear();
    GreenCombo->setCurrentIndex(-1);
    GreenCombo->clearEditText();
    TeeCombo->setCurrentIndex(-1);
    TeeCombo->clearEditText();
    CourseEdit->setReadOnly(true);
}

bool CoursePage::append()
{
    CourseSheet_Format();
    m_holes->YardEditNotReadOnly();
    m_holes->ParEditNotReadOnly();
    CLinksCombo->setFocus();
    CourseEdit->setReadOnly(false);
    CourseSelected = false;
    return true;
}
