#include "exportdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using exportchoice::Content;
using exportchoice::Form;

ExportDialog::ExportDialog(QWidget *parent) : TModalDialog(parent)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("CSVに書き出す"));
    auto *layout = new QVBoxLayout(this);

    auto *contents = new QGroupBox(QStringLiteral("書き出す内容"), this);
    contents->setObjectName(QStringLiteral("ContentGroup"));
    auto *contentLayout = new QVBoxLayout(contents);
    const std::pair<Content, const char *> names[] = {{Content::Cards, "CardsRadio"},
        {Content::Yotei, "YoteiRadio"}, {Content::Links, "LinksRadio"},
        {Content::Results, "ResultsRadio"}, {Content::Analysis, "AnalysisRadio"}};
    for (const auto &[content, name] : names) {
        auto *radio = new QRadioButton(exportchoice::contentName(content), contents);
        radio->setObjectName(QString::fromLatin1(name));
        contentLayout->addWidget(radio);
        m_contents.append(radio);
    }
    layout->addWidget(contents);

    auto *forms = new QGroupBox(QStringLiteral("ファイルの形式"), this);
    forms->setObjectName(QStringLiteral("FormGroup"));
    auto *formLayout = new QVBoxLayout(forms);
    m_excel = new QRadioButton(exportchoice::formName(Form::Excel), forms);
    m_excel->setObjectName(QStringLiteral("ExcelRadio"));
    m_shiftJis = new QRadioButton(exportchoice::formName(Form::OldSpreadsheet), forms);
    m_shiftJis->setObjectName(QStringLiteral("ShiftJisRadio"));
    formLayout->addWidget(m_excel);
    formLayout->addWidget(m_shiftJis);
    layout->addWidget(forms);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<ExportDialog::Choice> ExportDialog::ask(const QList<Content> &offered, Content first)
{
    for (qsizetype i = 0; i < m_contents.size(); ++i) {
        const auto content = Content(i);
        m_contents[i]->setEnabled(offered.contains(content));
        m_contents[i]->setVisible(content != Content::Analysis || offered.contains(content));
    }
    m_contents[qsizetype(first)]->setChecked(true);
    m_excel->setChecked(true);
    adjustSize();
    if (ShowModal() != QDialog::Accepted)
        return std::nullopt;
    Choice choice;
    for (qsizetype i = 0; i < m_contents.size(); ++i)
        if (m_contents[i]->isChecked() && m_contents[i]->isEnabled())
            choice.content = Content(i);
    choice.form = m_shiftJis->isChecked() ? Form::OldSpreadsheet : Form::Excel;
    return choice;
}
