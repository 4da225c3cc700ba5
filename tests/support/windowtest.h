#pragma once

#include "scripteddialogs.h"
#include "ui/main/mainform.h"
// The halves of the score card, whose boxes the tests reach like the window's other controls.
#include "ui/scorecard/scorecardframe.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <optional>

// A main window over a fresh data folder, with scripted seams, shown and active so that
// focus moves run the exit checks as they do for a user.
class WindowFixture
{
public:
    WindowFixture();
    ~WindowFixture();

    // Writes data files into the folder before the window is opened.
    void writeLinks(const QList<TLinksRecord> &list);
    void writeCourses(const QList<TCourseRecord> &list);
    void writeGolfers(const QStringList &names);
    void writeYotei(const QString &golfer, const QList<TYoteiRecord> &list);
    void writeScores(const QString &golfer, const QList<TScoreRecord> &list);

    // Opens the window (closing any open one first), where the given geometry puts it.
    // A golfer named is chosen again, as after a restore.
    TMainForm *open(std::optional<QRect> geometry = std::nullopt, const QString &golfer = {});
    void close();

    // Reads the files back.
    QList<TLinksRecord> readLinks() const;
    QList<TCourseRecord> readCourses() const;
    QList<TYoteiRecord> readYotei(const QString &golfer) const;
    QList<TScoreRecord> readScores(const QString &golfer) const;
    QStringList readGolfers() const;
    QString path(const QString &file) const { return dir.filePath(file); }

    template <class T> T *find(const QString &name) const
    {
        T *w = form->findChild<T *>(name);
        if (!w)
            qWarning("no control named %s", qPrintable(name));
        return w;
    }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QLabel *label(const QString &name) const { return find<QLabel>(name); }
    QComboBox *combo(const QString &name) const { return find<QComboBox>(name); }
    QString status() const;
    QTreeWidget *tree() const { return find<QTreeWidget>(QStringLiteral("TreeView1")); }

    // Tree nodes by their texts from the top ("ゴルフ場", "A倶楽部", "OUT").
    QTreeWidgetItem *node(const QStringList &path) const;
    QStringList childTexts(const QStringList &path) const;
    // Clicks a node as the user does (selects it, then the click handler runs).
    void clickNode(const QStringList &path);
    // The two halves of clickNode, for a benchmark that times the click alone: opens the way
    // to the node and scrolls it into view, giving the point to click (none when there is no
    // such node), then clicks there.
    std::optional<QPoint> reachNode(const QStringList &path);
    void clickTree(const QPoint &at);
    // Switches the page by its tab.
    void clickTab(int index);
    int currentPage() const;
    // Chooses an item of a combo box as the user does.
    void choose(QComboBox *combo, const QString &text);
    void choose(const QString &comboName, const QString &text) { choose(combo(comboName), text); }
    // Sends the text as key presses to the widget with the focus on it.
    static void keys(QWidget *widget, const QString &text);
    // Types into a box after giving it the focus, then leaves it with Tab.
    void type(QLineEdit *edit, const QString &text, bool leave = true);
    void type(const QString &editName, const QString &text, bool leave = true)
    {
        type(edit(editName), text, leave);
    }
    void trigger(const QString &actionName);
    bool enabled(const QString &actionName) const;

    QTemporaryDir dir;
    TestServices seams;
    std::unique_ptr<TMainForm> form;
};
