#pragma once

#include "core/data/recordbook.h"

#include <QString>

#include <array>

class QAction;
class QToolButton;
class QWidget;
class TreeNodes;
struct ScoreSheetLink;
struct Services;

// The pages of the window, in the order of their tabs.
enum class Page { Yotei, Links, Course, Score, Seiseki };

// The window's actions that the pages turn on and off, the two captions that tell the score
// display (the tool button's and the menu item's), and the tool buttons of the five editing
// actions, whose tips the page shown gives.
struct ShellActions {
    QAction *DataAppendAction = nullptr;
    QAction *DataRegistAction = nullptr;
    QAction *DataCancelAction = nullptr;
    QAction *DataDeleteAction = nullptr;
    QAction *DataChangeAction = nullptr;
    QAction *ScoreDispAction = nullptr;
    QAction *ChartAction1 = nullptr;
    QAction *ShukeiAction = nullptr;
    QToolButton *ScoreBtn = nullptr;
    QAction *ScoreDisp = nullptr;
    std::array<QToolButton *, 5> editButtons {}; // 追加, 登録, キャンセル, 削除, 変更
};

// What a page may ask of the window around it. A page reads and changes the records through
// the book; for the rest it has this, and never another page's controls.
class PageHost
{
public:
    virtual const Services &services() const = 0;
    virtual const ShellActions &actions() const = 0;
    // The tree's nodes of the records, which follow every change of a page.
    virtual TreeNodes &nodes() = 0;
    // The focus rule the boxes of every page share (see ScoreSheetLink).
    virtual ScoreSheetLink &sheetLink() = 0;

    virtual void setStatus(const QString &text) = 0;
    // The page's own status text: its count of records.
    virtual void pageStatus(Page page) = 0;
    // Shows the page without running the page change: it keeps what was just put on it.
    virtual void showPage(QWidget *page) = 0;
    // A record is about to be shown: the page is cancelled and the actions on a record off.
    virtual void ActionList_TreeView() = 0;
    // Tells the user to press Append first, when the page is not open for a new record.
    virtual void AppendCheck() = 0;

    // Shows a refusal of the book, then every file it could not write; false when refused.
    virtual bool settle(const BookChange &change) = 0;
    bool settle(Refusal refusal)
    {
        if (refusal == Refusal::None)
            return true; // a check passed: nothing has changed yet
        BookChange change;
        change.refusal = refusal;
        return settle(change);
    }

protected:
    ~PageHost() = default;
};
