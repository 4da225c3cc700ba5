#include "scorecardframe.h"

#include "core/data/numeric.h"
#include "ui/common/numberformvalidator.h"
#include "ui/common/statictext.h"
#include "ui/common/services.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel *caption(QWidget *parent, const QString &name, const QString &text, Qt::Alignment align)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

// Empty counts 0; anything else must read as a whole number, or *ok turns false.
qint64 cellValue(const QString &text, bool *ok)
{
    const auto v = numeric::parseIntOrEmpty(text);
    if (!v)
        *ok = false;
    return v.value_or(0);
}

} // namespace

void ScoreSheetLink::refocus(QWidget *box)
{
    const bool suspended = exitChecksSuspended;
    exitChecksSuspended = true;
    box->setFocus();
    exitChecksSuspended = suspended;
}

bool ScoreSheetLink::focusPage(QWidget *page)
{
    // Taking the focus away from the box being edited runs its exit check first.
    const int refusals = exitRefusals;
    page->setFocus(Qt::OtherFocusReason);
    return exitRefusals == refusals;
}

TScoreCardFrame::TScoreCardFrame(ScoreSheetLink *link, QWidget *parent)
    : QFrame(parent), m_link(link)
{
    setFrameShape(QFrame::NoFrame);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // The card's raised border; every control of the half sits inside it.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Panel);
    Bevel1->setFrameShadow(QFrame::Raised);
    Bevel1->setLineWidth(2);
    outer->addWidget(Bevel1);

    auto *grid = new QGridLayout(Bevel1);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);

    grid->addWidget(
        caption(this, QStringLiteral("Label16"), QStringLiteral("コース"), Qt::AlignLeft), 0, 1, 1,
        4);
    grid->addWidget(
        caption(this, QStringLiteral("Label18"), QStringLiteral("グリーン"), Qt::AlignLeft), 0, 5,
        1, 2);
    grid->addWidget(
        caption(this, QStringLiteral("Label19"), QStringLiteral("ティー"), Qt::AlignLeft), 0, 7, 1,
        3);

    CourseCombo1 = new QComboBox(this);
    CourseCombo1->setObjectName(QStringLiteral("CourseCombo1"));
    CourseCombo1->setEditable(false);
    CourseText = staticText(QStringLiteral("CourseText"), kTextColour, this);
    CourseText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(CourseCombo1, 1, 1, 1, 4);
    grid->addWidget(CourseText, 1, 1, 1, 4);
    CourseText->installEventFilter(this);
    CourseCombo1->hide();

    GreenText = staticText(QStringLiteral("GreenText"), kTextColour, this);
    GreenText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TeeText = staticText(QStringLiteral("TeeText"), kTextColour, this);
    TeeText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(GreenText, 1, 5, 1, 2);
    grid->addWidget(TeeText, 1, 7, 1, 3);

    for (int h = 0; h < 9; ++h)
        grid->addWidget(caption(this, QStringLiteral("Label%1").arg(5 + h),
                            QStringLiteral("%1H").arg(h + 1), Qt::AlignRight),
            2, 1 + h);
    grid->addWidget(
        caption(this, QStringLiteral("Label14"), QStringLiteral("Hafe"), Qt::AlignHCenter), 2, 10);

    grid->addWidget(
        caption(this, QStringLiteral("Label1"), QStringLiteral("ﾔｰﾄﾞ"), Qt::AlignLeft), 3, 0);
    grid->addWidget(
        caption(this, QStringLiteral("Label2"), QStringLiteral("ﾊﾟｰ"), Qt::AlignLeft), 4, 0);
    grid->addWidget(
        caption(this, QStringLiteral("Label3"), QStringLiteral("ｽｺｱ"), Qt::AlignLeft), 5, 0);
    grid->addWidget(
        caption(this, QStringLiteral("Label4"), QStringLiteral("ﾊﾟｯﾄ"), Qt::AlignLeft), 6, 0);

    auto makeCell = [this](const QString &name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setAlignment(Qt::AlignRight);
        edit->setReadOnly(true);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        NumberFormValidator::install(edit);
        edit->setMinimumWidth(34);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { cellChangeCheck(edit); });
        return edit;
    };

    for (int h = 0; h < 9; ++h) {
        SYard[h] = staticText(QStringLiteral("SYard%1").arg(h + 1), kYardColour, this);
        SPar[h] = staticText(QStringLiteral("SPar%1").arg(h + 1), kParColour, this);
        SEdit[h] = makeCell(QStringLiteral("S%1Edit").arg(h + 1));
        PtEdit[h] = makeCell(QStringLiteral("Pt%1Edit").arg(h + 1));
        // What the user types must be a number of putts the card can hold; a stored card's
        // putts are shown as they were stored.
        connect(PtEdit[h], &QLineEdit::textEdited, this, [this, cell = PtEdit[h]] {
            const QString refusal = puttRefusal(cell->text());
            if (refusal.isEmpty())
                return;
            m_link->dialogs->warning(refusal);
            cell->clear();
        });
        grid->addWidget(SYard[h], 3, 1 + h);
        grid->addWidget(SPar[h], 4, 1 + h);
        grid->addWidget(SEdit[h], 5, 1 + h);
        grid->addWidget(PtEdit[h], 6, 1 + h);
    }
    SYardTotal = staticText(QStringLiteral("SYardTotal"), kYardColour, this);
    SParTotal = staticText(QStringLiteral("SParTotal"), kParColour, this);
    STText = staticText(QStringLiteral("STText"), kTextColour, this);
    PTText = staticText(QStringLiteral("PTText"), kTextColour, this);
    grid->addWidget(SYardTotal, 3, 10);
    grid->addWidget(SParTotal, 4, 10);
    grid->addWidget(STText, 5, 10);
    grid->addWidget(PTText, 6, 10);
    for (int c = 1; c <= 10; ++c)
        grid->setColumnStretch(c, 1);

    // Keyboard order: the course, the nine strokes, then the nine putts.
    QWidget::setTabOrder(CourseCombo1, SEdit[0]);
    for (int h = 0; h < 8; ++h)
        QWidget::setTabOrder(SEdit[h], SEdit[h + 1]);
    QWidget::setTabOrder(SEdit[8], PtEdit[0]);
    for (int h = 0; h < 8; ++h)
        QWidget::setTabOrder(PtEdit[h], PtEdit[h + 1]);
}

