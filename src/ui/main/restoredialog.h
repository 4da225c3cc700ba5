#pragma once

#include "core/data/backup.h"
#include "ui/common/modaldialog.h"

class QPushButton;
class QTreeWidget;

// The backups, newest first, with what each holds and whether it is whole; a damaged one
// cannot be chosen.
class RestoreDialog final : public TModalDialog
{
    Q_OBJECT

public:
    explicit RestoreDialog(QWidget *parent = nullptr);

    // The folder name of the backup chosen for restoring; empty when the dialog was closed.
    QString choose(const QList<backup::Entry> &entries);

    // "2026/12/07", or with the time for a copy taken before a restore.
    static QString title(const backup::Entry &entry);

private:
    void updateRestoreButton();

    QTreeWidget *m_list = nullptr;
    QPushButton *m_restore = nullptr;
};
