#include "detailrows.h"

#include "scorecardframe.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const char *const kCountNames[DetailCountKinds] = {"Ob", "Penalty", "FwBunker", "GreenBunker"};
const char *const kCountCaptions[DetailCountKinds]
    = {"OB", "ペナルティ", "FWバンカー", "グリーンバンカー"};

// The arrows are what the keys set; the file and the CSV columns write "左" and "右".
QString fairwayMark(Fairway f)
{
    switch (f) {
    case Fairway::Hit: return QStringLiteral("○");
    case Fairway::Left: return QStringLiteral("←");
    case Fairway::Right: return QStringLiteral("→");
    case Fairway::None: break;
    }
    return {};
}

// The digit a key types, half-width or full-width; -1 for any other key.
int typedDigit(const QKeyEvent *key)
{
    const QString text = key->text();
    if (text.size() != 1)
        return -1;
    const char16_t c = text[0].unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'０' && c <= u'９')
        return c - u'０';
    return -1;
}

} // namespace

DetailRows::DetailRows(TScoreCardFrame *frame, int firstHole, QWidget *parent)
    : QFrame(parent), m_frame(frame), m_firstHole(firstHole)
{
    setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    auto caption = [this, grid](int row, const QString &text) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("DetailCaption%1").arg(row + 1));
        grid->addWidget(label, row, 0);
    };
    auto cell = [this](const QString &name, const QString &accessible) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setAccessibleName(accessible);
        edit->setAlignment(Qt::AlignCenter);
        // Keys, not text: the cells are written by eventFilter only.
        edit->setReadOnly(true);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setMinimumWidth(34);
        edit->installEventFilter(this);
        return edit;
    };
    // Row by row and hole by hole, so that Tab runs along a row as in the stroke row.
    caption(0, QStringLiteral("FW"));
    for (int k = 0; k < 9; ++k) {
        FwEdit[size_t(k)] = cell(QStringLiteral("Fw%1Edit").arg(k + 1),
            QStringLiteral("%1番FW").arg(m_firstHole + k + 1));
        grid->addWidget(FwEdit[size_t(k)], 0, 1 + k);
    }
    for (int kind = 0; kind < DetailCountKinds; ++kind) {
        caption(kind + 1, QString::fromUtf8(kCountCaptions[kind]));
        for (int k = 0; k < 9; ++k) {
            QLineEdit *edit
                = cell(QStringLiteral("%1%2Edit").arg(QLatin1String(kCountNames[kind])).arg(k + 1),
                    QStringLiteral("%1番%2")
                        .arg(m_firstHole + k + 1)
                        .arg(QString::fromUtf8(kCountCaptions[kind])));
            CountEdit[size_t(kind)][size_t(k)] = edit;
            grid->addWidget(edit, kind + 1, 1 + k);
        }
    }
    // The column of the half's totals in the card above stays empty here.
    grid->setColumnMinimumWidth(10, 40);
}

bool DetailRows::isParThree(int k) const
{
    return m_frame && m_frame->SPar[size_t(k)]->text().trimmed() == QLatin1String("3");
}

void DetailRows::setFairway(int k, Fairway fairway)
{
    m_fairway[size_t(k)] = fairway;
    FwEdit[size_t(k)]->setText(fairwayMark(fairway));
}

void DetailRows::showDetails(const CardDetails &details)
{
    for (int k = 0; k < 9; ++k) {
        const HoleDetail &hole = details.holes[size_t(m_firstHole + k)];
        setFairway(k, hole.fairway);
        for (int kind = 0; kind < DetailCountKinds; ++kind)
            CountEdit[size_t(kind)][size_t(k)]->setText(
                details::countText(hole.count(DetailCount(kind))));
    }
    followPars();
}

void DetailRows::readInto(CardDetails &details) const
{
    for (int k = 0; k < 9; ++k) {
        HoleDetail &hole = details.holes[size_t(m_firstHole + k)];
        hole.fairway = isParThree(k) ? Fairway::None : m_fairway[size_t(k)];
        for (int kind = 0; kind < DetailCountKinds; ++kind) {
            const auto count = details::parseCount(CountEdit[size_t(kind)][size_t(k)]->text());
            hole.setCount(DetailCount(kind), count.value_or(std::nullopt));
        }
    }
}

void DetailRows::clear()
{
    showDetails(CardDetails {});
}

void DetailRows::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void DetailRows::followPars()
{
    for (int k = 0; k < 9; ++k) {
        const bool parThree = isParThree(k);
        if (parThree)
            setFairway(k, Fairway::None);
        FwEdit[size_t(k)]->setEnabled(!parThree);
    }
}

bool DetailRows::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    // Tab, Escape and the shortcuts go their way.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape
        || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const bool clears = key->key() == Qt::Key_Space || key->key() == Qt::Key_Delete
        || key->key() == Qt::Key_Backspace;
    for (int k = 0; k < 9; ++k) {
        if (watched == FwEdit[size_t(k)]) {
            if (m_readOnly)
                return false;
            const int digit = typedDigit(key);
            std::optional<Fairway> set;
            if (key->key() == Qt::Key_Left || digit == 1)
                set = Fairway::Left;
            else if (key->key() == Qt::Key_Right || digit == 2)
                set = Fairway::Right;
            else if (key->key() == Qt::Key_Up || digit == 3)
                set = Fairway::Hit;
            else if (clears)
                set = Fairway::None;
            if (set && !isParThree(k))
                setFairway(k, *set);
            return true;
        }
        for (auto &row : CountEdit) {
            if (watched != row[size_t(k)])
                continue;
            if (m_readOnly)
                return false;
            const int digit = typedDigit(key);
            if (digit >= 0)
                row[size_t(k)]->setText(QString::number(digit));
            else if (clears)
                row[size_t(k)]->clear();
            else if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)
                return false; // moving in the cell
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