void TScoreCardFrame::setScoreReadOnly(bool readOnly)
{
    for (QLineEdit *e : SEdit)
        e->setReadOnly(readOnly);
}

void TScoreCardFrame::setPuttReadOnly(bool readOnly)
{
    for (QLineEdit *e : PtEdit)
        e->setReadOnly(readOnly);
}

bool TScoreCardFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CourseText) {
        // The static text lies over the combo box and hides it while it is shown.
        if (event->type() == QEvent::ShowToParent)
            CourseCombo1->hide();
        else if (event->type() == QEvent::HideToParent)
            CourseCombo1->show();
        return false;
    }
    if (event->type() == QEvent::FocusOut && !m_link->exitChecksSuspended) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Only a move to another control counts as leaving the cell; a dialog or a popup
        // taking the focus for a moment does not.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (!edit)
            return false;
        if (isUnfinishedNumber(edit->text())) {
            // A sign or a hexadecimal prefix alone was let through while typing; left like
            // that it is no number, and it must not stay in the cell.
            m_link->dialogs->warning(edit->text() + QStringLiteral("は、数字ではありません"));
            edit->clear();
            m_link->refocus(edit);
            return false;
        }
        if (SEdit.end() != std::find(SEdit.begin(), SEdit.end(), edit))
            ScoreSum(edit);
        else if (PtEdit.end() != std::find(PtEdit.begin(), PtEdit.end(), edit))
            PuttSum(edit);
    }
    return false;
}

void TScoreCardFrame::cellChangeCheck(QLineEdit *cell)
{
    const QString text = cell->text();
    if (text.trimmed().isEmpty())
        return;
    if (!numeric::isNumeric(text) && !isUnfinishedNumber(text)) {
        m_link->dialogs->warning(text + QStringLiteral("は、数字ではありません"));
        cell->clear();
    }
}

