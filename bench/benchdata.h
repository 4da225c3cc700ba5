// The large data set the benchmarks run on, the quiet stand-ins for the desktop they give
// the window, and the small statistics they print.
//
// The data set, at two sizes that every benchmark measures side by side: 1,000 golf clubs,
// 3,000 courses, one golfer with 400 planned rounds and 10,000 score cards (one a day for
// about 27 years); and ten times the clubs, courses and cards (100,000 cards, one a day back
// to 1753). It is drawn from a fixed seed, so every run and every benchmark sees the same
// bytes at each size.
#pragma once

#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "core/data/records.h"
#include "core/data/sjis.h"
#include "support/scripteddialogs.h"

#include <QDate>
#include <QElapsedTimer>
#include <QList>
#include <QLocale>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <numeric>

namespace benchdata {

constexpr int kCoursesPerClub = 3;
constexpr int kYotei = 400;

// One size of the data set.
struct Size {
    int clubs = 0;
    int cards = 0;
    int courses() const { return clubs * kCoursesPerClub; }
    // "10,000 cards"
    QString label() const
    {
        return QLocale(QLocale::English).toString(cards) + QStringLiteral(" cards");
    }
};
inline constexpr std::array<Size, 2> kSizes {{{1000, 10000}, {10000, 100000}}};
// Planned rounds and cards go to the first clubs only, as a golfer keeps to a few dozen.
constexpr int kPlayedClubs = 60;
inline const QDate kToday(2026, 12, 7);
inline const QString kGolfer = QStringLiteral("山田太郎");
inline const QString kOtherGolfer = QStringLiteral("佐藤花子");

// The tests' own scripted seams: every confirmation is answered yes, every other message
// with its only button, and today is the data set's today.
using Seams = TestServices;

// --- The data set. -----------------------------------------------------------------------

// clang-format off
inline const QStringList kPlaces = {
    QStringLiteral("富士見"), QStringLiteral("大利根"), QStringLiteral("霞ヶ浦"), QStringLiteral("鹿沼"),
    QStringLiteral("軽井沢"), QStringLiteral("箱根"),   QStringLiteral("那須"),   QStringLiteral("成田"),
    QStringLiteral("房総"),   QStringLiteral("赤城"),   QStringLiteral("筑波"),   QStringLiteral("浜名湖"),
    QStringLiteral("琵琶湖"), QStringLiteral("六甲"),   QStringLiteral("宝塚"),   QStringLiteral("阿蘇"),
    QStringLiteral("霧島"),   QStringLiteral("石狩"),   QStringLiteral("蔵王"),   QStringLiteral("伊豆"),
    QStringLiteral("八ヶ岳"), QStringLiteral("芦ノ湖"), QStringLiteral("岐阜関"), QStringLiteral("能登"),
};
inline const QStringList kKinds = {
    QStringLiteral("カントリー倶楽部"), QStringLiteral("ゴルフ倶楽部"), QStringLiteral("ゴルフクラブ"),
    QStringLiteral("カンツリー倶楽部"), QStringLiteral("国際ゴルフ場"), QStringLiteral("ＣＣ"),
};
inline const QStringList kPrefectures = {
    QStringLiteral("千葉県"), QStringLiteral("茨城県"), QStringLiteral("栃木県"), QStringLiteral("群馬県"),
    QStringLiteral("静岡県"), QStringLiteral("長野県"), QStringLiteral("兵庫県"), QStringLiteral("熊本県"),
};
inline const QStringList kPartners = {
    QStringLiteral("鈴木一郎"), QStringLiteral("高橋健"), QStringLiteral("田中誠"), QStringLiteral("伊藤大輔"),
    QStringLiteral("渡辺修"),   QStringLiteral("中村聡"), QStringLiteral("小林直樹"), QStringLiteral("加藤浩"),
};
// clang-format on
inline const QStringList kWeather
    = {QStringLiteral("晴れ"), QStringLiteral("くもり"), QStringLiteral("雨")};
inline const QStringList kMemos = {
    QStringLiteral("前半はティーショットが安定。後半バンカーで崩れる。"),
    QStringLiteral("風が強くアプローチが難しかった。パットは好調。"),
    QStringLiteral("コンペ参加。ドラコン賞。"),
    QString(),
    QStringLiteral("グリーンが速い。下りのパットに注意。"),
};
inline constexpr std::array<std::array<qint32, 9>, 3> kParPatterns = {{
    {4, 4, 3, 5, 4, 4, 3, 4, 5},
    {5, 4, 4, 3, 4, 5, 4, 3, 4},
    {4, 3, 4, 4, 5, 4, 4, 3, 5},
}};

inline QString clubName(int i)
{
    return kPlaces[i % kPlaces.size()] + kKinds[(i / kPlaces.size()) % kKinds.size()]
        + QString::number(i);
}

inline QList<TLinksRecord> makeClubs(const Size &size)
{
    QList<TLinksRecord> list;
    for (int i = 0; i < size.clubs; ++i) {
        TLinksRecord r;
        r.LinksName = clubName(i);
        r.LinksAddress = kPrefectures[i % kPrefectures.size()] + kPlaces[i % kPlaces.size()]
            + QStringLiteral("市大字") + QString::number(100 + i % 900) + QStringLiteral("番地");
        r.LinksTel = QStringLiteral("0%1-%2-%3")
                         .arg(40 + i % 60)
                         .arg(100 + i % 900)
                         .arg(1000 + i, 4, 10, QChar('0'));
        r.URL = QStringLiteral("http://www.club%1.example.jp/").arg(i, 4, 10, QChar('0'));
        list.append(r);
    }
    return list;
}

// Yards that suit the par of the hole.
inline qint32 yardFor(qint32 par, QRandomGenerator &rng)
{
    return par == 3 ? 140 + int(rng.bounded(60))
        : par == 4  ? 320 + int(rng.bounded(110))
                    : 460 + int(rng.bounded(100));
}

inline QList<TCourseRecord> makeCourses(const Size &size, QRandomGenerator &rng)
{
    static const std::array<std::array<const char16_t *, 3>, 3> names
        = {{{u"東", u"西", u"南"}, {u"OUT", u"IN", u"NEW"}, {u"桜", u"松", u"竹"}}};
    static const std::array<const char16_t *, 5> tees
        = {u"フルバック", u"バック", u"レギュラー", u"フロント", u"レディース"};
    QList<TCourseRecord> list;
    for (int i = 0; i < size.clubs; ++i) {
        for (int c = 0; c < kCoursesPerClub; ++c) {
            TCourseRecord r;
            r.LinksName = clubName(i);
            r.CourseName = QString::fromUtf16(names[i % 3][c]);
            r.Green = (i % 4 == 0) ? QStringLiteral("高麗") : QStringLiteral("ベント");
            r.Tee = QString::fromUtf16(tees[(i + c) % tees.size()]);
            r.Par = kParPatterns[(i + c) % kParPatterns.size()];
            for (int h = 0; h < 9; ++h)
                r.Yard[h] = yardFor(r.Par[h], rng);
            r.YardTotal = std::accumulate(r.Yard.begin(), r.Yard.end(), 0);
            r.ParTotal = std::accumulate(r.Par.begin(), r.Par.end(), 0);
            list.append(r);
        }
    }
    return list;
}

inline QList<TYoteiRecord> makeYotei(QRandomGenerator &rng)
{
    QList<TYoteiRecord> list;
    for (int i = 0; i < kYotei; ++i) {
        TYoteiRecord r;
        r.RoundDate = datetime::fromDate(kToday.addDays(i * 2));
        r.StartTime = datetime::fromTime(QTime(7 + int(rng.bounded(3)), int(rng.bounded(6)) * 10));
        r.LinksName = clubName(int(rng.bounded(kPlayedClubs)));
        r.Bikou = (i % 5 == 0) ? QStringLiteral("月例会") : QString();
        list.append(r);
    }
    return list;
}

inline QList<TScoreRecord> makeCards(
    const Size &size, const QList<TCourseRecord> &courses, QRandomGenerator &rng)
{
    // Strokes over par per hole, weighted as an average club golfer plays.
    static const int overPar[] = {-1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 4};
    QList<TScoreRecord> list;
    list.reserve(size.cards);
    for (int i = 0; i < size.cards; ++i) {
        TScoreRecord r;
        r.RoundDate = datetime::fromDate(kToday.addDays(i - size.cards));
        const int club = int(rng.bounded(kPlayedClubs));
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
            r.ScoreTotal[half]
                = std::accumulate(r.Score.begin() + half * 9, r.Score.begin() + half * 9 + 9, 0);
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

struct DataSet {
    QList<TLinksRecord> clubs;
    QList<TCourseRecord> courses;
    QList<TYoteiRecord> yotei;
    QList<TScoreRecord> cards;
};

// The draws come in a fixed order (courses, rounds, cards), so the bytes never change.
inline DataSet makeDataSet(const Size &size, QRandomGenerator &rng)
{
    DataSet set;
    set.courses = makeCourses(size, rng);
    set.clubs = makeClubs(size);
    set.yotei = makeYotei(rng);
    set.cards = makeCards(size, set.courses, rng);
    return set;
}

inline QRandomGenerator dataSeed()
{
    return QRandomGenerator(20261207);
}

inline bool writeDataSet(const QString &dir, const DataSet &set, const QStringList &golfers)
{
    QString error;
    bool ok = datafile::writeRecords(dir + QStringLiteral("/Links.dat"), set.clubs, &error)
        && datafile::writeRecords(dir + QStringLiteral("/Course.dat"), set.courses, &error)
        && datafile::writeRecords(
            dir + QStringLiteral("/") + kGolfer + QStringLiteral(".yti"), set.yotei, &error)
        && datafile::writeRecords(
            dir + QStringLiteral("/") + kGolfer + QStringLiteral(".sce"), set.cards, &error)
        && datafile::saveBytes(
            dir + QStringLiteral("/Golfer.dat"), datafile::formatGolferList(golfers), &error);
    if (!ok)
        std::fprintf(stderr, "cannot write the data set: %s\n", qPrintable(error));
    return ok;
}

inline bool writeDataSet(const QString &dir, const Size &size, const QStringList &golfers)
{
    QRandomGenerator rng = dataSeed();
    return writeDataSet(dir, makeDataSet(size, rng), golfers);
}

// --- Figures. ----------------------------------------------------------------------------

inline double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Figures {
    QList<double> values;
    double min() const
    {
        return values.isEmpty() ? 0 : *std::min_element(values.begin(), values.end());
    }
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

// Figures of both sizes side by side, each with the ratio of the larger size's median to the
// smaller's. A ratio above 12 (costs growing faster than the cards) is marked.
class SizeTable
{
public:
    // Each size runs through the same steps; the first size's headings place the rows.
    void heading(const QString &title)
    {
        for (const Row &r : m_rows)
            if (r.heading && r.label == title)
                return;
        m_rows.append({title, {}, QString(), true});
    }
    // The figures of one size (an index into kSizes) for the row of that label.
    void add(const QString &label, int size, const Figures &f,
        const QString &unit = QStringLiteral("ms"))
    {
        Row *row = nullptr;
        for (Row &r : m_rows)
            if (!r.heading && r.label == label)
                row = &r;
        if (!row) {
            m_rows.append({label, {}, unit, false});
            row = &m_rows.last();
        }
        row->figures[size_t(size)] = f;
    }
    void add(const QString &label, int size, double value, const QString &unit)
    {
        add(label, size, Figures {{value}}, unit);
    }

    void print() const
    {
        int width = 20;
        for (const Row &r : m_rows)
            if (!r.heading)
                width = qMax(width, int(r.label.size()) + 2);
        std::printf("%-*s %14s %14s %8s\n", width + 2, "measure (median)",
            qPrintable(kSizes[0].label()), qPrintable(kSizes[1].label()), "ratio");
        for (const Row &r : m_rows) {
            if (r.heading) {
                std::printf("%s\n", qPrintable(r.label));
                continue;
            }
            const double small = r.figures[0].median();
            const double large = r.figures[1].median();
            auto cell = [&r](const Figures &f) {
                return f.values.isEmpty()
                    ? QStringLiteral("-")
                    : QString::number(f.median(), 'f', 1) + QChar(' ') + r.unit;
            };
            QString ratio = QStringLiteral("-");
            if (small > 0 && !r.figures[1].values.isEmpty())
                ratio = QString::number(large / small, 'f', 1) + QStringLiteral("×");
            std::printf("  %-*s %14s %14s %8s%s\n", width, qPrintable(r.label),
                qPrintable(cell(r.figures[0])), qPrintable(cell(r.figures[1])), qPrintable(ratio),
                small > 0 && large / small > 12 ? "  OVER 12×" : "");
        }
        std::fflush(stdout);
    }

private:
    struct Row {
        QString label;
        std::array<Figures, 2> figures;
        QString unit;
        bool heading = false;
    };
    QList<Row> m_rows;
};

// Runs one benchmark at every size of the data set, then prints the figures side by side;
// false from a size (its results were wrong) fails the run.
template <class Run> int runEverySize(Run runSize)
{
    QLocale::setDefault(QLocale::c());
    SizeTable table;
    bool ok = true;
    for (int s = 0; s < int(kSizes.size()); ++s)
        ok = runSize(s, table) && ok;
    table.print();
    return ok ? 0 : 1;
}

} // namespace benchdata
