#include "cardcolumns.h"

#include "cardrow.h"
#include "csvreader.h"
#include "datetime.h"
#include "numeric.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace cardcolumns {

using namespace cardrow;

namespace {

QString number(qint64 value)
{
    return QString::number(value);
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

// How often the reading tells how far it has come.
constexpr int kRowsBetweenReports = 512;

// Puts the cards in date order, with what goes with each. A file exported from here is in
// that order already.
void sortByDate(ImportPlan &plan)
{
    const auto earlier
        = [](const TScoreRecord &a, const TScoreRecord &b) { return a.RoundDate < b.RoundDate; };
    if (std::is_sorted(plan.cards.begin(), plan.cards.end(), earlier))
        return;
    QList<qsizetype> order(plan.cards.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&plan, earlier](qsizetype a, qsizetype b) {
        return earlier(plan.cards[a], plan.cards[b]);
    });
    QList<TScoreRecord> cards;
    QList<RoundRating> ratings;
    QList<std::optional<CardDetails>> details;
    QList<bool> conflicting;
    cards.reserve(order.size());
    ratings.reserve(order.size());
    conflicting.reserve(order.size());
    for (qsizetype i : std::as_const(order)) {
        cards.append(std::move(plan.cards[i]));
        ratings.append(plan.ratings[i]);
        details.append(plan.details[i]);
        conflicting.append(plan.conflicting[i]);
    }
    plan.cards = std::move(cards);
    plan.ratings = std::move(ratings);
    plan.details = std::move(details);
    plan.conflicting = std::move(conflicting);
}

// Reads the file's heading and rows, against what is stored.
ImportPlan readFrom(csv::Reader &reader, const Stored &stored, const Progress &progress)
{
    ImportPlan plan;
    Problems problems(plan);
    plan.encoding = reader.encoding();
    csv::Record head;
    bool found = false;
    while (!found && reader.next(&head))
        found = !head.isBlank();
    if (!reader.ok()) {
        problems.add(reader.error());
        return plan;
    }
    if (!found) {
        problems.add({1, 0, QString(), QStringLiteral("見出しの行がありません")});
        return plan;
    }

    // The columns by their headings, wherever they stand; columns of other names are left.
    const QStringList names = header(true);
    QHash<QString, int> known;
    for (int i = 0; i < names.size(); ++i)
        known.insert(names[i], i);
    QList<int> where(names.size(), -1);
    QList<csv::Error> twice;
    for (int c = 0; c < head.fields.size(); ++c) {
        const int column = known.value(head.fields[c].trimmed(), -1);
        if (column < 0)
            continue;
        if (where[column] >= 0)
            twice.append({head.lineOf(c), c + 1, names[column],
                QStringLiteral("同じ見出しの列がほかにもあります")});
        else
            where[column] = c;
    }
    // In file order: what the heading row lacks is told first, at its start.
    QList<int> required = {Date, Links, OutCourse, InCourse};
    for (int h = 0; h < 18; ++h)
        required << holeColumn(h, HolePar) << holeColumn(h, HoleYard) << holeColumn(h, HoleStrokes);
    for (int column : std::as_const(required))
        if (where[column] < 0)
            problems.add({head.line, 0, QString(),
                QStringLiteral("必要な列「%1」がありません").arg(names[column])});
    for (const csv::Error &problem : std::as_const(twice))
        problems.add(problem);
    if (!plan.ok())
        return plan;
    const bool withDetails = std::any_of(
        where.begin() + kFirstDetail, where.end(), [](int field) { return field >= 0; });

    Pool pool;
    QSet<QString> unregistered;
    QHash<qint64, int> seen; // day → line of the row that has it
    csv::Record record;
    for (int rows = 0; reader.next(&record); ++rows) {
        if (progress && rows % kRowsBetweenReports == 0 && !progress(reader.permille())) {
            plan.cancelled = true;
            return plan;
        }
        if (record.isBlank())
            continue; // spreadsheets leave empty rows at the end
        if (record.fields.size() > head.fields.size()) {
            problems.add({record.line, 0, QString(),
                QStringLiteral("列の数が見出しと違います（見出しは%1列、この行は%2列）")
                    .arg(head.fields.size())
                    .arg(record.fields.size())});
            ++plan.errorRows;
            continue;
        }
        // Spreadsheets leave out the empty fields at the end of a row; the reader takes them
        // as empty.
        RowReader in(record, where, names, pool);
        const RoundRating rating = readRating(in);
        std::optional<TScoreRecord> card = readRow(in);
        std::optional<CardDetails> details;
        if (card && withDetails)
            details = readDetails(in, *card);
        const qint64 day = card ? ratings::dayKey(card->RoundDate) : 0;
        if (card) {
            if (const int other = seen.value(day, 0))
                in.problem(
                    Date, QStringLiteral("同じ日付のスコアカードが%1行目にもあります").arg(other));
        }
        if (!in.ok()) {
            for (const csv::Error &problem : in.problems())
                problems.add(problem);
            ++plan.errorRows;
            continue;
        }
        seen.insert(day, record.lineOf(where[Date]));
        const bool conflicting = stored.days.contains(day);
        const RoundRating before = stored.ratings.value(day);
        RoundRating after = rating;
        if (conflicting) {
            if (!after.courseRating10)
                after.courseRating10 = before.courseRating10;
            if (!after.slope)
                after.slope = before.slope;
        }
        if (after != before)
            ++(conflicting ? plan.ratingChangesReplaced : plan.ratingChangesAdded);
        if (!stored.clubs.contains(card->LinksName) && !unregistered.contains(card->LinksName)) {
            unregistered.insert(card->LinksName);
            plan.unregisteredClubs.append(card->LinksName);
        }
        plan.cards.append(std::move(*card));
        plan.ratings.append(after);
        plan.details.append(details);
        plan.conflicting.append(conflicting);
        plan.conflicts += conflicting ? 1 : 0;
    }
    if (!reader.ok()) {
        problems.add(reader.error());
        return plan;
    }
    if (plan.cards.isEmpty() && plan.errorRows == 0)
        problems.add({head.line + 1, 0, QString(), QStringLiteral("スコアカードの行がありません")});
    plan.readable = !plan.cards.isEmpty() || plan.errorRows > 0;
    sortByDate(plan);
    return plan;
}

} // namespace

