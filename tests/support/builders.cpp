#include "builders.h"

#include <QFile>

namespace build {

TLinksRecord club(const QString &name, const QString &url)
{
    TLinksRecord r;
    r.LinksName = name;
    r.LinksAddress = QStringLiteral("千葉県") + name;
    r.LinksTel = QStringLiteral("043-000-0000");
    r.URL = url;
    return r;
}

TCourseRecord course(const QString &club, const QString &name, int yard, int par)
{
    TCourseRecord r;
    r.LinksName = club;
    r.CourseName = name;
    r.Green = QStringLiteral("ベント");
    r.Tee = QStringLiteral("レギュラー");
    r.Yard.fill(yard);
    r.Par.fill(par);
    r.YardTotal = yard * 9;
    r.ParTotal = par * 9;
    return r;
}

TYoteiRecord yotei(const QDate &date, const QString &club, const QTime &start, const QString &bikou)
{
    TYoteiRecord r;
    r.RoundDate = datetime::fromDate(date);
    r.StartTime = datetime::fromTime(start);
    r.LinksName = club;
    r.Bikou = bikou;
    return r;
}

TScoreRecord card(const QDate &date, const QString &club, int strokesPerHole)
{
    TScoreRecord r;
    r.RoundDate = datetime::fromDate(date);
    r.LinksName = club;
    r.Weather = QStringLiteral("晴れ");
    r.CourseName = {QStringLiteral("OUT"), QStringLiteral("IN")};
    r.Green = {QStringLiteral("ベント"), QStringLiteral("ベント")};
    r.Tee = {QStringLiteral("レギュラー"), QStringLiteral("レギュラー")};
    r.Yard.fill(350);
    r.YardTotal = {3150, 3150};
    r.YardSum = 6300;
    r.Par.fill(4);
    r.ParTotal = {36, 36};
    r.ParSum = 72;
    r.Score.fill(strokesPerHole);
    r.ScoreTotal = {strokesPerHole * 9, strokesPerHole * 9};
    r.ScoreSum = strokesPerHole * 18;
    for (auto &p : r.Putt)
        p = QStringLiteral("2");
    r.PuttTotal = {QStringLiteral("18"), QStringLiteral("18")};
    r.PuttSum = 36;
    r.Handicap = 12;
    r.NetScore = float(r.ScoreSum - 12);
    applyHoleResults(r);
    return r;
}

TScoreRecord scoredCard(const QDate &date, const QString &club, int firstHalf, int secondHalf)
{
    TScoreRecord r = card(date, club, 4);
    for (int h = 0; h < 18; ++h)
        r.Score[h] = (h < 9 ? firstHalf : secondHalf) / 9;
    r.Score[8] += firstHalf % 9;
    r.Score[17] += secondHalf % 9;
    r.ScoreTotal = {firstHalf, secondHalf};
    r.ScoreSum = firstHalf + secondHalf;
    applyHoleResults(r);
    return r;
}

QList<qsizetype> exchangeOrder(QList<qint32> &score)
{
    const qsizetype n = score.size();
    QList<qsizetype> entry(n);
    for (qsizetype i = 0; i < n; ++i)
        entry[i] = i;
    for (qsizetype i = 0; i < n; ++i) {
        for (qsizetype j = i + 1; j < n; ++j) {
            if (score[i] == 0)
                score[i] = 1000;
            if (score[j] == 0)
                score[j] = 1000;
            if (score[j] < score[i]) {
                std::swap(score[i], score[j]);
                std::swap(entry[i], entry[j]);
            }
        }
    }
    return entry;
}

} // namespace build

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList dates(const ScoreCards &cards)
{
    QStringList list;
    for (qsizetype i = 0; i < cards.size(); ++i)
        list.append(datetime::dateText(cards.card(i).roundDate()));
    return list;
}
