#include "windowfit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

namespace windowfit {

namespace {

// A title bar and thin borders, somewhat larger than most window managers draw them.
const QMargins kGuessedFrame(6, 34, 6, 6);

AreaOf &areaOverride()
{
    static AreaOf areaOf;
    return areaOf;
}

QScreen *screenFor(const QWidget *window, const QWidget *near)
{
    if (near && near->screen())
        return near->screen();
    if (window->screen())
        return window->screen();
    return QGuiApplication::primaryScreen();
}

// The frame of a shown window, none while the window system has not told it.
QMargins knownFrame(const QWidget *window)
{
    if (!window->isVisible())
        return {};
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
        frame.right() - client.right(), frame.bottom() - client.bottom());
}

// The client area of a window of the wanted size with the given frame: as large as fits the
// area, frame included, and centred in it.
QRect fitted(QSize wanted, QMargins frame, QRect area)
{
    const QSize room(
        area.width() - frame.left() - frame.right(), area.height() - frame.top() - frame.bottom());
    const QSize size = wanted.boundedTo(room).expandedTo(QSize(1, 1));
    const QSize outer(
        size.width() + frame.left() + frame.right(), size.height() + frame.top() + frame.bottom());
    const QPoint corner(area.left() + qMax(0, (area.width() - outer.width()) / 2),
        area.top() + qMax(0, (area.height() - outer.height()) / 2));
    return QRect(corner + QPoint(frame.left(), frame.top()), size);
}

// The frame the window system puts around a top-level window: its own once it is known,
// else that of another window of the program that has one, else a generous guess.
QMargins frameOf(const QWidget *window)
{
    const QMargins own = knownFrame(window);
    if (!own.isNull())
        return own;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *other : windows) {
        if (other == window || !(other->windowFlags() & Qt::WindowTitleHint))
            continue;
        const QMargins frame = knownFrame(other);
        if (!frame.isNull())
            return frame;
    }
    return kGuessedFrame;
}

void apply(QWidget *window, QSize wanted, bool fixed, QMargins frame, QRect area)
{
    const QRect client = fitted(wanted, frame, area);
    if (fixed)
        window->setFixedSize(client.size());
    else
        window->resize(client.size());
    // The position of a top-level window is that of its frame.
    window->move(client.topLeft() - QPoint(frame.left(), frame.top()));
}

const QString kRefitName = QStringLiteral("windowfit-refit");

// Places a window again once its real frame is known, if that frame leaves the area or
// leaves room for more of the wanted size than the guessed one; once.
class Refit final : public QObject
{
public:
    Refit(QWidget *window, QSize wanted, bool fixed, QRect area)
        : QObject(window), m_window(window), m_wanted(wanted), m_fixed(fixed), m_area(area)
    {
        setObjectName(kRefitName);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || !m_window->isVisible()
            || (event->type() != QEvent::Move && event->type() != QEvent::Show))
            return false;
        const QMargins frame = knownFrame(m_window);
        if (frame.isNull())
            return false;
        m_window->removeEventFilter(this);
        if (!m_area.contains(m_window->frameGeometry())
            || m_window->size() != fitted(m_wanted, frame, m_area).size())
            apply(m_window, m_wanted, m_fixed, frame, m_area);
        deleteLater();
        return false;
    }

private:
    QWidget *m_window;
    QSize m_wanted;
    bool m_fixed;
    QRect m_area;
};

} // namespace

void place(QWidget *window, QSize wanted, bool fixed, const QWidget *near)
{
    const QScreen *screen = screenFor(window, near);
    if (!screen)
        return;
    const QRect area = availableArea(screen);
    const QMargins frame = frameOf(window);
    apply(window, wanted, fixed, frame, area);
    if (knownFrame(window).isNull()
        && !window->findChild<QObject *>(kRefitName, Qt::FindDirectChildrenOnly))
        new Refit(window, wanted, fixed, area);
}

void setAreaOf(AreaOf areaOf)
{
    areaOverride() = std::move(areaOf);
}

QRect availableArea(const QScreen *screen)
{
    if (areaOverride())
        return areaOverride()(screen);
    return screen ? screen->availableGeometry() : QRect();
}

QScrollArea *scrolled(QWidget *content, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setObjectName(content->objectName() + QStringLiteral("Scroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(content);
    return area;
}

} // namespace windowfit
