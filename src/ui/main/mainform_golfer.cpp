// Golfers: registering, choosing and deleting them, and loading and releasing the chosen
// golfer's schedule and score cards.
#include "mainform.h"

#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "imagelist.h"
#include "pages/scorepage.h"
#include "pages/seisekipage.h"
#include "pages/yoteipage.h"
#include "stringgrid.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTabWidget>
#include <QTreeWidget>

void TMainForm::GolferComboClick(int index)
{
    if (index < 0)
        return;
    if (!GolferName.isEmpty())
        FilesWrite();
    DataCancelAction->trigger();
    DeleteGolferAction->setEnabled(true);
    FilesRead(GolferCombo->currentText());
    showYoteiPageFresh();
    ShukeiAction->setEnabled(false);
    SeisekiSheet->forgetTally();
    ChartAction1->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    DataChangeAction->setEnabled(false);
    ScoreDispAction->setEnabled(false);
}

void TMainForm::RegistGolferActionExecute()
{
    DataCancelAction->trigger();
    const QString text = dialogs().inputBox(QStringLiteral("ゴルファーの登録"),
        QStringLiteral("ゴルファーを入力してください"), QString());
    // The name becomes the stem of his file names: blanks around it would give files that a
    // later look-up by the visible name does not find.
    const QString name = datafile::trimBlanks(text);
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
    SeisekiSheet->forgetTally();
    DataDeleteAction->setEnabled(false);
    DataChangeAction->setEnabled(false);
    ScoreDispAction->setEnabled(false);
    ChartAction1->setEnabled(false);
    showYoteiPageFresh();
}

void TMainForm::showYoteiPageFresh()
{
    // Coming from the results page, where Append is off and the hints are empty, the
    // schedule page must still be usable at once.
    if (PageControl1->currentWidget() == SeisekiSheet) {
        DataAppendAction->setEnabled(true);
        setRecordHints(Page::Yotei);
    }
    showPage(YoteiSheet);
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
    showPage(YoteiSheet);
    YoteiSheet->YoteiSheet_Format();

    m_nodes.releaseGolferNodes();
    YoteiSheet->golferReleased();
    m_nodes.SelectedNode = m_nodes.YoteiNode;
    m_nodes.SelectedParent = nullptr;
    forgetGolferRecords();

    SeisekiSheet->forgetTally();
}

void TMainForm::FilesRead(const QString &name)
{
    const QStringList errors = m_book.loadGolfer(name, today());
    for (const QString &error : errors)
        reportReadError(error);
    for (const QString &note : m_book.takeSideFileNotes())
        dialogs().warning(note);

    YoteiSheet->golferLoaded();
    m_nodes.addGolferNodes();
    analysisFollow(true);
}

void TMainForm::FilesWrite()
{
    m_nodes.releaseGolferNodes();
    YoteiSheet->golferReleased();
    m_book.releaseGolfer();
    forgetGolferRecords();
}

void TMainForm::forgetGolferRecords()
{
    // An index into the old golfer's lists would point at the next golfer's records, and
    // Change or Delete would then act on one of his.
    // A card still on the score page goes with its golfer.
    ScoreSheet->forgetCard();
    DataDeleteAction->setEnabled(false);
    DataChangeAction->setEnabled(false);
    ScoreDispAction->setEnabled(false);
    ChartAction1->setEnabled(false);
    ScoreSheet->resetScoreDisp();
}
