#include "detailrows.h"

#include "scorecardframe.h"

#include <QEvent>
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
    auto cell = [this](const QString &name, const QString &accessible) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setAccessibleName(accessible);
        edit->setAlignment(Qt::AlignCenter);
        // Keys, not text: the cells are written by eventFilter only.
        edit->setReadOnly(true);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->installEventFilter(this);
        return edit;
    };
    // Row by row and hole by hole, so that Tab runs along a row as in the stroke row.
    m_captions[0] = new QLabel(QStringLiteral("FW"), this);
    for (int k = 0; k < 9; ++k)
        FwEdit[size_t(k)] = cell(QStringLiteral("Fw%1Edit").arg(k + 1),
            QStringLiteral("%1番FW").arg(m_firstHole + k + 1));
    for (int kind = 0; kind < DetailCountKinds; ++kind) {
        m_captions[size_t(kind + 1)] = new QLabel(QString::fromUtf8(kCountCaptions[kind]), this);
        for (int k = 0; k < 9; ++k)
            CountEdit[size_t(kind)][size_t(k)]
                = cell(QStringLiteral("%1%2Edit").arg(QLatin1String(kCountNames[kind])).arg(k + 1),
                    QStringLiteral("%1番%2")
                        .arg(m_firstHole + k + 1)
                        .arg(QString::fromUtf8(kCountCaptions[kind])));
    }
    for (size_t r = 0; r < m_captions.size(); ++r)
        m_captions[r]->setObjectName(QStringLiteral("DetailCaption%1").arg(r + 1));
    // The cells follow the stroke cells as the card lays them out.
    if (m_frame)
        for (QLineEdit *stroke : {m_frame->SEdit[0], m_frame->SEdit[8]})
            stroke->installEventFilter(this);
}

int DetailRows::rowHeight() const
{
    return FwEdit[0]->sizeHint().height() - 2;
}

int DetailRows::captionWidth() const
{
    int width = 0;
    for (QLabel *caption : m_captions)
        width = qMax(width, caption->sizeHint().width());
    return width;
}

QSize DetailRows::sizeHint() const
{
    const int rows = int(m_captions.size());
    return {captionWidth() + 9 * 40, 2 * 4 + rows * rowHeight() + (rows - 1) * 2};
}

void DetailRows::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    placeCells();
}

void DetailRows::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    placeCells();
}

void DetailRows::placeCells()
{
    const int h = rowHeight();
    auto xOf = [this](int k) -> std::pair<int, int> {
        if (!m_frame || !m_frame->SEdit[size_t(k)]->isVisibleTo(m_frame))
            return {captionWidth() + 12 + k * 40, 36};
        const QLineEdit *stroke = m_frame->SEdit[size_t(k)];
        const QPoint at = mapFromGlobal(stroke->mapToGlobal(QPoint(0, 0)));
        return {at.x(), stroke->width()};
    };
    for (int r = 0; r < int(m_captions.size()); ++r) {
        const int y = 4 + r * (h + 2);
        const auto [firstX, firstWidth] = xOf(0);
        Q_UNUSED(firstWidth);
        m_captions[size_t(r)]->setGeometry(6, y, qMax(firstX - 10, 0), h);
        for (int k = 0; k < 9; ++k) {
            const auto [x, width] = xOf(k);
            QLineEdit *edit = r == 0 ? FwEdit[size_t(k)] : CountEdit[size_t(r - 1)][size_t(k)];
            edit->setGeometry(x, y, width, h);
        }
    }
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
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && m_frame
        && (watched == m_frame->SEdit[0] || watched == m_frame->SEdit[8])) {
        placeCells();
        return false;
    }
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
