#include "resultsprintout.h"

namespace printout {

namespace {

void scoreListHeads(PageBuilder &b, bool ranked)
{
    if (ranked)
        b.text(150, 600, QStringLiteral("順位"));
    b.text(270, 600, QStringLiteral("日付"));
    b.text(620, 600, QStringLiteral("スコア"));
    b.text(1000, 600, QStringLiteral("パット"));
    b.text(1200, 600, QStringLiteral("パーオン率"));
    b.text(1500, 600, QStringLiteral("ゴルフ場"));
}

QList<PrintPage> scoreListPages(const ResultsSheet &sheet, QSize page)
{
    const bool ranked = !sheet.rows.isEmpty() && !sheet.rows.first().value(0).isEmpty();
    PageBuilder b(page);
    b.setFont(22);
    b.text(200, 200,
        sheet.golferName
            + (ranked ? QStringLiteral(" さんのベストスコア")
                      : QStringLiteral(" さんのスコア一覧")));
    int pageNo = 1;
    b.setFont(9);
    b.text(b.width() - 400, 200, pageNumberText(pageNo));
    b.setFont(10);
    b.text(200, 450, sheet.conditions);
    b.doubleRule(150, 560);
    scoreListHeads(b, ranked);

    static constexpr int columns[] = {0, 2, 3, 4, 5, 6};
    static constexpr int xs[] = {150, 270, 620, 1000, 1200, 1500};
    int y = 690;
    for (qsizetype r = 0; r < sheet.rows.size(); ++r) {
        for (int c = 0; c < 6; ++c)
            b.text(xs[c], y, sheet.rows[r].value(columns[c]));
        // The row past the bottom line stays on this page; a page is begun only for a row
        // that follows.
        if (y > b.height() - 400 && r + 1 < sheet.rows.size()) {
            b.newNumberedPage(++pageNo);
            // Later pages name the year and club of the tally and set the table in 11 points,
            // heads included.
            b.setFont(11);
            b.text(200, 400, QStringLiteral("[検索年数]"));
            b.text(600, 400, sheet.kensakuYear);
            b.text(200, 500, QStringLiteral("[検索ゴルフ場]"));
            b.text(600, 500, sheet.kensakuLinks);
            b.doubleRule(170, 560);
            scoreListHeads(b, ranked);
            y = 690;
        } else {
            y += 90;
        }
    }
    return b.pages();
}

QList<PrintPage> statisticsPages(const ResultsSheet &sheet, QSize page)
{
    PageBuilder b(page);
    b.setFont(22);
    b.text(200, 200, sheet.golferName + QStringLiteral(" さんのスコア詳細"));
    b.setFont(10);
    b.text(200, 450, sheet.conditions);
    b.doubleRule(170, 560);
    b.setFont(12);
    int y = 600;
    for (const QStringList &row : sheet.rows) {
        b.text(220, y, row.value(0));
        b.text(720, y, row.value(2));
        b.text(1020, y, row.value(3));
        b.text(1770, y, row.value(4));
        y += 100;
    }
    b.doubleRule(170, y);
    return b.pages();
}

} // namespace

QList<PrintPage> resultsPages(const ResultsSheet &sheet, QSize page)
{
    return sheet.hasHeaderRow ? scoreListPages(sheet, page) : statisticsPages(sheet, page);
}

} // namespace printout
