// How long the main window takes to come up over a large data set, how long choosing a
// golfer takes, and how much memory the start-up needs at its peak.
//
// Both sizes of the data set side by side (benchdata.h). Start-ups are measured in fresh
// processes (this executable started again with --child), so that the first window pays
// what a real start pays, and repeated in one process for the steady state.
#include "benchdata.h"
#include "ui/main/mainform.h"
#include "ui/stats/shukeiform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

using namespace benchdata;

constexpr int kFreshRuns = 5;
constexpr int kRepeatRuns = 7;

// --- Figures. ----------------------------------------------------------------------------

qint64 peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// --- The child: one fresh process. ------------------------------------------------------
//
// Prints "key value" lines: the first window's construction and first paint, the peak
// memory after them, then repeated constructions, and for "choose" the golfer choices.

std::unique_ptr<TMainForm> makeWindow(const QString &dir, Seams &seams)
{
    MainFormOptions options;
    options.dataDir = dir;
    options.startupDelayMs = 0;
    return std::make_unique<TMainForm>(options, seams.services());
}

int runChild(const QString &mode, const QString &dir)
{
    // The offscreen platform's remarks would only clutter the table.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QElapsedTimer appTimer;
    appTimer.start();
    int argc = 1;
    char name[] = "bench_startup";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QTextStream out(stdout);
    out << "app " << msSince(appTimer) << '\n';

    Seams seams;
    QElapsedTimer timer;
    timer.start();
    auto form = makeWindow(dir, seams);
    out << "construct " << msSince(timer) << '\n';
    timer.restart();
    form->show();
    QCoreApplication::processEvents();
    out << "show " << msSince(timer) << '\n';
    out << "peak " << peakKiB() << '\n';
    out << "golfer " << form->golferName() << '\n';
    out << "cards " << form->scoreCount() << '\n';
    out << "yotei " << form->yoteiList().size() << '\n';
    if (mode == QLatin1String("decode")) {
        // What the first tally, chart, analysis or export of the cards adds.
        timer.restart();
        form->scoreList();
        out << "decode " << msSince(timer) << '\n';
        out << "decodedpeak " << peakKiB() << '\n';
        // Then the tally the results page runs on entry, its grid filled.
        auto *tabs = form->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        // The tally's dialog is answered with its first kind, the detailed statistics.
        form->findChild<TShukeiForm *>(QStringLiteral("ShukeiForm"))
            ->setRunner([](TModalDialog &d) {
                d.findChild<QRadioButton *>(QStringLiteral("ShukeiGroupItem0"))->click();
                d.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            });
        timer.restart();
        tabs->setCurrentIndex(4);
        QCoreApplication::processEvents();
        out << "tally " << msSince(timer) << '\n';
        out << "tallypeak " << peakKiB() << '\n';
    }
    form.reset();

    if (mode == QLatin1String("startup")) {
        for (int i = 0; i < kRepeatRuns; ++i) {
            timer.restart();
            auto again = makeWindow(dir, seams);
            out << "repeat " << msSince(timer) << '\n';
        }
    } else if (mode == QLatin1String("choose")) {
        auto window = makeWindow(dir, seams);
        auto *combo = window->findChild<QComboBox *>(QStringLiteral("GolferCombo"));
        const int index = combo->findText(kGolfer);
        for (int i = 0; i < kRepeatRuns; ++i) {
            timer.restart();
            combo->setCurrentIndex(index);
            Q_EMIT combo->activated(index);
            out << "choose " << msSince(timer) << '\n';
        }
        out << "peak " << peakKiB() << '\n';
        out << "cards " << window->scoreCount() << '\n';
    }
    out.flush();
    return 0;
}

// --- The parent: builds the data, starts the children, prints the table. ---------------

struct ChildResult {
    QMap<QString, QList<double>> numbers;
    QMap<QString, QString> texts;
    bool ok = false;
};

