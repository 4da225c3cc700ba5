#pragma once

// The records of the tests as byte images assembled from the file layout by hand, and the
// checks that compare them field by field.

#include "core/data/datetime.h"
#include "core/data/records.h"
#include "core/data/sjis.h"
#include "support/builders.h"
#include <QTest>
#include <bit>
#include <limits>
#include <numeric>

namespace {

// Shift-JIS bytes written out by hand.
QByteArray sj(const char *hex)
{
    return QByteArray::fromHex(hex);
}

const QByteArray kGolfClub = sj("83 53 83 8B 83 74 8F EA"); // ゴルフ場
const QByteArray kCancel = sj("B7 AC DD BE D9"); // ｷｬﾝｾﾙ (half-width)
const QString kGolfClubText = QStringLiteral("ゴルフ場");

// 2001/05/03 is day 37014; 08:30 is 17/48 of a day; 12.5 and 73.5 as singles.
constexpr quint64 kMay3rd2001 = 0x40E212C000000000ull;
constexpr quint64 kHalfPastEight = 0x3FD6AAAAAAAAAAABull;
constexpr quint32 kTwelveAndAHalf = 0x41480000u;
constexpr quint32 kSeventyThreeAndAHalf = 0x42930000u;
static_assert(std::bit_cast<double>(kMay3rd2001) == 37014.0);
static_assert(std::bit_cast<double>(kHalfPastEight) == 8.5 / 24.0);
static_assert(std::bit_cast<float>(kTwelveAndAHalf) == 12.5f);
static_assert(std::bit_cast<float>(kSeventyThreeAndAHalf) == 73.5f);

// A record image. Every byte a field does not set keeps the fill byte, so a fill other than
// zero puts garbage into the padding and behind every text.
class Image
{
public:
    Image(int size, char fill) : m_bytes(size, fill) { }

