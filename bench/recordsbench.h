// The record operations benchmark's shared parts: its data set, the window driven as a user
// does, the checks that stop it, and the table of figures at both sizes.
#pragma once

#include "benchdata.h"
#include "core/data/backup.h"
#include "core/data/recordbook.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/scorecard/scorecardframe.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTextStream>

#include <sys/stat.h>

#include <cstdio>
#include <deque>
#include <optional>

namespace benchdata::records {

constexpr int kRuns = 7;
// The card operations stand beside the safe save alone, whose time the disk makes uneven:
// more turns give steadier medians.
constexpr int kCardRuns = 15;

// The club whose rename is measured: one the golfer plays often, with ten courses, five
// planned rounds and every 33rd card. It lies outside the clubs the generator plays, so
// those counts are exactly the ones made here.
constexpr int kHomeClub = 500;
constexpr int kHomeYoteiEvery = 80; // 400 / 80 = 5 planned rounds
constexpr int kHomeCardEvery = 33; // 10,000 / 33 = 304 cards
inline const std::array<const char16_t *, 7> kHomeExtraCourses
    = {u"東", u"西", u"南", u"北", u"中", u"OUT", u"IN"};

inline const QString kYoteiTop = QStringLiteral("予定");
inline const QString kLinksTop = QStringLiteral("ゴルフ場");
inline const QString kScoreTop = QStringLiteral("スコアカード");

inline QString linksFile()
{
    return QStringLiteral("Links.dat");
}
inline QString courseFile()
{
    return QStringLiteral("Course.dat");
}
inline QString yoteiFile()
{
    return kGolfer + QStringLiteral(".yti");
}
inline QString scoreFile()
{
    return kGolfer + QStringLiteral(".sce");
}

// --- The data set, with the home club. ---------------------------------------------------

// Puts a card on two courses: names, greens, tees, yards, pars and their totals. The strokes
// stay; the hole results follow the new pars.
inline void playCardOn(TScoreRecord &r, const TCourseRecord &first, const TCourseRecord &second)
{
    r.LinksName = first.LinksName;
    setHalfCourse(r, 0, first);
    setHalfCourse(r, 1, second);
    applyHoleResults(r);
}

inline DataSet makeRecordsDataSet(const Size &size)
{
    QRandomGenerator rng = dataSeed();
    DataSet set = makeDataSet(size, rng);

    // Seven more courses for the home club, next to its own three.
    QRandomGenerator extra(500);
    const QString home = clubName(kHomeClub);
    qsizetype at = (kHomeClub + 1) * kCoursesPerClub;
    for (size_t k = 0; k < kHomeExtraCourses.size(); ++k) {
        TCourseRecord c;
        c.LinksName = home;
        c.CourseName = QString::fromUtf16(kHomeExtraCourses[k]);
        c.Green = QStringLiteral("ベント");
        c.Tee = QStringLiteral("レギュラー");
        c.Par = kParPatterns[k % kParPatterns.size()];
        for (int h = 0; h < 9; ++h)
            c.Yard[h] = yardFor(c.Par[h], extra);
        c.YardTotal = std::accumulate(c.Yard.begin(), c.Yard.end(), 0);
        c.ParTotal = std::accumulate(c.Par.begin(), c.Par.end(), 0);
        set.courses.insert(at++, c);
    }
    QList<const TCourseRecord *> homeCourses;
    for (const TCourseRecord &c : std::as_const(set.courses))
        if (c.LinksName == home)
            homeCourses.append(&c);

    for (qsizetype i = 0; i < set.yotei.size(); i += kHomeYoteiEvery)
        set.yotei[i].LinksName = home;
    for (qsizetype i = 0; i < set.cards.size(); i += kHomeCardEvery) {
        const qsizetype k = (i / kHomeCardEvery) % homeCourses.size();
        playCardOn(set.cards[i], *homeCourses[k], *homeCourses[(k + 1) % homeCourses.size()]);
    }
    return set;
}

// --- Figures and checks. -----------------------------------------------------------------

struct Row {
    QString label;
    QString timed; // what the clock covers
    double goal = 0; // ms; 0 for none
    bool heading = false;
    bool window = true; // false: measured outside the window, nothing to repaint
    Figures op; // the operation
    Figures painted; // the operation and the repaint it causes
};

class Report
{
public:
    // The rows are filled while later ones are added, so they must stay where they are.
    Row &row(const QString &label, const QString &timed, double goal)
    {
        Row &r = m_rows.emplace_back();
        r.label = label;
        r.timed = timed;
        r.goal = goal;
        return r;
    }
    void section(const QString &title)
    {
        Row r;
        r.label = title;
        r.heading = true;
        m_rows.push_back(r);
    }
    const Row *find(const QString &label) const
    {
        for (const Row &r : m_rows)
            if (!r.heading && r.label == label)
                return &r;
        return nullptr;
    }

