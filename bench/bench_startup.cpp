// How long the main window takes to come up over a large data set, how long choosing a
// golfer takes, and how much memory the start-up needs at its peak.
//
// The data set: 1,000 golf clubs, 3,000 courses, one golfer with 400 planned rounds and
// 10,000 score cards (one a day for about 27 years). Start-ups are measured in fresh
// processes (this executable started again with --child), so that the first window pays
// what a real start pays, and repeated in one process for the steady state.
#include "benchdata.h"
#include "ui/main/mainform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
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
    out << "cards " << form->scoreList().size() << '\n';
    out << "yotei " << form->yoteiList().size() << '\n';
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
        out << "cards " << window->scoreList().size() << '\n';
        out << "peak " << peakKiB() << '\n';
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

ChildResult startChild(const QString &mode, const QString &dir)
{
    ChildResult result;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
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

void row(QTextStream &out, const QString &what, const Figures &f,
    const QString &unit = QStringLiteral("ms"))
{
    out << qSetFieldWidth(52) << Qt::left << what << qSetFieldWidth(6) << Qt::right
        << f.values.size() << qSetFieldWidth(11) << QString::number(f.min(), 'f', 1)
        << QString::number(f.median(), 'f', 1) << qSetFieldWidth(0) << "  " << unit << '\n';
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

int runParent()
{
    QTemporaryDir one, two, empty;
    if (!one.isValid() || !two.isValid() || !empty.isValid())
        return 1;
    QElapsedTimer timer;
    timer.start();
    if (!writeDataSet(one.path(), {kGolfer}) || !writeDataSet(two.path(), {kGolfer, kOtherGolfer}))
        return 1;
    const double generation = msSince(timer);

    QTextStream out(stdout);
    out << "Kestro start-up benchmark\n";
    out << "data: " << kClubs << " golf clubs, " << kClubs * kCoursesPerClub << " courses, "
        << kYotei << " planned rounds, " << kCards << " score cards (written in "
        << QString::number(generation, 'f', 0) << " ms)\n";
    out << "files: " << fileSizes(one.path()) << "\n\n";
    out.flush();

    struct Scenario {
        QString label;
        QString mode;
        QString dir;
        int runs;
        QList<ChildResult> results;
    };
    QList<Scenario> scenarios = {
        {QStringLiteral("one golfer: start-up loads his data too"), QStringLiteral("startup"),
            one.path(), kFreshRuns, {}},
        {QStringLiteral("two golfers: nobody chosen at start-up"), QStringLiteral("startup"),
            two.path(), kFreshRuns, {}},
        {QStringLiteral("empty folder"), QStringLiteral("startup"), empty.path(), kFreshRuns, {}},
        {QStringLiteral("choosing the golfer"), QStringLiteral("choose"), two.path(), 1, {}},
    };
    for (Scenario &s : scenarios)
        for (int i = 0; i < s.runs; ++i) {
            ChildResult r = startChild(s.mode, s.dir);
            if (!r.ok)
                return 1;
            s.results.append(r);
        }

    auto collect = [](const Scenario &s, const QString &key) {
        Figures f;
        for (const ChildResult &r : s.results)
            f.values += r.numbers.value(key);
        return f;
    };

    out << qSetFieldWidth(52) << Qt::left << "measure" << qSetFieldWidth(6) << Qt::right << "runs"
        << qSetFieldWidth(11) << "min"
        << "median" << qSetFieldWidth(0) << '\n';
    for (const Scenario &s : scenarios) {
        if (s.mode != QLatin1String("startup"))
            continue;
        out << s.label << '\n';
        row(out, QStringLiteral("  window built, fresh process"),
            collect(s, QStringLiteral("construct")));
        row(out, QStringLiteral("  window built, again in the same process"),
            collect(s, QStringLiteral("repeat")));
        row(out, QStringLiteral("  first show and paint"), collect(s, QStringLiteral("show")));
        row(out, QStringLiteral("  QApplication itself"), collect(s, QStringLiteral("app")));
        Figures peak = collect(s, QStringLiteral("peak"));
        for (double &v : peak.values)
            v /= 1024.0;
        row(out, QStringLiteral("  peak memory after the first show (VmHWM)"), peak,
            QStringLiteral("MiB"));
    }
    const Scenario &choose = scenarios.last();
    out << choose.label << " (GolferCombo, releases and reads " << kYotei << " rounds and "
        << kCards << " cards)\n";
    row(out, QStringLiteral("  choose, same process"), collect(choose, QStringLiteral("choose")));

    // Sanity: the windows saw the data.
    const ChildResult &first = scenarios[0].results.first();
    out << "\nchecks: one golfer chose \"" << first.texts.value(QStringLiteral("golfer"))
        << "\" with " << first.texts.value(QStringLiteral("cards")) << " cards and "
        << first.texts.value(QStringLiteral("yotei")) << " rounds; two golfers chose \""
        << scenarios[1].results.first().texts.value(QStringLiteral("golfer"))
        << "\"; choosing loaded " << choose.results.first().texts.value(QStringLiteral("cards"))
        << " cards\n";

    const double total = collect(scenarios[0], QStringLiteral("construct")).median()
        + collect(scenarios[0], QStringLiteral("show")).median();
    out << "start-up with one golfer, built and shown (median): " << QString::number(total, 'f', 1)
        << " ms (goal 150 ms)\n";
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
    // For profiling one start-up by hand: --write-data DIR writes the one-golfer data set,
    // then "--child startup DIR" runs a start-up over it.
    if (argc == 3 && qstrcmp(argv[1], "--write-data") == 0)
        return writeDataSet(QString::fromLocal8Bit(argv[2]), {kGolfer}) ? 0 : 1;
    return runParent();
}
