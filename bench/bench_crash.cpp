// Kills a real process at every step of a change that spans files (a club renamed for two
// golfers, a course carried into the cards), one run per step, and starts the book again on
// what the kill left: every outcome must be the folder as it was before the change or as
// the whole change leaves it. Then makes the disk fail at every step of the same changes
// instead, once or for as long as the change runs, saves a card with the same book once the
// disk is well and starts again: the folder must be the change whole or not at all, with the
// card, and the book must have shown it as the files have it. Prints how many of the runs
// ended consistent.
#include "core/data/datafile.h"
#include "core/data/recordbook.h"
#include "support/builders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kA = QStringLiteral("A倶楽部");
const QString kGolfers[] = {QStringLiteral("山田"), QStringLiteral("佐藤")};
const QDate kToday(2026, 12, 7);

using Operation = std::function<BookChange(RecordBook &)>;
// Whether the book holds the change, as its lists show it.
using Holds = std::function<bool(const RecordBook &)>;
using Snapshot = QMap<QString, QByteArray>;

void put(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (!datafile::saveBytes(path, bytes, &error))
        qFatal("%s", qPrintable(error));
}

// Two golfers with 200 cards each, club A named everywhere.
void writeSample(const QString &dir)
{
    QDir d(dir);
    put(d.filePath("Golfer.dat"), QByteArray("\x8e\x52\x93\x63\r\n\x8d\xb2\x93\xa1\r\n"));
    put(d.filePath("Links.dat"), encodeRecords(QList<TLinksRecord> {build::club(kA)}));
    put(d.filePath("Course.dat"),
        encodeRecords(QList<TCourseRecord> {
            build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))}));
    QList<TScoreRecord> cards;
    for (int i = 0; i < 200; ++i)
        cards.append(build::card(QDate(2020, 1, 1).addDays(i * 3), kA, 4 + i % 3));
    for (const QString &golfer : kGolfers) {
        put(d.filePath(golfer + ".yti"),
            encodeRecords(QList<TYoteiRecord> {build::yotei(QDate(2027, 1, 10), kA)}));
        put(d.filePath(golfer + ".sce"), encodeRecords(cards));
    }
}

Snapshot snapshot(const QString &dir)
{
    Snapshot files;
    for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden))
        files.insert(info.fileName(), fileBytes(info.filePath()));
    return files;
}

RecordBook openBook(const QString &dir)
{
    RecordBook book(dir, [] { return kToday; });
    book.recover();
    book.loadClubs();
    book.loadGolfers();
    book.loadGolfer(kGolfers[0], kToday);
    return book;
}

// Runs the change in a child process killed before step `killAt`; true when it was killed.
bool runKilled(const QString &dir, const Operation &operation, int killAt)
{
    const pid_t pid = fork();
    if (pid == 0) {
        RecordBook book = openBook(dir);
        int step = 0;
        book.setStepHook([&](const QString &) {
            if (step++ == killAt)
                ::kill(::getpid(), SIGKILL);
            return true;
        });
        operation(book);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status);
}

void check(const char *name, const Operation &operation)
{
    QTemporaryDir base;
    const QString reference = base.filePath("reference");
    QDir().mkpath(reference);
    writeSample(reference);
    const Snapshot before = snapshot(reference);
    {
        RecordBook book = openBook(reference);
        operation(book);
    }
    const Snapshot after = snapshot(reference);

    int runs = 0;
    int consistent = 0;
    int finished = 0;
    int rolledBack = 0;
    for (int killAt = 0;; ++killAt) {
        const QString dir = base.filePath(QStringLiteral("run%1").arg(killAt));
        QDir().mkpath(dir);
        writeSample(dir);
        if (!runKilled(dir, operation, killAt))
            break;
        ++runs;
        openBook(dir); // the next start
        const Snapshot found = snapshot(dir);
        if (found == before)
            ++rolledBack;
        else if (found == after)
            ++finished;
        consistent += found == before || found == after;
    }
    std::printf("%-32s kills %2d  consistent %2d (as before %d, whole change %d)\n", name, runs,
        consistent, rolledBack, finished);
}

