#pragma once

#include "core/data/records.h"

#include <QSet>
#include <QString>

class QDate;
class QTreeWidget;
class QTreeWidgetItem;
class RecordBook;

// The navigation tree's nodes of the records, kept in step with the book: the three top
// nodes, a node per planned round, a node per golf club with its courses, and a node per year
// with its cards. A club's course nodes and a year's card nodes are made when it is first
// opened or a look-up needs them: a look-up goes through lazyChild(), which makes them first,
// so it finds them as if they had always been there.
class TreeNodes final
{
public:
    explicit TreeNodes(const RecordBook &book);

    // The three top nodes, in the tree emptied first.
    void addTopNodes(QTreeWidget *tree);
    // The nodes of the chosen golfer's planned rounds and years, as he is loaded.
    void addGolferNodes();
    // Every node of the golfer's rounds and cards goes; so does a chosen node among them.
    void releaseGolferNodes();

    // The club nodes, whose course nodes are made when a club is first opened or looked into.
    void addClubNodes();
    QTreeWidgetItem *linksNodeOf(const QString &linksName) const;
    void addCourseNode(QTreeWidgetItem *club, const QString &courseName);
    QTreeWidgetItem *courseNodeOf(const QString &linksName, const QString &courseName);

    // A year node per year of the year list, whose date nodes are made when it is first
    // opened or a look-up needs them. Only the years in `withCards` (every year without it)
    // can be opened.
    void addScoreNodes(const QSet<QString> *withCards = nullptr);
    void rebuildScoreNodes();
    QTreeWidgetItem *yearNode(const QString &yearText) const;
    QTreeWidgetItem *ensureYearNode(const QString &yearText);
    void ensureDateNodesOf(TDateTime roundDate);
    QTreeWidgetItem *insertScoreNodes(TDateTime roundDate);
    QTreeWidgetItem *cardNode(TDateTime roundDate);
    // A card's node moved to another day: it goes where that day belongs, under its year,
    // and stays the chosen node; made anew when there was none.
    QTreeWidgetItem *moveCardNode(QTreeWidgetItem *node, TDateTime storedDate);

    // A node opened for the first time or looked into: a club's courses or a year's cards
    // are made if they have not been yet.
    void ensureChildren(QTreeWidgetItem *node);
    // The first child of the node with the text, the one a click on that text finds; for a
    // club or year node (none for no node), its children made first.
    QTreeWidgetItem *lazyChild(QTreeWidgetItem *parent, const QString &text);

    QTreeWidgetItem *YoteiNode = nullptr;
    QTreeWidgetItem *LinksNode = nullptr;
    QTreeWidgetItem *ScoreNode = nullptr;
    // The node clicked last (or put in its place), which Change and Delete act on.
    QTreeWidgetItem *SelectedNode = nullptr;
    QTreeWidgetItem *SelectedParent = nullptr;

private:
    void ensureCourseNodes(QTreeWidgetItem *club);
    void ensureDateNodes(QTreeWidgetItem *year);
    static void placeDateNode(QTreeWidgetItem *year, QTreeWidgetItem *node, const QDate &date);
    // A club or year node whose children have not been made yet.
    static bool childrenPending(const QTreeWidgetItem *node);
    static QTreeWidgetItem *childNamed(const QTreeWidgetItem *parent, const QString &text);

    const RecordBook &m_book;
};
