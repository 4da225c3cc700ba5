#include "compeprintout.h"

#include "scorecardprintout.h"

#include <algorithm>
#include <cmath>

namespace printout {

namespace {

using compe::Competition;
using compe::PrizeKind;

constexpr int kHeadRow = 900;
constexpr int kTableTop = 990; // the first row
constexpr int kBottomMargin = 150;
constexpr int kFullStep = 90; // a row in 11 points
constexpr int kTwoColumnStep = 75; // a row in 9 points, two tables side by side
constexpr int kBestGrossNames = 3; // named on the sheet; the table shows them all

// Where each column of a table starts, from the table's left edge.
constexpr int kOneColumnX[] = {170, 330, 1100, 1300, 1500, 1750, 2050};
constexpr int kTwoColumnX[] = {0, 90, 430, 530, 620, 760, 940};
constexpr int kTwoColumnLeft[] = {150, 1300};

// The page knows no font, so a text's width is reckoned in ems: a full-width character takes
// one, a half-width one a little over half. A point is some 4.5 pixels at the resolution the
// print path sets (about 320 an inch).
double ems(const QString &text)
{
    double width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (c.isLowSurrogate())
            continue;
        const bool halfWidth
            = u < 0x1100 || (u >= 0xFF61 && u <= 0xFFDC) || (u >= 0xFFE8 && u <= 0xFFEE);
        width += halfWidth ? 0.6 : 1.0;
    }
    return width;
}

// The size, at most `largest` points, in which the text fits the width; never below 4.
int fittedSize(const QString &text, int width, int largest)
{
    const double em = ems(text);
    if (em <= 0)
        return largest;
    return std::clamp(int(std::floor(width / (em * 4.5))), 4, largest);
}

void fittedText(PageBuilder &b, int x, int y, int width, int largest, const QString &text)
{
    b.setFont(fittedSize(text, width, largest));
    b.text(x, y, text);
}

QString optionsText(const compe::Options &o)
{
    return QStringLiteral("[方式]  新ペリア（隠しホールの上限 %1・係数 %2・ハンディ上限 %3）")
        .arg(compe::capText(o.cap), compe::factorText(o.factor), compe::limitText(o.limit));
}

QString hiddenText(const Competition &c)
{
    if (!c.announced)
        return QStringLiteral("[隠しホール]  発表前");
    QStringList halves;
    for (int half = 0; half < 2; ++half) {
        QStringList holes;
        for (int hole : c.hiddenHoles)
            if ((hole - 1) / 9 == half)
                holes.append(QString::number(hole));
        halves.append(compe::halfName(half) + QChar(' ') + holes.join(QChar(0x30FB)));
    }
    return QStringLiteral("[隠しホール]  ") + halves.join(QChar(0x3000));
}

QString bestGrossText(const compe::Results &results)
{
    QString text = QStringLiteral("[ベストグロス]  ");
    if (results.rows.isEmpty())
        return text;
    const QStringList &names = results.bestGrossNames;
    text += names.mid(0, kBestGrossNames).join(QChar(0x3001));
    if (names.size() > kBestGrossNames)
        text += QStringLiteral(" ほか%1名").arg(names.size() - kBestGrossNames);
    return text + QStringLiteral("  ") + QString::number(results.bestGross);
}

QList<compe::PrizeHole> prizesOf(const Competition &c, PrizeKind kind)
{
    QList<compe::PrizeHole> list;
    for (const compe::PrizeHole &p : c.prizes)
        if (p.kind == kind)
            list.append(p);
    std::sort(list.begin(), list.end(),
        [](const compe::PrizeHole &a, const compe::PrizeHole &b) { return a.hole < b.hole; });
    return list;
}

// The room below the table: the rule, ベストグロス, and a line for each prize hole of the
// longer of the two lists.
int footerHeight(int prizeLines)
{
    return 40 + 100 + (prizeLines > 0 ? 100 + 90 * (prizeLines - 1) : 0);
}

// How the rows of the table are set: one column of full-size rows while they fit, else two
// tables side by side, the rows closing up as far as the page needs.
struct TableLayout {
    bool twoColumns = false;
    int perColumn = 0;
    int step = kFullStep;
    int font = 11;
};

TableLayout tableLayout(qsizetype rows, int available)
{
    TableLayout t;
    t.twoColumns = rows > available / kFullStep;
    t.perColumn = int(t.twoColumns ? (rows + 1) / 2 : rows);
    t.step = std::clamp(
        available / std::max(1, t.perColumn), 1, t.twoColumns ? kTwoColumnStep : kFullStep);
    // 11 points stand in rows of 70 pixels with room between them.
    t.font = std::clamp(t.step * 11 / 70, 4, t.twoColumns ? 9 : 11);
    return t;
}

void drawTable(PageBuilder &b, const compe::Results &results, const TableLayout &t)
{
    const int *xs = t.twoColumns ? kTwoColumnX : kOneColumnX;
    // A long name closes up to stay clear of the numbers.
    const int nameWidth = xs[2] - xs[1] - 20;
    const QStringList heads = compe::resultsHeader();
    for (int column = 0; column < (t.twoColumns ? 2 : 1); ++column) {
        const int left = t.twoColumns ? kTwoColumnLeft[column] : 0;
        b.setFont(t.font);
        for (int i = 0; i < heads.size(); ++i)
            b.text(left + xs[i], kHeadRow, heads[i]);
        for (int r = 0; r < t.perColumn; ++r) {
            const qsizetype row = qsizetype(column) * t.perColumn + r;
            if (row >= results.rows.size())
                break;
            const int y = kTableTop + r * t.step;
            const QStringList cells = compe::resultRow(results.rows[row]);
            for (int i = 0; i < cells.size(); ++i) {
                b.setFont(i == 1 ? fittedSize(cells[i], nameWidth, t.font) : t.font);
                b.text(left + xs[i], y, cells[i]);
            }
        }
    }
}

} // namespace

