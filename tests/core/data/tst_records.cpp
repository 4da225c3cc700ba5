// The record images below are assembled byte by byte from the file layout, never by the
// code under test, so that a shifted offset or a wrong byte order cannot hide behind a
// round trip that is merely consistent with itself.

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

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linksLayout() { checkLayout(sampleLinks(), linksImage); }
    void courseLayout() { checkLayout(sampleCourse(), courseImage); }
    void yoteiLayout() { checkLayout(sampleYotei(), yoteiImage); }
    void scoreLayout() { checkLayout(sampleScore(), scoreImage); }

    void emptyRecordsAreAllZeros()
    {
        QCOMPARE(encodeRecord(TLinksRecord {}), QByteArray(136, '\0'));
        QCOMPARE(encodeRecord(TCourseRecord {}), QByteArray(164, '\0'));
        QCOMPARE(encodeRecord(TYoteiRecord {}), QByteArray(80, '\0'));
        QCOMPARE(encodeRecord(TScoreRecord {}), QByteArray(704, '\0'));
    }

    void textIsCutToField_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");

        const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        const QString kanji15(15, QChar(u'場'));
        QByteArray kanji15Bytes;
        for (int i = 0; i < 15; ++i)
            kanji15Bytes += sj("8F EA");

        QTest::addRow("empty") << 0 << 30 << QString() << QByteArray() << QString();
        QTest::addRow("ascii filling the field")
            << 0 << 30 << alphabet << alphabet.toLatin1() << alphabet;
        QTest::addRow("ascii one byte too long")
            << 0 << 30 << alphabet + QChar('4') << alphabet.toLatin1() << alphabet;
        QTest::addRow("limit between two characters")
            << 0 << 30 << kanji15 + QChar('A') << kanji15Bytes << kanji15;
        QTest::addRow("limit inside a double-byte character")
            << 0 << 30 << QChar('A') + kanji15 << "A" + kanji15Bytes.left(28)
            << QChar('A') + kanji15.left(14);
        QTest::addRow("half-width kana are one byte each")
            << 0 << 30 << QString(28, QChar(u'ｷ')) + QStringLiteral("場")
            << QByteArray(28, char(0xB7)) + sj("8F EA")
            << QString(28, QChar(u'ｷ')) + QStringLiteral("場");
        QTest::addRow("half-width kana then a kanji across the limit")
            << 0 << 30 << QString(29, QChar(u'ｷ')) + QStringLiteral("場")
            << QByteArray(29, char(0xB7)) << QString(29, QChar(u'ｷ'));
        QTest::addRow("short field, limit inside a character")
            << 82 << 12 << QStringLiteral("Aゴルフ場ゴル")
            << "A" + sj("83 53 83 8B 83 74 8F EA 83 53") << QStringLiteral("Aゴルフ場ゴ");
        QTest::addRow("last field of the record cut at its end")
            << 95 << 40 << QString(41, QChar('w')) << QByteArray(40, 'w')
            << QString(40, QChar('w'));
    }

    void textIsCutToField()
    {
        QFETCH(int, offset);
        QFETCH(int, maxBytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);

        TLinksRecord r;
        (offset == 0 ? r.LinksName : offset == 82 ? r.LinksTel : r.URL) = text;
        const QByteArray encoded = encodeRecord(r);
        CHECK(compareImage(encoded, Image(136, '\0').text(offset, stored).bytes()));

        const TLinksRecord back = decodeRecord<TLinksRecord>(encoded);
        QCOMPARE(offset == 0 ? back.LinksName : offset == 82 ? back.LinksTel : back.URL, readBack);
        // What an edit box promises the user must be what the file gives back.
        QCOMPARE(sjis::fit(text, maxBytes), readBack);
    }

    void lengthByteBeyondFieldReadsWholeField_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("recordSize");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("maxBytes");

        QTest::addRow("links name") << int(LinksNameField) << 136 << 0 << 30;
        QTest::addRow("URL, last field of the record") << int(UrlField) << 136 << 95 << 40;
        QTest::addRow("course tee") << int(TeeField) << 164 << 71 << 10;
        QTest::addRow("yotei note") << int(BikouField) << 80 << 47 << 30;
        QTest::addRow("memo") << int(MemoField) << 704 << 564 << 100;
        QTest::addRow("last putt") << int(LastPuttField) << 704 << 467 << 2;
        QTest::addRow("last partner") << int(LastPartnerField) << 704 << 530 << 20;
    }

    void lengthByteBeyondFieldReadsWholeField()
    {
        QFETCH(int, field);
        QFETCH(int, recordSize);
        QFETCH(int, offset);
        QFETCH(int, maxBytes);

        QByteArray text;
        for (int i = 0; i < maxBytes; ++i)
            text += char('a' + i % 26);
        for (const int length : {maxBytes + 1, 0x80, 0xFF}) {
            // Letters behind the field too, which must not leak into it.
            Image img(recordSize, 'Z');
            img.raw(offset, QByteArray(1, char(length))).raw(offset + 1, text);
            const QByteArray bytes = img.bytes();
            QCOMPARE(decodeField(Field(field), QByteArrayView(bytes.constData(), recordSize)),
                QString::fromLatin1(text));
        }
    }

    void halfCharacterAtEndIsDropped_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("expected");

        QTest::addRow("kanji then a lead byte") << sj("8F EA 83") << QStringLiteral("場");
        QTest::addRow("lead byte alone") << sj("83") << QString();
        QTest::addRow("ascii then a lead byte") << sj("41 42 83") << QStringLiteral("AB");
        QTest::addRow("half-width kana then a lead byte") << sj("B7 AC 8F") << QStringLiteral("ｷｬ");
        QTest::addRow("full field ending in a lead byte")
            << QByteArray(29, 'a') + sj("83") << QString(29, QChar('a'));
    }

    void halfCharacterAtEndIsDropped()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, expected);

        // The following field starts with the bytes that would complete the character, so
        // a converter that carried the half over would show up there.
        const QByteArray image = Image(136, '\0')
                                     .text(0, stored)
                                     .text(31, sj("53 83 8B 83 74 8F EA"))
                                     .text(82, kCancel)
                                     .bytes();
        const TLinksRecord r = decodeRecord<TLinksRecord>(image);
        QCOMPARE(r.LinksName, expected);
        QCOMPARE(r.LinksAddress, QStringLiteral("Sルフ場"));
        QCOMPARE(r.LinksTel, QStringLiteral("ｷｬﾝｾﾙ"));
    }

    void decodeRecordsIgnoresTrailingPartialRecord()
    {
        const TCourseRecord second
            = build::course(QStringLiteral("ゴルフ場"), QStringLiteral("IN"));
        QByteArray file = courseImage('\0') + encodeRecord(second);
        file += courseImage('\0').left(100);
        const QList<TCourseRecord> list = decodeRecords<TCourseRecord>(file);
        QCOMPARE(list.size(), 2);
        CHECK(compareFields(list[0], sampleCourse()));
        CHECK(compareFields(list[1], second));
    }

    void holeResultClass_data()
    {
        QTest::addColumn<int>("strokes");
        QTest::addColumn<int>("par");
        QTest::addColumn<int>("resultClass");

        constexpr int lowest = std::numeric_limits<qint32>::min();
        constexpr int highest = std::numeric_limits<qint32>::max();
        QTest::addRow("four under: 1 on par 5") << 1 << 5 << 6;
        QTest::addRow("three under: 2 on par 5") << 2 << 5 << 0;
        QTest::addRow("two under: 2 on par 4") << 2 << 4 << 0;
        QTest::addRow("two under: 3 on par 5") << 3 << 5 << 0;
        QTest::addRow("one under") << 3 << 4 << 1;
        QTest::addRow("even") << 4 << 4 << 2;
        QTest::addRow("one over") << 5 << 4 << 3;
        QTest::addRow("two over") << 6 << 4 << 4;
        QTest::addRow("three over") << 7 << 4 << 5;
        QTest::addRow("four over") << 8 << 4 << 6;
        QTest::addRow("five over: 9 on par 4") << 9 << 4 << 6;
        QTest::addRow("extreme under, no overflow") << lowest << highest << 6;
        QTest::addRow("extreme over, no overflow") << highest << lowest << 6;
    }

    void holeResultClass()
    {
        QFETCH(int, strokes);
        QFETCH(int, par);
        QFETCH(int, resultClass);

        TScoreRecord card = cardOfPars();
        card.Score[9] = strokes;
        card.Par[9] = par;
        std::array<qint32, 7> expected {0, 0, 17, 0, 0, 0, 0};
        ++expected[size_t(resultClass)];

        const HoleResults results = computeHoleResults(card);
        COMPARE_ARRAYS(results.counts, expected);
        QCOMPARE(std::accumulate(results.counts.begin(), results.counts.end(), 0), 18);
    }

    void parOn_data()
    {
        QTest::addColumn<int>("strokes");
        QTest::addColumn<QString>("putts");
        QTest::addColumn<int>("par");
        QTest::addColumn<int>("parOn");

        QTest::addRow("5 strokes, 3 putts, par 4") << 5 << QStringLiteral("3") << 4 << 1;
        QTest::addRow("5 strokes, 2 putts, par 4") << 5 << QStringLiteral("2") << 4 << 0;
        QTest::addRow("4 strokes, 2 putts, par 4") << 4 << QStringLiteral("2") << 4 << 1;
        QTest::addRow("on in one on par 3") << 3 << QStringLiteral("2") << 3 << 1;
        QTest::addRow("on in one too many on par 5") << 6 << QStringLiteral("2") << 5 << 0;
        QTest::addRow("holed from off the green") << 2 << QStringLiteral("0") << 4 << 1;
        QTest::addRow("better than regulation") << 3 << QStringLiteral("1") << 5 << 1;
        QTest::addRow("putts with a blank before") << 4 << QStringLiteral(" 2") << 4 << 1;
        QTest::addRow("no putts entered") << 2 << QStringLiteral("") << 4 << 0;
        QTest::addRow("putts blank") << 2 << QStringLiteral("  ") << 4 << 0;
        QTest::addRow("putts not a number") << 2 << QStringLiteral("x") << 4 << 0;
    }

    void parOn()
    {
        QFETCH(int, strokes);
        QFETCH(QString, putts);
        QFETCH(int, par);
        QFETCH(int, parOn);

        TScoreRecord card = cardOfPars();
        card.Score[17] = strokes;
        card.Par[17] = par;
        card.Putt[17] = putts;
        QCOMPARE(computeHoleResults(card).parOnCount, parOn);
    }

    void parOnNeedsPutts()
    {
        // Every hole would be reached in regulation with two putts, but none are entered.
        TScoreRecord card = cardOfPars();
        QCOMPARE(computeHoleResults(card).parOnCount, 0);
        card.Putt.fill(QStringLiteral("2"));
        QCOMPARE(computeHoleResults(card).parOnCount, 18);
    }

    void holeResultsOfWholeCard()
    {
        TScoreRecord card = sampleScore();
        card.HoleResultCounts = {};
        card.ParOnCount = -1;
        applyHoleResults(card);
        COMPARE_ARRAYS(card.HoleResultCounts, kCardResults);
        QCOMPARE(card.ParOnCount, kCardParOns);
    }

    void truncatedFilesDecodeWholeRecords_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addRow("links") << int(Links);
        QTest::addRow("course") << int(Course);
        QTest::addRow("yotei") << int(Yotei);
        QTest::addRow("score") << int(Score);
    }

    void truncatedFilesDecodeWholeRecords()
    {
        QFETCH(int, kind);
        switch (Kind(kind)) {
        case Links: checkTruncations<TLinksRecord>(); break;
        case Course: checkTruncations<TCourseRecord>(); break;
        case Yotei: checkTruncations<TYoteiRecord>(); break;
        case Score: checkTruncations<TScoreRecord>(); break;
        }
    }

    void damagedBytesDecodeSafely_data() { truncatedFilesDecodeWholeRecords_data(); }

    void damagedBytesDecodeSafely()
    {
        QFETCH(int, kind);
        switch (Kind(kind)) {
        case Links: checkFlips<TLinksRecord>(linksImage('\0')); break;
        case Course: checkFlips<TCourseRecord>(courseImage('\0')); break;
        case Yotei: checkFlips<TYoteiRecord>(yoteiImage('\0')); break;
        case Score: checkFlips<TScoreRecord>(scoreImage('\0')); break;
        }
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
