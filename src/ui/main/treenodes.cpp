// The tree's nodes of the records. Tens of thousands of courses, or a hundred thousand cards,
// would cost the start-up their nodes, so a club's course nodes and a year's date nodes are
// made only when it is first opened or a look-up needs them; until then the node shows that
// it can be opened.
#include "treenodes.h"

#include "core/data/datetime.h"
#include "core/data/recordbook.h"
#include "imagelist.h"

#include <QHash>
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

TreeNodes::TreeNodes(const RecordBook &book) : m_book(book) { }

void TreeNodes::addTopNodes(QTreeWidget *tree)
{
    tree->clear();
    YoteiNode = new QTreeWidgetItem(tree, {QStringLiteral("予定")});
    YoteiNode->setIcon(0, imageIcon(ImgSchedule));
    LinksNode = new QTreeWidgetItem(tree, {QStringLiteral("ゴルフ場")});
    LinksNode->setIcon(0, imageIcon(ImgLinks));
    ScoreNode = new QTreeWidgetItem(tree, {QStringLiteral("スコアカード")});
    ScoreNode->setIcon(0, imageIcon(ImgScoreCard));
    SelectedNode = YoteiNode;
}

void TreeNodes::addGolferNodes()
{
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(m_book.yotei().size());
    for (const TYoteiRecord &r : m_book.yotei())
        nodes.append(new QTreeWidgetItem({datetime::dateText(r.RoundDate)}));
    YoteiNode->addChildren(nodes);
    addScoreNodes();
}

void TreeNodes::releaseGolferNodes()
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
    qDeleteAll(YoteiNode->takeChildren());
    qDeleteAll(ScoreNode->takeChildren());
}

void TreeNodes::addClubNodes()
{
    QSet<QString> withCourses;
    for (const TCourseRecord &course : m_book.courses())
        withCourses.insert(course.LinksName);
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(m_book.links().size());
    QSet<QString> seen;
    const QIcon icon = nodeIcon(ImgFolderClosed, ImgFolderOpen);
    for (const TLinksRecord &club : m_book.links()) {
        auto *node = new QTreeWidgetItem({club.LinksName});
        node->setIcon(0, icon);
        // The first club of a name owns the course nodes, as a tree click finds clubs.
        if (!seen.contains(club.LinksName)) {
            seen.insert(club.LinksName);
            if (withCourses.contains(club.LinksName))
                node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        }
        nodes.append(node);
    }
    LinksNode->addChildren(nodes);
}

void TreeNodes::ensureCourseNodes(QTreeWidgetItem *club)
{
    if (!club || club->parent() != LinksNode || !childrenPending(club))
        return;
    club->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    const QString name = club->text(0);
    QList<QTreeWidgetItem *> nodes;
    for (const TCourseRecord &course : m_book.courses())
        if (course.LinksName == name)
            nodes.append(new QTreeWidgetItem({course.CourseName}));
    club->addChildren(nodes);
}

void TreeNodes::addCourseNode(QTreeWidgetItem *club, const QString &courseName)
{
    // A club not opened yet makes the new course's node with the others.
    if (childrenPending(club))
        ensureCourseNodes(club);
    else
        club->addChild(new QTreeWidgetItem({courseName}));
}

QTreeWidgetItem *TreeNodes::linksNodeOf(const QString &linksName) const
{
    const QList<TLinksRecord> &links = m_book.links();
    for (int i = 0; i < links.size(); ++i)
        if (links[i].LinksName == linksName)
            return LinksNode->child(i);
    return nullptr;
}

QTreeWidgetItem *TreeNodes::courseNodeOf(const QString &linksName, const QString &courseName)
{
    return lazyChild(linksNodeOf(linksName), courseName);
}

void TreeNodes::addScoreNodes(const QSet<QString> *withCards)
{
    // The year list holds the years in the order their first card comes, each with a card
    // when it has just been loaded.
    const QStringList &years = m_book.yearList();
    QList<QTreeWidgetItem *> yearNodes;
    const QIcon yearIcon = nodeIcon(ImgFolderClosed, ImgFolderClosed);
    for (qsizetype i = 1; i < years.size(); ++i)
        yearNodes.append(
            newYearNode(years[i], yearIcon, !withCards || withCards->contains(years[i])));
    ScoreNode->addChildren(yearNodes);
}

