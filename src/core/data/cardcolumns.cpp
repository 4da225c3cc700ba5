#include "cardcolumns.h"

#include "datetime.h"
#include "numeric.h"
#include "sjis.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

namespace cardcolumns {

namespace {

// The fixed columns, then four per hole, then the partners and the memo.
enum Column {
    Date,
    Links,
    OutCourse,
    InCourse,
    Weather,
    OutGreen,
    InGreen,
    OutTee,
    InTee,
    Handicap,
    ScoreSum,
    OutTotal,
    InTotal,
    PuttSum,
    Net,
    FirstHole,
};
enum HoleColumn { HolePar, HoleYard, HoleStrokes, HolePutts, PerHole };
constexpr int kFirstPartner = FirstHole + 18 * PerHole;
constexpr int kMemo = kFirstPartner + 6;
constexpr int kCourseRating = kMemo + 1;
constexpr int kSlope = kMemo + 2;
constexpr int kColumns = kSlope + 1;

constexpr int holeColumn(int hole, HoleColumn kind)
{
    return FirstHole + hole * PerHole + kind;
}

// A yard longer than any hole, as the course page refuses it.
constexpr qint32 kLongestYard = 9999;

// The earliest day the score page's date picker offers.
const QDate kFirstDay(1752, 9, 14);

QString number(qint64 value)
{
    return QString::number(value);
}

// Accepts the written form and what spreadsheets make of it: 2024/05/03, 2024/5/3, 2024-5-3.
std::optional<QDate> parseDay(const QString &text)
{
    const QChar separator = text.contains(QChar('-')) ? QChar('-') : QChar('/');
    const QStringList parts = text.split(separator);
    if (parts.size() != 3 || parts[0].size() != 4)
        return std::nullopt;
    QString normal = parts.join(QChar('/'));
    const auto date = datetime::parseDate(normal);
    if (!date || *date < kFirstDay)
        return std::nullopt;
    return date;
}

bool fitsWhole(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min()
        && value <= std::numeric_limits<qint32>::max();
}

// Collects problems: all are counted, the first few kept for the user to read.
class Problems
{
public:
    explicit Problems(ImportPlan &plan) : m_plan(plan) { }
    void add(const csv::Error &error)
    {
        if (m_plan.problems.size() < kProblemsKept)
            m_plan.problems.append(error);
        ++m_plan.problemCount;
    }

private:
    ImportPlan &m_plan;
};

// Reads one row into a card by the rules of the score page, reporting each field it refuses.
class RowReader
{
public:
    RowReader(const csv::Record &record, const QList<int> &where, const QStringList &names,
        Problems &problems)
        : m_record(record), m_where(where), m_names(names), m_problems(problems)
    { }

    bool ok() const { return m_ok; }

    QString value(int column) const
    {
        const int at = m_where[column];
        return at < 0 ? QString() : m_record.fields[at];
    }

    void problem(int column, const QString &text)
    {
        const int at = m_where[column];
        m_problems.add({m_record.lineOf(at), at + 1, m_names[column], text});
        m_ok = false;
    }

    void rowProblem(const QString &text)
    {
        m_problems.add({m_record.line, 0, QString(), text});
        m_ok = false;
    }

    QString text(int column, int maxBytes, bool required = false, bool lines = false)
    {
        const QString v = value(column);
        if (v.isEmpty()) {
            if (required)
                problem(column, QStringLiteral("入力されていません"));
            return v;
        }
        for (QChar c : v) {
            // A character lost before the file reached us; the score page refuses it too, so
            // an imported card holding it could not be changed there.
            if (c == QChar::ReplacementCharacter) {
                problem(column, QStringLiteral("「%1」はShift-JISで保存できない文字です").arg(c));
                return QString();
            }
            const bool lineBreak = c == QChar('\r') || c == QChar('\n') || c == QChar('\t');
            if (c.unicode() < 0x20 && !(lines && lineBreak)) {
                problem(column, QStringLiteral("改行や制御文字は入力できません"));
                return QString();
            }
        }
        const QByteArray bytes = sjis::encode(v);
        // The file stores Shift-JIS: a character without a code of its own would come back
        // as another one.
        if (sjis::decode(bytes) != v) {
            for (qsizetype i = 0; i < v.size(); ++i) {
                const qsizetype width = v[i].isHighSurrogate() && i + 1 < v.size() ? 2 : 1;
                const QString one = v.mid(i, width);
                if (sjis::decode(sjis::encode(one)) != one) {
                    problem(
                        column, QStringLiteral("「%1」はShift-JISで保存できない文字です").arg(one));
                    return QString();
                }
                i += width - 1;
            }
            problem(column, QStringLiteral("Shift-JISで保存できない文字があります"));
            return QString();
        }
        if (bytes.size() > maxBytes) {
            problem(column,
                QStringLiteral("長すぎます（%1バイトまで、この値は%2バイト）")
                    .arg(maxBytes)
                    .arg(bytes.size()));
            return QString();
        }
        return v;
    }

