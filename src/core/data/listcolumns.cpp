#include "listcolumns.h"

#include "csv.h"
#include "datetime.h"

#include <QHash>
#include <QSet>

namespace listcolumns {

QList<QStringList> yoteiTable(const QList<TYoteiRecord> &rounds)
{
    QList<QStringList> rows = {{QStringLiteral("ラウンド日"), QStringLiteral("スタート"),
        QStringLiteral("ゴルフ場"), QStringLiteral("備考")}};
    for (const TYoteiRecord &r : rounds)
        rows.append({datetime::dateText(r.RoundDate), datetime::timeText(r.StartTime),
            csv::protectText(r.LinksName), csv::protectText(r.Bikou)});
    return rows;
}

QList<QStringList> linksTable(const QList<TLinksRecord> &clubs, const QList<TCourseRecord> &courses)
{
    QStringList head = {QStringLiteral("ゴルフ場"), QStringLiteral("住所"),
        QStringLiteral("電話番号"), QStringLiteral("ホームページ"), QStringLiteral("コース"),
        QStringLiteral("グリーン"), QStringLiteral("ティー")};
    for (int h = 1; h <= 9; ++h)
        head << QString::number(h) + QStringLiteral("番ヤード");
    head << QStringLiteral("ヤード計");
    for (int h = 1; h <= 9; ++h)
        head << QString::number(h) + QStringLiteral("番パー");
    head << QStringLiteral("パー計");

    auto courseFields = [](const TCourseRecord &c) {
        QStringList f
            = {csv::protectText(c.CourseName), csv::protectText(c.Green), csv::protectText(c.Tee)};
        for (qint32 y : c.Yard)
            f << QString::number(y);
        f << QString::number(c.YardTotal);
        for (qint32 p : c.Par)
            f << QString::number(p);
        f << QString::number(c.ParTotal);
        return f;
    };
    QHash<QString, QList<const TCourseRecord *>> byClub;
    for (const TCourseRecord &c : courses)
        byClub[c.LinksName].append(&c);
    QList<QStringList> rows = {head};
    QSet<QString> listed;
    for (const TLinksRecord &club : clubs) {
        const QStringList front
            = {csv::protectText(club.LinksName), csv::protectText(club.LinksAddress),
                csv::protectText(club.LinksTel), csv::protectText(club.URL)};
        // Two clubs of one name would list the same courses twice.
        const QList<const TCourseRecord *> own = listed.contains(club.LinksName)
            ? QList<const TCourseRecord *>()
            : byClub.value(club.LinksName);
        listed.insert(club.LinksName);
        if (own.isEmpty())
            rows.append(front);
        for (const TCourseRecord *c : own)
            rows.append(front + courseFields(*c));
    }
    for (const TCourseRecord &c : courses)
        if (!listed.contains(c.LinksName))
            rows.append(QStringList {csv::protectText(c.LinksName), QString(), QString(), QString()}
                + courseFields(c));
    // Every row as wide as the heading, so that spreadsheets see one table.
    for (QStringList &r : rows)
        while (r.size() < head.size())
            r.append(QString());
    return rows;
}

} // namespace listcolumns
