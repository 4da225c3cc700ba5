#include "windowtest.h"

#include "core/data/datafile.h"
#include "ui/common/modaldialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

WindowFixture::WindowFixture()
{
    QLocale::setDefault(QLocale::c());
}

WindowFixture::~WindowFixture()
{
    close();
}

void WindowFixture::writeLinks(const QList<TLinksRecord> &list)
{
    QVERIFY(datafile::writeRecords(path(QStringLiteral("Links.dat")), list, nullptr));
}

void WindowFixture::writeCourses(const QList<TCourseRecord> &list)
{
    QVERIFY(datafile::writeRecords(path(QStringLiteral("Course.dat")), list, nullptr));
}

void WindowFixture::writeGolfers(const QStringList &names)
{
    QVERIFY(datafile::saveBytes(
        path(QStringLiteral("Golfer.dat")), datafile::formatGolferList(names), nullptr));
}

void WindowFixture::writeYotei(const QString &golfer, const QList<TYoteiRecord> &list)
{
    QVERIFY(datafile::writeRecords(path(golfer + QStringLiteral(".yti")), list, nullptr));
}

void WindowFixture::writeScores(const QString &golfer, const QList<TScoreRecord> &list)
{
    QVERIFY(datafile::writeRecords(path(golfer + QStringLiteral(".sce")), list, nullptr));
}

TMainForm *WindowFixture::open(std::optional<QRect> geometry, const QString &golfer)
{
    close();
    MainFormOptions options;
    options.dataDir = dir.path();
    options.geometry = geometry;
    options.golfer = golfer;
    form = std::make_unique<TMainForm>(options, seams.services());
    // A restore opens the window anew where the old one stood, as the program does; the old
    // one goes once its handler has returned.
    QObject::connect(form.get(), &TMainForm::restartRequested, form.get(), [this] {
        QMetaObject::invokeMethod(
            qApp, [this, at = form->geometry(), golfer = form->golferName()] { open(at, golfer); },
            Qt::QueuedConnection);
    });
    // The program's own modal windows close at once, as by their window button, unless a
    // test plays them.
    for (TModalDialog *dialog : form->findChildren<TModalDialog *>())
        dialog->setRunner([](TModalDialog &) {});
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("the main window did not become active");
    // The first showing asks for a golfer when there is none; let that queued call run.
    QCoreApplication::processEvents();
    return form.get();
}

void WindowFixture::close()
{
    form.reset();
}

QList<TLinksRecord> WindowFixture::readLinks() const
{
    QList<TLinksRecord> list;
    datafile::readRecords(path(QStringLiteral("Links.dat")), &list, nullptr);
    return list;
}

QList<TCourseRecord> WindowFixture::readCourses() const
{
    QList<TCourseRecord> list;
    datafile::readRecords(path(QStringLiteral("Course.dat")), &list, nullptr);
    return list;
}

QList<TYoteiRecord> WindowFixture::readYotei(const QString &golfer) const
{
    QList<TYoteiRecord> list;
    datafile::readRecords(path(golfer + QStringLiteral(".yti")), &list, nullptr);
    return list;
}

QList<TScoreRecord> WindowFixture::readScores(const QString &golfer) const
{
    QList<TScoreRecord> list;
    datafile::readRecords(path(golfer + QStringLiteral(".sce")), &list, nullptr);
    return list;
}

QStringList WindowFixture::readGolfers() const
{
    QByteArray data;
    datafile::readBytes(path(QStringLiteral("Golfer.dat")), &data, nullptr);
    return datafile::parseGolferList(data);
}

QString WindowFixture::status() const
{
    return label(QStringLiteral("StatusPanel0"))->text();
}

// A node whose children are made when it is first opened (a year of cards) is opened, as the
// user would to look into it, and left as it was.
static void openOnce(QTreeWidgetItem *node)
{
    if (!node || node->childCount() > 0
        || node->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator)
        return;
    const bool expanded = node->isExpanded();
    node->setExpanded(true);
    node->setExpanded(expanded);
}

QTreeWidgetItem *WindowFixture::node(const QStringList &path) const
{
    QTreeWidget *t = tree();
    QTreeWidgetItem *current = nullptr;
    for (const QString &text : path) {
        openOnce(current);
        QTreeWidgetItem *next = nullptr;
        const int count = current ? current->childCount() : t->topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem *candidate = current ? current->child(i) : t->topLevelItem(i);
            if (candidate->text(0) == text)
                next = candidate;
        }
        if (!next)
            return nullptr;
        current = next;
    }
    return current;
}

QStringList WindowFixture::childTexts(const QStringList &path) const
{
    QStringList texts;
    QTreeWidgetItem *n = node(path);
    openOnce(n);
    if (n)
        for (int i = 0; i < n->childCount(); ++i)
            texts.append(n->child(i)->text(0));
    return texts;
}

void WindowFixture::clickNode(const QStringList &path)
{
    if (const std::optional<QPoint> at = reachNode(path))
        clickTree(*at);
}

std::optional<QPoint> WindowFixture::reachNode(const QStringList &path)
{
    QTreeWidgetItem *n = node(path);
    if (!n) {
        qWarning("no tree node %s", qPrintable(path.join(QChar('/'))));
        return std::nullopt;
    }
    QTreeWidget *t = tree();
    for (QTreeWidgetItem *p = n->parent(); p; p = p->parent())
        p->setExpanded(true);
    t->scrollToItem(n);
    return t->visualItemRect(n).center();
}

void WindowFixture::clickTree(const QPoint &at)
{
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void WindowFixture::clickTab(int index)
{
    auto *tabs = find<QTabWidget>(QStringLiteral("PageControl1"));
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

int WindowFixture::currentPage() const
{
    return find<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex();
}

void WindowFixture::choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index < 0) {
        qWarning("no item %s in %s", qPrintable(text), qPrintable(combo->objectName()));
        return;
    }
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
    Q_EMIT combo->textActivated(text);
}

void WindowFixture::keys(QWidget *widget, const QString &text)
{
    // QTest::keyClicks takes Latin-1 only; Japanese text arrives as key events carrying
    // their text, as from an input method's commit.
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }
}

void WindowFixture::type(QLineEdit *edit, const QString &text, bool leave)
{
    edit->setFocus(Qt::MouseFocusReason);
    keys(edit, text);
    if (leave)
        QTest::keyClick(edit, Qt::Key_Tab);
}

void WindowFixture::trigger(const QString &actionName)
{
    action(actionName)->trigger();
}

bool WindowFixture::enabled(const QString &actionName) const
{
    return action(actionName)->isEnabled();
}
