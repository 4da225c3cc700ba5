// How long the main window takes to come up over a large data set, how long choosing a
// golfer takes, and how much memory the start-up needs at its peak.
//
// The data set: 1,000 golf clubs, 3,000 courses, one golfer with 400 planned rounds and
// 10,000 score cards (one a day for about 27 years). Start-ups are measured in fresh
// processes (this executable started again with --child), so that the first window pays
// what a real start pays, and repeated in one process for the steady state.
#include "data/datafile.h"
#include "data/datetime.h"
#include "data/records.h"
#include "data/sjis.h"
#include "ui/main/mainform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>

namespace {

constexpr int kClubs = 1000;
constexpr int kCoursesPerClub = 3;
constexpr int kYotei = 400;
constexpr int kCards = 10000;
constexpr int kFreshRuns = 5;
constexpr int kRepeatRuns = 7;
const QDate kToday(2026, 12, 7);
const QString kGolfer = QStringLiteral("山田太郎");
const QString kOtherGolfer = QStringLiteral("佐藤花子");

// --- Silent seams: every message is answered with its first button. ---------------------

class SilentDialogs final : public DialogService
{
public:
    int showMessage(const MessageRequest &) override { return 0; }
    QString inputBox(const QString &, const QString &, const QString &) override
    {
        return QString();
    }
};

class FixedClock final : public Clock
{
public:
    QDate today() const override { return kToday; }
};

class PlentyOfSpace final : public DiskSpace
{
public:
    qint64 freeBytes(const QString &) const override { return qint64(1) << 40; }
};

class NoDesktop final : public Desktop
{
public:
    void open(const QUrl &) override {}
};

struct Seams {
    SilentDialogs dialogs;
    FixedClock clock;
    PlentyOfSpace disk;
    NoDesktop desktop;
    Services services() { return {&dialogs, &clock, &disk, &desktop}; }
};

// --- The data set. -----------------------------------------------------------------------

const QStringList kPlaces = {
    QStringLiteral("富士見"), QStringLiteral("大利根"), QStringLiteral("霞ヶ浦"), QStringLiteral("鹿沼"),
    QStringLiteral("軽井沢"), QStringLiteral("箱根"),   QStringLiteral("那須"),   QStringLiteral("成田"),
    QStringLiteral("房総"),   QStringLiteral("赤城"),   QStringLiteral("筑波"),   QStringLiteral("浜名湖"),
    QStringLiteral("琵琶湖"), QStringLiteral("六甲"),   QStringLiteral("宝塚"),   QStringLiteral("阿蘇"),
    QStringLiteral("霧島"),   QStringLiteral("石狩"),   QStringLiteral("蔵王"),   QStringLiteral("伊豆"),
    QStringLiteral("八ヶ岳"), QStringLiteral("芦ノ湖"), QStringLiteral("岐阜関"), QStringLiteral("能登"),
};
const QStringList kKinds = {
    QStringLiteral("カントリー倶楽部"), QStringLiteral("ゴルフ倶楽部"), QStringLiteral("ゴルフクラブ"),
    QStringLiteral("カンツリー倶楽部"), QStringLiteral("国際ゴルフ場"), QStringLiteral("ＣＣ"),
};
const QStringList kPrefectures = {
    QStringLiteral("千葉県"), QStringLiteral("茨城県"), QStringLiteral("栃木県"), QStringLiteral("群馬県"),
    QStringLiteral("静岡県"), QStringLiteral("長野県"), QStringLiteral("兵庫県"), QStringLiteral("熊本県"),
};
const QStringList kPartners = {
    QStringLiteral("鈴木一郎"), QStringLiteral("高橋健"), QStringLiteral("田中誠"), QStringLiteral("伊藤大輔"),
    QStringLiteral("渡辺修"),   QStringLiteral("中村聡"), QStringLiteral("小林直樹"), QStringLiteral("加藤浩"),
};
const QStringList kWeather = {QStringLiteral("晴れ"), QStringLiteral("くもり"), QStringLiteral("雨")};
const QStringList kMemos = {
    QStringLiteral("前半はティーショットが安定。後半バンカーで崩れる。"),
    QStringLiteral("風が強くアプローチが難しかった。パットは好調。"),
    QStringLiteral("コンペ参加。ドラコン賞。"),
    QString(),
    QStringLiteral("グリーンが速い。下りのパットに注意。"),
};
const std::array<std::array<qint32, 9>, 3> kParPatterns = {{
    {4, 4, 3, 5, 4, 4, 3, 4, 5},
    {5, 4, 4, 3, 4, 5, 4, 3, 4},
    {4, 3, 4, 4, 5, 4, 4, 3, 5},
}};

QString clubName(int i)
{
    return kPlaces[i % kPlaces.size()] + kKinds[(i / kPlaces.size()) % kKinds.size()]
        + QString::number(i);
}

QList<TLinksRecord> makeClubs()
{
    QList<TLinksRecord> list;
    for (int i = 0; i < kClubs; ++i) {
        TLinksRecord r;
        r.LinksName = clubName(i);
        r.LinksAddress = kPrefectures[i % kPrefectures.size()] + kPlaces[i % kPlaces.size()]
            + QStringLiteral("市大字") + QString::number(100 + i % 900) + QStringLiteral("番地");
        r.LinksTel = QStringLiteral("0%1-%2-%3").arg(40 + i % 60).arg(100 + i % 900).arg(1000 + i, 4, 10, QChar('0'));
        r.URL = QStringLiteral("http://www.club%1.example.jp/").arg(i, 4, 10, QChar('0'));
        list.append(r);
    }
    return list;
}

QList<TCourseRecord> makeCourses(QRandomGenerator &rng)
{
    static const std::array<std::array<const char16_t *, 3>, 3> names = {{
        {u"東", u"西", u"南"}, {u"OUT", u"IN", u"NEW"}, {u"桜", u"松", u"竹"}}};
    static const std::array<const char16_t *, 5> tees = {u"フルバック", u"バック", u"レギュラー",
                                                          u"フロント", u"レディース"};
    QList<TCourseRecord> list;
    for (int i = 0; i < kClubs; ++i) {
        for (int c = 0; c < kCoursesPerClub; ++c) {
            TCourseRecord r;
            r.LinksName = clubName(i);
            r.CourseName = QString::fromUtf16(names[i % 3][c]);
            r.Green = (i % 4 == 0) ? QStringLiteral("高麗") : QStringLiteral("ベント");
            r.Tee = QString::fromUtf16(tees[(i + c) % tees.size()]);
            r.Par = kParPatterns[(i + c) % kParPatterns.size()];
            for (int h = 0; h < 9; ++h) {
                const int par = r.Par[h];
                r.Yard[h] = par == 3 ? 140 + int(rng.bounded(60))
                          : par == 4 ? 320 + int(rng.bounded(110))
                                     : 460 + int(rng.bounded(100));
            }
            r.YardTotal = std::accumulate(r.Yard.begin(), r.Yard.end(), 0);
            r.ParTotal = std::accumulate(r.Par.begin(), r.Par.end(), 0);
            list.append(r);
        }
    }
    return list;
}

QList<TYoteiRecord> makeYotei(QRandomGenerator &rng)
{
    QList<TYoteiRecord> list;
    for (int i = 0; i < kYotei; ++i) {
        TYoteiRecord r;
        r.RoundDate = datetime::fromDate(kToday.addDays(i * 2));
        r.StartTime = datetime::fromTime(QTime(7 + int(rng.bounded(3)), int(rng.bounded(6)) * 10));
        r.LinksName = clubName(int(rng.bounded(60)));
        r.Bikou = (i % 5 == 0) ? QStringLiteral("月例会") : QString();
        list.append(r);
    }
    return list;
}

QList<TScoreRecord> makeCards(const QList<TCourseRecord> &courses, QRandomGenerator &rng)
{
    // Strokes over par per hole, weighted as an average club golfer plays.
    static const int overPar[] = {-1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 4};
    QList<TScoreRecord> list;
    list.reserve(kCards);
    for (int i = 0; i < kCards; ++i) {
        TScoreRecord r;
        r.RoundDate = datetime::fromDate(kToday.addDays(i - kCards));
        const int club = int(rng.bounded(60));
        r.LinksName = clubName(club);
        r.Weather = kWeather[int(rng.bounded(kWeather.size()))];
        const int first = int(rng.bounded(kCoursesPerClub));
        const int second = (first + 1) % kCoursesPerClub;
        int puttSum = 0;
        for (int half = 0; half < 2; ++half) {
            const TCourseRecord &c = courses[club * kCoursesPerClub + (half == 0 ? first : second)];
            r.CourseName[half] = c.CourseName;
            r.Green[half] = c.Green;
            r.Tee[half] = c.Tee;
            int putts = 0;
            for (int h = 0; h < 9; ++h) {
                const int hole = half * 9 + h;
                r.Yard[hole] = c.Yard[h];
                r.Par[hole] = c.Par[h];
                r.Score[hole] = c.Par[h] + overPar[rng.bounded(int(std::size(overPar)))];
                const int p = 1 + int(rng.bounded(3));
                r.Putt[hole] = QString::number(p);
                putts += p;
            }
            r.YardTotal[half] = c.YardTotal;
            r.ParTotal[half] = c.ParTotal;
            r.ScoreTotal[half] = std::accumulate(r.Score.begin() + half * 9,
                                                 r.Score.begin() + half * 9 + 9, 0);
            r.PuttTotal[half] = QString::number(putts);
            puttSum += putts;
        }
        r.YardSum = r.YardTotal[0] + r.YardTotal[1];
        r.ParSum = r.ParTotal[0] + r.ParTotal[1];
        r.ScoreSum = r.ScoreTotal[0] + r.ScoreTotal[1];
        r.PuttSum = puttSum;
        r.Handicap = float(10 + rng.bounded(11));
        r.NetScore = float(r.ScoreSum) - r.Handicap;
        for (int p = 0; p < 3; ++p) {
            r.Partner[p] = kPartners[(i + p * 3) % kPartners.size()];
            r.PartnerScore[p] = 78 + int(rng.bounded(35));
        }
        r.Memo = sjis::fit(kMemos[i % kMemos.size()], FieldSize::Memo);
        applyHoleResults(r);
        list.append(r);
    }
    return list;
}

bool writeDataSet(const QString &dir, const QStringList &golfers)
{
    QRandomGenerator rng(20261207);
    const QList<TCourseRecord> courses = makeCourses(rng);
    QString error;
    bool ok = datafile::writeRecords(dir + QStringLiteral("/Links.dat"), makeClubs(), &error)
        && datafile::writeRecords(dir + QStringLiteral("/Course.dat"), courses, &error)
        && datafile::writeRecords(dir + QStringLiteral("/") + kGolfer + QStringLiteral(".yti"),
                                  makeYotei(rng), &error)
        && datafile::writeRecords(dir + QStringLiteral("/") + kGolfer + QStringLiteral(".sce"),
                                  makeCards(courses, rng), &error)
        && datafile::saveBytes(dir + QStringLiteral("/Golfer.dat"),
                               datafile::formatGolferList(golfers), &error);
    if (!ok)
        std::fprintf(stderr, "cannot write the data set: %s\n", qPrintable(error));
    return ok;
}

// --- Figures. ----------------------------------------------------------------------------

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

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

struct Figures {
    QList<double> values;
    double min() const { return values.isEmpty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double median() const
    {
        if (values.isEmpty())
            return 0;
        QList<double> v = values;
        std::sort(v.begin(), v.end());
        const qsizetype n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
};

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

void row(QTextStream &out, const QString &what, const Figures &f, const QString &unit = QStringLiteral("ms"))
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
        parts.append(QStringLiteral("%1 %2 KiB").arg(file).arg(QFileInfo(dir + QChar('/') + file).size() / 1024));
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
        {QStringLiteral("one golfer: start-up loads his data too"), QStringLiteral("startup"), one.path(), kFreshRuns, {}},
        {QStringLiteral("two golfers: nobody chosen at start-up"), QStringLiteral("startup"), two.path(), kFreshRuns, {}},
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
        << qSetFieldWidth(11) << "min" << "median" << qSetFieldWidth(0) << '\n';
    for (const Scenario &s : scenarios) {
        if (s.mode != QLatin1String("startup"))
            continue;
        out << s.label << '\n';
        row(out, QStringLiteral("  window built, fresh process"), collect(s, QStringLiteral("construct")));
        row(out, QStringLiteral("  window built, again in the same process"), collect(s, QStringLiteral("repeat")));
        row(out, QStringLiteral("  first show and paint"), collect(s, QStringLiteral("show")));
        row(out, QStringLiteral("  QApplication itself"), collect(s, QStringLiteral("app")));
        Figures peak = collect(s, QStringLiteral("peak"));
        for (double &v : peak.values)
            v /= 1024.0;
        row(out, QStringLiteral("  peak memory after the first show (VmHWM)"), peak, QStringLiteral("MiB"));
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
        << scenarios[1].results.first().texts.value(QStringLiteral("golfer")) << "\"; choosing loaded "
        << choose.results.first().texts.value(QStringLiteral("cards")) << " cards\n";

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
