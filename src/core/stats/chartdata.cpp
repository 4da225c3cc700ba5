#include "chartdata.h"

#include "core/data/numeric.h"
#include "decimal.h"

#include <cmath>

namespace charts {

namespace {

const quint32 kClassColours[7] = {kRed, kLime, kBlue, kFuchsia, kGreen, kAqua, kYellow};
const char *const kCardClassLabels[7]
    = {"ｲｰｸﾞﾙ", "ﾊﾞｰﾃﾞｨ", "ﾊﾟｰ", "ﾎﾞｷﾞｰ", "ﾀﾞﾌﾞﾙﾎﾞｷﾞｰ", "ﾄﾘﾌﾟﾙﾎﾞｷﾞｰ", "その他"};
const char *const kResultClassLabels[7]
    = {"イーグル", "バーディ", "パー", "ボギー", "ダブルボギー", "トリプルボギー", "その他"};
const quint32 kParColours[3] = {kRed, kBlue, kGreen};
const char *const kCardParLabels[3] = {"ﾊﾟｰ3", "ﾊﾟｰ4", "ﾊﾟｰ5"};
const char *const kResultParLabels[3] = {"パー３", "パー４", "パー５"};

// The first of 1, 2, 5, 10, 20, 50 … that cuts `span` into at most `parts` steps.
double niceStep(double span, int parts)
{
    double power = 1;
    for (;;) {
        for (double factor : {1.0, 2.0, 5.0})
            if (span / (factor * power) <= parts)
                return factor * power;
        power *= 10;
    }
}

double wholeNumber(const QString &text)
{
    return numeric::parseInt(text.trimmed()).value_or(0);
}

} // namespace

QList<ChartValue> resultSlices(const std::array<qint32, 7> &counts, Labels labels)
{
    QList<ChartValue> slices;
    for (int k = 0; k < 7; ++k)
        slices.append({QString::fromUtf8(
                           labels == Labels::Card ? kCardClassLabels[k] : kResultClassLabels[k]),
            double(counts[k]), kClassColours[k]});
    return slices;
}

QList<ChartValue> parBars(const stats::ParAverages &pars, Labels labels)
{
    QList<ChartValue> bars;
    for (int k = 0; k < 3; ++k)
        bars.append(
            {QString::fromUtf8(labels == Labels::Card ? kCardParLabels[k] : kResultParLabels[k]),
                pars.has(k) ? pars.over[k] : 0.0, kParColours[k]});
    return bars;
}

QString sliceMark(const QString &label, double value, double total)
{
    const double share = total > 0 ? value * 100.0 / total : 0.0;
    return label + QChar(' ') + decimal::upToOne(share) + QStringLiteral(" %");
}

bool sliceMarked(double value, double total)
{
    return total > 0 && value * 100.0 / total >= kMarkedShare;
}

QString legendText(const ChartValue &slice, double total)
{
    QString text = slice.label + QChar(' ') + QString::number(slice.value);
    if (slice.value > 0 && !sliceMarked(slice.value, total))
        text += QStringLiteral(" (") + decimal::upToOne(slice.value * 100.0 / total)
            + QStringLiteral(" %)");
    return text;
}

AxisScale roundAxis(qsizetype rounds)
{
    AxisScale scale;
    scale.min = 1;
    scale.max = double(qMax<qsizetype>(rounds, 2));
    scale.step = niceStep(scale.max, 12);
    return scale;
}

AxisScale valueAxis(double from, double highest)
{
    AxisScale scale;
    scale.min = from;
    const double span = qMax(highest - from, 10.0);
    scale.step = niceStep(span, 7);
    // Room above the highest point, so that it is not drawn on the chart's edge.
    scale.max = from + scale.step * (std::floor(span / scale.step) + 1);
    return scale;
}

QList<double> axisTicks(const AxisScale &scale)
{
    QList<double> ticks;
    for (double t = std::ceil(scale.min / scale.step) * scale.step; t <= scale.max + 1e-9;
         t += scale.step)
        ticks.append(t);
    return ticks;
}

CardChart cardChart(const TScoreRecord &card)
{
    CardChart c;
    c.strokesOverPar.reserve(19);
    c.strokesOverPar.append(0);
    for (int h = 0; h < 18; ++h)
        c.strokesOverPar.append(card.Score[h] - card.Par[h]);
    c.putts.append(0);
    for (int h = 0; h < 18; ++h) {
        const auto putts = numeric::parseInt(card.Putt[h]);
        if (!putts)
            break; // putts were not entered from here on
        c.putts.append(*putts);
    }
    c.resultCounts = card.HoleResultCounts;
    c.pars.Par_AveScore(card);
    c.pars.finish();
    return c;
}

TrendLines trendLines(const QList<QStringList> &rows)
{
    TrendLines t;
    if (rows.isEmpty())
        return t;
    auto add = [&t](qreal x, const QStringList &row) {
        const QString score = row.value(3).left(3);
        const QString putts = row.value(4);
        const QString rate = row.value(5).left(4);
        t.score.append({x, wholeNumber(score)});
        t.putts.append({x, wholeNumber(putts)});
        double r = 0;
        if (rate != QStringLiteral("0 %")) {
            bool ok = false;
            r = rate.trimmed().toDouble(&ok); // the tallies write "." whatever the locale
            if (!ok)
                r = 0;
        }
        t.parOnRate.append({x, r});
    };
    const qsizetype n = rows.size() + 1;
    t.score.reserve(n);
    t.putts.reserve(n);
    t.parOnRate.reserve(n);
    add(0, rows.first());
    for (qsizetype k = 0; k < rows.size(); ++k)
        add(qreal(k + 1), rows[k]);
    return t;
}

} // namespace charts
