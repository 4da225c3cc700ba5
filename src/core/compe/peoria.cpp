#include "peoria.h"

#include "core/data/csv.h"
#include "core/data/datafile.h"

#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace compe {

namespace {

constexpr int kHalfHoles = 9;
using Six = std::array<int, kHiddenPerHalf>; // hole indexes 0..8 within a half, ascending

// Every way to take six of a half's nine holes, in ascending order of their hole numbers
// (1-2-3-4-5-6 first, 4-5-6-7-8-9 last), so that a given random number always names the
// same choice.
const QList<Six> &sixOfNine()
{
    static const QList<Six> all = [] {
        QList<Six> list;
        Six c {0, 1, 2, 3, 4, 5};
        for (;;) {
            list.append(c);
            int i = kHiddenPerHalf - 1;
            while (i >= 0 && c[i] == kHalfHoles - kHiddenPerHalf + i)
                --i;
            if (i < 0)
                break;
            ++c[i];
            for (int j = i + 1; j < kHiddenPerHalf; ++j)
                c[j] = c[j - 1] + 1;
        }
        return list;
    }();
    return all;
}

int parOf(const Pars &pars, int half, int index)
{
    return pars[kHalfHoles * half + index];
}

int parSum(const Pars &pars, int half, const Six &six)
{
    int sum = 0;
    for (int i : six)
        sum += parOf(pars, half, i);
    return sum;
}

struct ParCounts {
    int threes = 0;
    int fours = 0;
    int fives = 0;
};

ParCounts parCounts(const Pars &pars, int half, const Six &six)
{
    ParCounts n;
    for (int i : six) {
        const int par = parOf(pars, half, i);
        n.threes += par == 3;
        n.fours += par == 4;
        n.fives += par == 5;
    }
    return n;
}

bool isStandard(const Pars &pars, int half, const Six &six)
{
    const ParCounts n = parCounts(pars, half, six);
    return n.threes == 1 && n.fours == 4 && n.fives == 1;
}

// The choices the method allows in a half: its standard ones, or when it has none, those
// whose pars total nearest to 24.
struct Allowed {
    QList<Six> choices;
    bool standard = true;
    QList<int> sums; // with no standard choice: the nearest totals (23 and 25 are as near)
};

Allowed allowedChoices(const Pars &pars, int half)
{
    Allowed a;
    for (const Six &six : sixOfNine())
        if (isStandard(pars, half, six))
            a.choices.append(six);
    if (!a.choices.isEmpty())
        return a;
    a.standard = false;
    int nearest = INT_MAX;
    for (const Six &six : sixOfNine())
        nearest = std::min(nearest, std::abs(parSum(pars, half, six) - kHalfHiddenPar));
    for (const Six &six : sixOfNine()) {
        const int sum = parSum(pars, half, six);
        if (std::abs(sum - kHalfHiddenPar) != nearest)
            continue;
        a.choices.append(six);
        if (!a.sums.contains(sum))
            a.sums.append(sum);
    }
    std::sort(a.sums.begin(), a.sums.end());
    return a;
}

QString sumsText(const QList<int> &sums)
{
    QStringList texts;
    for (int s : sums)
        texts.append(QString::number(s));
    return texts.join(QStringLiteral("または"));
}

bool sameRank(const PlayerResult &a, const PlayerResult &b)
{
    return a.net10 == b.net10 && a.handicap10 == b.handicap10 && a.in == b.in;
}

} // namespace

int factorTenths(Factor factor)
{
    switch (factor) {
    case Factor::Point8: return 8;
    case Factor::Point9: return 9;
    case Factor::One: return 10;
    }
    return 8;
}

std::optional<int> limitTenths(Limit limit)
{
    switch (limit) {
    case Limit::L36: return 360;
    case Limit::L40: return 400;
    case Limit::None: return std::nullopt;
    }
    return 360;
}

QString capText(Cap cap)
{
    switch (cap) {
    case Cap::DoublePar: return QStringLiteral("ダブルパー");
    case Cap::TripleBogey: return QStringLiteral("トリプルボギー");
    case Cap::None: return QStringLiteral("なし");
    }
    return {};
}

QString factorText(Factor factor)
{
    return tenthsText(factorTenths(factor));
}

QString limitText(Limit limit)
{
    const std::optional<int> tenths = limitTenths(limit);
    return tenths ? QString::number(*tenths / 10) : QStringLiteral("なし");
}

QString halfName(int half)
{
    return half == 0 ? QStringLiteral("OUT") : QStringLiteral("IN");
}

RandomSource systemRandom()
{
    return [](quint32 bound) { return QRandomGenerator::global()->bounded(bound); };
}

