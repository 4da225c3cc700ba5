#include "cardrow.h"

#include "datetime.h"
#include "numeric.h"
#include "sjis.h"
#include "textinput.h"

#include <algorithm>
#include <array>
#include <limits>

namespace cardrow {

namespace {

// A yard longer than any hole, as the course page refuses it.
constexpr qint32 kLongestYard = 9999;

// The earliest day the score page's date picker offers.
const QDate kFirstDay(1752, 9, 14);

const QString kNoYear
    = QStringLiteral("年がありません。表計算ソフトで日付の列を文字列として開いてください");

QString quoted(const QString &cell)
{
    return QStringLiteral("「") + csv::shownCell(cell) + QStringLiteral("」");
}

bool allDigits(QStringView text, qsizetype most)
{
    return !text.isEmpty() && text.size() <= most
        && std::all_of(
            text.begin(), text.end(), [](QChar c) { return c >= QChar('0') && c <= QChar('9'); });
}

// Year, month and day split by separators, the year first or missing.
struct DayParts {
    QStringList parts;
    bool yearFirst = false;
};

DayParts splitDay(const QString &text)
{
    // 2021年4月3日 and 4月3日
    if (text.endsWith(QChar(u'日')) && text.contains(QChar(u'月'))) {
        const qsizetype year = text.indexOf(QChar(u'年'));
        const qsizetype month = text.indexOf(QChar(u'月'));
        if (year >= 0 && year < month)
            return {{text.left(year), text.mid(year + 1, month - year - 1),
                        text.mid(month + 1, text.size() - month - 2)},
                true};
        if (year < 0)
            return {{text.left(month), text.mid(month + 1, text.size() - month - 2)}, false};
        return {};
    }
    // 2024/05/03, 2024/5/3, 2024-5-3 and 5/3
    const QChar separator = text.contains(QChar('-')) ? QChar('-') : QChar('/');
    const QStringList parts = text.split(separator);
    return {parts, parts.size() == 3};
}

// What a spreadsheet in English writes for a day it took for a date: "Apr 03".
bool isEnglishMonthDay(const QString &text)
{
    static const QStringList months = {QStringLiteral("Jan"), QStringLiteral("Feb"),
        QStringLiteral("Mar"), QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
        QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"), QStringLiteral("Oct"),
        QStringLiteral("Nov"), QStringLiteral("Dec")};
    const QStringList parts = text.split(QChar(' '));
    return parts.size() == 2 && months.contains(parts[0]) && allDigits(parts[1], 2);
}

// The written form and what spreadsheets make of it: 2024/05/03, 2024/5/3, 2024-5-3,
// 2024年5月3日, each also with a time of midnight after it. A month and day without a year
// set noYear.
std::optional<QDate> parseDay(const QString &cell, bool *noYear)
{
    QString text = textinput::halfWidthNumber(cell).trimmed();
    if (isEnglishMonthDay(text)) {
        *noYear = true;
        return std::nullopt;
    }
    const qsizetype space = text.indexOf(QChar(' '));
    if (space >= 0) {
        const auto time = datetime::parseTime(text.mid(space + 1));
        if (!time || *time != 0)
            return std::nullopt;
        text.truncate(space);
    }
    // The form the export writes, read without splitting: 2024/05/03.
    if (text.size() == 10 && text[4] == QChar('/') && text[7] == QChar('/')
        && allDigits(QStringView(text).first(4), 4) && allDigits(QStringView(text).sliced(5, 2), 2)
        && allDigits(QStringView(text).sliced(8), 2)) {
        const QDate date(QStringView(text).first(4).toInt(), QStringView(text).sliced(5, 2).toInt(),
            QStringView(text).sliced(8).toInt());
        if (!date.isValid() || date < kFirstDay)
            return std::nullopt;
        return date;
    }
    const DayParts day = splitDay(text);
    if (!day.yearFirst) {
        *noYear = day.parts.size() == 2 && allDigits(day.parts[0], 2) && allDigits(day.parts[1], 2);
        return std::nullopt;
    }
    if (day.parts.size() != 3 || day.parts[0].size() != 4)
        return std::nullopt;
    const auto date = datetime::parseDate(day.parts.join(QChar('/')));
    if (!date || *date < kFirstDay)
        return std::nullopt;
    return date;
}

bool fitsWhole(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min()
        && value <= std::numeric_limits<qint32>::max();
}

} // namespace

QString Pool::shared(const QString &text)
{
    const auto it = m_texts.constFind(text);
    if (it != m_texts.cend())
        return *it;
    m_texts.insert(text);
    return text;
}

std::optional<std::pair<QString, int>> Pool::checked(const QString &text) const
{
    const auto it = m_checked.constFind(text);
    if (it == m_checked.cend())
        return std::nullopt;
    return std::pair(it.key(), it.value());
}

QString Pool::addChecked(const QString &text, int bytes)
{
    m_checked.insert(text, bytes);
    return text;
}

RowReader::RowReader(
    const csv::Record &record, const QList<int> &where, const QStringList &names, Pool &pool)
    : m_record(record), m_where(where), m_names(names), m_pool(pool)
{
    // A cell longer than any field holds is refused before anything reads it.
    for (int field : record.cutFields) {
        const int column = int(where.indexOf(field));
        if (column >= 0)
            problem(column,
                quoted(record.fields[field])
                    + QStringLiteral("は長すぎます（%1文字を超えるセルは読み込めません）")
                          .arg(kLongestCell));
    }
}

QList<csv::Error> RowReader::problems() const
{
    QList<csv::Error> sorted = m_problems;
    std::stable_sort(sorted.begin(), sorted.end(), [](const csv::Error &a, const csv::Error &b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return sorted;
}

QString RowReader::value(int column) const
{
    const int at = m_where[column];
    return at < 0 || at >= m_record.fields.size() ? QString() : m_record.fields[at];
}

void RowReader::problem(int column, const QString &text)
{
    if (m_told.contains(column))
        return;
    m_told.append(column);
    const int at = m_where[column];
    m_problems.append({m_record.lineOf(at), at + 1, m_names[column], text});
}

void RowReader::rowProblem(const QString &text)
{
    m_problems.append({m_record.line, 0, QString(), text});
}

QString RowReader::number(int column) const
{
    return numeric::withoutZeroFraction(textinput::halfWidthNumber(value(column)));
}

QString RowReader::text(int column, int maxBytes, bool required, bool lines)
{
    const QString v = textinput::withShiftJisLookAlikes(csv::unprotectText(value(column)));
    if (v.isEmpty()) {
        if (required)
            problem(column, QStringLiteral("入力されていません"));
        return v;
    }
    const auto tooLong = [this, column, maxBytes](qsizetype bytes) {
        problem(column,
            QStringLiteral("長すぎます（%1バイトまで、この値は%2バイト）")
                .arg(maxBytes)
                .arg(bytes));
        return QString();
    };
    if (const auto seen = m_pool.checked(v))
        return seen->second <= maxBytes ? seen->first : tooLong(seen->second);
    bool controls = false;
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
        controls = controls || c.unicode() < 0x20;
    }
    const QByteArray bytes = sjis::encode(v);
    // The file stores Shift-JIS: a character without a code of its own would come back
    // as another one.
    if (sjis::decode(bytes) != v) {
        for (qsizetype i = 0; i < v.size(); ++i) {
            const qsizetype width = v[i].isHighSurrogate() && i + 1 < v.size() ? 2 : 1;
            const QString one = v.mid(i, width);
            if (sjis::decode(sjis::encode(one)) != one) {
                problem(column, QStringLiteral("「%1」はShift-JISで保存できない文字です").arg(one));
                return QString();
            }
            i += width - 1;
        }
        problem(column, QStringLiteral("Shift-JISで保存できない文字があります"));
        return QString();
    }
    if (bytes.size() > maxBytes)
        return tooLong(bytes.size());
    // A text with line breaks is the memo's alone: another field must check it afresh.
    return controls ? m_pool.shared(v) : m_pool.addChecked(v, int(bytes.size()));
}

std::optional<qint32> RowReader::whole(int column, bool required)
{
    const QString v = value(column);
    if (v.trimmed().isEmpty()) {
        if (!required)
            return 0;
        problem(column, QStringLiteral("入力されていません"));
        return std::nullopt;
    }
    const auto n = numeric::parseInt(number(column));
    if (!n)
        problem(column, quoted(v) + QStringLiteral("は整数ではありません"));
    return n;
}

void RowReader::checkTotal(int column, qint64 computed)
{
    const QString v = value(column);
    if (v.trimmed().isEmpty())
        return;
    const auto n = numeric::parseInt(number(column));
    if (!n)
        problem(column, quoted(v) + QStringLiteral("は整数ではありません"));
    else if (*n != computed)
        problem(column, QStringLiteral("各ホールから求めた値 %1 と合いません").arg(computed));
}

RoundRating readRating(RowReader &in)
{
    RoundRating rating;
    const QString courseRating = textinput::halfWidthNumber(in.value(kCourseRating)).trimmed();
    if (!courseRating.isEmpty()) {
        rating.courseRating10 = ratings::parseCourseRating(courseRating);
        if (!rating.courseRating10)
            in.problem(kCourseRating,
                quoted(in.value(kCourseRating))
                    + QStringLiteral("はコースレートではありません（50.0〜90.0、小数1桁まで）"));
    }
    const QString slope = in.number(kSlope).trimmed();
    if (!slope.isEmpty()) {
        rating.slope = ratings::parseSlope(slope);
        if (!rating.slope)
            in.problem(kSlope,
                quoted(in.value(kSlope))
                    + QStringLiteral("はスロープレートではありません（55〜155の整数）"));
    }
    return rating;
}

std::optional<TScoreRecord> readRow(RowReader &in)
{
    TScoreRecord card;
    const QString dateText = in.value(Date);
    bool noYear = false;
    const auto day = parseDay(dateText, &noYear);
    if (dateText.trimmed().isEmpty())
        in.problem(Date, QStringLiteral("入力されていません"));
    else if (noYear)
        in.problem(Date, quoted(dateText) + QStringLiteral("は日付ではありません。") + kNoYear);
    else if (!day)
        in.problem(
            Date, quoted(dateText) + QStringLiteral("は日付ではありません（例: 2024/05/03）"));
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
        const QString putt = in.number(holeColumn(h, HolePutts));
        switch (numeric::puttForm(putt)) {
        case numeric::PuttForm::Empty: break;
        case numeric::PuttForm::Putts:
            card.Putt[h] = in.pool().shared(putt.trimmed());
            putts[f] += card.Putt[h].toInt();
            break;
        case numeric::PuttForm::TooLong:
            in.problem(holeColumn(h, HolePutts),
                quoted(in.value(holeColumn(h, HolePutts)))
                    + QStringLiteral("は長すぎます（2桁まで）"));
            break;
        case numeric::PuttForm::NotANumber:
            in.problem(holeColumn(h, HolePutts),
                quoted(in.value(holeColumn(h, HolePutts)))
                    + QStringLiteral("は整数ではありません"));
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
        const auto value = numeric::parseSingle(textinput::halfWidthNumber(handicapText));
        if (!value) {
            in.problem(Handicap, quoted(handicapText) + QStringLiteral("は数値ではありません"));
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
        card.PuttTotal[f] = putts[f] == 0 ? QString() : in.pool().shared(QString::number(putts[f]));
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
        in.problem(Handicap, quoted(handicapText) + QStringLiteral("は数値ではありません"));
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
        const auto value = numeric::parseFloat(textinput::halfWidthNumber(net));
        if (!value)
            in.problem(Net, quoted(net) + QStringLiteral("は数値ではありません"));
        else if (numeric::formatOneDecimal(*value) != netText)
            in.problem(
                Net, QStringLiteral("スコアとハンディから求めた値 %1 と合いません").arg(netText));
    }
    if (!in.ok())
        return std::nullopt;
    applyHoleResults(card);
    return card;
}

} // namespace cardrow

namespace cardrow {

CardDetails readDetails(RowReader &in, const TScoreRecord &card)
{
    CardDetails details;
    for (int h = 0; h < 18; ++h) {
        HoleDetail &hole = details.holes[size_t(h)];
        const int fwColumn = detailColumn(h, DetailFairway);
        const std::optional<Fairway> fw = details::parseFairway(in.value(fwColumn));
        if (!fw)
            in.problem(fwColumn,
                quoted(in.value(fwColumn)) + QStringLiteral("はFWではありません（○、左、右）"));
        else if (*fw != Fairway::None && card.Par[h] == 3)
            in.problem(fwColumn, QStringLiteral("パー3のホールにFWは入力できません"));
        else
            hole.fairway = *fw;
        for (int k = 0; k < DetailCountKinds; ++k) {
            const int column = detailColumn(h, DetailColumn(DetailOb + k));
            const auto count = details::parseCount(in.number(column));
            if (count)
                hole.setCount(DetailCount(k), *count);
            else
                in.problem(
                    column, quoted(in.value(column)) + QStringLiteral("は0〜9の数ではありません"));
        }
    }
    return details;
}

} // namespace cardrow
