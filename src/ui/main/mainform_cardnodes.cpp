// The tree's nodes of the stored cards: a year node per year of cards, in year order, and
// under it a date node per card, in date order.
#include "mainform.h"

#include "core/data/datetime.h"
#include "imagelist.h"

#include <QTreeWidget>

// A date node goes before the first node of its year with a later date.
void TMainForm::placeDateNode(QTreeWidgetItem *year, QTreeWidgetItem *node, const QDate &date)
{
    for (int i = 0; i < year->childCount(); ++i) {
        const auto other = datetime::parseDate(year->child(i)->text(0));
        if (other && *other > date) {
            year->insertChild(i, node);
            return;
        }
    }
    year->addChild(node);
}

QTreeWidgetItem *TMainForm::yearNode(const QString &yearText) const
{
    return childNamed(ScoreNode, yearText);
}

QTreeWidgetItem *TMainForm::ensureYearNode(const QString &yearText)
{
    if (QTreeWidgetItem *existing = yearNode(yearText))
        return existing;
    auto *node = new QTreeWidgetItem({yearText});
    const int year = yearText.left(4).toInt();
    int before = -1;
    for (int i = 0; i < ScoreNode->childCount() && before < 0; ++i)
        if (ScoreNode->child(i)->text(0).left(4).toInt() > year)
            before = i;
    // The book has placed the year in its list by the same rule.
    if (before < 0)
        ScoreNode->addChild(node);
    else
        ScoreNode->insertChild(before, node);
    const QIcon icon = nodeIcon(ImgFolderClosed, ImgFolderOpen);
    for (int i = 0; i < ScoreNode->childCount(); ++i)
        ScoreNode->child(i)->setIcon(0, icon);
    return node;
}

QTreeWidgetItem *TMainForm::insertScoreNodes(const TScoreRecord &card)
{
    const QString date = datetime::dateText(card.RoundDate);
    QTreeWidgetItem *year = ensureYearNode(datetime::yearText(card.RoundDate));
    auto *node = new QTreeWidgetItem({date});
    placeDateNode(year, node, datetime::toDate(card.RoundDate));
    return node;
}

QTreeWidgetItem *TMainForm::cardNode(TDateTime roundDate) const
{
    const QString date = datetime::dateText(roundDate);
    // The node clicked is the one meant, should a file ever hold two cards of one day.
    if (SelectedNode && SelectedNode->text(0) == date && SelectedNode->parent()
        && SelectedNode->parent()->parent() == ScoreNode)
        return SelectedNode;
    const QTreeWidgetItem *year = yearNode(datetime::yearText(roundDate));
    return year ? childNamed(year, date) : nullptr;
}