QList<PrintPage> compeResultsPages(
    const compe::Competition &c, const compe::Results &results, QSize page)
{
    PageBuilder b(page);
    const int width = b.width() - 300;
    fittedText(b, 200, 200, width, 22, c.name + QStringLiteral(" 成績表"));
    b.setFont(14);
    b.text(200, 400, scoreCardDateText(c.date));
    fittedText(b, 200, 520, width, 12, QStringLiteral("[ゴルフ場]  ") + c.club);
    fittedText(b, 200, 610, width, 12,
        QStringLiteral("[コース]  OUT %1　IN %2").arg(c.courses[0], c.courses[1]));
    b.setFont(10);
    b.text(200, 700, optionsText(c.options));
    b.text(200, 770, hiddenText(c));
    b.doubleRule(150, 860);

    const QList<compe::PrizeHole> drives = prizesOf(c, PrizeKind::Drive);
    const QList<compe::PrizeHole> pins = prizesOf(c, PrizeKind::Pin);
    const int prizeLines = int(std::max(drives.size(), pins.size()));
    const int available = b.height() - kBottomMargin - footerHeight(prizeLines) - kTableTop;
    const TableLayout table = tableLayout(results.rows.size(), available);
    drawTable(b, results, table);

    int y = kTableTop + table.perColumn * table.step + 10;
    b.doubleRule(150, y);
    y += 40;
    fittedText(b, 200, y, width, 12, bestGrossText(results));
    y += 100;
    b.setFont(12);
    const std::pair<int, const QList<compe::PrizeHole> *> blocks[]
        = {{200, &drives}, {1300, &pins}};
    for (const auto &[x, list] : blocks) {
        if (list->isEmpty())
            continue;
        b.text(x, y, QStringLiteral("[%1]").arg(compe::prizeKindText(list->first().kind)));
        for (int i = 0; i < list->size(); ++i) {
            const compe::PrizeHole &p = (*list)[i];
            b.text(x + 320, y + 90 * i, QStringLiteral("%1番").arg(p.hole));
            fittedText(b, x + 500, y + 90 * i, 550, 12, p.winner);
            b.setFont(12);
        }
    }
    return b.pages();
}

} // namespace printout
