// How long the record operations of the main window take over the large data set: the
// schedule, golf club, course and score card pages, each driven through its controls as a
// user does (tree clicks, tab clicks, key presses, the toolbar actions) with the golfer
// chosen at start-up. Every figure includes the rewrite of the data file the operation
// saves, since that happens inside the action.
//
// Only the operation itself is timed: the trigger of the action or the click on the node,
// not the typing that prepares it. Beside it stands the same operation followed by the
// repaint it causes, which is what the user waits for. After each operation the lists, the
// tree and the files are checked, so that a figure of an operation that did nothing (a
// refused input, a silent dialog) cannot pass for a fast one; a failed check stops the bench.
// The window, its data folder and its scripted dialogs come from the tests' fixture.
//
// The data set is the start-up benchmark's at both sizes, run one after the other in one
// process and printed side by side, with one club made a home club (ten courses, five
// planned rounds, every 33rd card), whose rename reaches into all four files. The day's
// backup, which the first write of a day makes, is taken before anything is measured. The
// card operations stand beside the safe save of the card file's bytes alone, timed in turn
// with them, through the window and through the record book alone.
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

namespace {

using namespace benchdata;

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
const std::array<const char16_t *, 7> kHomeExtraCourses
    = {u"東", u"西", u"南", u"北", u"中", u"OUT", u"IN"};

const QString kYoteiTop = QStringLiteral("予定");
const QString kLinksTop = QStringLiteral("ゴルフ場");
const QString kScoreTop = QStringLiteral("スコアカード");

QString linksFile()
{
    return QStringLiteral("Links.dat");
}
QString courseFile()
{
    return QStringLiteral("Course.dat");
}
QString yoteiFile()
{
    return kGolfer + QStringLiteral(".yti");
}
QString scoreFile()
{
    return kGolfer + QStringLiteral(".sce");
}

// --- The data set, with the home club. ---------------------------------------------------

// Puts a card on two courses: names, greens, tees, yards, pars and their totals. The strokes
// stay; the hole results follow the new pars.
void playCardOn(TScoreRecord &r, const TCourseRecord &first, const TCourseRecord &second)
{
    r.LinksName = first.LinksName;
    setHalfCourse(r, 0, first);
    setHalfCourse(r, 1, second);
    applyHoleResults(r);
}

DataSet makeRecordsDataSet(const Size &size)
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

QString number(double v)
{
    return QString::number(v, 'f', 1);
}

void Report::print(QTextStream &out, const std::array<Report, 2> &reports, int checks)
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

[[noreturn]] void fail(const QString &why)
{
    throw Failure {why};
}

int checks = 0;

// That an operation did what it should, looked at after its figure is taken.
void check(bool ok, const QString &what)
{
    ++checks;
    if (!ok)
        fail(QStringLiteral("check failed: ") + what);
}

// Lets the window finish what earlier input queued (layouts, repaints), so that none of it
// lands inside the next measurement.
void settle()
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

void add(Row &row, const Sample &s)
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

template <class T> qsizetype countClub(const QList<T> &list, const QString &club)
{
    return std::count_if(list.begin(), list.end(), [&](const T &r) { return r.LinksName == club; });
}

// --- The operations. ---------------------------------------------------------------------

constexpr double kRecordGoal = 30;
constexpr double kRenameGoal = 100;
constexpr double kCardGoal = 50;
const QString kTrigger = QStringLiteral("action trigger");
const QString kClick = QStringLiteral("node click");

void benchSchedule(Driver &d, Report &report)
{
    report.section(QStringLiteral("schedule"));
    Row &regist = report.row(QStringLiteral("register"), kTrigger, kRecordGoal);
    Row &show = report.row(QStringLiteral("show (click its node)"), kClick, kRecordGoal);
    Row &change = report.row(QStringLiteral("change the remark"), kTrigger, kRecordGoal);
    Row &remove = report.row(QStringLiteral("delete"), kTrigger, kRecordGoal);

    const QString club = clubName(7);
    const qsizetype count = d.form->yoteiList().size();
    const qint64 bytes = d.size(yoteiFile());
    auto *calendar = d.find<QCalendarWidget>(QStringLiteral("YoteiCalendar"));
    for (int run = 0; run < kRuns; ++run) {
        // Odd days from today are free; the entries lie on even ones.
        const QDate date = kToday.addDays(2 * (100 + 37 * run) + 1);
        const QString dateText = datetime::dateText(date);
        d.during(QStringLiteral("schedule: filling in"));
        d.showPage(0);
        d.trigger(QStringLiteral("DataAppendAction"));
        calendar->setSelectedDate(date);
        Q_EMIT calendar->clicked(date);
        d.type(d.edit(QStringLiteral("YTimeEdit")), QStringLiteral("8:30"));
        d.choose(d.combo(QStringLiteral("YLinksCombo")), club);
        d.type(d.edit(QStringLiteral("YBikouEdit")), QStringLiteral("コンペ"));
        add(regist, timed([&] { d.trigger(QStringLiteral("DataRegistAction")); }));
        check(d.form->yoteiList().size() == count + 1,
            QStringLiteral("schedule: registered in the list"));
        check(d.size(yoteiFile()) == bytes + RecordLayout<TYoteiRecord>::Size,
            QStringLiteral("schedule: the file grew by one entry"));

        d.during(QStringLiteral("schedule: show"));
        const QPoint at = d.reach({kYoteiTop, dateText});
        add(show, timed([&] { d.click(at); }));
        check(d.find<QLabel>(QStringLiteral("YDateText"))->text() == dateText,
            QStringLiteral("schedule: the clicked entry is shown"));

        d.during(QStringLiteral("schedule: change"));
        d.retype(d.edit(QStringLiteral("YBikouEdit")), QStringLiteral("雨天決行"));
        add(change, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        const auto stored = d.f.readYotei(kGolfer);
        const auto it = std::find_if(stored.begin(), stored.end(),
            [&](const TYoteiRecord &r) { return r.RoundDate == datetime::fromDate(date); });
        check(
            it != stored.end() && it->Bikou == QStringLiteral("雨天決行") && it->LinksName == club,
            QStringLiteral("schedule: the changed remark is in the file"));

        d.during(QStringLiteral("schedule: delete"));
        add(remove, timed([&] { d.trigger(QStringLiteral("DataDeleteAction")); }));
        check(d.form->yoteiList().size() == count && d.size(yoteiFile()) == bytes,
            QStringLiteral("schedule: deleted from the list and the file"));
        check(!d.node({kYoteiTop, dateText}), QStringLiteral("schedule: its node is gone"));
    }
    report.done(QStringLiteral("schedule"),
        QStringLiteral("%1 × registered (list %2 → %3, file +80 bytes), shown, remark changed "
                       "in the file, deleted (list and file back to %2 entries)")
            .arg(kRuns)
            .arg(count)
            .arg(count + 1));
}

void benchClub(Driver &d, Report &report)
{
    report.section(QStringLiteral("golf club (a new club without courses)"));
    Row &regist = report.row(QStringLiteral("register"), kTrigger, kRecordGoal);
    Row &show = report.row(QStringLiteral("show (click its node)"), kClick, kRecordGoal);
    Row &change = report.row(QStringLiteral("change its address"), kTrigger, kRecordGoal);
    Row &remove = report.row(QStringLiteral("delete"), kTrigger, kRecordGoal);

    const qsizetype count = d.form->linksList().size();
    const qint64 bytes = d.size(linksFile());
    for (int run = 0; run < kRuns; ++run) {
        const QString name = QStringLiteral("新緑ゴルフ倶楽部%1").arg(run);
        d.during(QStringLiteral("club: filling in"));
        d.showPage(1);
        d.trigger(QStringLiteral("DataAppendAction"));
        d.type(d.edit(QStringLiteral("LinksNameEdit")), name);
        d.type(d.edit(QStringLiteral("LinksAddressEdit")), QStringLiteral("千葉県市原市1-2"));
        d.type(d.edit(QStringLiteral("LinksTelEdit")), QStringLiteral("0436-12-3456"));
        d.type(d.edit(QStringLiteral("URLEdit")), QStringLiteral("www.shinryoku.example.jp/"));
        add(regist, timed([&] { d.trigger(QStringLiteral("DataRegistAction")); }));
        check(d.form->linksList().size() == count + 1
                && d.size(linksFile()) == bytes + RecordLayout<TLinksRecord>::Size,
            QStringLiteral("club: registered in the list and the file"));
        check(d.combo(QStringLiteral("CLinksCombo"))->count() == count + 1,
            QStringLiteral("club: the club lists took it"));

        d.during(QStringLiteral("club: show"));
        const QPoint at = d.reach({kLinksTop, name});
        add(show, timed([&] { d.click(at); }));
        check(d.edit(QStringLiteral("LinksNameEdit"))->text() == name,
            QStringLiteral("club: the clicked club is shown"));

        const quint64 scoreInode = d.inode(scoreFile());
        d.during(QStringLiteral("club: change"));
        d.retype(d.edit(QStringLiteral("LinksAddressEdit")), QStringLiteral("千葉県市原市2-3"));
        add(change, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        const auto stored = d.f.readLinks();
        check(!stored.isEmpty() && stored.last().LinksName == name
                && stored.last().LinksAddress == QStringLiteral("千葉県市原市2-3"),
            QStringLiteral("club: the changed address is in the file"));
        check(d.inode(scoreFile()) == scoreInode,
            QStringLiteral("club: an address change leaves the cards file alone"));

        d.during(QStringLiteral("club: delete"));
        add(remove, timed([&] { d.trigger(QStringLiteral("DataDeleteAction")); }));
        check(d.form->linksList().size() == count && d.size(linksFile()) == bytes,
            QStringLiteral("club: deleted from the list and the file"));
    }
    report.done(QStringLiteral("golf club"),
        QStringLiteral("%1 × registered (%2 → %3 clubs in list, combo boxes and file), shown, "
                       "address changed in the file (cards file untouched), deleted")
            .arg(kRuns)
            .arg(count)
            .arg(count + 1));
}

void benchCourse(Driver &d, Report &report)
{
    report.section(QStringLiteral("course"));
    Row &regist = report.row(QStringLiteral("register"), kTrigger, kRecordGoal);
    Row &show = report.row(QStringLiteral("show (click its node)"), kClick, kRecordGoal);
    Row &change
        = report.row(QStringLiteral("change a par, not into the cards"), kTrigger, kRecordGoal);
    Row &remove = report.row(QStringLiteral("delete"), kTrigger, kRecordGoal);
    Row &carried = report.row(QStringLiteral("change a par, carried into the cards"),
        kTrigger + QStringLiteral(" (change and change back)"), 0);

    const QString club = clubName(1); // courses OUT, IN, NEW
    const QString name = QStringLiteral("北");
    const qsizetype count = d.form->courseList().size();
    const qint64 bytes = d.size(courseFile());
    auto findCourse = [&](const QString &links, const QString &course) {
        const auto &list = d.form->courseList();
        for (qsizetype i = 0; i < list.size(); ++i)
            if (list[i].LinksName == links && list[i].CourseName == course)
                return i;
        return qsizetype(-1);
    };

    for (int run = 0; run < kRuns; ++run) {
        d.during(QStringLiteral("course: filling in"));
        d.showPage(2);
        d.trigger(QStringLiteral("DataAppendAction"));
        d.choose(d.combo(QStringLiteral("CLinksCombo")), club);
        d.type(d.edit(QStringLiteral("CourseEdit")), name);
        d.combo(QStringLiteral("GreenCombo"))->setEditText(QStringLiteral("ベント"));
        d.combo(QStringLiteral("TeeCombo"))->setEditText(QStringLiteral("レギュラー"));
        for (int h = 1; h <= 9; ++h)
            d.type(d.edit(QStringLiteral("Yard%1Edit").arg(h)), QString::number(300 + 10 * h));
        for (int h = 1; h <= 9; ++h)
            d.type(d.edit(QStringLiteral("Par%1Edit").arg(h)),
                QString::number(kParPatterns[0][h - 1]));
        add(regist, timed([&] { d.trigger(QStringLiteral("DataRegistAction")); }));
        check(d.form->courseList().size() == count + 1
                && d.size(courseFile()) == bytes + RecordLayout<TCourseRecord>::Size,
            QStringLiteral("course: registered in the list and the file"));
        const qsizetype index = findCourse(club, name);
        check(index >= 0 && d.form->courseList()[index].YardTotal == 3150
                && d.form->courseList()[index].ParTotal == 36,
            QStringLiteral("course: its yards and pars are stored"));

        d.during(QStringLiteral("course: show"));
        const QPoint at = d.reach({kLinksTop, club, name});
        add(show, timed([&] { d.click(at); }));
        check(d.edit(QStringLiteral("CourseEdit"))->text() == name,
            QStringLiteral("course: the clicked course is shown"));

        const quint64 scoreInode = d.inode(scoreFile());
        const int questions = d.questions();
        d.during(QStringLiteral("course: change"));
        d.retype(d.edit(QStringLiteral("Par1Edit")), QStringLiteral("5"));
        d.answer({true, false});
        add(change, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        const auto stored = d.f.readCourses();
        check(index >= 0 && index < stored.size() && stored[index].Par[0] == 5
                && stored[index].ParTotal == 37,
            QStringLiteral("course: the changed par is in the file"));
        check(d.questions() == questions + 2 && d.inode(scoreFile()) == scoreInode,
            QStringLiteral("course: asked twice, and \"No\" left the cards file alone"));

        d.during(QStringLiteral("course: delete"));
        add(remove, timed([&] { d.trigger(QStringLiteral("DataDeleteAction")); }));
        check(d.form->courseList().size() == count && d.size(courseFile()) == bytes,
            QStringLiteral("course: deleted from the list and the file"));
        check(!d.node({kLinksTop, club, name}), QStringLiteral("course: its node is gone"));
    }

    // Carried into the cards: a course of a club the golfer plays, there and back again.
    const QString playedClub = clubName(0); // courses 東, 西, 南
    const QString playedCourse = QStringLiteral("東");
    const qsizetype target = findCourse(playedClub, playedCourse);
    if (target < 0)
        fail(QStringLiteral("no course %1 at %2").arg(playedCourse, playedClub));
    const qint32 originalPar = d.form->courseList()[target].Par[0];
    auto cardsWithPar = [&](const QList<TScoreRecord> &cards, qint32 par) {
        qsizetype halves = 0, matching = 0;
        for (const TScoreRecord &c : cards) {
            if (c.LinksName != playedClub)
                continue;
            for (int half = 0; half < 2; ++half) {
                if (c.CourseName[half] != playedCourse)
                    continue;
                ++halves;
                if (c.Par[half * 9] == par)
                    ++matching;
            }
        }
        return std::pair(halves, matching);
    };
    const qsizetype halves = cardsWithPar(d.form->scoreList(), originalPar).first;
    for (int run = 0; run < kRuns; ++run) {
        for (const qint32 par : {originalPar + 1, originalPar}) {
            d.during(QStringLiteral("course: change carried into the cards"));
            d.clickNode({kLinksTop, playedClub, playedCourse});
            d.retype(d.edit(QStringLiteral("Par1Edit")), QString::number(par));
            const quint64 scoreInode = d.inode(scoreFile());
            d.answer({true, true});
            add(carried, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
            check(d.inode(scoreFile()) != scoreInode,
                QStringLiteral("course: \"Yes\" rewrote the cards file"));
            const auto inMemory = cardsWithPar(d.form->scoreList(), par);
            check(inMemory.first == halves && inMemory.second == halves,
                QStringLiteral("course: the par reached every card of the course"));
            if (run == 0) {
                const auto onDisk = cardsWithPar(d.f.readScores(kGolfer), par);
                check(onDisk.first == halves && onDisk.second == halves,
                    QStringLiteral("course: the par reached the cards file"));
            }
        }
    }
    report.done(QStringLiteral("course"),
        QStringLiteral("%1 × registered (%2 → %3 courses, file +164 bytes), shown, par changed "
                       "in the file with the cards file untouched, deleted; par of %4/%5 "
                       "carried into %6 card halves and back, %7 times")
            .arg(kRuns)
            .arg(count)
            .arg(count + 1)
            .arg(playedClub, playedCourse)
            .arg(halves)
            .arg(2 * kRuns));
}

void benchRename(Driver &d, Report &report)
{
    const QString home = clubName(kHomeClub);
    const QString renamed = home + QStringLiteral("新");
    const qsizetype yotei = countClub(d.form->yoteiList(), home);
    const qsizetype courses = countClub(d.form->courseList(), home);
    const qsizetype cards = countClub(d.form->scoreList(), home);
    report.section(QStringLiteral("golf club rename, carried into all four files"));
    Row &rename = report.row(QStringLiteral("rename"), kTrigger, kRenameGoal);
    Row &back = report.row(QStringLiteral("rename back"), kTrigger, kRenameGoal);
    const QStringList files = {linksFile(), courseFile(), yoteiFile(), scoreFile()};
    auto inodes = [&] {
        QList<quint64> list;
        for (const QString &f : files)
            list.append(d.inode(f));
        return list;
    };
    auto allRewritten = [&](const QList<quint64> &before) {
        const QList<quint64> after = inodes();
        for (int i = 0; i < files.size(); ++i)
            if (after[i] == before[i])
                return false;
        return true;
    };
    auto holds = [&](const QString &name, bool onDisk) {
        if (onDisk)
            return countClub(d.f.readYotei(kGolfer), name) == yotei
                && countClub(d.f.readCourses(), name) == courses
                && countClub(d.f.readScores(kGolfer), name) == cards
                && countClub(d.f.readLinks(), name) == 1;
        return countClub(d.form->yoteiList(), name) == yotei
            && countClub(d.form->courseList(), name) == courses
            && countClub(d.form->scoreList(), name) == cards
            && countClub(d.form->linksList(), name) == 1;
    };

    for (int run = 0; run < kRuns; ++run) {
        d.during(QStringLiteral("club: rename"));
        d.clickNode({kLinksTop, home});
        d.append(d.edit(QStringLiteral("LinksNameEdit")), QStringLiteral("新"));
        QList<quint64> before = inodes();
        add(rename, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        check(allRewritten(before), QStringLiteral("rename: all four files rewritten"));
        check(holds(renamed, false) && countClub(d.form->scoreList(), home) == 0,
            QStringLiteral("rename: every record took the new name"));
        if (run == 0)
            check(holds(renamed, true), QStringLiteral("rename: every file holds the new name"));
        check(d.node({kLinksTop, renamed}), QStringLiteral("rename: the node took the new name"));

        d.during(QStringLiteral("club: rename back"));
        d.clickNode({kLinksTop, renamed});
        d.backspace(d.edit(QStringLiteral("LinksNameEdit")), 1);
        before = inodes();
        add(back, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        check(allRewritten(before), QStringLiteral("rename back: all four files rewritten"));
        check(holds(home, false) && countClub(d.form->scoreList(), renamed) == 0,
            QStringLiteral("rename back: every record has the old name again"));
        if (run == 0)
            check(holds(home, true), QStringLiteral("rename back: every file holds the old name"));
    }
    report.done(QStringLiteral("rename"),
        QStringLiteral("%1 × %2 → %3 and back: 4 files rewritten each time; 1 club, %4 courses, "
                       "%5 planned rounds, %6 cards renamed in memory and on disk")
            .arg(kRuns)
            .arg(home, renamed)
            .arg(courses)
            .arg(yotei)
            .arg(cards));
}

// The safe save of the card file's bytes as they stand, alone: what a card operation cannot
// go below. Written beside the card file, so on the same file system, over a file of the
// same size, as the operation replaces the card file.
double saveAlone(const QString &dir)
{
    const QByteArray bytes = fileBytes(dir + QChar('/') + scoreFile());
    const QString scratch = dir + QStringLiteral("/scratch.sce");
    if (!QFileInfo::exists(scratch))
        datafile::saveBytes(scratch, bytes, nullptr);
    QElapsedTimer timer;
    timer.start();
    const bool ok = datafile::saveBytes(scratch, bytes, nullptr);
    const double ms = msSince(timer);
    check(ok && QFileInfo(scratch).size() == bytes.size(), QStringLiteral("scratch save"));
    return ms;
}

QString against(const Row &op, const Row &save)
{
    return QStringLiteral("%1 %2 ms against the safe save alone %3 ms: %4×")
        .arg(op.label)
        .arg(number(op.op.median()), number(save.op.median()),
            QString::number(op.op.median() / save.op.median(), 'f', 2));
}

void benchCards(Driver &d, Report &report)
{
    report.section(QStringLiteral("score card"));
    Row &regist = report.row(QStringLiteral("register"), kTrigger, kCardGoal);
    Row &show = report.row(QStringLiteral("show (click its date node)"), kClick, kCardGoal);
    Row &change = report.row(QStringLiteral("change a stroke"), kTrigger, kCardGoal);
    Row &move = report.row(QStringLiteral("change its date into another year"), kTrigger, 0);
    Row &remove = report.row(QStringLiteral("delete"), kTrigger, 0);
    Row &alone = report.row(QStringLiteral("safe save of the card file alone, in turn"),
        QStringLiteral("datafile::saveBytes"), 0);
    alone.window = false;

    const QString club = clubName(2); // courses 桜, 松, 竹
    const qsizetype count = d.form->scoreList().size();
    const qint64 bytes = d.size(scoreFile());
    auto *picker = d.find<QDateEdit>(QStringLiteral("ScoreDatePicker"));
    // The cards run up to yesterday, so today is free; so are the days before the first
    // card, of which the date picker must still offer the one taken here.
    const QString day = datetime::dateText(kToday);
    const QString dayYear = day.left(4) + QStringLiteral("年");
    const QDate earlier = datetime::toDate(d.form->scoreList().first().RoundDate).addDays(-10);
    const QString earlierText = datetime::dateText(earlier);
    const QString earlierYear = earlierText.left(4) + QStringLiteral("年");
    if (earlier < picker->minimumDate())
        fail(QStringLiteral("the date picker cannot show %1").arg(earlierText));
    constexpr int kCardSize = RecordLayout<TScoreRecord>::Size;

    for (int run = 0; run < kCardRuns; ++run) {
        d.during(QStringLiteral("card: filling in"));
        d.showPage(3);
        d.trigger(QStringLiteral("DataAppendAction"));
        d.choose(d.combo(QStringLiteral("SLinksCombo")), club);
        d.choose(
            d.find<QComboBox>(QStringLiteral("CourseCombo1"), d.frame(1)), QStringLiteral("桜"));
        d.choose(
            d.find<QComboBox>(QStringLiteral("CourseCombo1"), d.frame(2)), QStringLiteral("松"));
        // Putts first: Tab out of a stroke lands on the next stroke, which must not be left
        // empty while adding.
        for (int hole = 1; hole <= 18; ++hole)
            d.type(d.putt(hole), QString::number(1 + hole % 2));
        for (int hole = 1; hole <= 18; ++hole)
            d.type(d.stroke(hole), QString::number(4 + hole % 3));
        if (picker->date() != kToday)
            fail(QStringLiteral("the new card is not dated today"));
        add(regist, timed([&] { d.trigger(QStringLiteral("DataRegistAction")); }));
        alone.op.values.append(saveAlone(d.f.dir.path()));
        check(d.form->scoreList().size() == count + 1 && d.size(scoreFile()) == bytes + kCardSize,
            QStringLiteral("card: registered in the list and the file"));
        const TScoreRecord last = d.cardAt(count);
        check(datetime::dateText(last.RoundDate) == day && last.LinksName == club
                && last.Score[0] == 5 && last.ScoreSum == 90 && last.PuttSum == 27,
            QStringLiteral("card: its strokes and putts are in the file"));

        d.during(QStringLiteral("card: show"));
        const QPoint at = d.reach({kScoreTop, dayYear, day});
        add(show, timed([&] { d.click(at); }));
        check(picker->date() == kToday && d.stroke(1)->text().trimmed() == QStringLiteral("5")
                && d.find<QLabel>(QStringLiteral("SScoreText"))->text().trimmed()
                    == QStringLiteral("90"),
            QStringLiteral("card: the clicked card is shown"));

        d.during(QStringLiteral("card: change a stroke"));
        d.retype(d.stroke(1), QStringLiteral("7"));
        add(change, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        alone.op.values.append(saveAlone(d.f.dir.path()));
        const TScoreRecord changed = d.cardAt(count);
        check(changed.Score[0] == 7 && changed.ScoreSum == 92
                && d.form->scoreList().last().Score[0] == 7,
            QStringLiteral("card: the changed stroke is in the list and the file"));

        d.during(QStringLiteral("card: change the date"));
        picker->setDate(earlier);
        add(move, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        const TScoreRecord moved = d.cardAt(0);
        check(datetime::dateText(moved.RoundDate) == earlierText && moved.Score[0] == 7
                && datetime::dateText(d.form->scoreList().first().RoundDate) == earlierText,
            QStringLiteral("card: moved to the head of the list and the file"));
        QTreeWidgetItem *year = d.node({kScoreTop, earlierYear});
        check(year && year->childCount() > 0 && year->child(0)->text(0) == earlierText
                && !d.node({kScoreTop, dayYear, day}),
            QStringLiteral("card: its node moved under the other year"));

        d.during(QStringLiteral("card: delete"));
        add(remove, timed([&] { d.trigger(QStringLiteral("DataDeleteAction")); }));
        alone.op.values.append(saveAlone(d.f.dir.path()));
        check(d.form->scoreList().size() == count && d.size(scoreFile()) == bytes,
            QStringLiteral("card: deleted from the list and the file"));
        check(!d.node({kScoreTop, earlierYear, earlierText}),
            QStringLiteral("card: its node is gone"));
    }
    report.done(QStringLiteral("score card"),
        QStringLiteral("%1 × registered on %2 (%3 → %4 cards, file +704 bytes), shown, stroke "
                       "changed in the file, moved to %5 (head of list and file, node under "
                       "%6), deleted")
            .arg(kCardRuns)
            .arg(day)
            .arg(count)
            .arg(count + 1)
            .arg(earlierText, earlierYear));
    QFile::remove(d.f.path(QStringLiteral("scratch.sce")));
    for (const Row *op : {&regist, &change, &remove})
        report.m_comparisons.append(QStringLiteral("window, ") + against(*op, alone));
}

// The record book by itself, without the window, on a copy of the data folder: register,
// change and delete a card, each beside the safe save of the card file's bytes alone.
void benchBook(const QString &dir, Report &report)
{
    report.section(QStringLiteral("score card, the record book alone"));
    Row &regist = report.row(QStringLiteral("book: register"), QStringLiteral("registerScore"), 0);
    Row &change
        = report.row(QStringLiteral("book: change a stroke"), QStringLiteral("changeScore"), 0);
    Row &remove = report.row(QStringLiteral("book: delete"), QStringLiteral("deleteScore"), 0);
    Row &alone = report.row(QStringLiteral("book: safe save of the card file alone, in turn"),
        QStringLiteral("datafile::saveBytes"), 0);
    for (Row *r : {&regist, &change, &remove, &alone})
        r->window = false;

    RecordBook book(dir, [] { return kToday; });
    book.recover();
    book.loadClubs();
    book.loadGolfers();
    check(book.loadGolfer(kGolfer, kToday).isEmpty(), QStringLiteral("book: the golfer loads"));
    const QString file = dir + QChar('/') + scoreFile();
    auto saveAloneHere = [&] { alone.op.values.append(saveAlone(dir)); };
    auto time = [](Row &row, const std::function<BookChange()> &operation) {
        QElapsedTimer timer;
        timer.start();
        const BookChange change = operation();
        const double ms = msSince(timer);
        row.op.values.append(ms);
        row.painted.values.append(ms);
        check(!change.refused() && change.writeErrors.isEmpty() && change.backupNotice.isEmpty(),
            QStringLiteral("book: %1 done").arg(row.label));
        return change;
    };
    const qint64 bytes = QFileInfo(file).size();
    TScoreRecord card = book.scores().last();
    card.RoundDate = datetime::fromDate(kToday);
    for (int run = 0; run < kCardRuns; ++run) {
        const BookChange added = time(regist, [&] { return book.registerScore(card); });
        saveAloneHere();
        check(QFileInfo(file).size() == bytes + RecordLayout<TScoreRecord>::Size,
            QStringLiteral("book: registered in the file"));
        TScoreRecord changed = card;
        changed.Score[0] += 1;
        time(change, [&] { return book.changeScore(added.index, changed); });
        saveAloneHere();
        time(remove, [&] { return book.deleteScore(added.index); });
        saveAloneHere();
        check(QFileInfo(file).size() == bytes, QStringLiteral("book: deleted from the file"));
    }
    QFile::remove(dir + QStringLiteral("/scratch.sce"));
    for (const Row *op : {&regist, &change, &remove})
        report.m_comparisons.append(QStringLiteral("book alone, ") + against(*op, alone));
}

// What rewriting each file costs by itself, outside the window: turning the list into bytes,
// and the safe save (temporary file, flush, fsync, rename, directory sync).
template <class T>
void benchFile(Report &report, const QString &dir, const QString &label, const QList<T> &list)
{
    Row &encode
        = report.row(label + QStringLiteral(": encode"), QStringLiteral("encodeRecords"), 0);
    Row &save = report.row(
        label + QStringLiteral(": safe save"), QStringLiteral("datafile::saveBytes"), 0);
    const QString path = dir + QStringLiteral("/scratch.dat");
    for (int run = 0; run < kRuns; ++run) {
        QByteArray bytes;
        QElapsedTimer timer;
        timer.start();
        bytes = encodeRecords(list);
        const double encoded = msSince(timer);
        encode.window = save.window = false;
        encode.op.values.append(encoded);
        encode.painted.values.append(encoded);
        timer.restart();
        const bool ok = datafile::saveBytes(path, bytes, nullptr);
        const double saved = msSince(timer);
        save.op.values.append(saved);
        save.painted.values.append(saved);
        check(
            ok && QFileInfo(path).size() == bytes.size(), label + QStringLiteral(": scratch save"));
    }
    QFile::remove(path);
}

// One size: the window and the book over their data folders, every figure into the report.
void runSize(const Size &size, Report &report)
{
    WindowFixture fixture;
    fixture.seams.clock.date = kToday;
    const QTemporaryDir &dir = fixture.dir;
    QTemporaryDir bookDir;
    if (!dir.isValid() || !bookDir.isValid())
        fail(QStringLiteral("no data folder"));
    QElapsedTimer timer;
    timer.start();
    const DataSet set = makeRecordsDataSet(size);
    if (!writeDataSet(dir.path(), set, {kGolfer}))
        fail(QStringLiteral("cannot write the data set"));
    for (const QString &f :
        {linksFile(), courseFile(), yoteiFile(), scoreFile(), QStringLiteral("Golfer.dat")})
        QFile::copy(dir.filePath(f), bookDir.filePath(f));
    const double generation = msSince(timer);
    // The first write of the day copies the folder into the day's backup; taken now, so that
    // no figure carries it.
    for (const QString &folder : {dir.path(), bookDir.path()})
        if (!backup::makeDailyBackup(folder, kToday).ok)
            fail(QStringLiteral("the day's backup failed"));

    QTextStream out(stdout);
    out << "data: " << set.clubs.size() << " golf clubs, " << set.courses.size() << " courses, "
        << set.yotei.size() << " planned rounds, " << set.cards.size()
        << " score cards, one golfer (written in " << QString::number(generation, 'f', 0)
        << " ms)\n";
    QStringList sizes;
    for (const QString &f : {linksFile(), courseFile(), yoteiFile(), scoreFile()})
        sizes.append(
            QStringLiteral("%1 %2 KiB").arg(f).arg(QFileInfo(dir.filePath(f)).size() / 1024));
    out << "files: " << sizes.join(QStringLiteral(", ")) << '\n';
    // Every save ends in fsync, so the figures depend on the file system the folder is on.
    const QStorageInfo storage(dir.path());
    out << "folder: " << dir.path() << " (" << storage.fileSystemType() << " on "
        << storage.device() << "); the day's backup taken before measuring\n";
    out.flush();

    Driver d(fixture);
    check(d.form->golferName() == kGolfer && d.form->scoreList().size() == size.cards
            && d.form->yoteiList().size() == kYotei,
        QStringLiteral("the golfer and his data were loaded at start-up"));

    benchSchedule(d, report);
    benchClub(d, report);
    benchCourse(d, report);
    benchRename(d, report);
    benchCards(d, report);
    const QStringList unexpected = d.unexpected();
    check(unexpected.isEmpty(),
        QStringLiteral("no message other than the confirmations: ")
            + unexpected.mid(0, 3).join(QStringLiteral(" | "))
            + (unexpected.size() > 3 ? QStringLiteral(" (%1 in all)").arg(unexpected.size())
                                     : QString()));
    benchBook(bookDir.path(), report);

    report.section(QStringLiteral("the file rewrites alone (same folder)"));
    benchFile(report, dir.path(), QStringLiteral("clubs (Links.dat)"), d.form->linksList());
    benchFile(report, dir.path(), QStringLiteral("courses (Course.dat)"), d.form->courseList());
    benchFile(report, dir.path(), QStringLiteral("schedule (.yti)"), d.form->yoteiList());
    benchFile(report, dir.path(), QStringLiteral("cards (.sce)"), d.form->scoreList());
}

int run()
{
    QTextStream out(stdout);
    out << "Kestro record operations benchmark, both sizes side by side\n";
    out << "the home club " << clubName(kHomeClub) << " has " << kHomeExtraCourses.size()
        << " courses added to its 3, every " << kHomeYoteiEvery << "th planned round and every "
        << kHomeCardEvery << "rd card\n";
    out << "each operation " << kRuns << " times (the card operations " << kCardRuns
        << "); \"timed\" says what the clock covers, "
        << "+repaint is the median with the repaint the operation causes\n\n";
    out.flush();
    std::array<Report, 2> reports;
    for (size_t s = 0; s < kSizes.size(); ++s)
        runSize(kSizes[s], reports[s]);
    out << '\n';
    Report::print(out, reports, checks);
    out << "goals: schedule, golf club and course operations < " << kRecordGoal
        << " ms; club rename into all four files < " << kRenameGoal
        << " ms; card register, show and change < " << kCardGoal
        << " ms (median of the operation, at 10,000 cards)\n";
    out.flush();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's remarks would only clutter the table.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    try {
        return run();
    } catch (const Failure &failure) {
        std::fflush(stdout);
        std::fprintf(stderr, "bench_records: %s\n", qPrintable(failure.why));
        return 1;
    }
}
