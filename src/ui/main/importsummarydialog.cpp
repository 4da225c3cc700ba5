#include "importsummarydialog.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ImportSummaryDialog::ImportSummaryDialog(QWidget *parent) : TModalDialog(parent)
{
    setObjectName(QStringLiteral("ImportSummaryDialog"));
    setWindowTitle(QStringLiteral("CSVから読み込む"));
    auto *layout = new QVBoxLayout(this);

    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("FileText"));
    m_file->setWordWrap(true);
    m_adds = new QLabel(this);
    m_adds->setObjectName(QStringLiteral("AddCountText"));
    m_conflicts = new QLabel(this);
    m_conflicts->setObjectName(QStringLiteral("ConflictCountText"));
    layout->addWidget(m_file);
    layout->addWidget(m_adds);
    layout->addWidget(m_conflicts);

    auto *choice = new QGroupBox(QStringLiteral("同じ日のスコアカードがある行は"), this);
    choice->setObjectName(QStringLiteral("ConflictGroup"));
    auto *choiceLayout = new QVBoxLayout(choice);
    m_skip = new QRadioButton(QStringLiteral("読み込まない(&S)"), choice);
    m_skip->setObjectName(QStringLiteral("SkipRadio"));
    m_replace = new QRadioButton(QStringLiteral("登録済みのスコアカードと置き換える(&R)"), choice);
    m_replace->setObjectName(QStringLiteral("ReplaceRadio"));
    choiceLayout->addWidget(m_skip);
    choiceLayout->addWidget(m_replace);
    layout->addWidget(choice);

    m_errorHeading = new QLabel(this);
    m_errorHeading->setObjectName(QStringLiteral("ErrorHeading"));
    m_errorHeading->setWordWrap(true);
    m_errors = new QListWidget(this);
    m_errors->setObjectName(QStringLiteral("ErrorList"));
    m_errors->setMinimumSize(520, 160);
    layout->addWidget(m_errorHeading);
    layout->addWidget(m_errors, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_import = new QPushButton(QStringLiteral("読み込む(&I)"), this);
    m_import->setObjectName(QStringLiteral("ImportButton"));
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(m_import);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_import, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_replace, &QRadioButton::toggled, this, &ImportSummaryDialog::updateImportButton);
}

bool ImportSummaryDialog::ask(
    const QString &file, const cardcolumns::ImportPlan &plan, bool *replaceTaken)
{
    m_ok = plan.ok();
    m_newCards = plan.newCards();
    m_conflictCount = plan.conflicts;
    m_file->setText(QStringLiteral("ファイル:  ") + QDir::toNativeSeparators(file));
    m_adds->setText(QStringLiteral("追加するスコアカード:  %1 枚").arg(m_ok ? m_newCards : 0));
    m_conflicts->setText(QStringLiteral("同じ日のスコアカードが登録済みの行:  %1 行")
                             .arg(m_ok ? m_conflictCount : 0));
    m_skip->setChecked(true);
    m_skip->parentWidget()->setEnabled(m_ok && m_conflictCount > 0);

    m_errors->clear();
    for (const csv::Error &error : plan.problems)
        m_errors->addItem(error.message());
    if (plan.problemCount > plan.problems.size())
        m_errors->addItem(QStringLiteral("ほかに %1 件の誤りがあります")
                              .arg(plan.problemCount - plan.problems.size()));
    m_errorHeading->setText(m_ok ? QString()
                                 : QStringLiteral("次の誤りがあるため、このファイルは読み込めません"
                                                  "（%1 件）。直してから読み込み直してください。")
                                       .arg(plan.problemCount));
    m_errorHeading->setVisible(!m_ok);
    m_errors->setVisible(!m_ok);
    updateImportButton();
    adjustSize();

    const bool accepted = ShowModal() == QDialog::Accepted && m_import->isEnabled();
    if (replaceTaken)
        *replaceTaken = m_replace->isChecked();
    return accepted;
}

void ImportSummaryDialog::updateImportButton()
{
    const bool something = m_newCards > 0 || (m_conflictCount > 0 && m_replace->isChecked());
    m_import->setEnabled(m_ok && something);
    if (m_import->isEnabled())
        m_import->setDefault(true);
}