// What the disk does in a failure run: the step at `failAt` fails with EIO, and with
// `lasting` so does every later step of the same kind on the same file.
struct Fault {
    int failAt = -1;
    bool lasting = false;
    int steps = 0;
    std::optional<std::pair<datafile::DiskStep, QString>> failed;

    int operator()(datafile::DiskStep step, const QString &path)
    {
        if (steps++ == failAt) {
            failed = std::pair(step, path);
            return EIO;
        }
        return lasting && failed && failed->first == step && failed->second == path ? EIO : 0;
    }
};

const TScoreRecord &laterCard()
{
    static const TScoreRecord card = build::card(QDate(2026, 11, 1), kA, 5);
    return card;
}

void fail(const char *name, const Operation &operation, const Holds &holds, bool lasting)
{
    QTemporaryDir base;
    // The two ends a failure may come to, each with the card saved after it.
    Snapshot before;
    Snapshot after;
    for (bool done : {false, true}) {
        const QString dir
            = base.filePath(done ? QStringLiteral("after") : QStringLiteral("before"));
        QDir().mkpath(dir);
        writeSample(dir);
        RecordBook book = openBook(dir);
        if (done)
            operation(book);
        book.registerScore(laterCard());
        (done ? after : before) = snapshot(dir);
    }

    int runs = 0;
    int consistent = 0;
    int wentBack = 0;
    int finished = 0;
    for (int failAt = 0;; ++failAt) {
        const QString dir = base.filePath(QStringLiteral("fail%1").arg(failAt));
        QDir().mkpath(dir);
        writeSample(dir);
        RecordBook book = openBook(dir);
        Fault fault;
        fault.failAt = failAt;
        fault.lasting = lasting;
        datafile::setDiskSteps(
            [&fault](datafile::DiskStep step, const QString &path) { return fault(step, path); });
        operation(book);
        datafile::setDiskSteps({});
        if (!fault.failed)
            break;
        ++runs;
        const bool held = holds(book);
        book.registerScore(laterCard());
        openBook(dir); // the next start
        const Snapshot found = snapshot(dir);
        wentBack += found == before;
        finished += found == after;
        consistent += (found == before && !held) || (found == after && held);
    }
    std::printf("%-32s failures %3d  consistent %3d (as before %d, whole change %d)\n", name, runs,
        consistent, wentBack, finished);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("A kill at every step of a change across files, then a new start:\n");
    check("club renamed (two golfers)", [](RecordBook &b) {
        TLinksRecord r = b.links()[0];
        r.LinksName = QStringLiteral("新A倶楽部");
        return b.changeLinks(0, r);
    });
    check("course carried into the cards", [](RecordBook &b) {
        return b.changeCourse(0, build::course(kA, QStringLiteral("WEST"), 400, 3), true);
    });

    const Operation rename = [](RecordBook &b) {
        TLinksRecord r = b.links()[0];
        r.LinksName = QStringLiteral("新A倶楽部");
        return b.changeLinks(0, r);
    };
    const Holds renamed
        = [](const RecordBook &b) { return b.links()[0].LinksName == QStringLiteral("新A倶楽部"); };
    const Operation carry = [](RecordBook &b) {
        return b.changeCourse(0, build::course(kA, QStringLiteral("WEST"), 400, 3), true);
    };
    const Holds carried
        = [](const RecordBook &b) { return b.courses()[0].CourseName == QStringLiteral("WEST"); };
    for (bool lasting : {false, true}) {
        std::printf("The disk failing at every step %s, a card saved after, then a new start:\n",
            lasting ? "for as long as the change runs" : "once");
        fail("club renamed (two golfers)", rename, renamed, lasting);
        fail("course carried into the cards", carry, carried, lasting);
    }
    return 0;
}