void TreeNodes::rebuildScoreNodes()
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
    const RecordList<TScoreRecord> &cards = m_book.scoreRecords();
    QSet<int> yearsWithCards;
    QSet<QString> textsWithCards;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const TDateTime date = cards.roundDate(i);
        const int year = datetime::toDate(date).year();
        if (!yearsWithCards.contains(year)) {
            yearsWithCards.insert(year);
            textsWithCards.insert(datetime::yearText(date));
        }
    }
    addScoreNodes(&textsWithCards);
}

void TreeNodes::ensureDateNodes(QTreeWidgetItem *year)
{
    if (!year || year->parent() != ScoreNode || !childrenPending(year))
        return;
    year->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    // Every card of the year in list order. Its year text is worked out once per year
    // number, not once per card.
    const RecordList<TScoreRecord> &cards = m_book.scoreRecords();
    const QString text = year->text(0);
    QHash<int, bool> ofThisYear;
    QList<QTreeWidgetItem *> nodes;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const TDateTime date = cards.roundDate(i);
        const int number = datetime::toDate(date).year();
        auto it = ofThisYear.find(number);
        if (it == ofThisYear.end())
            it = ofThisYear.insert(number, datetime::yearText(date) == text);
        if (*it)
            nodes.append(new QTreeWidgetItem({datetime::dateText(date)}));
    }
    year->addChildren(nodes);
}

void TreeNodes::ensureDateNodesOf(TDateTime roundDate)
{
    ensureDateNodes(yearNode(datetime::yearText(roundDate)));
}

// A date node goes before the first node of its year with a later date.
void TreeNodes::placeDateNode(QTreeWidgetItem *year, QTreeWidgetItem *node, const QDate &date)
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

QTreeWidgetItem *TreeNodes::yearNode(const QString &yearText) const
{
    return childNamed(ScoreNode, yearText);
}

QTreeWidgetItem *TreeNodes::ensureYearNode(const QString &yearText)
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

QTreeWidgetItem *TreeNodes::insertScoreNodes(TDateTime roundDate)
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

QTreeWidgetItem *TreeNodes::cardNode(TDateTime roundDate)
{
    const QString date = datetime::dateText(roundDate);
    // The node clicked is the one meant, should a file ever hold two cards of one day.
    if (SelectedNode && SelectedNode->text(0) == date && SelectedNode->parent()
        && SelectedNode->parent()->parent() == ScoreNode)
        return SelectedNode;
    return lazyChild(yearNode(datetime::yearText(roundDate)), date);
}

QTreeWidgetItem *TreeNodes::moveCardNode(QTreeWidgetItem *node, TDateTime storedDate)
{
    const bool wasCurrent = node && node->treeWidget()->currentItem() == node;
    if (node) {
        QTreeWidgetItem *oldYear = node->parent();
        oldYear->takeChild(oldYear->indexOfChild(node));
        node->setText(0, datetime::dateText(storedDate));
        placeDateNode(
            ensureYearNode(datetime::yearText(storedDate)), node, datetime::toDate(storedDate));
    } else {
        node = insertScoreNodes(storedDate);
    }
    SelectedNode = node;
    SelectedParent = node->parent();
    if (wasCurrent)
        node->treeWidget()->setCurrentItem(node);
    return node;
}

bool TreeNodes::childrenPending(const QTreeWidgetItem *node)
{
    return node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

QTreeWidgetItem *TreeNodes::childNamed(const QTreeWidgetItem *parent, const QString &text)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

void TreeNodes::ensureChildren(QTreeWidgetItem *node)
{
    if (!node)
        return;
    if (node->parent() == LinksNode)
        ensureCourseNodes(node);
    else if (node->parent() == ScoreNode)
        ensureDateNodes(node);
}

QTreeWidgetItem *TreeNodes::lazyChild(QTreeWidgetItem *parent, const QString &text)
{
    ensureChildren(parent);
    return parent ? childNamed(parent, text) : nullptr;
}
