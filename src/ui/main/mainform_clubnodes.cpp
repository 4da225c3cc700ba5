// The tree's golf club nodes and their course nodes. Tens of thousands of courses would
// cost the start-up their nodes, so a club's course nodes are made only when it is first
// opened or a look-up needs them; until then a club with courses shows that it can be
// opened. Every look-up of a course node goes through lazyChild(), which makes them first.
#include "mainform.h"

#include "imagelist.h"

#include <QSet>
#include <QTreeWidget>

void TMainForm::addClubNodes()
{
    QSet<QString> withCourses;
    for (const TCourseRecord &course : CourseList)
        withCourses.insert(course.LinksName);
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(LinksList.size());
    QSet<QString> seen;
    const QIcon icon = nodeIcon(ImgFolderClosed, ImgFolderOpen);
    for (const TLinksRecord &club : LinksList) {
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

void TMainForm::ensureCourseNodes(QTreeWidgetItem *club)
{
    if (!club || club->parent() != LinksNode || !childrenPending(club))
        return;
    club->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    const QString name = club->text(0);
    QList<QTreeWidgetItem *> nodes;
    for (const TCourseRecord &course : CourseList)
        if (course.LinksName == name)
            nodes.append(new QTreeWidgetItem({course.CourseName}));
    club->addChildren(nodes);
}

void TMainForm::addCourseNode(QTreeWidgetItem *club, const QString &courseName)
{
    // A club not opened yet makes the new course's node with the others.
    if (childrenPending(club))
        ensureCourseNodes(club);
    else
        club->addChild(new QTreeWidgetItem({courseName}));
}