    void done(const QString &kind, const QString &summary)
    {
        m_summaries.append(kind + QStringLiteral(": ") + summary);
    }

    // Both sizes side by side: the rows of the first, each beside the same row of the second.
    static void print(QTextStream &out, const std::array<Report, 2> &reports, int checks);

    std::deque<Row> m_rows;
    QStringList m_summaries;
    QStringList m_comparisons;
};

inline QString number(double v)
{
    return QString::number(v, 'f', 1);
}

inline void Report::print(QTextStream &out, const std::array<Report, 2> &reports, int checks)
{
    out << qSetFieldWidth(50) << Qt::left << "measure (median, ms)" << qSetFieldWidth(9)
        << Qt::right << "10,000" << qSetFieldWidth(10) << "+repaint" << qSetFieldWidth(9)
        << "100,000" << qSetFieldWidth(10) << "+repaint" << qSetFieldWidth(8) << "ratio"
        << qSetFieldWidth(8) << "goal" << qSetFieldWidth(0) << "  timed\n";
    const std::deque<Row> &large = reports[1].m_rows;
    for (size_t i = 0; i < reports[0].m_rows.size(); ++i) {
        const Row &r = reports[0].m_rows[i];
        if (r.heading) {
            out << r.label << '\n';
            continue;
        }
        const Row *l = i < large.size() && large[i].label == r.label ? &large[i] : nullptr;
        QString verdict;
        if (r.goal > 0)
            verdict = r.op.median() <= r.goal ? QStringLiteral("ok") : QStringLiteral("OVER");
        const double ratio = l && r.op.median() > 0 ? l->op.median() / r.op.median() : 0;
        out << qSetFieldWidth(50) << Qt::left << (QStringLiteral("  ") + r.label)
            << qSetFieldWidth(9) << Qt::right << number(r.op.median()) << qSetFieldWidth(10)
            << (r.window ? number(r.painted.median()) : QStringLiteral("-")) << qSetFieldWidth(9)
            << (l ? number(l->op.median()) : QStringLiteral("-")) << qSetFieldWidth(10)
            << (l && l->window ? number(l->painted.median()) : QStringLiteral("-"))
            << qSetFieldWidth(8)
            << (ratio > 0 ? QString::number(ratio, 'f', 1) + QStringLiteral("×")
                          : QStringLiteral("-"))
            << qSetFieldWidth(8)
            << (r.goal > 0 ? QStringLiteral("<%1").arg(r.goal) : QStringLiteral("-"))
            << qSetFieldWidth(0) << ' ' << qSetFieldWidth(4) << Qt::left << verdict
            << qSetFieldWidth(0) << ' ' << r.timed << (ratio > 12 ? "  OVER 12×" : "") << '\n';
    }
    for (size_t s = 0; s < reports.size(); ++s) {
        out << "\n" << kSizes[s].label() << ":\n";
        for (const QString &line : reports[s].m_summaries)
            out << "  " << line << '\n';
        for (const QString &line : reports[s].m_comparisons)
            out << "  " << line << '\n';
    }
    out << "checks: all " << checks << " passed\n";
}

// --- Driving the window as a user does. --------------------------------------------------

// Ends the bench; thrown rather than exiting so that the data folder is removed.
struct Failure {
    QString why;
};

[[noreturn]] inline void fail(const QString &why)
{
    throw Failure {why};
}

inline int checks = 0;

// That an operation did what it should, looked at after its figure is taken.
inline void check(bool ok, const QString &what)
{
    ++checks;
    if (!ok)
        fail(QStringLiteral("check failed: ") + what);
}

// Lets the window finish what earlier input queued (layouts, repaints), so that none of it
// lands inside the next measurement.
inline void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

struct Sample {
    double op = 0;
    double painted = 0;
};

template <class F> Sample timed(F &&operation)
{
    settle();
    QElapsedTimer timer;
    timer.start();
    operation();
    Sample s;
    s.op = msSince(timer);
    // The repaint the operation asked for.
    QCoreApplication::processEvents();
    s.painted = msSince(timer);
    return s;
}

inline void add(Row &row, const Sample &s)
{
    row.op.values.append(s.op);
    row.painted.values.append(s.painted);
}

// The window from the tests' fixture, as the bench drives it: a missing control, node or
// combo box item stops the bench at once, and each message is traced to the stage that
// raised it.
class Driver
{
public:
    explicit Driver(WindowFixture &fixture) : f(fixture)
    {
        form = f.open();
        // The exit checks of the boxes run on focus changes, which need an active window.
        if (!form->isActiveWindow())
            fail(QStringLiteral("the main window did not become active"));
        settle();
        // The fixture's node clicks take the tree as given.
        find<QTreeWidget>(QStringLiteral("TreeView1"));
    }