QString HiddenChoice::notice() const
{
    QStringList lines;
    for (int half = 0; half < 2; ++half)
        if (!standard[half])
            lines.append(QStringLiteral("%1にはパー3を1つ、パー4を4つ、パー5を1つ選べる"
                                        "ホールがないため、パーの合計が24にできるだけ近い"
                                        "6ホールを選びました（パーの合計 %2）")
                             .arg(halfName(half))
                             .arg(hiddenPar[half]));
    return lines.join(QChar('\n'));
}

HiddenChoice chooseHiddenHoles(const Pars &pars, const RandomSource &random)
{
    HiddenChoice choice;
    for (int half = 0; half < 2; ++half) {
        const Allowed allowed = allowedChoices(pars, half);
        // Six of nine holes always exist, so there is a choice in every half.
        const quint32 count = quint32(allowed.choices.size());
        const Six &six = allowed.choices[qsizetype(random(count) % count)];
        for (int i : six)
            choice.holes.append(kHalfHoles * half + i + 1);
        choice.standard[half] = allowed.standard;
        choice.hiddenPar[half] = parSum(pars, half, six);
    }
    return choice;
}

QString hiddenHolesProblem(const Pars &pars, const QList<int> &holes)
{
    std::array<bool, kHoles + 1> seen {};
    std::array<Six, 2> six {};
    std::array<int, 2> count {};
    for (int hole : holes) {
        if (hole < 1 || hole > kHoles)
            return QStringLiteral("隠しホールの番号「%1」は1から18の整数ではありません").arg(hole);
        if (seen[hole])
            return QStringLiteral("隠しホールに%1番が二度選ばれています").arg(hole);
        seen[hole] = true;
    }
    if (holes.size() != kHiddenHoles)
        return QStringLiteral("隠しホールが12ホール選ばれていません（選ばれているのは%1ホール）")
            .arg(holes.size());
    for (int hole = 1; hole <= kHoles; ++hole) {
        if (!seen[hole])
            continue;
        const int half = (hole - 1) / kHalfHoles;
        if (count[half] < kHiddenPerHalf)
            six[half][count[half]] = (hole - 1) % kHalfHoles;
        ++count[half];
    }
    for (int half = 0; half < 2; ++half)
        if (count[half] != kHiddenPerHalf)
            return QStringLiteral("%1の隠しホールは6ホールです（選ばれているのは%2ホール）")
                .arg(halfName(half))
                .arg(count[half]);
    for (int half = 0; half < 2; ++half) {
        const Allowed allowed = allowedChoices(pars, half);
        if (allowed.choices.contains(six[half]))
            continue;
        if (allowed.standard) {
            const ParCounts n = parCounts(pars, half, six[half]);
            return QStringLiteral("%1の隠しホールはパー3を1つ、パー4を4つ、パー5を1つに"
                                  "してください（選ばれているのはパー3が%2、パー4が%3、"
                                  "パー5が%4ホール）")
                .arg(halfName(half))
                .arg(n.threes)
                .arg(n.fours)
                .arg(n.fives);
        }
        return QStringLiteral("%1の隠しホールはパーの合計が24にできるだけ近い6ホール（合計%2）に"
                              "してください（選ばれているのは合計%3）")
            .arg(halfName(half), sumsText(allowed.sums))
            .arg(parSum(pars, half, six[half]));
    }
    return {};
}

HiddenChoice describeHiddenHoles(const Pars &pars, const QList<int> &holes)
{
    HiddenChoice choice;
    choice.holes = holes;
    std::sort(choice.holes.begin(), choice.holes.end());
    for (int half = 0; half < 2; ++half) {
        choice.standard[half] = allowedChoices(pars, half).standard;
        choice.hiddenPar[half] = 0;
    }
    for (int hole : choice.holes)
        if (hole >= 1 && hole <= kHoles)
            choice.hiddenPar[(hole - 1) / kHalfHoles] += pars[hole - 1];
    return choice;
}

int cappedScore(int score, int par, Cap cap)
{
    switch (cap) {
    case Cap::DoublePar: return std::min(score, 2 * par);
    case Cap::TripleBogey: return std::min(score, par + 3);
    case Cap::None: return score;
    }
    return score;
}

int handicapTenths(int hiddenSum, int coursePar, const Options &options)
{
    // × 1.5 is 15 tenths; the factor is in tenths too, so the product is in hundredths.
    const int raw10 = 15 * hiddenSum - 10 * coursePar;
    if (raw10 <= 0)
        return 0;
    const int hundredths = raw10 * factorTenths(options.factor);
    int tenths = (hundredths + 5) / 10;
    if (const std::optional<int> limit = limitTenths(options.limit))
        tenths = std::min(tenths, *limit);
    return tenths;
}