// With keepFreed the C library keeps memory freed by the process for its next requests rather
// than handing large blocks back to the system, as it does with small ones: a card file read
// again then lands in memory already mapped, whatever its size.
ChildResult startChild(const QString &mode, const QString &dir, bool keepFreed = false)
{
    ChildResult result;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (keepFreed) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MALLOC_MMAP_THRESHOLD_"), QStringLiteral("1073741824"));
        env.insert(QStringLiteral("MALLOC_TRIM_THRESHOLD_"), QStringLiteral("1073741824"));
        child.setProcessEnvironment(env);
    }
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode, dir});
    if (!child.waitForFinished(600000) || child.exitCode() != 0) {
        std::fprintf(stderr, "child %s failed\n", qPrintable(mode));
        return result;
    }
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    for (const QString &line : output.split(QChar('\n'), Qt::SkipEmptyParts)) {
        const qsizetype space = line.indexOf(QChar(' '));
        const QString key = line.left(space);
        const QString value = line.mid(space + 1);
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        if (isNumber)
            result.numbers[key].append(number);
        result.texts[key] = value;
    }
    result.ok = true;
    return result;
}

QString fileSizes(const QString &dir)
{
    QStringList parts;
    for (const QString &file : {QStringLiteral("Links.dat"), QStringLiteral("Course.dat"),
             kGolfer + QStringLiteral(".yti"), kGolfer + QStringLiteral(".sce")})
        parts.append(QStringLiteral("%1 %2 KiB")
                         .arg(file)
                         .arg(QFileInfo(dir + QChar('/') + file).size() / 1024));
    return parts.join(QStringLiteral(", "));
}

struct Scenario {
    QString label;
    QString mode;
    QString dir;
    int runs;
    QList<ChildResult> results;
    bool keepFreed = false;

    Figures collect(const QString &key) const
    {
        Figures f;
        for (const ChildResult &r : results)
            f.values += r.numbers.value(key);
        return f;
    }
    // The window built and shown, per fresh process.
    Figures started() const
    {
        Figures f;
        for (const ChildResult &r : results)
            f.values.append(r.numbers.value(QStringLiteral("construct")).value(0)
                + r.numbers.value(QStringLiteral("show")).value(0));
        return f;
    }
    Figures peakMiB() const
    {
        Figures f = collect(QStringLiteral("peak"));
        for (double &v : f.values)
            v /= 1024.0;
        return f;
    }
};

