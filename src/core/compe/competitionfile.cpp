// A competition's file: UTF-8 JSON with a format name and a version, read without trusting any
// of it. A file is taken whole or not at all: a competition with a player or a prize hole
// left out would be saved back without it.
#include "competition.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>

namespace compe {

namespace {

const QString kFormat = QStringLiteral("kestro-compe");
constexpr int kVersion = 1;

// The option values as the file names them, in the order of their enums.
const QStringList kCaps {
    QStringLiteral("double-par"), QStringLiteral("triple-bogey"), QStringLiteral("none")};
const QStringList kFactors {QStringLiteral("0.8"), QStringLiteral("0.9"), QStringLiteral("1.0")};
const QStringList kLimits {QStringLiteral("36"), QStringLiteral("40"), QStringLiteral("none")};
const QStringList kPrizeKinds {QStringLiteral("drive"), QStringLiteral("pin")};

QJsonArray numbers(const Pars &values)
{
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}

// Reading: each step either fills its target or says what it found wrong.
class Reader
{
public:
    QString problem;

    bool fail(const QString &what)
    {
        if (problem.isEmpty())
            problem = what;
        return false;
    }

    bool text(const QJsonObject &o, const char *key, QString *into)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString())
            return fail(QStringLiteral("「%1」がありません").arg(QLatin1String(key)));
        *into = v.toString();
        return true;
    }

    bool whole(const QJsonValue &v, const QString &what, int *into)
    {
        const double d = v.toDouble(NAN);
        if (!v.isDouble() || !std::isfinite(d) || d != std::floor(d) || std::abs(d) > 1e6)
            return fail(QStringLiteral("%1が整数ではありません").arg(what));
        *into = int(d);
        return true;
    }

    bool holes(const QJsonValue &v, const QString &what, Pars *into)
    {
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != kHoles)
            return fail(QStringLiteral("%1が18ホール分ありません").arg(what));
        for (int h = 0; h < kHoles; ++h)
            if (!whole(a[h], what, &(*into)[h]))
                return false;
        return true;
    }

    template <class Enum>
    bool choice(const QJsonObject &o, const char *key, const QStringList &names, Enum *into)
    {
        QString name;
        if (!text(o, key, &name))
            return false;
        const qsizetype i = names.indexOf(name);
        if (i < 0)
            return fail(
                QStringLiteral("「%1」の値「%2」を知りません").arg(QLatin1String(key), name));
        *into = Enum(i);
        return true;
    }

    bool player(const QJsonValue &v, Player *into)
    {
        const QJsonObject o = v.toObject();
        if (!v.isObject() || !text(o, "name", &into->name))
            return fail(QStringLiteral("参加者が読めません"));
        const QJsonValue golfer = o.value(QLatin1String("golfer"));
        if (!golfer.isBool())
            return fail(QStringLiteral("参加者の「golfer」がありません"));
        into->golfer = golfer.toBool();
        return holes(o.value(QLatin1String("scores")),
            QStringLiteral("「%1」のスコア").arg(into->name), &into->scores);
    }

    bool prize(const QJsonValue &v, PrizeHole *into)
    {
        const QJsonObject o = v.toObject();
        return v.isObject() && choice(o, "kind", kPrizeKinds, &into->kind)
            && whole(o.value(QLatin1String("hole")), QStringLiteral("賞のホール"), &into->hole)
            && text(o, "winner", &into->winner);
    }

    bool competition(const QJsonObject &root, Competition *c)
    {
        QString date;
        if (!text(root, "date", &date))
            return false;
        c->date = QDate::fromString(date, Qt::ISODate);
        if (!c->date.isValid())
            return fail(QStringLiteral("日付「%1」が読めません").arg(date));
        if (!text(root, "name", &c->name) || !text(root, "club", &c->club))
            return false;
        const QJsonArray courses = root.value(QLatin1String("courses")).toArray();
        if (courses.size() != 2 || !courses[0].isString() || !courses[1].isString())
            return fail(QStringLiteral("コースが二つありません"));
        c->courses = {courses[0].toString(), courses[1].toString()};
        if (!holes(root.value(QLatin1String("pars")), QStringLiteral("パー"), &c->pars))
            return false;

        const QJsonArray hidden = root.value(QLatin1String("hiddenHoles")).toArray();
        if (!root.value(QLatin1String("hiddenHoles")).isArray() || hidden.size() > kHoles)
            return fail(QStringLiteral("隠しホールが読めません"));
        for (const QJsonValue &v : hidden) {
            int hole = 0;
            if (!whole(v, QStringLiteral("隠しホール"), &hole))
                return false;
            c->hiddenHoles.append(hole);
        }
        std::sort(c->hiddenHoles.begin(), c->hiddenHoles.end());
        const QJsonValue announced = root.value(QLatin1String("announced"));
        if (!announced.isBool())
            return fail(QStringLiteral("「announced」がありません"));
        c->announced = announced.toBool();

        const QJsonObject options = root.value(QLatin1String("options")).toObject();
        if (!choice(options, "cap", kCaps, &c->options.cap)
            || !choice(options, "factor", kFactors, &c->options.factor)
            || !choice(options, "limit", kLimits, &c->options.limit))
            return false;

        // Counts are checked before the lists are read, so a huge list is not taken in.
        const QJsonArray players = root.value(QLatin1String("players")).toArray();
        const QJsonArray prizes = root.value(QLatin1String("prizes")).toArray();
        if (!root.value(QLatin1String("players")).isArray() || players.size() > kMaxPlayers)
            return fail(QStringLiteral("参加者が読めません"));
        if (!root.value(QLatin1String("prizes")).isArray() || prizes.size() > kMaxPrizes)
            return fail(QStringLiteral("ドラコン・ニアピンが読めません"));
        for (const QJsonValue &v : players) {
            Player p;
            if (!player(v, &p))
                return false;
            c->players.append(p);
        }
        for (const QJsonValue &v : prizes) {
            PrizeHole p;
            if (!prize(v, &p))
                return false;
            c->prizes.append(p);
        }
        return true;
    }
};

} // namespace

