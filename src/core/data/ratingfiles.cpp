// The side files' bytes: UTF-8 JSON with a format name and a version, read without trusting
// any of it.
#include "ratingstore.h"

#include "datetime.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>
namespace {

const QString kRatingsFormat = QStringLiteral("kestro-ratings");
const QString kHoleFormat = QStringLiteral("kestro-hole-handicaps");
constexpr int kVersion = 1;

bool inRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// A JSON number that is a whole count of tenths within the range.
std::optional<int> tenths(const QJsonValue &value, int low, int high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double v = value.toDouble() * 10;
    if (!std::isfinite(v) || std::abs(v - std::round(v)) > 1e-6 || v < low || v > high)
        return std::nullopt;
    return int(std::lround(v));
}

std::optional<int> whole(const QJsonValue &value, int low, int high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double v = value.toDouble();
    if (!std::isfinite(v) || v != std::floor(v) || v < low || v > high)
        return std::nullopt;
    return int(v);
}

// Reads the two optional ratings of an entry; false when one is there but not valid.
bool readRating(const QJsonObject &o, RoundRating *rating)
{
    if (o.contains(QLatin1String("courseRating"))) {
        rating->courseRating10 = tenths(o.value(QLatin1String("courseRating")),
            ratings::kMinCourseRating10, ratings::kMaxCourseRating10);
        if (!rating->courseRating10)
            return false;
    }
    if (o.contains(QLatin1String("slope"))) {
        rating->slope
            = whole(o.value(QLatin1String("slope")), ratings::kMinSlope, ratings::kMaxSlope);
        if (!rating->slope)
            return false;
    }
    return !rating->empty();
}

void writeRating(QJsonObject &o, const RoundRating &rating)
{
    if (rating.courseRating10)
        o.insert(QLatin1String("courseRating"), *rating.courseRating10 / 10.0);
    if (rating.slope)
        o.insert(QLatin1String("slope"), *rating.slope);
}

bool stringPair(const QJsonValue &value, std::array<QString, 2> *pair)
{
    const QJsonArray a = value.toArray();
    if (!value.isArray() || a.size() != 2 || !a[0].isString() || !a[1].isString())
        return false;
    *pair = {a[0].toString(), a[1].toString()};
    return true;
}

// The document's object when it is one of ours of a version we know; else a problem.
std::optional<QJsonObject> ourDocument(
    const QByteArray &bytes, const QString &format, QString *problem)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        *problem = QStringLiteral("JSON として読めません");
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    if (o.value(QLatin1String("format")).toString() != format) {
        *problem = QStringLiteral("このプログラムのファイルではありません");
        return std::nullopt;
    }
    if (o.value(QLatin1String("version")).toInt(-1) != kVersion
        || !o.value(QLatin1String("version")).isDouble()) {
        *problem = QStringLiteral("知らない版のファイルです");
        return std::nullopt;
    }
    return o;
}

QString skipped(int count)
{
    return QStringLiteral("読めない記録が %1 件あります").arg(count);
}

} // namespace

TeeCombination TeeCombination::of(const TScoreRecord &card)
{
    return {card.LinksName, card.CourseName, card.Tee};
}

namespace ratings {

std::optional<int> parseCourseRating(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype dot = t.indexOf(QChar('.'));
    const QString intPart = dot < 0 ? t : t.left(dot);
    const QString decPart = dot < 0 ? QString() : t.mid(dot + 1);
    auto digits = [](const QString &s) {
        return std::all_of(
            s.begin(), s.end(), [](QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; });
    };
    if (intPart.isEmpty() || intPart.size() > 3 || !digits(intPart) || decPart.size() > 1
        || !digits(decPart) || (dot >= 0 && decPart.isEmpty()))
        return std::nullopt;
    const int value = intPart.toInt() * 10 + (decPart.isEmpty() ? 0 : decPart.toInt());
    if (!inRange(value, kMinCourseRating10, kMaxCourseRating10))
        return std::nullopt;
    return value;
}

std::optional<int> parseSlope(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 3 || !std::all_of(t.begin(), t.end(), [](QChar c) {
            return c.unicode() >= u'0' && c.unicode() <= u'9';
        }))
        return std::nullopt;
    const int value = t.toInt();
    if (!inRange(value, kMinSlope, kMaxSlope))
        return std::nullopt;
    return value;
}

bool validHoleHandicaps(const HoleHandicaps &row)
{
    std::array<bool, 19> seen {};
    for (int v : row) {
        if (!inRange(v, 1, 18) || seen[v])
            return false;
        seen[v] = true;
    }
    return true;
}

bool validRating(const RoundRating &rating)
{
    return (!rating.courseRating10
               || inRange(*rating.courseRating10, kMinCourseRating10, kMaxCourseRating10))
        && (!rating.slope || inRange(*rating.slope, kMinSlope, kMaxSlope));
}

