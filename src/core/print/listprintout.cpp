#include "listprintout.h"

#include "core/data/datetime.h"

namespace printout {

QList<PrintPage> schedulePages(
    const QString &golferName, const QList<TYoteiRecord> &schedule, QSize page)
{
    PageBuilder b(page);
    b.setFont(22);
    b.text(150, 150, golferName + QStringLiteral(" さんの予定表"));
    int pageNo = 1;
    b.setFont(9);
    b.text(b.width() - 400, 200, pageNumberText(pageNo));
    b.setFont(11);
    int y = 400;
    for (qsizetype i = 0; i < schedule.size(); ++i) {
        const TYoteiRecord &r = schedule[i];
        b.text(150, y, datetime::dateText(r.RoundDate));
        b.text(480, y, datetime::timeText(r.StartTime));
        b.text(700, y, r.LinksName);
        b.text(1550, y, r.Bikou);
        b.line(150, y + 70, b.width() - 100, y + 70);
        // The row past the bottom line is still drawn on this page; no page is begun for
        // rows that do not exist.
        if (y > b.height() - 400 && i + 1 < schedule.size()) {
            b.newNumberedPage(++pageNo);
            b.setFont(11);
            y = 400;
        } else {
            y += 150;
        }
    }
    return b.pages();
}

QList<PrintPage> linksPages(const QList<TLinksRecord> &links, QSize page)
{
    PageBuilder b(page);
    b.setFont(22);
    b.text(150, 150, QStringLiteral("ゴルフ場一覧"));
    int pageNo = 1;
    b.setFont(9);
    b.text(b.width() - 300, 200, pageNumberText(pageNo));
    b.setFont(11);
    int y = 400;
    for (qsizetype i = 0; i < links.size(); ++i) {
        const TLinksRecord &r = links[i];
        b.text(150, y, r.LinksName);
        b.text(950, y, r.LinksAddress);
        b.text(950, y + 90, QStringLiteral("TEL  ") + r.LinksTel);
        b.text(1450, y + 90, QStringLiteral("URL  ") + r.URL);
        b.line(150, y + 170, b.width() - 100, y + 170);
        if (y > b.height() - 400 && i + 1 < links.size()) {
            b.newNumberedPage(++pageNo);
            b.setFont(11);
            y = 400;
        } else {
            y += 200;
        }
    }
    return b.pages();
}

QList<PrintPage> coursePages(const TCourseRecord &course, QSize page)
{
    PageBuilder b(page);
    b.outline({{160, 850}, {2400, 850}, {2400, 1270}, {160, 1270}}, 4);
    for (int x : {380, 2180})
        b.line(x, 850, x, 1270);
    for (int y : {990, 1140})
        b.line(160, y, 2400, y);

    b.setFont(22);
    b.text(200, 200, course.LinksName);
    b.setFont(16);
    b.text(200, 400, course.CourseName);
    b.setFont(14);
    b.text(200, 580, QStringLiteral("[ティー]      ") + course.Tee);
    b.text(200, 680, QStringLiteral("[グリーン]   ") + course.Green);

    b.setFont(12);
    b.text(190, 1030, QStringLiteral("ヤード"));
    b.text(190, 1160, QStringLiteral("パー"));

    b.setFont(14);
    for (int h = 0; h < 9; ++h) {
        const int x = 400 + 200 * h;
        b.text(x, 880, QStringLiteral("%1H").arg(h + 1));
        b.text(x, 1030, QString::number(course.Yard[h]));
        b.text(x, 1160, QString::number(course.Par[h]));
    }
    b.text(2200, 880, QStringLiteral("Total"));
    b.text(2200, 1030, QString::number(course.YardTotal));
    b.text(2200, 1160, QString::number(course.ParTotal));
    return b.pages();
}

} // namespace printout
