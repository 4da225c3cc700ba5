#include "importsummarydialog.h"

#include "core/data/datetime.h"
#include "ui/common/windowfit.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// How many days and clubs a line names before it counts the rest.
constexpr int kNamedDays = 10;
constexpr int kNamedClubs = 5;

QLabel *line(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QString conflictDaysText(const QList<TDateTime> &days)
{
    QStringList shown;
    for (qsizetype i = 0; i < days.size() && i < kNamedDays; ++i)
        shown.append(datetime::dateText(days[i]));
    QString text = shown.join(QStringLiteral("、"));
    if (days.size() > kNamedDays)
        text += QStringLiteral(" ほか %1 日").arg(days.size() - kNamedDays);
    return QStringLiteral("（") + text + QStringLiteral("）");
}

QString clubsText(const QStringList &clubs)
{
    QString text = clubs.mid(0, kNamedClubs).join(QStringLiteral("、"));
    if (clubs.size() > kNamedClubs)
        text += QStringLiteral(" ほか %1 か所").arg(clubs.size() - kNamedClubs);
    return QStringLiteral("登録されていないゴルフ場:  ") + text
        + QStringLiteral(
            "\n（スコアカードはそのまま読み込みます。ゴルフ場はあとから登録できます）");
}

} // namespace

ImportSummaryDialog::ImportSummaryDialog(QWidget *parent) : TModalDialog(parent)
{
    setObjectName(QStringLiteral("ImportSummaryDialog"));
    setWindowTitle(QStringLiteral("CSVから読み込む"));
    // The summary and the errors scroll on a small screen; the buttons stay below them.
    auto *body = new QWidget;
    body->setObjectName(QStringLiteral("ImportSummaryBody"));
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);

    m_file = line(QStringLiteral("FileText"), body);
    m_adds = line(QStringLiteral("AddCountText"), body);
    m_conflicts = line(QStringLiteral("ConflictCountText"), body);
    m_conflictDays = line(QStringLiteral("ConflictDaysText"), body);
    m_errorRows = line(QStringLiteral("ErrorRowCountText"), body);
    m_ratings = line(QStringLiteral("RatingCountText"), body);
    m_clubs = line(QStringLiteral("UnregisteredClubsText"), body);
    for (QLabel *label :
        {m_file, m_adds, m_conflicts, m_conflictDays, m_errorRows, m_ratings, m_clubs})
        layout->addWidget(label);

    auto *choice = new QGroupBox(QStringLiteral("同じ日のスコアカードがある行は"), body);
    choice->setObjectName(QStringLiteral("ConflictGroup"));
    auto *choiceLayout = new QVBoxLayout(choice);
    m_skip = new QRadioButton(QStringLiteral("読み込まない(&S)"), choice);
    m_skip->setObjectName(QStringLiteral("SkipRadio"));
    m_replace = new QRadioButton(QStringLiteral("登録済みのスコアカードと置き換える(&R)"), choice);
    m_replace->setObjectName(QStringLiteral("ReplaceRadio"));
    choiceLayout->addWidget(m_skip);
    choiceLayout->addWidget(m_replace);
    layout->addWidget(choice);

    m_goodRowsOnly = new QCheckBox(QStringLiteral("エラーのない行だけ読み込む"), body);
    m_goodRowsOnly->setObjectName(QStringLiteral("GoodRowsOnlyCheck"));
    layout->addWidget(m_goodRowsOnly);

    m_errorHeading = line(QStringLiteral("ErrorHeading"), body);
    m_errors = new QListWidget(body);
    m_errors->setObjectName(QStringLiteral("ErrorList"));
    m_errors->setMinimumSize(480, 140);
    // A long message wraps rather than running off to the right.
    m_errors->setWordWrap(true);
    m_errors->setTextElideMode(Qt::ElideNone);
    m_errors->setResizeMode(QListView::Adjust);
    m_errors->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_errorHeading);
    layout->addWidget(m_errors, 1);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(windowfit::scrolled(body, this), 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_import = new QPushButton(QStringLiteral("読み込む(&I)"), this);
    m_import->setObjectName(QStringLiteral("ImportButton"));
    m_cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(m_import);
    buttons->addWidget(m_cancel);
    outer->addLayout(buttons);
    // The size the user gives it stays for the next file.
    setRemembersSize(true);
    resize(640, 520);

    connect(m_import, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_replace, &QRadioButton::toggled, this, &ImportSummaryDialog::update);
    connect(m_goodRowsOnly, &QCheckBox::toggled, this, &ImportSummaryDialog::update);
}

