#include "ratingstore.h"

#include "datafile.h"
#include "datetime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

qint64 dayKey(TDateTime day)
{
    return qint64(std::trunc(day));
}

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

RatingStore::RatingStore(const QString &dataDir) : m_dir(dataDir)
{
    if (!m_dir.endsWith(QChar('/')))
        m_dir += QChar('/');
}

QString RatingStore::ratingsFileName(const QString &golfer) const
{
    return m_dir + golfer + QStringLiteral(".ratings.json");
}

// Reads a side file into `bytes` and gives what to report about a read failure.
QStringList RatingStore::openFile(SideFile &file, QByteArray *bytes, const QString &path)
{
    file = SideFile {};
    file.path = path;
    QString error;
    if (!datafile::readBytes(path, bytes, &error)) {
        file.unreadable = true;
        file.problem = error;
        return {error + QStringLiteral("\nこのファイルは書き換えません。")};
    }
    return {};
}

namespace {

QString damagedReport(const QString &path, const QString &problem, const QDate &today)
{
    return QStringLiteral("ファイル「%1」は壊れているか、このプログラムのものではありません"
                          "（%2）。\n元のファイルは、次に保存するときに「%3」として残します。")
        .arg(QDir::toNativeSeparators(path), problem,
            QFileInfo(path).fileName() + QStringLiteral(".damaged-")
                + today.toString(QStringLiteral("yyyyMMdd")));
}

} // namespace

QStringList RatingStore::loadHoleHandicaps(const QDate &today)
{
    m_today = today;
    QByteArray bytes;
    QStringList report = openFile(m_holeFile, &bytes, holeHandicapFileName());
    m_holes.clear();
    if (m_holeFile.unreadable || bytes.isEmpty())
        return report;
    m_holes = ratings::decodeHoleHandicaps(bytes, &m_holeFile.problem);
    if (!m_holeFile.problem.isEmpty()) {
        m_holeFile.original = bytes;
        report.append(damagedReport(m_holeFile.path, m_holeFile.problem, today));
    }
    return report;
}

QStringList RatingStore::loadGolfer(const QString &name, const QDate &today)
{
    m_today = today;
    m_golfer = name;
    m_ratings = {};
    QByteArray bytes;
    QStringList report = openFile(m_ratingsFile, &bytes, ratingsFileName(name));
    if (m_ratingsFile.unreadable || bytes.isEmpty())
        return report;
    m_ratings = ratings::decodeRatings(bytes, &m_ratingsFile.problem);
    if (!m_ratingsFile.problem.isEmpty()) {
        m_ratingsFile.original = bytes;
        report.append(damagedReport(m_ratingsFile.path, m_ratingsFile.problem, today));
    }
    return report;
}

void RatingStore::releaseGolfer()
{
    m_golfer.clear();
    m_ratings = {};
    m_ratingsFile = SideFile {};
}

bool RatingStore::write(SideFile &file, const QByteArray &bytes, QStringList &errors)
{
    if (file.path.isEmpty())
        return false;
    if (file.unreadable) {
        errors.append(QStringLiteral("ファイル「%1」は読み込めなかったため、書き換えません。")
                          .arg(QDir::toNativeSeparators(file.path)));
        return false;
    }
    QString error;
    if (!file.problem.isEmpty() && !file.keptAside) {
        const QString stem = file.path + QStringLiteral(".damaged-")
            + m_today.toString(QStringLiteral("yyyyMMdd"));
        QString aside = stem;
        for (int n = 2; QFile::exists(aside); ++n)
            aside = stem + QChar('-') + QString::number(n);
        if (!datafile::saveBytes(aside, file.original, &error)) {
            errors.append(error);
            return false;
        }
        file.keptAside = true;
        file.original.clear();
    }
    if (!datafile::saveBytes(file.path, bytes, &error)) {
        errors.append(error);
        return false;
    }
    file.problem.clear();
    return true;
}

QStringList RatingStore::writeRatings()
{
    QStringList errors;
    if (!m_golfer.isEmpty())
        write(m_ratingsFile, ratings::encodeRatings(m_ratings), errors);
    return errors;
}

QStringList RatingStore::writeHoleHandicaps()
{
    QStringList errors;
    write(m_holeFile, ratings::encodeHoleHandicaps(m_holes), errors);
    return errors;
}

RoundRating RatingStore::rating(TDateTime day) const
{
    return m_ratings.rounds.value(dayKey(day));
}

RoundRating RatingStore::remembered(const TScoreRecord &card) const
{
    return m_ratings.remembered.value(TeeCombination::of(card));
}

QStringList RatingStore::setRating(const TScoreRecord &card, const RoundRating &rating)
{
    const bool valid = (!rating.courseRating10
                           || inRange(*rating.courseRating10, ratings::kMinCourseRating10,
                               ratings::kMaxCourseRating10))
        && (!rating.slope || inRange(*rating.slope, ratings::kMinSlope, ratings::kMaxSlope));
    if (!valid || m_golfer.isEmpty())
        return {};
    const qint64 day = dayKey(card.RoundDate);
    if (rating.empty()) {
        if (!m_ratings.rounds.remove(day))
            return {};
    } else {
        if (m_ratings.rounds.value(day) == rating)
            return {};
        m_ratings.rounds.insert(day, rating);
        RoundRating &memo = m_ratings.remembered[TeeCombination::of(card)];
        if (rating.courseRating10)
            memo.courseRating10 = rating.courseRating10;
        if (rating.slope)
            memo.slope = rating.slope;
    }
    return writeRatings();
}

