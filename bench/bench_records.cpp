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
#include "recordsbench.h"

#include <QApplication>
#include <QStorageInfo>

namespace benchdata::records {

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
    auto cardsWithPar = [&](const auto &cards, qint32 par) {
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

// What rewriting each file costs by itself, outside the window: turning the list into bytes,
// and the safe save (temporary file, flush, fsync, rename, directory sync).
template <class List>
void benchFile(Report &report, const QString &dir, const QString &label, const List &list)
{
    // Every record encoded, which a save no longer does: what keeping the bytes saves.
    Row &encode = report.row(
        label + QStringLiteral(": encode all"), QStringLiteral("encodeRecords"), 0);
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

} // namespace benchdata::records

int main(int argc, char *argv[])
{
    using namespace benchdata::records;
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
