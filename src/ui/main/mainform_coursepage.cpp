// The course page: registering, changing (optionally carried into the score cards) and
// deleting courses, showing one, and the checks of the yard and par boxes.
#include "mainform.h"

#include "core/data/numeric.h"
#include "core/data/sjis.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include <limits>
#include <optional>

namespace {

// A yard longer than any hole is a typing mistake, not a distance.
constexpr qint32 kLongestYard = 9999;

// The nine values of a row of boxes, or the first box that does not read as a number or is
// out of bounds. A total too large for the whole number it is stored in is put on the last
// box of the row that holds a number.
struct HoleRow {
    std::array<qint32, 9> values {};
    qint64 total = 0;
    QLineEdit *bad = nullptr;
    bool overflow = false;
};

HoleRow readHoleRow(const std::array<QLineEdit *, 9> &row, qint32 largest)
{
    HoleRow result;
    QLineEdit *last = nullptr;
    for (int h = 0; h < 9; ++h) {
        const QString text = row[h]->text();
        if (text.trimmed().isEmpty())
            continue;
        const auto v = numeric::parseInt(text);
        if (!v || *v > largest) {
            if (!result.bad)
                result.bad = row[h];
            continue;
        }
        result.values[h] = *v;
        result.total += *v;
        last = row[h];
    }
    if (!result.bad && result.total != qint64(qint32(result.total))) {
        result.overflow = true;
        result.bad = last;
    }
    return result;
}

void writeCourseFields(
    TCourseRecord &course, const QString &name, const HoleRow &yards, const HoleRow &pars)
{
    course.CourseName = name;
    course.Yard = yards.values;
    course.Par = pars.values;
    // The totals are the sums of the boxes, whatever an earlier failed check left shown.
    course.YardTotal = qint32(yards.total);
    course.ParTotal = qint32(pars.total);
}

} // namespace

void TMainForm::YardValueCheck(QLineEdit *edit)
{
    holeValueCheck(
        edit, YardEdit, kLongestYard, YardTotalText, QStringLiteral(" は数字ではありません"));
}

void TMainForm::ParValueCheck(QLineEdit *edit)
{
    holeValueCheck(edit, ParEdit, std::numeric_limits<qint32>::max(), ParTotalText,
        QStringLiteral("は数字ではありません"));
}

void TMainForm::holeValueCheck(QLineEdit *edit, const std::array<QLineEdit *, 9> &row,
    qint32 largest, QLabel *total, const QString &suffix)
{
    const QString text = edit->text();
    if (text.trimmed().isEmpty())
        return;
    const auto value = numeric::parseInt(text);
    const HoleRow values = readHoleRow(row, largest);
    // This box is refused when its own number is out of bounds or brings the total past
    // what the file stores; another box of the row that does not read yet keeps the total
    // as it was, and is reported when it is left, not this one, whose number is fine.
    if (!value || *value > largest || values.overflow) {
        ++m_scoreLink.exitRefusals;
        dialogs().plain(QStringLiteral("Kestro"), text + suffix);
        m_scoreLink.refocus(edit);
        return;
    }
    if (!values.bad)
        total->setText(numeric::blankNumber(values.total));
    edit->setText(QChar(' ') + text.trimmed());
}

void TMainForm::CourseSheetRegistCheck()
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
    for (const auto *row : {&YardEdit, &ParEdit}) {
        for (QLineEdit *e : *row) {
            // A box of blanks holds no number; stored, it would read as 0.
            if (e->text().trimmed().isEmpty()) {
                dialogs().warning(QStringLiteral("ホールのデータがすべて入力されていません"));
                CheckFailed = true;
                return;
            }
        }
    }
}