    // A whole number as the score page's boxes take it; an empty optional box is 0.
    std::optional<qint32> whole(int column, bool required)
    {
        const QString v = value(column);
        if (v.trimmed().isEmpty()) {
            if (!required)
                return 0;
            problem(column, QStringLiteral("入力されていません"));
            return std::nullopt;
        }
        const auto n = numeric::parseInt(v);
        if (!n)
            problem(column, QStringLiteral("「%1」は整数ではありません").arg(v));
        return n;
    }

    // A total the file may carry: it must be the one the holes give.
    void checkTotal(int column, qint64 computed)
    {
        const QString v = value(column);
        if (v.trimmed().isEmpty())
            return;
        const auto n = numeric::parseInt(v);
        if (!n)
            problem(column, QStringLiteral("「%1」は整数ではありません").arg(v));
        else if (*n != computed)
            problem(column, QStringLiteral("各ホールから求めた値 %1 と合いません").arg(computed));
    }

private:
    const csv::Record &m_record;
    const QList<int> &m_where;
    const QStringList &m_names;
    Problems &m_problems;
    bool m_ok = true;
};

// The round's ratings, each optional, in the ranges the handicap window takes.
RoundRating readRating(RowReader &in)
{
    RoundRating rating;
    const QString courseRating = in.value(kCourseRating).trimmed();
    if (!courseRating.isEmpty()) {
        rating.courseRating10 = ratings::parseCourseRating(courseRating);
        if (!rating.courseRating10)
            in.problem(kCourseRating,
                QStringLiteral("「%1」はコースレートではありません（50.0〜90.0、小数1桁まで）")
                    .arg(courseRating));
    }
    const QString slope = in.value(kSlope).trimmed();
    if (!slope.isEmpty()) {
        rating.slope = ratings::parseSlope(slope);
        if (!rating.slope)
            in.problem(kSlope,
                QStringLiteral("「%1」はスロープレートではありません（55〜155の整数）").arg(slope));
    }
    return rating;
}

std::optional<TScoreRecord> readRow(RowReader &in)
{
    TScoreRecord card;
    const QString dateText = in.value(Date);
    const auto day = parseDay(dateText.trimmed());
    if (dateText.trimmed().isEmpty())
        in.problem(Date, QStringLiteral("入力されていません"));
    else if (!day)
        in.problem(
            Date, QStringLiteral("「%1」は日付ではありません（例: 2024/05/03）").arg(dateText));
    else
        card.RoundDate = datetime::fromDate(*day);

    card.LinksName = in.text(Links, FieldSize::LinksName, true);
    card.Weather = in.text(Weather, FieldSize::Weather);
    for (int f = 0; f < 2; ++f) {
        card.CourseName[f] = in.text(f == 0 ? OutCourse : InCourse, FieldSize::CourseName, true);
        card.Green[f] = in.text(f == 0 ? OutGreen : InGreen, FieldSize::Green);
        card.Tee[f] = in.text(f == 0 ? OutTee : InTee, FieldSize::Tee);
    }

    std::array<qint64, 2> yards {}, pars {}, strokes {}, putts {};
    for (int h = 0; h < 18; ++h) {
        const int f = h / 9;
        if (const auto par = in.whole(holeColumn(h, HolePar), true)) {
            card.Par[h] = *par;
            pars[f] += *par;
        }
        if (const auto yard = in.whole(holeColumn(h, HoleYard), true)) {
            card.Yard[h] = *yard;
            yards[f] += *yard;
        }
        if (const auto score = in.whole(holeColumn(h, HoleStrokes), true)) {
            card.Score[h] = *score;
            strokes[f] += *score;
        }
        // Putts stay text: an empty box means none were entered for the hole.
        const QString putt = in.value(holeColumn(h, HolePutts));
        switch (numeric::puttForm(putt)) {
        case numeric::PuttForm::Empty: break;
        case numeric::PuttForm::Putts:
            card.Putt[h] = putt.trimmed();
            putts[f] += card.Putt[h].toInt();
            break;
        case numeric::PuttForm::TooLong:
            in.problem(holeColumn(h, HolePutts),
                QStringLiteral("「%1」は長すぎます（2桁まで）").arg(putt));
            break;
        case numeric::PuttForm::NotANumber:
            in.problem(
                holeColumn(h, HolePutts), QStringLiteral("「%1」は数字ではありません").arg(putt));
            break;
        }
        if (card.Yard[h] > kLongestYard)
            in.problem(holeColumn(h, HoleYard),
                QStringLiteral("%1ヤードを超えるヤードは入力できません").arg(kLongestYard));
    }

    for (int k = 0; k < 3; ++k) {
        card.Partner[k] = in.text(kFirstPartner + k * 2, FieldSize::Partner);
        if (const auto score = in.whole(kFirstPartner + k * 2 + 1, false))
            card.PartnerScore[k] = *score;
    }
    card.Memo = in.text(kMemo, FieldSize::Memo, false, true);

    double handicap = 0;
    const QString handicapText = in.value(Handicap);
    if (!handicapText.trimmed().isEmpty()) {
        // Stored as a single-precision number.
        const auto value = numeric::parseSingle(handicapText);
        if (!value) {
            in.problem(Handicap, QStringLiteral("「%1」は数値ではありません").arg(handicapText));
        } else if (numeric::parseFloat(numeric::formatOneDecimal(*value)) != value) {
            // The score page keeps one decimal; more would be changed without a word.
            in.problem(Handicap, QStringLiteral("小数は1桁までです"));
        } else {
            handicap = *value;
        }
    }
    if (!in.ok())
        return std::nullopt;

    // The totals as the score page works them out from the holes.
    for (qint64 total :
        {yards[0], yards[1], pars[0], pars[1], strokes[0], strokes[1], putts[0], putts[1],
            yards[0] + yards[1], pars[0] + pars[1], strokes[0] + strokes[1], putts[0] + putts[1]}) {
        if (!fitsWhole(total)) {
            in.rowProblem(QStringLiteral("合計が大きすぎます"));
            return std::nullopt;
        }
    }
    for (int f = 0; f < 2; ++f) {
        card.YardTotal[f] = qint32(yards[f]);
        card.ParTotal[f] = qint32(pars[f]);
        card.ScoreTotal[f] = qint32(strokes[f]);
        // A half without putts shows an empty total; the stored total holds two characters.
        card.PuttTotal[f] = putts[f] == 0 ? QString() : number(putts[f]);
        if (card.PuttTotal[f].size() > FieldSize::Putt) {
            in.rowProblem(QStringLiteral("%1のパット合計%2は、2桁を超えるため保存できません")
                              .arg(f == 0 ? QStringLiteral("OUT") : QStringLiteral("IN"))
                              .arg(putts[f]));
            return std::nullopt;
        }
    }
    card.YardSum = card.YardTotal[0] + card.YardTotal[1];
    card.ParSum = card.ParTotal[0] + card.ParTotal[1];
    card.ScoreSum = card.ScoreTotal[0] + card.ScoreTotal[1];
    card.PuttSum = qint32(putts[0] + putts[1]);
    if (!numeric::fitsSingle(double(card.ScoreSum) - handicap)) {
        in.problem(Handicap, QStringLiteral("「%1」は数値ではありません").arg(handicapText));
        return std::nullopt;
    }
    const QString netText = numeric::formatOneDecimal(double(card.ScoreSum) - handicap);
    card.Handicap = float(handicap);
    card.NetScore = float(numeric::parseFloat(netText).value_or(0));

    in.checkTotal(ScoreSum, card.ScoreSum);
    in.checkTotal(OutTotal, card.ScoreTotal[0]);
    in.checkTotal(InTotal, card.ScoreTotal[1]);
    in.checkTotal(PuttSum, card.PuttSum);
    const QString net = in.value(Net);
    if (!net.trimmed().isEmpty()) {
        const auto value = numeric::parseFloat(net);
        if (!value)
            in.problem(Net, QStringLiteral("「%1」は数値ではありません").arg(net));
        else if (numeric::formatOneDecimal(*value) != netText)
            in.problem(
                Net, QStringLiteral("スコアとハンディから求めた値 %1 と合いません").arg(netText));
    }
    if (!in.ok())
        return std::nullopt;
    applyHoleResults(card);
    return card;
}

} // namespace

QStringList header()
{
    QStringList names
        = {QStringLiteral("日付"), QStringLiteral("ゴルフ場"), QStringLiteral("OUTコース"),
            QStringLiteral("INコース"), QStringLiteral("天気"), QStringLiteral("OUTグリーン"),
            QStringLiteral("INグリーン"), QStringLiteral("OUTティー"), QStringLiteral("INティー"),
            QStringLiteral("ハンディ"), QStringLiteral("スコア"), QStringLiteral("OUT"),
            QStringLiteral("IN"), QStringLiteral("パット"), QStringLiteral("ネット")};
    names.reserve(kColumns);
    for (int h = 1; h <= 18; ++h) {
        const QString hole = number(h) + QStringLiteral("番");
        names << hole + QStringLiteral("パー") << hole + QStringLiteral("ヤード")
              << hole + QStringLiteral("打数") << hole + QStringLiteral("パット");
    }
    for (int k = 1; k <= 3; ++k) {
        const QString partner = QStringLiteral("パートナー") + number(k);
        names << partner << partner + QStringLiteral("スコア");
    }
    names << QStringLiteral("メモ") << QStringLiteral("コースレート")
          << QStringLiteral("スロープレート");
    return names;
}

QStringList row(const TScoreRecord &c, const RoundRating &rating)
{
    QStringList r;
    r.reserve(kColumns);
    r << datetime::dateText(c.RoundDate) << c.LinksName << c.CourseName[0] << c.CourseName[1]
      << c.Weather << c.Green[0] << c.Green[1] << c.Tee[0] << c.Tee[1]
      << numeric::formatOneDecimal(c.Handicap) << number(c.ScoreSum) << number(c.ScoreTotal[0])
      << number(c.ScoreTotal[1]) << number(c.PuttSum) << numeric::formatOneDecimal(c.NetScore);
    for (int h = 0; h < 18; ++h)
        r << number(c.Par[h]) << number(c.Yard[h]) << number(c.Score[h]) << c.Putt[h];
    // A partner's score of 0 is an empty box on the score page.
    for (int k = 0; k < 3; ++k)
        r << c.Partner[k] << (c.PartnerScore[k] == 0 ? QString() : number(c.PartnerScore[k]));
    r << c.Memo
      << (rating.courseRating10 ? ratings::courseRatingText(*rating.courseRating10) : QString())
      << (rating.slope ? number(*rating.slope) : QString());
    return r;
}

QList<QStringList> table(const ScoreCards &cards, const RatingOf &ratingOf)
{
    QList<QStringList> rows;
    rows.reserve(cards.size() + 1);
    rows.append(header());
    for (const TScoreRecord &card : cards)
        rows.append(row(card, ratingOf ? ratingOf(card) : RoundRating()));
    return rows;
}

ImportPlan readCards(const QByteArray &bytes, const ScoreCards &stored)
{
    ImportPlan plan;
    Problems problems(plan);
    QString text;
    csv::Error error;
    if (!csv::decode(bytes, &text, &plan.encoding, &error)) {
        problems.add(error);
        return plan;
    }
    QList<csv::Record> records;
    if (!csv::parse(text, &records, &error)) {
        problems.add(error);
        return plan;
    }
    qsizetype first = 0;
    while (first < records.size() && records[first].isBlank())
        ++first;
    if (first == records.size()) {
        problems.add({1, 0, QString(), QStringLiteral("見出しの行がありません")});
        return plan;
    }

    // The columns by their headings, wherever they stand; columns of other names are left.
    const csv::Record &head = records[first];
    const QStringList names = header();
    QHash<QString, int> known;
    for (int i = 0; i < names.size(); ++i)
        known.insert(names[i], i);
    QList<int> where(names.size(), -1);
    for (int c = 0; c < head.fields.size(); ++c) {
        const int column = known.value(head.fields[c].trimmed(), -1);
        if (column < 0)
            continue;
        if (where[column] >= 0)
            problems.add({head.lineOf(c), c + 1, names[column],
                QStringLiteral("同じ見出しの列がほかにもあります")});
        else
            where[column] = c;
    }
    QList<int> required = {Date, Links, OutCourse, InCourse};
    for (int h = 0; h < 18; ++h)
        required << holeColumn(h, HolePar) << holeColumn(h, HoleYard) << holeColumn(h, HoleStrokes);
    for (int column : std::as_const(required))
        if (where[column] < 0)
            problems.add({head.line, 0, QString(),
                QStringLiteral("必要な列「%1」がありません").arg(names[column])});
    if (!plan.ok())
        return plan;

    QSet<qint64> storedDays;
    storedDays.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i)
        storedDays.insert(ratings::dayKey(stored.card(i).roundDate()));
    QHash<qint64, int> seen; // day → line of the row that has it
    for (qsizetype r = first + 1; r < records.size(); ++r) {
        const csv::Record &record = records[r];
        if (record.isBlank())
            continue; // spreadsheets leave empty rows at the end
        if (record.fields.size() != head.fields.size()) {
            problems.add({record.line, 0, QString(),
                QStringLiteral("列の数が見出しと違います（見出しは%1列、この行は%2列）")
                    .arg(head.fields.size())
                    .arg(record.fields.size())});
            continue;
        }
        RowReader in(record, where, names, problems);
        const RoundRating rating = readRating(in);
        const std::optional<TScoreRecord> card = readRow(in);
        if (!card)
            continue;
        const qint64 day = qint64(card->RoundDate);
        if (const int other = seen.value(day, 0)) {
            in.problem(
                Date, QStringLiteral("同じ日付のスコアカードが%1行目にもあります").arg(other));
            continue;
        }
        seen.insert(day, record.lineOf(where[Date]));
        plan.cards.append(*card);
        plan.ratings.append(rating);
        plan.conflicting.append(storedDays.contains(day));
    }
    if (plan.ok() && plan.cards.isEmpty())
        problems.add({head.line + 1, 0, QString(), QStringLiteral("スコアカードの行がありません")});
    if (!plan.ok()) {
        plan.cards.clear();
        plan.ratings.clear();
        plan.conflicting.clear();
        return plan;
    }

