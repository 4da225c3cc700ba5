// The start-up load: the data files read into the tree, the grids and the golf club boxes,
// the golfer chosen when there is just one, and the activations that ask for a first golfer.
#include "mainform.h"

#include "pageframe.h"
#include "ui/common/windowfit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QThread>
#include <QToolButton>

namespace {

// The splash window must stay up, but the interface keeps answering while it waits.
void Delay(unsigned ms)
{
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

} // namespace

void TMainForm::FormCreate()
{
    setWindowTitle(QStringLiteral("Kestro"));
    m_actions.ScoreDisp->setText(QStringLiteral("±スコアで表示(&S)"));
    m_actions.ScoreBtn->setText(QStringLiteral("±ｽｺｱ"));

    Delay(m_options.startupDelayMs);

    // Dates read "yyyy/mm/dd" and times "HH:NN" everywhere: see datetime.h.
    setUpdatesEnabled(false);

    // A change that a crash cut short is finished or dropped before anything is read.
    for (const QString &note : m_book.recover())
        dialogs().information(note);
    m_book.setConsentAsker([this](const FileConcern &concern) { return askToReplace(concern); });
    const QStringList readErrors = m_book.loadClubs();
    for (const QString &error : readErrors)
        dialogs().ioError(error);
    for (const QString &note : m_book.takeSideFileNotes())
        dialogs().warning(note);

    m_frame->clubsLoaded();

    const QStringList golferErrors = m_book.loadGolfers();
    if (!m_book.golferListLoaded())
        dialogs().ioError(golferErrors.first());
    else if (!golferErrors.isEmpty())
        dialogs().warning(golferErrors.join(QChar('\n')));
    GolferCombo->addItems(m_book.golfers());
    GolferCombo->setCurrentIndex(-1);
    // The only golfer, or the one chosen in the window this one replaces (after a restore).
    const int chosen = GolferCombo->count() == 1
        ? 0
        : (m_options.golfer.isEmpty() ? -1 : GolferCombo->findText(m_options.golfer));
    if (chosen >= 0) {
        GolferCombo->setCurrentIndex(chosen);
        // As stored, like a choice in the list: a name kept with blanks around it by an older
        // registration has its files under that very name.
        const QString name = GolferCombo->itemText(chosen);
        DeleteGolferAction->setEnabled(true);
        FilesRead(name);
    }

    m_frame->start();
    setUpdatesEnabled(true);

    // Placed here alone: a fit would be done again once the frame is known, undoing a
    // geometry set after it.
    if (m_options.geometry)
        setGeometry(*m_options.geometry);
    else
        windowfit::place(this, QSize(1040, 720), false);
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
