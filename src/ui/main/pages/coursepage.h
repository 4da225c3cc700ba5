#pragma once

#include "editingpage.h"

#include "core/data/records.h"

#include <QList>
#include <QWidget>

class DialogService;
class HolePanel;
class PageHost;
class QComboBox;
class QLineEdit;
class QStringListModel;
class RecordBook;

// The course page: one 9-hole course of a golf club at a time, its green and tee, and the
// yards and pars of its holes.
class CoursePage final : public QWidget, public EditingPage
{
    Q_OBJECT

public:
    CoursePage(RecordBook &book, PageHost &host);
    ~CoursePage() override;

    bool append() override;
    bool regist(qint64 freeBytes) override;
    void cancel() override { CourseSheet_Format(); }
    bool remove() override;
    void change() override;
    QStringList hints() const override;

    void setClubNames(QStringListModel *names);
    void courseShow(int index);
    void CourseSheet_Format();
    // The course chosen in the tree and shown, for the printout; none when there is none.
    const TCourseRecord *shownCourse() const;
    // The tree's choice moved away from the course shown.
    void forgetSelection() { CourseSelected = false; }
    // The club box shows the club of the course shown again, or no club.
    void restoreClub(bool courseShown);

Q_SIGNALS:
    // The user chose a club in the club box.
    void clubActivated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CourseSheetRegistCheck();
    DialogService &dialogs() const;

    RecordBook &m_book;
    PageHost &m_host;
    const QList<TCourseRecord> &CourseList;
    int CourseIndex = -1; // the course shown, or -1
    int CourseLinksIndex = -1; // its club in the club box
    bool CourseSelected = false; // chosen in the tree, so there is a course to print
    bool CheckFailed = false;

    QComboBox *CLinksCombo = nullptr;
    QLineEdit *CourseEdit = nullptr;
    QComboBox *GreenCombo = nullptr;
    QComboBox *TeeCombo = nullptr;
    HolePanel *m_holes = nullptr;
};