QString tenthsText(int tenths)
{
    const int magnitude = std::abs(tenths);
    return QStringLiteral("%1%2.%3")
        .arg(tenths < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}

QString scoreProblem(const QString &name, int hole, int score)
{
    if (score >= kMinScore && score <= kMaxScore)
        return {};
    return QStringLiteral("「%1」の%2番のスコア「%3」は1から20の整数ではありません")
        .arg(name)
        .arg(hole)
        .arg(score);
}

QString playerNameProblem(const QString &name)
{
    if (datafile::trimBlanks(name).isEmpty())
        return QStringLiteral("参加者の氏名を入力してください");
    for (QChar c : name) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return QStringLiteral("参加者の氏名「%1」に改行などの制御文字が含まれています")
                .arg(name.simplified());
    }
    return {};
}

QString playerProblem(const Player &player)
{
    if (const QString problem = playerNameProblem(player.name); !problem.isEmpty())
        return problem;
    for (int h = 0; h < kHoles; ++h)
        if (const QString problem = scoreProblem(player.name, h + 1, player.scores[h]);
            !problem.isEmpty())
            return problem;
    return {};
}

QString playersProblem(const QList<Player> &players)
{
    QSet<QString> names;
    for (const Player &p : players) {
        if (const QString problem = playerProblem(p); !problem.isEmpty())
            return problem;
        const QString key = datafile::trimBlanks(p.name);
        if (names.contains(key))
            return QStringLiteral("参加者の氏名「%1」が重複しています").arg(key);
        names.insert(key);
    }
    return {};
}

QString parsProblem(const Pars &pars)
{
    for (int h = 0; h < kHoles; ++h)
        if (pars[h] < kMinPar || pars[h] > kMaxPar)
            return QStringLiteral("%1番のパー「%2」は3から6の整数ではありません")
                .arg(h + 1)
                .arg(pars[h]);
    return {};
}

int outTotal(const Scores &scores)
{
    int sum = 0;
    for (int h = 0; h < kHalfHoles; ++h)
        sum += scores[h];
    return sum;
}

int inTotal(const Scores &scores)
{
    int sum = 0;
    for (int h = kHalfHoles; h < kHoles; ++h)
        sum += scores[h];
    return sum;
}

Results computeResults(const Pars &pars, const QList<int> &hidden, const Options &options,
    const QList<Player> &players)
{
    Results results;
    results.error = parsProblem(pars);
    if (results.ok())
        results.error = playersProblem(players);
    if (results.ok())
        results.error = hiddenHolesProblem(pars, hidden);
    if (!results.ok())
        return results;
    int coursePar = 0;
    for (int par : pars)
        coursePar += par;

    for (const Player &p : players) {
        PlayerResult r;
        r.name = p.name;
        r.out = outTotal(p.scores);
        r.in = inTotal(p.scores);
        r.gross = r.out + r.in;
        for (int hole : hidden)
            r.hiddenSum += cappedScore(p.scores[hole - 1], pars[hole - 1], options.cap);
        r.handicap10 = handicapTenths(r.hiddenSum, coursePar, options);
        r.net10 = 10 * r.gross - r.handicap10;
        results.rows.append(r);
    }
    // Stable, so that players who share a place stay in the order they were entered.
    std::stable_sort(
        results.rows.begin(), results.rows.end(), [](const PlayerResult &a, const PlayerResult &b) {
            return std::tie(a.net10, a.handicap10, a.in) < std::tie(b.net10, b.handicap10, b.in);
        });
    for (qsizetype i = 0; i < results.rows.size(); ++i) {
        PlayerResult &r = results.rows[i];
        r.place
            = i > 0 && sameRank(results.rows[i - 1], r) ? results.rows[i - 1].place : int(i) + 1;
    }

    if (!results.rows.isEmpty()) {
        results.bestGross = INT_MAX;
        for (const PlayerResult &r : results.rows)
            results.bestGross = std::min(results.bestGross, r.gross);
        for (const PlayerResult &r : results.rows)
            if (r.gross == results.bestGross)
                results.bestGrossNames.append(r.name);
    }
    return results;
}

QStringList resultsHeader()
{
    return {QStringLiteral("順位"), QStringLiteral("氏名"), QStringLiteral("OUT"),
        QStringLiteral("IN"), QStringLiteral("グロス"), QStringLiteral("ハンディ"),
        QStringLiteral("ネット")};
}

QStringList resultRow(const PlayerResult &r)
{
    return {QString::number(r.place), r.name, QString::number(r.out), QString::number(r.in),
        QString::number(r.gross), tenthsText(r.handicap10), tenthsText(r.net10)};
}

QList<QStringList> resultsCsvRows(const Results &results)
{
    QList<QStringList> rows {resultsHeader()};
    for (const PlayerResult &r : results.rows)
        rows.append(resultRow(r));
    return rows;
}

QString resultsCsv(const Results &results)
{
    return csv::format(resultsCsvRows(results));
}

} // namespace compe
