#include "shukeiform.h"

#include "core/data/numeric.h"
#include "ui/common/numberformvalidator.h"
#include "ui/common/services.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char *const kKinds[3] = {"詳細", "一覧", "昇順"};

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

TShukeiForm::TShukeiForm(DialogService &dialogs, QWidget *parent)
    : TModalDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("ShukeiForm"));

    // A single year is chosen: "年", not a count of years.
    Label21 = label(QStringLiteral("Label21"), QStringLiteral("年"), this);
    KensakuYearCombo = new QComboBox(this);
    KensakuYearCombo->setObjectName(QStringLiteral("KensakuYearCombo"));
    KensakuYearCombo->setEditable(false);
    KensakuYearCombo->setMinimumWidth(110);
    Label25 = label(QStringLiteral("Label25"), QStringLiteral("ゴルフ場"), this);
    KensakuLinksCombo = new QComboBox(this);
    KensakuLinksCombo->setObjectName(QStringLiteral("KensakuLinksCombo"));
    KensakuLinksCombo->setEditable(false);
    KensakuLinksCombo->setMinimumWidth(220);
    KensakuLinksCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("最近"), GroupBox1);
    CountEdit = new QLineEdit(GroupBox1);
    CountEdit->setObjectName(QStringLiteral("CountEdit"));
    CountEdit->setFixedWidth(60);
    CountEdit->setAlignment(Qt::AlignRight);
    NumberFormValidator::install(CountEdit);
    CountEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("ラウンドの成績を集計する"), GroupBox1);
    Label3 = label(QStringLiteral("Label3"), QString(), GroupBox1);

    ShukeiGroup = new QGroupBox(QStringLiteral("集計内容"), this);
    ShukeiGroup->setObjectName(QStringLiteral("ShukeiGroup"));
    m_kinds = new QButtonGroup(this);
    auto *kindsLayout = new QVBoxLayout(ShukeiGroup);
    const QStringList items = {QStringLiteral("スコアの詳細を集計する"),
        QStringLiteral("スコアの一覧を集計する"), QStringLiteral("スコアの一覧を昇順で集計する")};
    for (int k = 0; k < items.size(); ++k) {
        auto *radio = new QRadioButton(items[k], ShukeiGroup);
        radio->setObjectName(QStringLiteral("ShukeiGroupItem%1").arg(k));
        m_kinds->addButton(radio, k);
        kindsLayout->addWidget(radio);
    }
    m_kinds->button(0)->setChecked(true);

    Button1 = new QPushButton(QStringLiteral("スコアの成績を集計する"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);

    auto *combos = new QGridLayout;
    combos->addWidget(Label21, 0, 0);
    combos->addWidget(KensakuYearCombo, 1, 0);
    combos->addWidget(Label25, 0, 1);
    combos->addWidget(KensakuLinksCombo, 1, 1);
    combos->setColumnStretch(1, 1);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(Label1);
    countRow->addWidget(CountEdit);
    countRow->addWidget(Label2);
    countRow->addStretch(1);
    auto *frame = new QVBoxLayout(GroupBox1);
    frame->addLayout(countRow);
    frame->addWidget(Label3);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    buttonRow->addStretch(1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 12, 14, 12);
    outer->setSpacing(10);
    outer->addLayout(combos);
    outer->addWidget(GroupBox1);
    outer->addWidget(ShukeiGroup);
    outer->addLayout(buttonRow);

    connect(KensakuYearCombo, &QComboBox::activated, this, &TShukeiForm::KensakuYearComboChange);
    connect(KensakuLinksCombo, &QComboBox::activated, this, &TShukeiForm::KensakuYearComboChange);
    connect(Button1, &QPushButton::clicked, this, &TShukeiForm::Button1Click);
    // Enter and typing are this box's own: the check that a press elsewhere refused is over.
    connect(CountEdit, &QLineEdit::returnPressed, this, [this] { m_countRefused = false; });
    connect(CountEdit, &QLineEdit::textEdited, this, [this] { m_countRefused = false; });
    CountEdit->installEventFilter(this);

    FormCreate();
    Label3->setText(QStringLiteral("（総ラウンド数は 0000 ラウンドです）"));
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
    Label3->clear();
}

