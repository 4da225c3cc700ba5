// The details file: UTF-8 JSON with a format name and a version, one line per round. A round
// holds its holes as five texts of 18 characters, one per hole ("-" not entered), so that a
// file of ten thousand rounds stays small and is written without building a document.
#include "carddetails.h"

#include "datetime.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

const QString kFormat = QStringLiteral("kestro-details");
constexpr int kVersion = 1;
constexpr char kBlank = '-';
const std::array<const char *, DetailCountKinds> kCountKeys
    = {"ob", "penalty", "fairwayBunker", "greenBunker"};

char fairwayChar(Fairway f)
{
    switch (f) {
    case Fairway::Hit: return 'F';
    case Fairway::Left: return 'L';
    case Fairway::Right: return 'R';
    case Fairway::None: break;
    }
    return kBlank;
}

} // namespace

namespace details {

QByteArray encodeDetails(const DetailsMap &map)
{
    QByteArray out;
    out.reserve(64 + map.size() * 160);
    out += "{\n    \"format\": \"";
    out += kFormat.toLatin1();
    out += "\",\n    \"version\": ";
    out += QByteArray::number(kVersion);
    out += ",\n    \"rounds\": [";
    bool first = true;
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (it.value().empty())
            continue;
        out += first ? "\n        {\"date\": \"" : ",\n        {\"date\": \"";
        first = false;
        out += datetime::toDate(TDateTime(it.key())).toString(Qt::ISODate).toLatin1();
        out += "\", \"fw\": \"";
        for (const HoleDetail &h : it.value().holes)
            out += fairwayChar(h.fairway);
        for (int k = 0; k < DetailCountKinds; ++k) {
            out += "\", \"";
            out += kCountKeys[size_t(k)];
            out += "\": \"";
            for (const HoleDetail &h : it.value().holes)
                out += h.counts[size_t(k)] < 0 ? kBlank : char('0' + h.counts[size_t(k)]);
        }
        out += "\"}";
    }
    out += first ? "]\n}\n" : "\n    ]\n}\n";
    return out;
}

DetailsMap decodeDetails(const QByteArray &bytes, QString *problem)
{
    problem->clear();
    DetailsMap map;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        *problem = QStringLiteral("JSON として読めません");
        return map;
    }
    const QJsonObject root = doc.object();
    if (root.value(QLatin1String("format")).toString() != kFormat) {
        *problem = QStringLiteral("このプログラムのファイルではありません");
        return map;
    }
    if (!root.value(QLatin1String("version")).isDouble()
        || root.value(QLatin1String("version")).toDouble() != kVersion) {
        *problem = QStringLiteral("知らない版のファイルです");
        return map;
    }
    int bad = 0;
    for (const QJsonValue &v : root.value(QLatin1String("rounds")).toArray()) {
        const QJsonObject o = v.toObject();
        const QDate date
            = QDate::fromString(o.value(QLatin1String("date")).toString(), Qt::ISODate);
        CardDetails card;
        bool ok = date.isValid();
        // Every part may be left out; one that is there holds a character per hole.
        auto part = [&](const char *key, auto take) {
            const QJsonValue value = o.value(QLatin1String(key));
            if (!ok || value.isUndefined())
                return;
            const QString text = value.toString();
            ok = value.isString() && text.size() == 18;
            for (int h = 0; ok && h < 18; ++h)
                ok = take(card.holes[size_t(h)], text[h].unicode());
        };
        part("fw", [](HoleDetail &h, char16_t c) {
            h.fairway = c == u'F' ? Fairway::Hit
                : c == u'L'       ? Fairway::Left
                : c == u'R'       ? Fairway::Right
                                  : Fairway::None;
            return c == u'F' || c == u'L' || c == u'R' || c == kBlank;
        });
        for (int k = 0; k < DetailCountKinds; ++k)
            part(kCountKeys[size_t(k)], [k](HoleDetail &h, char16_t c) {
                if (c == kBlank)
                    return true;
                if (c < u'0' || c > u'9')
                    return false;
                h.counts[size_t(k)] = qint8(c - u'0');
                return true;
            });
        if (!ok) {
            ++bad;
            continue;
        }
        if (!card.empty())
            map.insert(qint64(datetime::dayOf(datetime::fromDate(date))), card);
    }
    if (bad)
        *problem = QStringLiteral("読めない記録が %1 件あります").arg(bad);
    return map;
}

QString fairwayText(Fairway fairway)
{
    switch (fairway) {
    case Fairway::Hit: return QStringLiteral("○");
    case Fairway::Left: return QStringLiteral("左");
    case Fairway::Right: return QStringLiteral("右");
    case Fairway::None: break;
    }
    return {};
}

std::optional<Fairway> parseFairway(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Fairway::None;
    if (t == QStringLiteral("○"))
        return Fairway::Hit;
    if (t == QStringLiteral("左") || t == QStringLiteral("←"))
        return Fairway::Left;
    if (t == QStringLiteral("右") || t == QStringLiteral("→"))
        return Fairway::Right;
    return std::nullopt;
}

QString countText(std::optional<int> count)
{
    return count ? QString::number(*count) : QString();
}

std::optional<std::optional<int>> parseCount(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::optional<int>();
    // Full-width digits are what a Japanese input method often types.
    if (t.size() != 1)
        return std::nullopt;
    const char16_t c = t[0].unicode();
    if (c >= u'0' && c <= u'9')
        return std::optional<int>(c - u'0');
    if (c >= u'０' && c <= u'９')
        return std::optional<int>(c - u'０');
    return std::nullopt;
}

} // namespace details