QString TScoreCardFrame::puttRefusal(const QString &text)
{
    switch (numeric::puttForm(text)) {
    case numeric::PuttForm::Empty:
    case numeric::PuttForm::Putts: return QString();
    case numeric::PuttForm::TooLong:
        return text + QStringLiteral("は、2桁までの数字で入力してください");
    case numeric::PuttForm::NotANumber: break;
    }
    return text + QStringLiteral("は、数字ではありません");
}

bool TScoreCardFrame::isUnfinishedNumber(const QString &text)
{
    // What a whole number looks like before its first digit: blanks, a sign, then "$", "x",
    // "X" or "0x". Refusing these at once would make "-1", "+4" or "$A" impossible to type.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QChar(' '))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QChar('+') || text[i] == QChar('-')))
        ++i;
    if (i < n && (text[i] == QChar('$') || text[i] == QChar('x') || text[i] == QChar('X')))
        ++i;
    else if (i + 1 < n && text[i] == QChar('0') && text[i + 1] == QChar('x'))
        i += 2;
    return i > start && i == n;
}

QString TScoreCardFrame::netScoreText(const QString &strokesText, const QString &handicapText)
{
    const auto strokes = numeric::parseFloat(strokesText);
    const auto handicap = handicapText.trimmed().isEmpty() ? std::optional<double>(0.0)
                                                           : numeric::parseFloat(handicapText);
    if (!strokes || !handicap)
        return QString();
    return numeric::blankDecimal(*strokes - *handicap);
}

void TScoreCardFrame::ScoreSum(QLineEdit *edit)
{
    const QString trimmed = edit->text().trimmed();
    if (trimmed.isEmpty()) {
        if (!m_link->appendAction->isEnabled()) {
            m_link->dialogs->warning(QStringLiteral("スコアが入力されていません"));
            m_link->refocus(edit);
        }
        return;
    }
    edit->setText(QChar(' ') + trimmed);

    bool ok = true;
    qint64 sum = 0;
    for (QLineEdit *cell : SEdit)
        sum += cellValue(cell->text(), &ok);
    if (!ok)
        return; // cannot happen: the change check keeps every cell a number or empty
    STText->setText(sum == 0 ? QString() : numeric::blankNumber(sum));
    Q_EMIT strokesTotalled();
}

void TScoreCardFrame::PuttSum(QLineEdit *edit)
{
    const QString trimmed = edit->text().trimmed();
    if (!trimmed.isEmpty())
        edit->setText(QChar(' ') + trimmed);
    else if (!edit->text().isEmpty())
        edit->clear();

    bool ok = true;
    if (!edit->text().isEmpty())
        cellValue(edit->text(), &ok);
    qint64 sum = 0;
    for (QLineEdit *cell : PtEdit)
        sum += cellValue(cell->text(), &ok);
    if (ok) {
        PTText->setText(sum == 0 ? QString() : numeric::blankNumber(sum));
    } else {
        m_link->dialogs->warning(edit->text() + QStringLiteral(" は数字ではありません"));
        m_link->refocus(edit);
    }
    Q_EMIT puttsTotalled();
}

qint64 TScoreCardFrame::strokeTotal() const
{
    bool ok = true;
    return cellValue(STText->text(), &ok);
}

std::optional<qint64> TScoreCardFrame::puttTotal() const
{
    bool ok = true;
    const qint64 value = cellValue(PTText->text(), &ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

void TScoreCardFrame::ScoreCardClear()
{
    CourseText->show();
    CourseText->clear();
    CourseCombo1->setCurrentIndex(-1);
    GreenText->clear();
    TeeText->clear();
    for (QLabel *l : SYard)
        l->clear();
    SYardTotal->clear();
    for (QLabel *l : SPar)
        l->clear();
    SParTotal->clear();
    for (QLineEdit *e : SEdit)
        e->clear();
    STText->clear();
    for (QLineEdit *e : PtEdit)
        e->clear();
    PTText->clear();
}