void TShukeiForm::FormCreate()
{
    setWindowTitle(QStringLiteral("集計内容の設定"));
}

void TShukeiForm::refill(const QStringList &years, const QStringList &links, int totalRounds)
{
    KensakuYearCombo->clear();
    KensakuYearCombo->addItems(years);
    KensakuLinksCombo->clear();
    KensakuLinksCombo->addItems(links);
    KensakuYearCombo->setCurrentIndex(KensakuYearCombo->count() > 0 ? 0 : -1);
    KensakuLinksCombo->setCurrentIndex(KensakuLinksCombo->count() > 0 ? 0 : -1);
    const QString total = QString::number(totalRounds);
    CountEdit->setText(total);
    CountEdit->setEnabled(true);
    Label3->setText(
        QStringLiteral("（総ラウンド数は ") + total + QStringLiteral(" ラウンドです）"));
}

void TShukeiForm::ShowShukei()
{
    FormShow();
    ShowModal();
}

void TShukeiForm::FormShow()
{
    m_totalRounds = numeric::parseInt(CountEdit->text()).value_or(0);
    m_kensakuYear.clear();
    m_kensakuLinks.clear();
    m_shukeiKind.clear();
    m_countRefused = false;
    KensakuYearCombo->setFocus();
}

void TShukeiForm::KensakuYearComboChange()
{
    CountEdit->setEnabled(KensakuYearCombo->currentText() == stats::kAll
        && KensakuLinksCombo->currentText() == stats::kAll);
}

bool TShukeiForm::countAcceptable()
{
    const QString text = CountEdit->text();
    const auto count = numeric::parseInt(text);
    QString message;
    if (!count)
        message = QStringLiteral("入力された値は無効です");
    // The full count stands for every card, even when there is none.
    else if (*count != m_totalRounds && (*count < 1 || *count > m_totalRounds))
        message = QStringLiteral("集計するラウンド数が、総ラウンド数を超えています");
    if (message.isEmpty())
        return true;
    m_checking = true;
    m_dialogs.warning(message);
    CountEdit->setText(QString::number(m_totalRounds));
    CountEdit->setFocus();
    m_checking = false;
    return false;
}

bool TShukeiForm::CountEditExit()
{
    m_countRefused = !countAcceptable();
    return !m_countRefused;
}

bool TShukeiForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CountEdit && event->type() == QEvent::FocusOut && !m_checking
        && CountEdit->isEnabled() && isVisible()) {
        // Only a move to another control of this dialog leaves the box; another window
        // coming up does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CountEditExit();
    }
    return TModalDialog::eventFilter(watched, event);
}

void TShukeiForm::Button1Click()
{
    if (m_countRefused) {
        m_countRefused = false;
        return;
    }
    // Enter confirms without the box losing the focus, so the count is checked here too.
    if (CountEdit->isEnabled() && !countAcceptable())
        return;
    m_kensakuYear = KensakuYearCombo->currentText();
    m_kensakuLinks = KensakuLinksCombo->currentText();
    m_countApplied = CountEdit->isEnabled();
    m_roundCount
        = m_countApplied ? numeric::parseInt(CountEdit->text()).value_or(0) : m_totalRounds;
    m_shukeiKind = QString::fromUtf8(kKinds[qBound(0, m_kinds->checkedId(), 2)]);
    accept();
}

stats::TallyCondition TShukeiForm::condition() const
{
    // Without the count the cards of the year or club are wanted, however many are held now.
    return {m_kensakuYear, m_kensakuLinks, m_countApplied ? m_roundCount : -1};
}

bool TShukeiForm::countEnabled() const
{
    return CountEdit->isEnabled();
}

int TShukeiForm::countValue() const
{
    return numeric::parseInt(CountEdit->text()).value_or(-1);
}
