// The hole boxes of the course page and the checks of their numbers.
#include "holepanel.h"

#include "pagecontrols.h"
#include "pagehost.h"

#include "core/data/numeric.h"
#include "ui/common/services.h"
#include "ui/common/statictext.h"
#include "ui/scorecard/scorecardframe.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <limits>

using namespace pagecontrols;

namespace {

// A yard longer than any hole is a typing mistake, not a distance.
constexpr qint32 kLongestYard = 9999;
constexpr qint32 kLargestPar = std::numeric_limits<qint32>::max();

const QString kYardNotNumber = QStringLiteral(" は数字ではありません");
const QString kParNotNumber = QStringLiteral("は数字ではありません");

HolePanel::Row readRow(const std::array<QLineEdit *, 9> &row, qint32 largest)
{
    HolePanel::Row result;
    QLineEdit *last = nullptr;
    for (int h = 0; h < 9; ++h) {
        const QString text = row[h]->text();
        if (text.trimmed().isEmpty())
            continue;
        const auto v = numeric::parseInt(text);
        if (!v || *v > largest) {
            if (!result.bad)
                result.bad = row[h];
            continue;
        }
        result.values[h] = *v;
        result.total += *v;
        last = row[h];
    }
    if (!result.bad && result.total != qint64(qint32(result.total))) {
        result.overflow = true;
        result.bad = last;
    }
    return result;
}

} // namespace

HolePanel::HolePanel(PageHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("HolePanel"));
    setFrameShape(QFrame::StyledPanel);
    auto *holes = new QGridLayout(this);
    holes->setHorizontalSpacing(4);
    for (int h = 0; h < 9; ++h) {
        auto *cap = heading(QStringLiteral("%1H").arg(h + 1), this);
        cap->setAlignment(Qt::AlignCenter);
        holes->addWidget(cap, 0, 1 + h);
    }
    auto *totalCap = heading(QStringLiteral("Total"), this);
    totalCap->setAlignment(Qt::AlignCenter);
    holes->addWidget(totalCap, 0, 10);
    holes->addWidget(heading(QStringLiteral("ヤード"), this), 1, 0);
    holes->addWidget(heading(QStringLiteral("パー"), this), 2, 0);
    for (int h = 0; h < 9; ++h) {
        YardEdit[h] = numberEdit(QStringLiteral("Yard%1Edit").arg(h + 1), this);
        ParEdit[h] = numberEdit(QStringLiteral("Par%1Edit").arg(h + 1), this);
        YardEdit[h]->setMinimumWidth(46);
        holes->addWidget(YardEdit[h], 1, 1 + h);
        holes->addWidget(ParEdit[h], 2, 1 + h);
    }
    YardTotalText = staticText(QStringLiteral("YardTotalText"), kYardColour, this);
    ParTotalText = staticText(QStringLiteral("ParTotalText"), kParColour, this);
    YardTotalText->setMinimumWidth(60);
    holes->addWidget(YardTotalText, 1, 10);
    holes->addWidget(ParTotalText, 2, 10);
    for (const auto *row : {&YardEdit, &ParEdit})
        for (QLineEdit *e : *row)
            e->installEventFilter(this);
}

bool HolePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut
        && exitCheckDue(static_cast<QFocusEvent *>(event), m_host.sheetLink())) {
        auto *edit = static_cast<QLineEdit *>(watched);
        if (std::find(YardEdit.begin(), YardEdit.end(), edit) != YardEdit.end())
            YardValueCheck(edit);
        else if (std::find(ParEdit.begin(), ParEdit.end(), edit) != ParEdit.end())
            ParValueCheck(edit);
    }
    return QFrame::eventFilter(watched, event);
}

HolePanel::Row HolePanel::yards() const
{
    return readRow(YardEdit, kLongestYard);
}

HolePanel::Row HolePanel::pars() const
{
    return readRow(ParEdit, kLargestPar);
}

QLineEdit *HolePanel::emptyBox() const
{
    for (const auto *row : {&YardEdit, &ParEdit})
        for (QLineEdit *e : *row)
            if (e->text().trimmed().isEmpty())
                return e;
    return nullptr;
}

void HolePanel::refuse(QLineEdit *bad)
{
    const bool yard = std::find(YardEdit.begin(), YardEdit.end(), bad) != YardEdit.end();
    m_host.services().dialogs->plain(
        QStringLiteral("Kestro"), bad->text() + (yard ? kYardNotNumber : kParNotNumber));
    m_host.sheetLink().refocus(bad);
}

void HolePanel::showHoles(const std::array<qint32, 9> &yards, const std::array<qint32, 9> &pars,
    qint64 yardTotal, qint64 parTotal)
{
    for (int h = 0; h < 9; ++h) {
        YardEdit[h]->setText(numeric::blankNumber(yards[h]));
        ParEdit[h]->setText(numeric::blankNumber(pars[h]));
    }
    showTotals(yardTotal, parTotal);
}

void HolePanel::showTotals(qint64 yardTotal, qint64 parTotal)
{
    YardTotalText->setText(numeric::blankNumber(yardTotal));
    ParTotalText->setText(numeric::blankNumber(parTotal));
}

void HolePanel::YardValueCheck(QLineEdit *edit)
{
    holeValueCheck(edit, YardEdit, kLongestYard, YardTotalText, kYardNotNumber);
}

void HolePanel::ParValueCheck(QLineEdit *edit)
{
    holeValueCheck(edit, ParEdit, kLargestPar, ParTotalText, kParNotNumber);
}

void HolePanel::holeValueCheck(QLineEdit *edit, const std::array<QLineEdit *, 9> &row,
    qint32 largest, QLabel *total, const QString &suffix)
{
    const QString text = edit->text();
    if (text.trimmed().isEmpty())
        return;
    const auto value = numeric::parseInt(text);
    const Row values = readRow(row, largest);
    // This box is refused when its own number is out of bounds or brings the total past
    // what the file stores; another box of the row that does not read yet keeps the total
    // as it was, and is reported when it is left, not this one, whose number is fine.
    if (!value || *value > largest || values.overflow) {
        ++m_host.sheetLink().exitRefusals;
        m_host.services().dialogs->plain(QStringLiteral("Kestro"), text + suffix);
        m_host.sheetLink().refocus(edit);
        return;
    }
    if (!values.bad)
        total->setText(numeric::blankNumber(values.total));
    edit->setText(QChar(' ') + text.trimmed());
}

void HolePanel::YardEditReadOnly()
{
    for (QLineEdit *e : YardEdit) {
        e->setReadOnly(true);
        e->clear();
    }
    YardTotalText->clear();
}

void HolePanel::YardEditNotReadOnly()
{
    for (QLineEdit *e : YardEdit)
        e->setReadOnly(false);
}

void HolePanel::ParEditReadOnly()
{
    for (QLineEdit *e : ParEdit) {
        e->setReadOnly(true);
        e->clear();
    }
    ParTotalText->clear();
}

void HolePanel::ParEditNotReadOnly()
{
    for (QLineEdit *e : ParEdit)
        e->setReadOnly(false);
}
