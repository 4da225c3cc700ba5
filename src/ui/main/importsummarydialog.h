#pragma once

#include "core/data/cardcolumns.h"
#include "ui/common/modaldialog.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// What the user chose to read in.
struct ImportChoice {
    bool replaceTaken = false; // rows whose day holds a card replace it, rather than stay out
    bool goodRowsOnly = false; // the rows without errors are read, the others left out
};

// What a CSV file of score cards would bring, before anything is written: the cards it adds,
// the rows whose day already holds a card (left out or replacing it, as the user chooses),
// the ratings that change, the clubs the cards name that are not registered, and the rows
// with errors, listed with their line and column, which keep the whole file out unless the
// user reads only the rows without them. Enter reads the file in; Escape cancels.
class ImportSummaryDialog final : public TModalDialog
{
    Q_OBJECT

public:
    explicit ImportSummaryDialog(QWidget *parent = nullptr);

    // True when the user chose to read the cards in, as `choice` then tells.
    bool ask(const QString &file, const cardcolumns::ImportPlan &plan, ImportChoice *choice);

private:
    void update();

    QLabel *m_file = nullptr;
    QLabel *m_adds = nullptr;
    QLabel *m_conflicts = nullptr;
    QLabel *m_conflictDays = nullptr;
    QLabel *m_errorRows = nullptr;
    QLabel *m_ratings = nullptr;
    QLabel *m_clubs = nullptr;
    QRadioButton *m_skip = nullptr;
    QRadioButton *m_replace = nullptr;
    QCheckBox *m_goodRowsOnly = nullptr;
    QLabel *m_errorHeading = nullptr;
    QListWidget *m_errors = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_cancel = nullptr;
    const cardcolumns::ImportPlan *m_plan = nullptr;
};