    template <class T> T *find(const QString &name, QObject *within = nullptr) const
    {
        T *w = within ? within->findChild<T *>(name) : f.find<T>(name);
        if (!w)
            fail(QStringLiteral("no control named %1").arg(name));
        return w;
    }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QComboBox *combo(const QString &name) const { return find<QComboBox>(name); }
    TScoreCardFrame *frame(int n) const
    {
        return find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(n));
    }
    QLineEdit *stroke(int hole) const
    {
        return find<QLineEdit>(
            QStringLiteral("S%1Edit").arg((hole - 1) % 9 + 1), frame(hole <= 9 ? 1 : 2));
    }
    QLineEdit *putt(int hole) const
    {
        return find<QLineEdit>(
            QStringLiteral("Pt%1Edit").arg((hole - 1) % 9 + 1), frame(hole <= 9 ? 1 : 2));
    }

    void trigger(const QString &name) { action(name)->trigger(); }

    // The dialogs: what the bench is doing, so that a message can be told where it came
    // from; the yes/no questions asked so far; the answers to the next ones.
    void during(const QString &stage)
    {
        collectMessages();
        m_stage = stage;
    }
    int questions()
    {
        collectMessages();
        return m_questions;
    }
    void answer(std::initializer_list<bool> answers)
    {
        for (bool yes : answers)
            f.seams.dialogs.answerConfirm(yes);
    }
    // Every message but the questions; none should appear when every input is valid.
    QStringList unexpected()
    {
        collectMessages();
        return m_unexpected;
    }

    QTreeWidgetItem *node(const QStringList &path) const { return f.node(path); }
    // Brings the node into view as the user scrolls to it; the click itself is separate so
    // that it can be timed alone.
    QPoint reach(const QStringList &path)
    {
        const std::optional<QPoint> at = f.reachNode(path);
        if (!at)
            fail(QStringLiteral("no tree node %1").arg(path.join(QChar('/'))));
        settle();
        return *at;
    }
    void click(const QPoint &at) { f.clickTree(at); }
    void clickNode(const QStringList &path) { click(reach(path)); }

