#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <array>
#include <optional>

// Day count since 1899-12-30 in the integer part, time of day as the fraction.
using TDateTime = double;

// The fixed-layout records of the data files. Arrays that the files number from 1 are
// indexed from 0 here: Yard[0] is hole 1, CourseName[0] the first half.

struct TLinksRecord {
    QString LinksName; // string[30], unique
    QString LinksAddress; // string[50]
    QString LinksTel; // string[12]
    QString URL; // string[40]
};

struct TCourseRecord {
    QString CourseName; // string[30]; (CourseName, LinksName) is unique
    QString LinksName; // string[30]
    QString Green; // string[8]
    QString Tee; // string[10]
    std::array<qint32, 9> Yard {};
    qint32 YardTotal = 0;
    std::array<qint32, 9> Par {};
    qint32 ParTotal = 0;
};

struct TYoteiRecord {
    TDateTime RoundDate = 0; // whole days
    TDateTime StartTime = 0; // fraction of a day
    QString LinksName; // string[30]
    QString Bikou; // string[30]
};

struct TScoreRecord {
    TDateTime RoundDate = 0;
    QString LinksName; // string[30]
    QString Weather; // string[20]
    std::array<QString, 2> CourseName; // string[30] each
    std::array<QString, 2> Green; // string[8] each
    std::array<QString, 2> Tee; // string[10] each
    std::array<qint32, 18> Yard {};
    std::array<qint32, 2> YardTotal {};
    qint32 YardSum = 0;
    std::array<qint32, 18> Par {};
    std::array<qint32, 2> ParTotal {};
    qint32 ParSum = 0;
    std::array<qint32, 18> Score {};
    std::array<qint32, 2> ScoreTotal {};
    qint32 ScoreSum = 0;
    std::array<QString, 18> Putt; // string[2] each; empty: no putts entered
    std::array<QString, 2> PuttTotal; // string[2] each
    qint32 PuttSum = 0;
    float Handicap = 0;
    float NetScore = 0;
    std::array<QString, 3> Partner; // string[20] each
    std::array<qint32, 3> PartnerScore {};
    QString Memo; // string[100]
    std::array<qint32, 7> HoleResultCounts {};
    qint32 ParOnCount = 0;
};

