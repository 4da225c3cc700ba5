// The tree's nodes of the stored cards: a year node per year of cards, in year order, and
// under it a date node per card, in date order. A golfer may hold a hundred thousand cards,
// so a year's date nodes are made only when it is first opened or a look-up needs them;
// until then the year node shows that it can be opened. Every look-up of a date node goes
// through lazyChild(), so it finds the nodes as if they had always been there.
#include "mainform.h"

#include "core/data/datetime.h"
#include "imagelist.h"

#include <QHash>
#include <QSet>
#include <QTreeWidget>

namespace {

QTreeWidgetItem *newYearNode(const QString &text, const QIcon &icon, bool hasCards)
{
    auto *node = new QTreeWidgetItem({text});
    node->setIcon(0, icon);
    if (hasCards)
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return node;
}

} // namespace

void TMainForm::addScoreNodes(const QSet<QString> *withCards)
{
    // The year list holds the years in the order their first card comes, each with a card
    // when it has just been loaded.
    QList<QTreeWidgetItem *> yearNodes;
    const QIcon yearIcon = nodeIcon(ImgFolderClosed, ImgFolderClosed);
    for (qsizetype i = 1; i < YearList.size(); ++i)
        yearNodes.append(
            newYearNode(YearList[i], yearIcon, !withCards || withCards->contains(YearList[i])));
    ScoreNode->addChildren(yearNodes);
}

void TMainForm::rebuildScoreNodes()
{
    auto within = [this](QTreeWidgetItem *node) {
        for (; node; node = node->parent())
            if (node->parent() == ScoreNode)
                return true;
        return false;
    };
    if (within(SelectedNode)) {
        SelectedNode = YoteiNode;
        SelectedParent = nullptr;
    }
    qDeleteAll(ScoreNode->takeChildren());
    // A node per year of the year list (a year whose cards were all deleted keeps its node,
    // as it does until the golfer is loaded again, but has nothing to open).
    QSet<int> yearsWithCards;
    QSet<QString> textsWithCards;
    for (qsizetype i = 0; i < ScoreList.size(); ++i) {
        const TDateTime date = ScoreList.roundDate(i);
        const int year = datetime::toDate(date).year();
        if (!yearsWithCards.contains(year)) {
            yearsWithCards.insert(year);
            textsWithCards.insert(datetime::yearText(date));
        }
    }
    addScoreNodes(&textsWithCards);
}

void TMainForm::ensureDateNodes(QTreeWidgetItem *year)
{
    if (!year || year->parent() != ScoreNode || !childrenPending(year))
        return;
    year->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    // Every card of the year in list order. Its year text is worked out once per year
    // number, not once per card.
    const QString text = year->text(0);
    QHash<int, bool> ofThisYear;
    QList<QTreeWidgetItem *> nodes;
    for (qsizetype i = 0; i < ScoreList.size(); ++i) {
        const TDateTime date = ScoreList.roundDate(i);
        const int number = datetime::toDate(date).year();
        auto it = ofThisYear.find(number);
        if (it == ofThisYear.end())
            it = ofThisYear.insert(number, datetime::yearText(date) == text);
        if (*it)
            nodes.append(new QTreeWidgetItem({datetime::dateText(date)}));
    }
    year->addChildren(nodes);
}

void TMainForm::ensureDateNodesOf(TDateTime roundDate)
{
    ensureDateNodes(yearNode(datetime::yearText(roundDate)));
}

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

QTreeWidgetItem *TMainForm::insertScoreNodes(TDateTime roundDate)
{
    const QString date = datetime::dateText(roundDate);
    QTreeWidgetItem *year = ensureYearNode(datetime::yearText(roundDate));
    // A year not opened yet makes the new card's node with the others of its year.
    if (childrenPending(year))
        return lazyChild(year, date);
    auto *node = new QTreeWidgetItem({date});
    placeDateNode(year, node, datetime::toDate(roundDate));
    return node;
}

QTreeWidgetItem *TMainForm::cardNode(TDateTime roundDate)
{
    const QString date = datetime::dateText(roundDate);
    // The node clicked is the one meant, should a file ever hold two cards of one day.
    if (SelectedNode && SelectedNode->text(0) == date && SelectedNode->parent()
        && SelectedNode->parent()->parent() == ScoreNode)
        return SelectedNode;
    return lazyChild(yearNode(datetime::yearText(roundDate)), date);
}
