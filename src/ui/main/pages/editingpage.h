#pragma once

#include <QStringList>

// A page as the window's five editing actions see it: the window hands 追加, 登録,
// キャンセル, 削除 and 変更 to the page shown and sets the actions' states from the answers.
class EditingPage
{
public:
    // 追加: opens the page for a new record; false on a page that holds no records.
    virtual bool append() = 0;
    // 登録: stores the new record the page holds; true when it was stored.
    virtual bool regist(qint64 freeBytes) = 0;
    // キャンセル: empties the page and makes it read-only.
    virtual void cancel() = 0;
    // 削除: deletes the record shown once the user agrees; true when it was deleted.
    virtual bool remove() = 0;
    // 変更: stores what the user changed in the record shown, once he agrees.
    virtual void change() = 0;
    // The tool tips of the five buttons in the order 追加, 登録, キャンセル, 削除, 変更;
    // none on a page that holds no records.
    virtual QStringList hints() const = 0;

protected:
    ~EditingPage() = default;
};