qint64 dayKey(TDateTime day)
{
    return qint64(datetime::dayOf(day));
}

QString courseRatingText(int courseRating10)
{
    return QStringLiteral("%1.%2").arg(courseRating10 / 10).arg(courseRating10 % 10);
}

QByteArray encodeRatings(const RatingsData &data)
{
    QJsonArray rounds;
    for (auto it = data.rounds.begin(); it != data.rounds.end(); ++it) {
        QJsonObject o;
        o.insert(
            QLatin1String("date"), datetime::toDate(TDateTime(it.key())).toString(Qt::ISODate));
        writeRating(o, it.value());
        rounds.append(o);
    }
    QJsonArray remembered;
    for (auto it = data.remembered.begin(); it != data.remembered.end(); ++it) {
        QJsonObject o;
        o.insert(QLatin1String("club"), it.key().club);
        o.insert(QLatin1String("courses"), QJsonArray {it.key().courses[0], it.key().courses[1]});
        o.insert(QLatin1String("tees"), QJsonArray {it.key().tees[0], it.key().tees[1]});
        writeRating(o, it.value());
        remembered.append(o);
    }
    QJsonObject root;
    root.insert(QLatin1String("format"), kRatingsFormat);
    root.insert(QLatin1String("version"), kVersion);
    root.insert(QLatin1String("rounds"), rounds);
    root.insert(QLatin1String("remembered"), remembered);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

RatingsData decodeRatings(const QByteArray &bytes, QString *problem)
{
    problem->clear();
    RatingsData data;
    const std::optional<QJsonObject> root = ourDocument(bytes, kRatingsFormat, problem);
    if (!root)
        return data;
    int bad = 0;
    for (const QJsonValue &v : root->value(QLatin1String("rounds")).toArray()) {
        const QJsonObject o = v.toObject();
        const QDate date
            = QDate::fromString(o.value(QLatin1String("date")).toString(), Qt::ISODate);
        RoundRating rating;
        if (!date.isValid() || !readRating(o, &rating)) {
            ++bad;
            continue;
        }
        data.rounds.insert(dayKey(datetime::fromDate(date)), rating);
    }
    for (const QJsonValue &v : root->value(QLatin1String("remembered")).toArray()) {
        const QJsonObject o = v.toObject();
        TeeCombination key;
        RoundRating rating;
        if (!o.value(QLatin1String("club")).isString()
            || !stringPair(o.value(QLatin1String("courses")), &key.courses)
            || !stringPair(o.value(QLatin1String("tees")), &key.tees) || !readRating(o, &rating)) {
            ++bad;
            continue;
        }
        key.club = o.value(QLatin1String("club")).toString();
        data.remembered.insert(key, rating);
    }
    if (bad)
        *problem = skipped(bad);
    return data;
}

QByteArray encodeHoleHandicaps(const HoleHandicapMap &map)
{
    QJsonArray courses;
    for (auto it = map.begin(); it != map.end(); ++it) {
        QJsonArray row;
        for (int v : it.value())
            row.append(v);
        QJsonObject o;
        o.insert(QLatin1String("club"), it.key().first);
        o.insert(QLatin1String("course"), it.key().second);
        o.insert(QLatin1String("hdcp"), row);
        courses.append(o);
    }
    QJsonObject root;
    root.insert(QLatin1String("format"), kHoleFormat);
    root.insert(QLatin1String("version"), kVersion);
    root.insert(QLatin1String("courses"), courses);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

HoleHandicapMap decodeHoleHandicaps(const QByteArray &bytes, QString *problem)
{
    problem->clear();
    HoleHandicapMap map;
    const std::optional<QJsonObject> root = ourDocument(bytes, kHoleFormat, problem);
    if (!root)
        return map;
    int bad = 0;
    for (const QJsonValue &v : root->value(QLatin1String("courses")).toArray()) {
        const QJsonObject o = v.toObject();
        const QJsonArray a = o.value(QLatin1String("hdcp")).toArray();
        HoleHandicaps row {};
        bool ok = o.value(QLatin1String("club")).isString()
            && o.value(QLatin1String("course")).isString() && a.size() == 9;
        for (int h = 0; ok && h < 9; ++h) {
            const std::optional<int> n = whole(a[h], 1, 18);
            ok = n.has_value();
            row[h] = n.value_or(0);
        }
        if (!ok || !validHoleHandicaps(row)) {
            ++bad;
            continue;
        }
        map.insert({o.value(QLatin1String("club")).toString(),
                       o.value(QLatin1String("course")).toString()},
            row);
    }
    if (bad)
        *problem = skipped(bad);
    return map;
}

} // namespace ratings
