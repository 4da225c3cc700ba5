// Golfers: registering, choosing and deleting them, and loading and releasing the chosen
// golfer's schedule and score cards.
#include "mainform.h"

#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "core/data/textinput.h"
#include "imagelist.h"
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
    ShukeiCaller.clear();
    ShukeiDone = false;
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
    ShukeiCaller.clear();
    ShukeiDone = false;
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
    YoteiSheet_Format();

    qDeleteAll(YoteiNode->takeChildren());
    qDeleteAll(ScoreNode->takeChildren());
    YoteiGrid->SetRowCount(2);
    YoteiGrid->ClearRow(1);
    SelectedNode = YoteiNode;
    SelectedParent = nullptr;
    forgetGolferRecords();

    ShukeiCaller.clear();
    ShukeiDone = false;
}

void TMainForm::FilesRead(const QString &name)
{
    const QStringList errors = m_book.loadGolfer(name, today());
    for (const QString &error : errors)
        reportReadError(error);
    for (const QString &note : m_book.takeSideFileNotes())
        dialogs().warning(note);

    if (!YoteiList.isEmpty()) {
        YoteiGrid->SetRowCount(int(YoteiList.size()) + 2);
        QList<QTreeWidgetItem *> nodes;
        nodes.reserve(YoteiList.size());
        QList<QStringList> rows;
        rows.reserve(YoteiList.size());
        for (const TYoteiRecord &r : YoteiList) {
            nodes.append(new QTreeWidgetItem({datetime::dateText(r.RoundDate)}));
            rows.append(yoteiRow(r));
        }
        YoteiNode->addChildren(nodes);
        // The grid makes the cells of its rows as they come into view.
        YoteiGrid->SetRows(1, rows);
    }
    yoteiCountStatus();
    addScoreNodes();
    analysisFollow(true);
}

void TMainForm::FilesWrite()
{
    // The node clicked last may be about to go; never keep a pointer to it.
    auto within = [](QTreeWidgetItem *node, QTreeWidgetItem *top) {
        for (; node; node = node->parent())
            if (node == top)
                return true;
        return false;
    };
    if ((SelectedNode != YoteiNode && within(SelectedNode, YoteiNode))
        || (SelectedNode != ScoreNode && within(SelectedNode, ScoreNode))) {
        SelectedNode = YoteiNode;
        SelectedParent = nullptr;
    }
    YoteiGrid->SetRowCount(2);
    YoteiGrid->ClearRow(1);
    qDeleteAll(YoteiNode->takeChildren());
    qDeleteAll(ScoreNode->takeChildren());
    m_book.releaseGolfer();
    forgetGolferRecords();
}

void TMainForm::forgetGolferRecords()
{
    // An index into the old golfer's lists would point at the next golfer's records, and
    // Change or Delete would then act on one of his.
    // A card still on the score page goes with its golfer.
    if (ScoreSelected || ScoreIndex >= 0)
        ScoreSheet_Format();
    YoteiIndex = -1;
    ScoreIndex = -1;
    ScoreSelected = false;
    DataDeleteAction->setEnabled(false);
    DataChangeAction->setEnabled(false);
    ScoreDispAction->setEnabled(false);
    ChartAction1->setEnabled(false);
    resetScoreDisp();
}