bool ImportSummaryDialog::ask(
    const QString &file, const cardcolumns::ImportPlan &plan, ImportChoice *choice)
{
    m_plan = &plan;
    m_file->setText(QStringLiteral("ファイル:  ") + QDir::toNativeSeparators(file));
    m_adds->setText(QStringLiteral("追加するスコアカード:  %1 枚").arg(plan.newCards()));
    m_conflicts->setText(
        QStringLiteral("同じ日のスコアカードが登録済みの行:  %1 行").arg(plan.conflicts));
    m_conflictDays->setText(conflictDaysText(plan.conflictDays()));
    m_conflictDays->setVisible(plan.conflicts > 0);
    m_errorRows->setText(QStringLiteral("誤りのある行:  %1 行").arg(plan.errorRows));
    m_clubs->setText(clubsText(plan.unregisteredClubs));
    m_clubs->setVisible(!plan.unregisteredClubs.isEmpty());
    m_skip->setChecked(true);
    m_skip->parentWidget()->setEnabled(plan.conflicts > 0);
    m_goodRowsOnly->setChecked(false);
    m_goodRowsOnly->setVisible(plan.readable && !plan.ok());

    m_errors->clear();
    for (const csv::Error &error : plan.problems)
        m_errors->addItem(error.message());
    if (plan.problemCount > plan.problems.size())
        m_errors->addItem(QStringLiteral("ほかに %1 件の誤りがあります")
                              .arg(plan.problemCount - plan.problems.size()));
    m_errorHeading->setVisible(!plan.ok());
    m_errors->setVisible(!plan.ok());
    update();
    // Enter reads the file in when it can be read, and cancels when it cannot.
    (m_import->isEnabled() ? m_import : m_cancel)->setFocus();

    const bool accepted = ShowModal() == QDialog::Accepted && m_import->isEnabled();
    if (choice)
        *choice = {m_replace->isChecked(), m_goodRowsOnly->isChecked()};
    m_plan = nullptr;
    return accepted;
}

void ImportSummaryDialog::update()
{
    if (!m_plan)
        return;
    const cardcolumns::ImportPlan &plan = *m_plan;
    const bool replace = m_replace->isChecked();
    const bool goodRowsOnly = m_goodRowsOnly->isChecked();
    m_ratings->setText(
        QStringLiteral("レーティングが変わるラウンド:  %1 件").arg(plan.ratingChanges(replace)));
    if (!plan.readable)
        m_errorHeading->setText(QStringLiteral("次の誤りがあるため、このファイルは読み込めません"
                                               "（%1 件）。直してから読み込み直してください。")
                                    .arg(plan.problemCount));
    else if (!goodRowsOnly)
        m_errorHeading->setText(
            QStringLiteral("次の誤りがあるため、このファイルは読み込めません（%1 件）。直してから"
                           "読み込み直すか、「エラーのない行だけ読み込む」を選んでください。")
                .arg(plan.problemCount));
    else
        m_errorHeading->setText(
            QStringLiteral("次の誤りのある %1 行は読み込みません。").arg(plan.errorRows));
    const bool something = plan.newCards() > 0 || (plan.conflicts > 0 && replace);
    m_import->setEnabled(plan.importable(goodRowsOnly) && something);
    m_import->setDefault(m_import->isEnabled());
    m_cancel->setDefault(!m_import->isEnabled());
}