std::optional<HoleHandicaps> RatingStore::holeHandicaps(
    const QString &club, const QString &course) const
{
    const auto it = m_holes.constFind({club, course});
    if (it == m_holes.cend())
        return std::nullopt;
    return it.value();
}

QStringList RatingStore::setHoleHandicaps(
    const QString &club, const QString &course, const std::optional<HoleHandicaps> &row)
{
    if (row && !ratings::validHoleHandicaps(*row))
        return {};
    if (row) {
        if (holeHandicaps(club, course) == row)
            return {};
        m_holes.insert({club, course}, *row);
    } else if (!m_holes.remove({club, course})) {
        return {};
    }
    return writeHoleHandicaps();
}

QStringList RatingStore::cardMoved(TDateTime from, TDateTime to)
{
    const qint64 a = dayKey(from);
    const qint64 b = dayKey(to);
    if (a == b || !m_ratings.rounds.contains(a))
        return {};
    m_ratings.rounds.insert(b, m_ratings.rounds.take(a));
    return writeRatings();
}

QStringList RatingStore::cardDeleted(TDateTime day)
{
    if (!m_ratings.rounds.remove(dayKey(day)))
        return {};
    return writeRatings();
}

ratings::RatingsData RatingStore::renamedClub(
    ratings::RatingsData data, const QString &oldName, const QString &newName)
{
    QMap<TeeCombination, RoundRating> remembered;
    for (auto it = data.remembered.begin(); it != data.remembered.end(); ++it) {
        TeeCombination key = it.key();
        if (key.club == oldName)
            key.club = newName;
        // The renamed club's entry wins over one the new name already had.
        if (it.key().club == oldName || !remembered.contains(key))
            remembered.insert(key, it.value());
    }
    data.remembered = remembered;
    return data;
}

ratings::HoleHandicapMap RatingStore::renamedClub(
    const ratings::HoleHandicapMap &map, const QString &oldName, const QString &newName)
{
    ratings::HoleHandicapMap renamed;
    for (auto it = map.begin(); it != map.end(); ++it)
        if (it.key().first != oldName)
            renamed.insert(it.key(), it.value());
    // The renamed club's rows win over those the new name already had.
    for (auto it = map.begin(); it != map.end(); ++it)
        if (it.key().first == oldName)
            renamed.insert({newName, it.key().second}, it.value());
    return renamed;
}

QList<SideFileWrite> RatingStore::clubRenameWrites(
    const QString &oldName, const QString &newName) const
{
    QList<SideFileWrite> writes;
    if (oldName == newName)
        return writes;
    const bool clubHoles = std::any_of(m_holes.keyBegin(), m_holes.keyEnd(),
        [&](const auto &key) { return key.first == oldName; });
    if (clubHoles)
        writes.append({m_holeFile.path,
            ratings::encodeHoleHandicaps(renamedClub(m_holes, oldName, newName))});
    const bool clubRatings = std::any_of(m_ratings.remembered.keyBegin(),
        m_ratings.remembered.keyEnd(), [&](const auto &key) { return key.club == oldName; });
    if (clubRatings && !m_golfer.isEmpty())
        writes.append(
            {m_ratingsFile.path, ratings::encodeRatings(renamedClub(m_ratings, oldName, newName))});
    return writes;
}

QStringList RatingStore::clubRenamed(const QString &oldName, const QString &newName)
{
    QStringList errors;
    for (const SideFileWrite &w : clubRenameWrites(oldName, newName)) {
        if (w.path == m_holeFile.path) {
            m_holes = renamedClub(m_holes, oldName, newName);
            errors += writeHoleHandicaps();
        } else {
            m_ratings = renamedClub(m_ratings, oldName, newName);
            errors += writeRatings();
        }
    }
    return errors;
}

QStringList RatingStore::courseRenamed(
    const QString &club, const QString &oldName, const QString &newName)
{
    const std::optional<HoleHandicaps> row = holeHandicaps(club, oldName);
    if (oldName == newName || !row)
        return {};
    m_holes.remove({club, oldName});
    m_holes.insert({club, newName}, *row);
    return writeHoleHandicaps();
}

QStringList RatingStore::courseCarriedIntoCards(
    const QString &club, const QString &oldName, const QString &newName)
{
    if (oldName == newName || m_golfer.isEmpty())
        return {};
    QMap<TeeCombination, RoundRating> remembered;
    bool changed = false;
    for (auto it = m_ratings.remembered.begin(); it != m_ratings.remembered.end(); ++it) {
        TeeCombination key = it.key();
        if (key.club == club)
            for (QString &course : key.courses)
                if (course == oldName) {
                    course = newName;
                    changed = true;
                }
        remembered.insert(key, it.value());
    }
    if (!changed)
        return {};
    m_ratings.remembered = remembered;
    return writeRatings();
}

QStringList RatingStore::courseDeleted(const QString &club, const QString &course)
{
    if (!m_holes.remove({club, course}))
        return {};
    return writeHoleHandicaps();
}

void RatingStore::golferDeleted(const QString &name)
{
    QFile::remove(ratingsFileName(name));
    if (name == m_golfer)
        releaseGolfer();
}