    QList<qsizetype> order(plan.cards.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&plan](qsizetype a, qsizetype b) {
        return plan.cards[a].RoundDate < plan.cards[b].RoundDate;
    });
    QList<TScoreRecord> cards;
    QList<RoundRating> roundRatings;
    QList<bool> conflicting;
    cards.reserve(order.size());
    conflicting.reserve(order.size());
    for (qsizetype i : std::as_const(order)) {
        cards.append(plan.cards[i]);
        roundRatings.append(plan.ratings[i]);
        conflicting.append(plan.conflicting[i]);
        plan.conflicts += plan.conflicting[i] ? 1 : 0;
    }
    plan.cards = std::move(cards);
    plan.ratings = std::move(roundRatings);
    plan.conflicting = std::move(conflicting);
    return plan;
}

} // namespace cardcolumns

namespace listcolumns {

QList<QStringList> yoteiTable(const QList<TYoteiRecord> &rounds)
{
    QList<QStringList> rows = {{QStringLiteral("ラウンド日"), QStringLiteral("スタート"),
        QStringLiteral("ゴルフ場"), QStringLiteral("備考")}};
    for (const TYoteiRecord &r : rounds)
        rows.append({datetime::dateText(r.RoundDate), datetime::timeText(r.StartTime), r.LinksName,
            r.Bikou});
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
        QStringList f = {c.CourseName, c.Green, c.Tee};
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
        const QStringList front = {club.LinksName, club.LinksAddress, club.LinksTel, club.URL};
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
            rows.append(
                QStringList {c.LinksName, QString(), QString(), QString()} + courseFields(c));
    // Every row as wide as the heading, so that spreadsheets see one table.
    for (QStringList &r : rows)
        while (r.size() < head.size())
            r.append(QString());
    return rows;
}

} // namespace listcolumns
