#include "scorecardprintout.h"

#include "core/data/datetime.h"
#include "core/data/numeric.h"

#include <QLocale>

namespace printout {

namespace {

// One half of the card: the frame, its course heading and its holes, `dy` below the first.
void drawHalf(PageBuilder &b, const TScoreRecord &card, int half)
{
    const int dy = 1000 * half;
    b.outline({{160, 900 + dy}, {2400, 900 + dy}, {2400, 1400 + dy}, {160, 1400 + dy}}, 4);
    for (int x : {380, 2180})
        b.line(x, 900 + dy, x, 1400 + dy);
    for (int y : {1000, 1100, 1200, 1300})
        b.line(160, y + dy, 2400, y + dy);

    if (half == 0) {
        b.setFont(22);
        b.text(200, 200, card.LinksName);
        b.setFont(14);
        b.text(200, 400, scoreCardDateText(datetime::toDate(card.RoundDate)));
        b.text(1200, 400, QStringLiteral("[天気]   ") + card.Weather);
    }
    b.setFont(14);
    b.text(200, 550 + dy, card.CourseName[half]);
    b.setFont(12);
    b.text(200, 700 + dy, QStringLiteral("[ティー]      ") + card.Tee[half]);
    b.text(200, 800 + dy, QStringLiteral("[グリーン]   ") + card.Green[half]);

    b.text(180, 1030 + dy, QStringLiteral("ヤード"));
    b.text(180, 1130 + dy, QStringLiteral("パー"));
    b.text(180, 1230 + dy, QStringLiteral("スコア"));
    b.text(180, 1330 + dy, QStringLiteral("パット"));
    for (int h = 0; h < 9; ++h)
        b.text(400 + 200 * h, 930 + dy, QStringLiteral("%1H").arg(h + 1));
    b.text(2200, 930 + dy, QStringLiteral("Total"));

    for (int h = 0; h < 9; ++h) {
        const int x = 400 + 200 * h;
        const int hole = 9 * half + h;
        b.text(x, 1030 + dy, QString::number(card.Yard[hole]));
        b.text(x, 1130 + dy, QString::number(card.Par[hole]));
        b.text(x, 1230 + dy, QString::number(card.Score[hole]));
        b.text(x, 1330 + dy, card.Putt[hole]);
    }
    b.text(2200, 1030 + dy, QString::number(card.YardTotal[half]));
    b.text(2200, 1130 + dy, QString::number(card.ParTotal[half]));
    b.text(2200, 1230 + dy, QString::number(card.ScoreTotal[half]));
    b.text(2200, 1330 + dy, card.PuttTotal[half]);
}

} // namespace

QString scoreCardDateText(const QDate &date)
{
    static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    return QStringLiteral("%1 年 %2 月 %3 日   %4")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(japanese.dayName(date.dayOfWeek(), QLocale::LongFormat));
}

QList<PrintPage> scoreCardPages(const TScoreRecord &card, QSize page)
{
    PageBuilder b(page);
    drawHalf(b, card, 0);
    drawHalf(b, card, 1);

    b.setFont(12);
    b.text(200, 2500, QStringLiteral("[ヤード]    ") + QString::number(card.YardSum));
    b.text(700, 2500, QStringLiteral("[パー]    ") + QString::number(card.ParSum));
    b.text(200, 2600, QStringLiteral("[スコア]    ") + QString::number(card.ScoreSum));
    b.text(700, 2600, QStringLiteral("[パット]   ") + QString::number(card.PuttSum));
    b.text(200, 2700, QStringLiteral("[ハンディ]  ") + numeric::formatOneDecimal(card.Handicap));
    b.text(700, 2700, QStringLiteral("[ネット]   ") + numeric::formatOneDecimal(card.NetScore));
    b.text(1200, 2500, QStringLiteral("[パートナー]"));
    for (int i = 0; i < 3; ++i) {
        const int y = 2500 + 100 * i;
        b.text(1600, y, card.Partner[i]);
        if (card.PartnerScore[i] != 0)
            b.text(2000, y, QString::number(card.PartnerScore[i]));
    }
    return b.pages();
}

} // namespace printout
