#pragma once

#include "core/data/cardcolumns.h"
#include "ui/common/modaldialog.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// What a CSV file of score cards would bring, before anything is written: the cards it adds,
// the rows whose day already holds a card (left out or replacing it, as the user chooses),
// and the first errors with their line and column, which keep the whole file out.
class ImportSummaryDialog final : public TModalDialog
{
    Q_OBJECT

public:
    explicit ImportSummaryDialog(QWidget *parent = nullptr);

    // True when the user chose to read the cards in; replaceTaken then tells what becomes of
    // the rows whose day is taken.
    bool ask(const QString &file, const cardcolumns::ImportPlan &plan, bool *replaceTaken);

private:
    void updateImportButton();

    QLabel *m_file = nullptr;
    QLabel *m_adds = nullptr;
    QLabel *m_conflicts = nullptr;
    QRadioButton *m_skip = nullptr;
    QRadioButton *m_replace = nullptr;
    QLabel *m_errorHeading = nullptr;
    QListWidget *m_errors = nullptr;
    QPushButton *m_import = nullptr;
    bool m_ok = false;
    int m_newCards = 0;
    int m_conflictCount = 0;
};
