#include "compecards.h"

#include "core/data/datafile.h"
#include "core/data/datetime.h"

#include <QDir>

namespace compe {

DayCard readCardOfDay(const QString &dataDir, const QString &golfer, const QDate &day)
{
    DayCard found;
    // The name comes from Golfer.dat: it must be a plain file name before it makes a path.
    if (!datafile::isUsableGolferName(golfer) || datafile::trimBlanks(golfer).isEmpty()) {
        found.error = QStringLiteral("ゴルファー「%1」の名前はファイル名にできないため、"
                                     "スコアカードを読めません")
                          .arg(golfer.simplified());
        return found;
    }
    QString dir = dataDir;
    if (!dir.endsWith(QChar('/')))
        dir += QChar('/');
    QByteArray bytes;
    if (!datafile::readBytes(dir + golfer + QStringLiteral(".sce"), &bytes, &found.error))
        return found;
    constexpr int size = RecordLayout<TScoreRecord>::Size;
    const double wanted = datetime::fromDate(day);
    const qsizetype count = bytes.size() / size;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView record = QByteArrayView(bytes).sliced(i * size, size);
        if (datetime::dayOf(storedDate(record)) == wanted) {
            found.card = decodeRecord<TScoreRecord>(record);
            break;
        }
    }
    return found;
}

Offer offeredPlayers(const QString &dataDir, const QStringList &golfers, const Competition &c)
{
    Offer offer;
    for (const QString &golfer : golfers) {
        const DayCard day = readCardOfDay(dataDir, golfer, c.date);
        if (!day.error.isEmpty()) {
            offer.problems.append(day.error);
            continue;
        }
        if (!day.card || day.card->LinksName != c.club)
            continue;
        const TScoreRecord &card = *day.card;
        OfferedPlayer offered;
        offered.player.name = golfer;
        offered.player.golfer = true;
        offered.swapped = card.CourseName[0] == c.courses[1] && card.CourseName[1] == c.courses[0]
            && c.courses[0] != c.courses[1];
        for (int h = 0; h < kHoles; ++h)
            offered.player.scores[h] = card.Score[offered.swapped ? (h + 9) % kHoles : h];
        if (!offered.swapped && card.CourseName != c.courses)
            offered.note
                = QStringLiteral("スコアカードのコース（%1・%2）がコンペのコースと違います")
                      .arg(card.CourseName[0], card.CourseName[1]);
        else
            offered.note = playerProblem(offered.player);
        offer.players.append(offered);
    }
    return offer;
}

} // namespace compe