int runParent()
{
    QTemporaryDir empty;
    if (!empty.isValid())
        return 1;
    std::printf("Kestro start-up benchmark, both sizes side by side\n");
    SizeTable table;
    // The empty start is the same at both sizes; its figures stand beside each size's, and
    // each size's start-up with one golfer is compared with those taken in the same run.
    std::array<Figures, 2> emptyStarts;
    std::array<Figures, 2> oneGolferStarts;
    for (int s = 0; s < int(kSizes.size()); ++s) {
        const Size &size = kSizes[size_t(s)];
        QTemporaryDir one, two;
        if (!one.isValid() || !two.isValid())
            return 1;
        QElapsedTimer timer;
        timer.start();
        if (!writeDataSet(one.path(), size, {kGolfer})
            || !writeDataSet(two.path(), size, {kGolfer, kOtherGolfer}))
            return 1;
        std::printf("data: %d golf clubs, %d courses, %d planned rounds, %d score cards (written "
                    "in %.0f ms)\nfiles: %s\n",
            size.clubs, size.courses(), kYotei, size.cards, msSince(timer),
            qPrintable(fileSizes(one.path())));
        std::fflush(stdout);

        QList<Scenario> scenarios = {
            {QStringLiteral("start-up, one golfer (his data loaded)"), QStringLiteral("startup"),
                one.path(), kFreshRuns, {}},
            {QStringLiteral("start-up, two golfers (none chosen)"), QStringLiteral("startup"),
                two.path(), kFreshRuns, {}},
            {QStringLiteral("start-up, empty folder"), QStringLiteral("startup"), empty.path(),
                kFreshRuns, {}},
            {QString(), QStringLiteral("choose"), two.path(), 1, {}},
            {QString(), QStringLiteral("choose"), two.path(), 1, {}, true},
            {QString(), QStringLiteral("decode"), one.path(), 3, {}},
        };
        // Taken in turns, so that a slow moment of the machine falls on all of them alike.
        for (int i = 0; i < kFreshRuns; ++i)
            for (Scenario &s : scenarios)
                if (i < s.runs) {
                    ChildResult r = startChild(s.mode, s.dir, s.keepFreed);
                    if (!r.ok)
                        return 1;
                    s.results.append(r);
                }

        for (const Scenario &sc : scenarios) {
            if (sc.mode != QLatin1String("startup"))
                continue;
            table.add(QStringLiteral("%1: window built, fresh process").arg(sc.label), s,
                sc.collect(QStringLiteral("construct")));
            table.add(QStringLiteral("%1: window built, again in the same process").arg(sc.label),
                s, sc.collect(QStringLiteral("repeat")));
            table.add(QStringLiteral("%1: first show and paint").arg(sc.label), s,
                sc.collect(QStringLiteral("show")));
            table.add(QStringLiteral("%1: built and shown").arg(sc.label), s, sc.started());
            table.add(QStringLiteral("%1: peak memory after the first show (VmHWM)").arg(sc.label),
                s, sc.peakMiB(), QStringLiteral("MiB"));
        }
        // GolferCombo: releases and reads the golfer's rounds and cards.
        const Scenario &choose = scenarios[3];
        table.add(QStringLiteral("choosing the golfer, same process"), s,
            choose.collect(QStringLiteral("choose")));
        table.add(QStringLiteral("choosing the golfer: peak memory after it (VmHWM)"), s,
            choose.peakMiB(), QStringLiteral("MiB"));
        table.add(QStringLiteral("choosing the golfer, freed memory kept by the C library"), s,
            scenarios[4].collect(QStringLiteral("choose")));
        // After start-up with one golfer.
        table.add(QStringLiteral("every card decoded, as the first tally does"), s,
            scenarios[5].collect(QStringLiteral("decode")));
        const Scenario &decode = scenarios[5];
        auto mib = [&decode](const QString &key) {
            Figures f = decode.collect(key);
            for (double &v : f.values)
                v /= 1024.0;
            return f;
        };
        const Figures shown = mib(QStringLiteral("peak"));
        const Figures decoded = mib(QStringLiteral("decodedpeak"));
        table.add(QStringLiteral("every card decoded: peak memory after it (VmHWM)"), s, decoded,
            QStringLiteral("MiB"));
        Figures added;
        for (qsizetype k = 0; k < decoded.values.size(); ++k)
            added.values.append(decoded.values[k] - shown.values.value(k));
        table.add(QStringLiteral("every card decoded: what it added to the peak"), s, added,
            QStringLiteral("MiB"));
        table.add(QStringLiteral("then the first tally (results page entered), grid filled"), s,
            decode.collect(QStringLiteral("tally")));
        table.add(QStringLiteral("first tally: peak memory after it (VmHWM)"), s,
            mib(QStringLiteral("tallypeak")), QStringLiteral("MiB"));
        oneGolferStarts[size_t(s)] = scenarios[0].started();
        emptyStarts[size_t(s)] = scenarios[2].started();

        // Sanity: the windows saw the data.
        const ChildResult &first = scenarios[0].results.first();
        std::printf("checks: one golfer chose \"%s\" with %s cards and %s rounds; two golfers "
                    "chose \"%s\"; choosing loaded %s cards\n\n",
            qPrintable(first.texts.value(QStringLiteral("golfer"))),
            qPrintable(first.texts.value(QStringLiteral("cards"))),
            qPrintable(first.texts.value(QStringLiteral("yotei"))),
            qPrintable(scenarios[1].results.first().texts.value(QStringLiteral("golfer"))),
            qPrintable(choose.results.first().texts.value(QStringLiteral("cards"))));
        std::fflush(stdout);
    }
    table.print();
    for (int s = 0; s < int(kSizes.size()); ++s)
        std::printf("start-up with one golfer of %s, built and shown: %.1f ms against %.1f ms "
                    "in an empty folder (medians of the same run): %.2f× (goal 1.5×)\n",
            qPrintable(kSizes[size_t(s)].label()), oneGolferStarts[size_t(s)].median(),
            emptyStarts[size_t(s)].median(),
            oneGolferStarts[size_t(s)].median() / emptyStarts[size_t(s)].median());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    // For profiling one start-up by hand: --write-data DIR writes the one-golfer data set
    // (--write-large-data the larger one), then "--child startup DIR" runs a start-up over it.
    if (argc == 3 && qstrcmp(argv[1], "--write-large-data") == 0)
        return writeDataSet(QString::fromLocal8Bit(argv[2]), kSizes[1], {kGolfer}) ? 0 : 1;
    if (argc == 3 && qstrcmp(argv[1], "--write-data") == 0)
        return writeDataSet(QString::fromLocal8Bit(argv[2]), kSizes[0], {kGolfer}) ? 0 : 1;
    return runParent();
}