    void showPage(int index)
    {
        if (f.currentPage() != index)
            f.clickTab(index);
        if (f.currentPage() != index)
            fail(QStringLiteral("page %1 did not come up").arg(index));
    }

    void choose(QComboBox *box, const QString &text)
    {
        if (box->findText(text, Qt::MatchExactly) < 0)
            fail(QStringLiteral("no item %1 in %2").arg(text, box->objectName()));
        f.choose(box, text);
    }

    // Types into a box and leaves it with Tab, which runs its exit check.
    void type(QLineEdit *box, const QString &text) { f.type(box, text); }
    // Replaces the text of a box: select all, type, leave.
    void retype(QLineEdit *box, const QString &text)
    {
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        WindowFixture::keys(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    // Adds to the end of a box's text, or takes characters off its end.
    void append(QLineEdit *box, const QString &text)
    {
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_End);
        WindowFixture::keys(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    void backspace(QLineEdit *box, int count)
    {
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_End);
        for (int i = 0; i < count; ++i)
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Tab);
    }

    // The files.
    qint64 size(const QString &file) const { return QFileInfo(f.path(file)).size(); }
    // A rewrite replaces the file by a new one, so its inode tells a rewrite apart.
    quint64 inode(const QString &file) const
    {
        struct stat st {
        };
        return ::stat(QFile::encodeName(f.path(file)).constData(), &st) == 0 ? quint64(st.st_ino)
                                                                             : 0;
    }
    // One card of the file, read where it lies.
    TScoreRecord cardAt(qsizetype index) const
    {
        constexpr int size = RecordLayout<TScoreRecord>::Size;
        QFile file(f.path(scoreFile()));
        if (!file.open(QIODevice::ReadOnly) || !file.seek(index * size))
            return {};
        const QByteArray bytes = file.read(size);
        return bytes.size() == size ? decodeRecord<TScoreRecord>(bytes) : TScoreRecord {};
    }

    WindowFixture &f;
    TMainForm *form = nullptr;

private:
    static bool isQuestion(const ScriptedDialogs::Shown &m)
    {
        return m.buttons.size() == 2 && m.buttons[0] == DialogService::yesButton();
    }
    void collectMessages()
    {
        const ScriptedDialogs &dialogs = f.seams.dialogs;
        for (; m_messages < dialogs.shown.size(); ++m_messages) {
            const ScriptedDialogs::Shown &m = dialogs.shown[m_messages];
            if (isQuestion(m))
                ++m_questions;
            else
                m_unexpected.append(traced(m));
        }
        for (; m_inputs < dialogs.inputBoxes.size(); ++m_inputs)
            m_unexpected.append(traced(dialogs.inputBoxes[m_inputs]));
    }
    QString traced(const ScriptedDialogs::Shown &m) const
    {
        return m_stage + QStringLiteral(" → ") + m.caption + QStringLiteral(": ") + m.text;
    }

    QString m_stage;
    qsizetype m_messages = 0;
    qsizetype m_inputs = 0;
    int m_questions = 0;
    QStringList m_unexpected;
};

template <class List> qsizetype countClub(const List &list, const QString &club)
{
    qsizetype count = 0;
    for (const auto &r : list)
        count += r.LinksName == club ? 1 : 0;
    return count;
}

// --- The operations. ---------------------------------------------------------------------

constexpr double kRecordGoal = 30;
constexpr double kRenameGoal = 100;
constexpr double kCardGoal = 50;
inline const QString kTrigger = QStringLiteral("action trigger");
inline const QString kClick = QStringLiteral("node click");

// The operations on each page, and the card operations beside the safe save alone.
void benchSchedule(Driver &d, Report &report);
void benchClub(Driver &d, Report &report);
void benchCourse(Driver &d, Report &report);
void benchRename(Driver &d, Report &report);
void benchCards(Driver &d, Report &report);
void benchBook(const QString &dir, Report &report);

} // namespace benchdata::records