QStringList header(bool withDetails)
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
    if (withDetails)
        for (int h = 1; h <= 18; ++h) {
            const QString hole = number(h) + QStringLiteral("番");
            names << hole + QStringLiteral("FW") << hole + QStringLiteral("OB")
                  << hole + QStringLiteral("ペナルティ") << hole + QStringLiteral("FWバンカー")
                  << hole + QStringLiteral("グリーンバンカー");
        }
    return names;
}

QStringList row(const TScoreRecord &c, const RoundRating &rating, const CardDetails *details)
{
    using csv::protectText;
    // A round without putts has its total empty, as its holes are.
    const bool putts = std::any_of(
        c.Putt.begin(), c.Putt.end(), [](const QString &p) { return !p.trimmed().isEmpty(); });
    QStringList r;
    r.reserve(kColumns);
    r << datetime::dateText(c.RoundDate) << protectText(c.LinksName) << protectText(c.CourseName[0])
      << protectText(c.CourseName[1]) << protectText(c.Weather) << protectText(c.Green[0])
      << protectText(c.Green[1]) << protectText(c.Tee[0]) << protectText(c.Tee[1])
      << numeric::formatOneDecimal(c.Handicap) << number(c.ScoreSum) << number(c.ScoreTotal[0])
      << number(c.ScoreTotal[1]) << (putts || c.PuttSum != 0 ? number(c.PuttSum) : QString())
      << numeric::formatOneDecimal(c.NetScore);
    for (int h = 0; h < 18; ++h)
        r << number(c.Par[h]) << number(c.Yard[h]) << number(c.Score[h]) << c.Putt[h];
    // A partner's score of 0 is an empty box on the score page.
    for (int k = 0; k < 3; ++k)
        r << protectText(c.Partner[k])
          << (c.PartnerScore[k] == 0 ? QString() : number(c.PartnerScore[k]));
    r << protectText(c.Memo)
      << (rating.courseRating10 ? ratings::courseRatingText(*rating.courseRating10) : QString())
      << (rating.slope ? number(*rating.slope) : QString());
    if (details)
        for (int h = 0; h < 18; ++h) {
            const HoleDetail &hole = details->holes[size_t(h)];
            // A tee shot noted before the hole became a par 3 counts nowhere and could not be
            // read back: the page shows none either.
            r << (c.Par[h] == 3 ? QString() : details::fairwayText(hole.fairway));
            for (int k = 0; k < DetailCountKinds; ++k)
                r << details::countText(hole.count(DetailCount(k)));
        }
    return r;
}

QList<QStringList> table(
    const ScoreCards &cards, const RatingOf &ratingOf, const DetailsOf &detailsOf)
{
    QList<QStringList> rows;
    rows.reserve(cards.size() + 1);
    rows.append(header(bool(detailsOf)));
    for (const TScoreRecord &card : cards) {
        const CardDetails details = detailsOf ? detailsOf(card) : CardDetails();
        rows.append(
            row(card, ratingOf ? ratingOf(card) : RoundRating(), detailsOf ? &details : nullptr));
    }
    return rows;
}

Stored Stored::of(const QList<TScoreRecord> &cards)
{
    Stored stored;
    for (const TScoreRecord &card : cards)
        stored.days.insert(ratings::dayKey(card.RoundDate));
    return stored;
}

QList<TDateTime> ImportPlan::conflictDays() const
{
    QList<TDateTime> days;
    for (qsizetype i = 0; i < cards.size(); ++i)
        if (conflicting.value(i))
            days.append(cards[i].RoundDate);
    return days;
}

ImportPlan readCards(QIODevice *file, const Stored &stored, const Progress &progress)
{
    csv::Reader reader(file, kLongestCell);
    return readFrom(reader, stored, progress);
}

ImportPlan readCards(const QByteArray &bytes, const Stored &stored, const Progress &progress)
{
    csv::Reader reader(bytes, kLongestCell);
    return readFrom(reader, stored, progress);
}

} // namespace cardcolumns