    Image &text(int offset, const QByteArray &stored)
    {
        m_bytes[offset] = char(stored.size());
        return raw(offset + 1, stored);
    }
    Image &raw(int offset, const QByteArray &bytes)
    {
        for (qsizetype i = 0; i < bytes.size(); ++i)
            m_bytes[offset + i] = bytes[i];
        return *this;
    }
    Image &u32(int offset, quint32 value)
    {
        for (int k = 0; k < 4; ++k)
            m_bytes[offset + k] = char((value >> (8 * k)) & 0xFF);
        return *this;
    }
    Image &i32(int offset, qint32 value) { return u32(offset, quint32(value)); }
    Image &u64(int offset, quint64 value)
    {
        for (int k = 0; k < 8; ++k)
            m_bytes[offset + k] = char((value >> (8 * k)) & 0xFF);
        return *this;
    }
    template <size_t N> Image &i32s(int offset, const std::array<qint32, N> &values)
    {
        for (size_t i = 0; i < N; ++i)
            i32(offset + int(i) * 4, values[i]);
        return *this;
    }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// --- Sample records and their images ------------------------------------------------

TLinksRecord sampleLinks()
{
    TLinksRecord r;
    r.LinksName = kGolfClubText;
    r.LinksAddress = QStringLiteral("千葉県市原市1-2");
    r.LinksTel = QStringLiteral("0436-12-3456"); // exactly the 12 bytes of the field
    r.URL = QStringLiteral("http://example.jp/");
    return r;
}

QByteArray linksImage(char fill)
{
    return Image(136, fill)
        .text(0, kGolfClub)
        .text(31, sj("90 E7 97 74 8C A7 8E 73 8C B4 8E 73 31 2D 32"))
        .text(82, "0436-12-3456")
        .text(95, "http://example.jp/")
        .bytes();
}

const std::array<qint32, 9> kCourseYards {410, 160, 520, 380, 395, 175, 540, 365, 430};
const std::array<qint32, 9> kCoursePars {4, 3, 5, 4, 4, 3, 5, 4, 4};

TCourseRecord sampleCourse()
{
    TCourseRecord r;
    r.CourseName = QStringLiteral("東コース");
    r.LinksName = kGolfClubText;
    r.Green = QStringLiteral("ベント");
    r.Tee = QStringLiteral("レギュラー"); // exactly the 10 bytes of the field
    r.Yard = kCourseYards;
    r.YardTotal = 3375;
    r.Par = kCoursePars;
    r.ParTotal = 36;
    return r;
}

QByteArray courseImage(char fill)
{
    return Image(164, fill)
        .text(0, sj("93 8C 83 52 81 5B 83 58"))
        .text(31, kGolfClub)
        .text(62, sj("83 78 83 93 83 67"))
        .text(71, sj("83 8C 83 4D 83 85 83 89 81 5B"))
        .i32s(84, kCourseYards)
        .i32(120, 3375)
        .i32s(124, kCoursePars)
        .i32(160, 36)
        .bytes();
}

TYoteiRecord sampleYotei()
{
    TYoteiRecord r;
    r.RoundDate = datetime::fromDate(QDate(2001, 5, 3));
    r.StartTime = datetime::fromTime(QTime(8, 30));
    r.LinksName = kGolfClubText;
    r.Bikou = QStringLiteral("ｷｬﾝｾﾙ待ち");
    return r;
}

QByteArray yoteiImage(char fill)
{
    return Image(80, fill)
        .u64(0, kMay3rd2001)
        .u64(8, kHalfPastEight)
        .text(16, kGolfClub)
        .text(47, kCancel + sj("91 D2 82 BF"))
        .bytes();
}

const std::array<qint32, 18> kCardYards {
    300, 310, 320, 330, 340, 350, 360, 370, 380, 390, 400, 410, 420, 430, 440, 450, 460, 470};
const std::array<qint32, 18> kCardPars {4, 4, 3, 5, 4, 4, 3, 5, 4, 4, 4, 3, 5, 4, 4, 3, 5, 4};
const std::array<qint32, 18> kCardScores {4, 5, 2, 4, 6, 7, 3, 8, 4, 5, 4, 3, 7, 5, 9, 3, 3, 4};
const char *const kCardPutts[18]
    = {"2", "3", "", "1", "2", "3", "2", "", "2", "", "2", "1", "3", "2", "4", "2", "1", ""};
// Worked out by hand from the pars, strokes and putts above.
const std::array<qint32, 7> kCardResults {1, 2, 7, 3, 2, 2, 1};
constexpr qint32 kCardParOns = 8;

TScoreRecord sampleScore()
{
    TScoreRecord r;
    r.RoundDate = datetime::fromDate(QDate(2001, 5, 3));
    r.LinksName = kGolfClubText;
    r.Weather = QStringLiteral("晴れ");
    r.CourseName = {QStringLiteral("東コース"), QStringLiteral("西コース")};
    r.Green = {QStringLiteral("ベント"), QStringLiteral("高麗")};
    r.Tee = {QStringLiteral("レギュラー"), QStringLiteral("バック")};
    r.Yard = kCardYards;
    r.YardTotal = {3060, 3870};
    r.YardSum = 6930;
    r.Par = kCardPars;
    r.ParTotal = {36, 36};
    r.ParSum = 72;
    r.Score = kCardScores;
    r.ScoreTotal = {43, 43};
    r.ScoreSum = 86;
    for (int i = 0; i < 18; ++i)
        r.Putt[i] = QString::fromLatin1(kCardPutts[i]);
    r.PuttTotal = {QStringLiteral("15"), QStringLiteral("15")};
    r.PuttSum = 30;
    r.Handicap = 12.5f;
    r.NetScore = 73.5f;
    r.Partner = {QStringLiteral("佐藤"), QStringLiteral("鈴木"), QStringLiteral("ｽｽﾞｷ")};
    r.PartnerScore = {92, 101, 88};
    r.Memo = QStringLiteral("良い天気 OB 2");
    r.HoleResultCounts = kCardResults;
    r.ParOnCount = kCardParOns;
    return r;
}

QByteArray scoreImage(char fill)
{
    Image img(704, fill);
    img.u64(0, kMay3rd2001)
        .text(8, kGolfClub)
        .text(39, sj("90 B0 82 EA"))
        .text(60, sj("93 8C 83 52 81 5B 83 58"))
        .text(91, sj("90 BC 83 52 81 5B 83 58"))
        .text(122, sj("83 78 83 93 83 67"))
        .text(131, sj("8D 82 97 ED"))
        .text(140, sj("83 8C 83 4D 83 85 83 89 81 5B"))
        .text(151, sj("83 6F 83 62 83 4E"))
        .i32s(164, kCardYards)
        .i32(236, 3060)
        .i32(240, 3870)
        .i32(244, 6930)
        .i32s(248, kCardPars)
        .i32(320, 36)
        .i32(324, 36)
        .i32(328, 72)
        .i32s(332, kCardScores)
        .i32(404, 43)
        .i32(408, 43)
        .i32(412, 86);
    for (int i = 0; i < 18; ++i)
        img.text(416 + 3 * i, kCardPutts[i]);
    img.text(470, "15")
        .text(473, "15")
        .i32(476, 30)
        .u32(480, kTwelveAndAHalf)
        .u32(484, kSeventyThreeAndAHalf)
        .text(488, sj("8D B2 93 A1"))
        .text(509, sj("97 E9 96 D8"))
        .text(530, sj("BD BD DE B7"))
        .i32(552, 92)
        .i32(556, 101)
        .i32(560, 88)
        .text(564, sj("97 C7 82 A2 93 56 8B 43") + " OB 2")
        .i32s(668, kCardResults)
        .i32(696, kCardParOns);
    return img.bytes();
}

// --- Comparisons --------------------------------------------------------------------

qsizetype firstDifference(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a[i] != b[i])
            return i;
    return a.size() == b.size() ? -1 : n;
}

// Names the first differing offset and shows the bytes from there, which says far more
// than two 704-byte blobs.
void compareImage(const QByteArray &actual, const QByteArray &expected)
{
    QCOMPARE(actual.size(), expected.size());
    const qsizetype at = firstDifference(actual, expected);
    if (at < 0)
        return;
    const auto around = [at](const QByteArray &bytes) {
        return "offset " + QByteArray::number(at) + ": " + bytes.mid(at, 16).toHex(' ');
    };
    QCOMPARE(around(actual), around(expected));
}

template <class T, size_t N>
bool compareArray(
    const std::array<T, N> &actual, const std::array<T, N> &expected, const char *name, int line)
{
    for (size_t i = 0; i < N; ++i) {
        const QByteArray label = QByteArray(name) + '[' + QByteArray::number(qulonglong(i)) + ']';
        if (!QTest::qCompare(actual[i], expected[i], label.constData(), "expected", __FILE__, line))
            return false;
    }
    return true;
}

#define COMPARE_FIELD(f)                                                                           \
    do {                                                                                           \
        if (!QTest::qCompare(                                                                      \
                actual.f, expected.f, "actual." #f, "expected." #f, __FILE__, __LINE__))           \
            return;                                                                                \
    } while (false)
#define COMPARE_ARRAYS(a, e)                                                                       \
    do {                                                                                           \
        if (!compareArray(a, e, #a, __LINE__))                                                     \
            return;                                                                                \
    } while (false)
#define COMPARE_ARRAY(f) COMPARE_ARRAYS(actual.f, expected.f)

void compareFields(const TLinksRecord &actual, const TLinksRecord &expected)
{
    COMPARE_FIELD(LinksName);
    COMPARE_FIELD(LinksAddress);
    COMPARE_FIELD(LinksTel);
    COMPARE_FIELD(URL);
}

void compareFields(const TCourseRecord &actual, const TCourseRecord &expected)
{
    COMPARE_FIELD(CourseName);
    COMPARE_FIELD(LinksName);
    COMPARE_FIELD(Green);
    COMPARE_FIELD(Tee);
    COMPARE_ARRAY(Yard);
    COMPARE_FIELD(YardTotal);
    COMPARE_ARRAY(Par);
    COMPARE_FIELD(ParTotal);
}

void compareFields(const TYoteiRecord &actual, const TYoteiRecord &expected)
{
    COMPARE_FIELD(RoundDate);
    COMPARE_FIELD(StartTime);
    COMPARE_FIELD(LinksName);
    COMPARE_FIELD(Bikou);
}

void compareFields(const TScoreRecord &actual, const TScoreRecord &expected)
{
    COMPARE_FIELD(RoundDate);
    COMPARE_FIELD(LinksName);
    COMPARE_FIELD(Weather);
    COMPARE_ARRAY(CourseName);
    COMPARE_ARRAY(Green);
    COMPARE_ARRAY(Tee);
    COMPARE_ARRAY(Yard);
    COMPARE_ARRAY(YardTotal);
    COMPARE_FIELD(YardSum);
    COMPARE_ARRAY(Par);
    COMPARE_ARRAY(ParTotal);
    COMPARE_FIELD(ParSum);
    COMPARE_ARRAY(Score);
    COMPARE_ARRAY(ScoreTotal);
    COMPARE_FIELD(ScoreSum);
    COMPARE_ARRAY(Putt);
    COMPARE_ARRAY(PuttTotal);
    COMPARE_FIELD(PuttSum);
    COMPARE_FIELD(Handicap);
    COMPARE_FIELD(NetScore);
    COMPARE_ARRAY(Partner);
    COMPARE_ARRAY(PartnerScore);
    COMPARE_FIELD(Memo);
    COMPARE_ARRAY(HoleResultCounts);
    COMPARE_FIELD(ParOnCount);
}

#define CHECK(call)                                                                                \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

template <class T> void checkLayout(const T &sample, QByteArray (*image)(char))
{
    const QByteArray clean = image('\0');
    CHECK(compareImage(encodeRecord(sample), clean));
    CHECK(compareFields(decodeRecord<T>(clean), sample));
    // Padding and the bytes behind each text are whatever the writer left in memory.
    CHECK(compareFields(decodeRecord<T>(image(char(0xA5))), sample));
}

enum Kind { Links, Course, Yotei, Score };

// A few records back to back, with an empty one and full-length texts among them.
template <class T> QList<T> sampleFile();
template <> QList<TLinksRecord> sampleFile()
{
    TLinksRecord full = build::club(QString(30, QChar(u'場')), QString(40, QChar('u')));
    full.LinksTel = QStringLiteral("012345678901");
    return {sampleLinks(), full, TLinksRecord {}};
}
template <> QList<TCourseRecord> sampleFile()
{
    return {sampleCourse(), build::course(QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("IN"), 420, 5),
        TCourseRecord {}};
}
template <> QList<TYoteiRecord> sampleFile()
{
    return {sampleYotei(),
        build::yotei(
            QDate(2024, 12, 31), QString(15, QChar(u'東')), QTime(23, 59), QString(40, QChar('x'))),
        TYoteiRecord {}};
}
template <> QList<TScoreRecord> sampleFile()
{
    TScoreRecord full = build::card(QDate(1999, 1, 2), QString(20, QChar(u'ゴ')), 7);
    full.Memo = QString(60, QChar(u'良'));
    return {sampleScore(), full, TScoreRecord {}};
}

template <class T> void checkTruncations()
{
    constexpr int size = RecordLayout<T>::Size;
    const QByteArray file = encodeRecords(sampleFile<T>());
    for (qsizetype length = 0; length <= file.size(); ++length) {
        // A copy of exactly this length, so that the sanitizer sees any read past its end.
        const QByteArray cut(file.constData(), length);
        QCOMPARE(decodeRecords<T>(cut).size(), length / size);
    }
}

template <class T> void checkFlips(const QByteArray &image)
{
    constexpr int size = RecordLayout<T>::Size;
    QCOMPARE(image.size(), size);
    for (int i = 0; i < size; ++i) {
        QByteArray damaged = image;
        damaged[i] = char(damaged[i] ^ 0xFF);
        const QList<T> list = decodeRecords<T>(damaged);
        QCOMPARE(list.size(), 1);
        QCOMPARE(encodeRecord(list.front()).size(), size);
    }
}

// The fields a length byte can point past.
enum Field {
    LinksNameField,
    UrlField,
    TeeField,
    BikouField,
    MemoField,
    LastPuttField,
    LastPartnerField
};

QString decodeField(Field field, QByteArrayView bytes)
{
    switch (field) {
    case LinksNameField: return decodeRecord<TLinksRecord>(bytes).LinksName;
    case UrlField: return decodeRecord<TLinksRecord>(bytes).URL;
    case TeeField: return decodeRecord<TCourseRecord>(bytes).Tee;
    case BikouField: return decodeRecord<TYoteiRecord>(bytes).Bikou;
    case MemoField: return decodeRecord<TScoreRecord>(bytes).Memo;
    case LastPuttField: return decodeRecord<TScoreRecord>(bytes).Putt[17];
    case LastPartnerField: return decodeRecord<TScoreRecord>(bytes).Partner[2];
    }
    return {};
}

TScoreRecord cardOfPars()
{
    TScoreRecord card;
    card.Par.fill(4);
    card.Score.fill(4);
    return card;
}

} // namespace
