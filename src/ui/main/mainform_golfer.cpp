// Golfers: registering, choosing and deleting them, and loading and releasing the chosen
// golfer's schedule and score cards.
#include "mainform.h"

#include "core/data/datafile.h"
#include "pageframe.h"
#include "pages/seisekipage.h"
#include "core/data/textinput.h"

#include <QAction>
#include <QComboBox>

void TMainForm::GolferComboClick(int index)
{
    if (index < 0)
        return;
    if (!GolferName.isEmpty())
        FilesWrite();
    m_actions.DataCancelAction->trigger();
    DeleteGolferAction->setEnabled(true);
    FilesRead(GolferCombo->currentText());
    m_frame->showYoteiPageFresh();
    m_actions.ShukeiAction->setEnabled(false);
    m_frame->seiseki()->forgetTally();
    m_actions.ChartAction1->setEnabled(false);
    m_actions.DataDeleteAction->setEnabled(false);
    m_actions.DataChangeAction->setEnabled(false);
    m_actions.ScoreDispAction->setEnabled(false);
}

void TMainForm::RegistGolferActionExecute()
{
    m_actions.DataCancelAction->trigger();
    const QString text = dialogs().inputBox(QStringLiteral("ゴルファーの登録"),
        QStringLiteral("ゴルファーを入力してください"), QString());
    // The name becomes the stem of his file names: blanks around it would give files that a
    // later look-up by the visible name does not find.
    const QString name = datafile::trimBlanks(textinput::withShiftJisLookAlikes(text));
    if (name.isEmpty())
        return;
    const BookChange change = m_book.registerGolfer(name);
    if (!settle(change))
        return;
    if (!GolferName.isEmpty())
        FilesWrite();
    GolferCombo->addItem(name);
    GolferCombo->setCurrentIndex(GolferCombo->count() - 1);
    FilesRead(name);
    m_frame->seiseki()->forgetTally();
    m_actions.DataDeleteAction->setEnabled(false);
    m_actions.DataChangeAction->setEnabled(false);
    m_actions.ScoreDispAction->setEnabled(false);
    m_actions.ChartAction1->setEnabled(false);
    m_frame->showYoteiPageFresh();
}

void TMainForm::DeleteGolferActionExecute()
{
    if (GolferCombo->currentText().isEmpty())
        return;
    if (!dialogs().confirm(QStringLiteral("選択されているゴルファーを削除しますか？")))
        return;
    if (!settle(m_book.deleteGolfer(GolferCombo->currentIndex())))
        return;
    GolferCombo->removeItem(GolferCombo->currentIndex());
    GolferCombo->setCurrentIndex(-1);
    DeleteGolferAction->setEnabled(false);
    m_frame->golferDeleted();
    m_frame->forgetGolferRecords();

    m_frame->seiseki()->forgetTally();
}

void TMainForm::FilesRead(const QString &name)
{
    const QStringList errors = m_book.loadGolfer(name, today());
    for (const QString &error : errors)
        dialogs().ioError(error);
    for (const QString &note : m_book.takeSideFileNotes())
        dialogs().warning(note);

    m_frame->golferLoaded();
    analysisFollow(true);
}

void TMainForm::FilesWrite()
{
    m_frame->golferReleased();
    m_book.releaseGolfer();
    m_frame->forgetGolferRecords();
}