QByteArray encode(const Competition &c)
{
    QList<int> holes = c.hiddenHoles;
    std::sort(holes.begin(), holes.end());
    QJsonArray hidden;
    for (int hole : holes)
        hidden.append(hole);
    QJsonArray players;
    for (const Player &p : c.players)
        players.append(QJsonObject {{QStringLiteral("name"), p.name},
            {QStringLiteral("golfer"), p.golfer}, {QStringLiteral("scores"), numbers(p.scores)}});
    QJsonArray prizes;
    for (const PrizeHole &p : c.prizes)
        prizes.append(QJsonObject {{QStringLiteral("kind"), kPrizeKinds[int(p.kind)]},
            {QStringLiteral("hole"), p.hole}, {QStringLiteral("winner"), p.winner}});
    const QJsonObject options {{QStringLiteral("cap"), kCaps[int(c.options.cap)]},
        {QStringLiteral("factor"), kFactors[int(c.options.factor)]},
        {QStringLiteral("limit"), kLimits[int(c.options.limit)]}};

    QJsonObject root;
    root.insert(QLatin1String("format"), kFormat);
    root.insert(QLatin1String("version"), kVersion);
    root.insert(QLatin1String("date"), c.date.toString(Qt::ISODate));
    root.insert(QLatin1String("name"), c.name);
    root.insert(QLatin1String("club"), c.club);
    root.insert(QLatin1String("courses"), QJsonArray {c.courses[0], c.courses[1]});
    root.insert(QLatin1String("pars"), numbers(c.pars));
    root.insert(QLatin1String("hiddenHoles"), hidden);
    root.insert(QLatin1String("announced"), c.announced);
    root.insert(QLatin1String("options"), options);
    root.insert(QLatin1String("players"), players);
    root.insert(QLatin1String("prizes"), prizes);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Decoded decode(const QByteArray &bytes)
{
    Decoded d;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        d.problem = FileProblem::Damaged;
        d.detail = QStringLiteral("JSON として読めません");
        return d;
    }
    const QJsonObject root = doc.object();
    if (root.value(QLatin1String("format")).toString() != kFormat) {
        d.problem = FileProblem::Foreign;
        d.detail = QStringLiteral("このプログラムのコンペのファイルではありません");
        return d;
    }
    const QJsonValue version = root.value(QLatin1String("version"));
    const double v = version.toDouble(NAN);
    if (!version.isDouble() || v != std::floor(v) || v < 1) {
        d.problem = FileProblem::Damaged;
        d.detail = QStringLiteral("版が読めません");
        return d;
    }
    if (v > kVersion) {
        d.problem = FileProblem::Newer;
        d.detail = QStringLiteral("新しい版のプログラムで保存されたファイルです");
        return d;
    }
    Reader reader;
    Competition c;
    if (!reader.competition(root, &c)) {
        d.problem = FileProblem::Damaged;
        d.detail = reader.problem;
        return d;
    }
    // What holds together as JSON must still be a competition the window could have made.
    if (const QString problem = competitionProblem(c); !problem.isEmpty()) {
        d.problem = FileProblem::Damaged;
        d.detail = problem;
        return d;
    }
    d.competition = c;
    return d;
}

} // namespace compe
