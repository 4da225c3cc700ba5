#include "holestats.h"

#include "decimal.h"

#include "core/data/datetime.h"

#include <algorithm>
#include <cmath>

namespace stats {

QStringList playedCourses(const ScoreCards &cards, const QString &club)
{
    QStringList courses;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const CardView card = cards.card(i);
        if (card.linksName() != club)
            continue;
        for (int half = 0; half < 2; ++half)
            if (!card.courseName(half).isEmpty() && !courses.contains(card.courseName(half)))
                courses.append(card.courseName(half));
    }
    return courses;
}

QList<HoleStats> holeStats(const ScoreCards &cards, const details::DetailsMap &details,
    const QString &club, const QString &outCourse, const QString &inCourse)
{
    const std::array<QString, 2> chosen = {outCourse, inCourse};
    QList<HoleStats> holes(18);
    for (int n = 0; n < 18; ++n) {
        holes[n].number = n + 1;
        holes[n].course = chosen[size_t(n / 9)];
        holes[n].hole = n % 9 + 1;
    }
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const CardView card = cards.card(i);
        if (card.linksName() != club)
            continue;
        const auto found = details.constFind(qint64(datetime::dayOf(card.roundDate())));
        const CardDetails *cardDetails
            = found == details.cend() || found->empty() ? nullptr : &found.value();
        for (int half = 0; half < 2; ++half) {
            const QString &course = card.courseName(half);
            if (course.isEmpty())
                continue;
            for (int side = 0; side < 2; ++side) {
                if (chosen[size_t(side)] != course)
                    continue;
                for (int k = 0; k < 9; ++k) {
                    const int h = half * 9 + k; // the hole of the card
                    HoleStats &s = holes[side * 9 + k];
                    const qint64 strokes = card.score(h);
                    const qint64 par = card.par(h);
                    ++s.rounds;
                    s.strokes += strokes;
                    s.overPar += strokes - par;
                    // Cards run in date order: the last one seen is the latest.
                    s.par = int(par);
                    s.yards = card.yard(h);
                    if (const std::optional<int> putts = holePutts(card, h)) {
                        s.parOn.add(strokes - *putts <= par - 2);
                        s.threePutt.add(*putts >= 3);
                    }
                    if (!cardDetails)
                        continue;
                    const HoleDetail &d = cardDetails->holes[size_t(h)];
                    if (par >= 4 && d.fairway != Fairway::None)
                        s.fairway.add(d.fairway == Fairway::Hit);
                    s.ob.count += d.count(Ob).value_or(0);
                    s.ob.of += 1;
                }
            }
        }
    }
    return holes;
}

QList<HoleStats> sortedHoles(QList<HoleStats> holes, HoleOrder order)
{
    std::stable_sort(holes.begin(), holes.end(), [order](const HoleStats &a, const HoleStats &b) {
        if ((a.rounds == 0) != (b.rounds == 0))
            return b.rounds == 0;
        if (order == HoleOrder::Cost && a.rounds && b.rounds
            && a.overPar * b.rounds != b.overPar * a.rounds)
            // Compared as fractions, so that equal costs are equal.
            return a.overPar * b.rounds > b.overPar * a.rounds;
        return a.number < b.number;
    });
    return holes;
}

QList<int> costliestHoles(const QList<HoleStats> &holes)
{
    QList<int> numbers;
    for (const HoleStats &s : sortedHoles(holes, HoleOrder::Cost)) {
        if (s.rounds == 0 || numbers.size() == 3)
            break;
        numbers.append(s.number);
    }
    return numbers;
}

QStringList holeHeader()
{
    return {QStringLiteral("番"), QStringLiteral("コース"), QStringLiteral("ホール"),
        QStringLiteral("パー"), QStringLiteral("ヤード"), QStringLiteral("ラウンド数"),
        QStringLiteral("平均"), QStringLiteral("パー差"), QStringLiteral("パーオン率"),
        QStringLiteral("3パット率"), QStringLiteral("FWキープ率"), QStringLiteral("OB")};
}

namespace {

const QString kNone = QStringLiteral("—");

QString percent(const Ratio &r)
{
    return r.empty()
        ? kNone
        : decimal::fixed(double(r.count) * 100.0 / double(r.of)) + QStringLiteral(" %");
}

QString signedFixed(double value, int decimals)
{
    const QString text = decimal::fixed(value, decimals);
    return value > 0 ? QStringLiteral("+") + text : text;
}

} // namespace

QList<QStringList> holeRows(const QList<HoleStats> &holes)
{
    QList<QStringList> rows;
    for (const HoleStats &s : holes) {
        const bool played = s.rounds > 0;
        rows.append({QString::number(s.number), s.course, QString::number(s.hole),
            played ? QString::number(s.par) : kNone, played ? QString::number(s.yards) : kNone,
            QString::number(s.rounds), played ? decimal::fixed(s.average(), 2) : kNone,
            played ? signedFixed(s.over(), 2) : kNone, percent(s.parOn), percent(s.threePutt),
            percent(s.fairway),
            s.ob.empty() ? kNone : decimal::fixed(double(s.ob.count) / double(s.ob.of), 2)});
    }
    return rows;
}

QList<charts::ChartValue> holeBars(const QList<HoleStats> &holes)
{
    // The classes' colours, eagle to other, as the result charts draw them.
    const QList<charts::ChartValue> classes
        = charts::resultSlices(std::array<qint32, 7> {}, charts::Labels::Results);
    QList<charts::ChartValue> bars;
    for (const HoleStats &s : holes) {
        charts::ChartValue bar;
        bar.label = QString::number(s.number);
        if (s.rounds > 0) {
            bar.value = s.over();
            const long d = std::lround(bar.value);
            const int k = d <= -4 || d >= 4 ? 6 : d <= -2 ? 0 : int(d) + 2;
            bar.colour = classes.value(k).colour;
        }
        bars.append(bar);
    }
    return bars;
}

} // namespace stats