bool TMainForm::courseRegist(qint64 freeBytes)
{
    // A yard or par refused on the way out has said so and keeps the focus.
    if (!m_scoreLink.focusPage(CourseSheet))
        return false;
    CourseSheetRegistCheck();
    if (CheckFailed)
        return false;
    if (!freeSpaceOk(180, freeBytes))
        return false;
    const QString club = CLinksCombo->currentText();
    const QString name = sjis::fit(CourseEdit->text(), FieldSize::CourseName);
    if (!settle(m_book.checkCourseName(-1, club, name)))
        return false;
    const HoleRow yards = readHoleRow(YardEdit, kLongestYard);
    const HoleRow pars = readHoleRow(ParEdit, std::numeric_limits<qint32>::max());
    if (yards.bad || pars.bad) {
        dialogs().error(QStringLiteral("コースの登録に失敗しました"));
        DataCancelAction->trigger();
        return false;
    }
    TCourseRecord record;
    record.LinksName = sjis::fit(club, FieldSize::LinksName);
    if (!takeText(record.Green, GreenCombo, GreenCombo->currentText(), FieldSize::Green)
        || !takeText(record.Tee, TeeCombo, TeeCombo->currentText(), FieldSize::Tee))
        return false;
    writeCourseFields(record, name, yards, pars);

    if (!settle(m_book.registerCourse(record)))
        return false;
    if (QTreeWidgetItem *clubNode = m_nodes.linksNodeOf(club))
        m_nodes.addCourseNode(clubNode, record.CourseName);
    pageStatus(Page::Course);
    CourseSheet_Format();
    return true;
}

void TMainForm::courseChange()
{
    if (CourseEdit->text().trimmed().isEmpty())
        return;
    if (CourseIndex < 0 || CourseIndex >= CourseList.size())
        return;
    if (!m_scoreLink.focusPage(CourseSheet))
        return;
    CheckFailed = false;
    CourseSheetRegistCheck();
    if (CheckFailed)
        return;
    const QString club = CourseList[CourseIndex].LinksName;
    const QString name = sjis::fit(CourseEdit->text(), FieldSize::CourseName);
    if (!settle(m_book.checkCourseName(CourseIndex, club, name)))
        return;
    // Every number is read before anything is written.
    const HoleRow yards = readHoleRow(YardEdit, kLongestYard);
    const HoleRow pars = readHoleRow(ParEdit, std::numeric_limits<qint32>::max());
    if (yards.bad || pars.bad) {
        QLineEdit *bad = yards.bad ? yards.bad : pars.bad;
        dialogs().plain(QStringLiteral("Kestro"),
            bad->text()
                + (yards.bad ? QStringLiteral(" は数字ではありません")
                             : QStringLiteral("は数字ではありません")));
        m_scoreLink.refocus(bad);
        return;
    }
    TCourseRecord course = CourseList[CourseIndex];
    if (!takeText(course.Green, GreenCombo, GreenCombo->currentText(), FieldSize::Green)
        || !takeText(course.Tee, TeeCombo, TeeCombo->currentText(), FieldSize::Tee))
        return;
    if (!dialogs().confirm(QStringLiteral("このコースのデータを変更しますか？")))
        return;
    // Both answers come first: the course and the cards it reaches are then saved as one
    // change, which a crash cannot leave half done.
    const bool carry = dialogs().confirm(
        QStringLiteral("この変更したデータをスコアカードのデータに反映しますか？"));

    const QString oldName = course.CourseName;
    writeCourseFields(course, name, yards, pars);
    if (!settle(m_book.changeCourse(CourseIndex, course, carry)))
        return;
    YardTotalText->setText(numeric::blankNumber(course.YardTotal));
    ParTotalText->setText(numeric::blankNumber(course.ParTotal));

    // The clicked node may be another one by now (a top or year node keeps the page).
    if (QTreeWidgetItem *node = m_nodes.courseNodeOf(club, oldName))
        node->setText(0, course.CourseName);
}

bool TMainForm::courseDelete()
{
    if (CourseIndex < 0 || CourseIndex >= CourseList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("このコースのデータを削除しますか？")))
        return false;
    const TCourseRecord course = CourseList[CourseIndex];
    if (!settle(m_book.deleteCourse(CourseIndex)))
        return false;
    delete m_nodes.courseNodeOf(course.LinksName, course.CourseName);
    m_nodes.SelectedNode = m_nodes.LinksNode;
    m_nodes.SelectedParent = nullptr;
    pageStatus(Page::Course);
    CourseSheet_Format();
    CourseIndex = -1;
    CourseSelected = false;
    return true;
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
    showPage(CourseSheet);
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

void TMainForm::courseAppend()
{
    CourseSheet_Format();
    YardEditNotReadOnly();
    ParEditNotReadOnly();
    CLinksCombo->setFocus();
    CourseEdit->setReadOnly(false);
    CourseSelected = false;
}
