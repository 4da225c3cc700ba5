// The start-up load: the data files read into the tree, the grids and the golf club boxes,
// the golfer chosen when there is just one, and the activations that ask for a first golfer.
#include "mainform.h"

#include "core/data/datetime.h"
#include "imagelist.h"
#include "pages/coursepage.h"
#include "pages/linkspage.h"
#include "pages/scorepage.h"
#include "pages/yoteipage.h"
#include "stringgrid.h"
#include "ui/common/windowfit.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>

void TMainForm::FormCreate()
{
    setWindowTitle(QStringLiteral("Kestro"));
    ScoreDisp->setText(QStringLiteral("±スコアで表示(&S)"));
    ScoreBtn->setText(QStringLiteral("±ｽｺｱ"));

    Delay(m_startupDelayMs);

    // Dates read "yyyy/mm/dd" and times "HH:NN" everywhere: see datetime.h.
    setUpdatesEnabled(false);
    m_nodes.addTopNodes(TreeView1);

    // A change that a crash cut short is finished or dropped before anything is read.
    for (const QString &note : m_book.recover())
        dialogs().information(note);
    m_book.setConsentAsker([this](const FileConcern &concern) { return askToReplace(concern); });
    const QStringList readErrors = m_book.loadClubs();
    for (const QString &error : readErrors)
        reportReadError(error);
    for (const QString &note : m_book.takeSideFileNotes())
        dialogs().warning(note);

    LinksSheet->clubsLoaded();

    QStringList names;
    names.reserve(LinksList.size());
    for (const TLinksRecord &club : LinksList)
        names.append(club.LinksName);
    // The three boxes that choose a club show one list of names: item i is club i in each.
    m_clubNames = new QStringListModel(names, this);
    YoteiSheet->setClubNames(m_clubNames);
    LinksSheet->setClubNames(m_clubNames);
    CourseSheet->setClubNames(m_clubNames);
    ScoreSheet->setClubNames(m_clubNames);

    CourseSheet->CourseSheet_Format();
    m_nodes.addClubNodes();

    const QStringList golferErrors = m_book.loadGolfers();
    if (!m_book.golferListLoaded())
        reportReadError(golferErrors.first());
    else if (!golferErrors.isEmpty())
        dialogs().warning(golferErrors.join(QChar('\n')));
    GolferCombo->addItems(m_book.golfers());
    GolferCombo->setCurrentIndex(-1);
    if (GolferCombo->count() == 1) {
        GolferCombo->setCurrentIndex(0);
        // As stored, like a choice in the list: a name kept with blanks around it by an older
        // registration has its files under that very name.
        const QString name = GolferCombo->itemText(0);
        DeleteGolferAction->setEnabled(true);
        FilesRead(name);
    }

    YoteiSheet->start();

    showPage(YoteiSheet);
    for (QTreeWidgetItem *top : {m_nodes.YoteiNode, m_nodes.LinksNode, m_nodes.ScoreNode})
        top->setExpanded(true);
    setUpdatesEnabled(true);

    // Placed here alone: a fit would be done again once the frame is known, undoing a
    // geometry set after it.
    if (m_geometry)
        setGeometry(*m_geometry);
    else
        windowfit::place(this, QSize(1040, 720), false);
}

void TMainForm::Delay(unsigned ms)
{
    // The splash window must stay up, but the interface keeps answering while it waits.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() <= qint64(ms)) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        // Never longer than the wait has left: a wait of nothing ends within a millisecond.
        const qint64 left = qint64(ms) - timer.elapsed();
        if (left >= 0)
            QThread::msleep(qMin<qint64>(5, left + 1));
    }
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The first showing counts as an activation of the program.
    if (!m_shownOnce) {
        m_shownOnce = true;
        QMetaObject::invokeMethod(this, &TMainForm::FormActivate, Qt::QueuedConnection);
    }
}

void TMainForm::FormActivate()
{
    // A golfer list that could not be read is not an empty one: asking for a first golfer
    // would replace it.
    if (m_askingForGolfer || GolferCombo->count() > 0 || !m_book.golferListLoaded())
        return;
    m_askingForGolfer = true;
    RegistGolferAction->trigger();
    m_askingForGolfer = false;
}