// Lists move records by memory when inserting or removing in the middle.
Q_DECLARE_TYPEINFO(TLinksRecord, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(TCourseRecord, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(TYoteiRecord, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(TScoreRecord, Q_RELOCATABLE_TYPE);

// Byte length of the text part of each string field.
namespace FieldSize {
constexpr int LinksName = 30;
constexpr int LinksAddress = 50;
constexpr int LinksTel = 12;
constexpr int URL = 40;
constexpr int CourseName = 30;
constexpr int Green = 8;
constexpr int Tee = 10;
constexpr int Bikou = 30;
constexpr int Weather = 20;
constexpr int Putt = 2;
constexpr int Partner = 20;
constexpr int Memo = 100;
} // namespace FieldSize

// Where the fields of a stored card begin; a field of two or three runs its copies back to
// back. The numbers from Yard to ScoreSum lie side by side, as do HoleResultCounts and
// ParOnCount.
namespace ScoreLayout {
constexpr int RoundDate = 0;
constexpr int LinksName = 8;
constexpr int Weather = 39;
constexpr int CourseName = 60; // 31 bytes apart
constexpr int Green = 122; // 9 bytes apart
constexpr int Tee = 140; // 11 bytes apart
constexpr int Yard = 164;
constexpr int YardTotal = 236;
constexpr int YardSum = 244;
constexpr int Par = 248;
constexpr int ParTotal = 320;
constexpr int ParSum = 328;
constexpr int Score = 332;
constexpr int ScoreTotal = 404;
constexpr int ScoreSum = 412;
constexpr int Putt = 416; // 3 bytes apart
constexpr int PuttTotal = 470; // 3 bytes apart
constexpr int PuttSum = 476;
constexpr int Handicap = 480;
constexpr int NetScore = 484;
constexpr int Partner = 488; // 21 bytes apart
constexpr int PartnerScore = 552;
constexpr int Memo = 564;
constexpr int HoleResultCounts = 668;
constexpr int ParOnCount = 696;
} // namespace ScoreLayout

template <class T> struct RecordLayout;
template <> struct RecordLayout<TLinksRecord> {
    static constexpr int Size = 136;
};
template <> struct RecordLayout<TCourseRecord> {
    static constexpr int Size = 164;
};
template <> struct RecordLayout<TYoteiRecord> {
    static constexpr int Size = 80;
};
template <> struct RecordLayout<TScoreRecord> {
    static constexpr int Size = 704;
};

// The texts decoded from many records, by their bytes: the names that recur from record to
// record (a card's club, courses, greens, tees, weather and partners) are decoded once and
// share one storage. The bytes must outlive the pool.
class TextPool
{
public:
    QString text(QByteArrayView bytes);

private:
    QHash<QByteArray, QString> m_texts;
};

// Encoding writes zeros into padding and behind the text of string fields. Decoding takes
// exactly Size bytes and trusts nothing in them: a length byte above the field is read as
// the whole field. With a pool the recurring names come from it.
QByteArray encodeRecord(const TLinksRecord &r);
QByteArray encodeRecord(const TCourseRecord &r);
QByteArray encodeRecord(const TYoteiRecord &r);
QByteArray encodeRecord(const TScoreRecord &r);

template <class T> T decodeRecord(QByteArrayView bytes, TextPool *pool = nullptr);
template <> TLinksRecord decodeRecord<TLinksRecord>(QByteArrayView bytes, TextPool *pool);
template <> TCourseRecord decodeRecord<TCourseRecord>(QByteArrayView bytes, TextPool *pool);
template <> TYoteiRecord decodeRecord<TYoteiRecord>(QByteArrayView bytes, TextPool *pool);
template <> TScoreRecord decodeRecord<TScoreRecord>(QByteArrayView bytes, TextPool *pool);

// The date a stored card or planned round begins with, read without decoding the rest.
TDateTime storedDate(QByteArrayView record);

// The whole number and the single at `offset` of a stored record, little-endian.
inline qint32 storedInt32(QByteArrayView record, int offset)
{
    return qFromLittleEndian<qint32>(record.data() + offset);
}
float storedSingle(QByteArrayView record, int offset);

// The bytes of the text field at `offset`: a length byte, then the text; a length above the
// field's maxBytes is read as the whole field.
inline QByteArrayView storedText(QByteArrayView record, int offset, int maxBytes)
{
    const int length = qMin(int(static_cast<unsigned char>(record[offset])), maxBytes);
    return record.sliced(offset + 1, length);
}

// Whole records back to back; a trailing partial record is ignored.
template <class T> QList<T> decodeRecords(QByteArrayView data)
{
    constexpr int size = RecordLayout<T>::Size;
    QList<T> list;
    const qsizetype count = data.size() / size;
    list.reserve(count);
    TextPool pool;
    for (qsizetype i = 0; i < count; ++i)
        list.append(decodeRecord<T>(data.sliced(i * size, size), &pool));
    return list;
}

template <class T> QByteArray encodeRecords(const QList<T> &list)
{
    QByteArray data;
    data.reserve(list.size() * RecordLayout<T>::Size);
    for (const T &r : list)
        data.append(encodeRecord(r));
    return data;
}

// The putts of a hole or a half as a number: its text without the blanks around it, read as
// a whole number; none for an empty or any other text.
std::optional<int> puttCount(const QString &putt);

// The derived fields of a score card: holes per result class (eagle or better down to
// worse than triple bogey) and greens reached in regulation.
struct HoleResults {
    std::array<qint32, 7> counts {};
    qint32 parOnCount = 0;
};
HoleResults computeHoleResults(const TScoreRecord &card);

// Puts a course into one half of a card (0 the first nine, 1 the second): its name, green,
// tee, yards and pars and their totals, and the round's yard and par sums. The result
// counts are left as they are.
void setHalfCourse(TScoreRecord &card, int half, const TCourseRecord &course);
void applyHoleResults(TScoreRecord &card);
