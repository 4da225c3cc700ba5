#include "records.h"

#include "numeric.h"
#include "sjis.h"

#include <QtEndian>

#include <cstring>

namespace {

class Writer
{
public:
    explicit Writer(int size) : m_data(size, '\0') { }

    void string(int offset, int maxBytes, const QString &text)
    {
        // Most fields of a card (putts, numbers, many names) are plain ASCII: straight in.
        if (sjis::isPlainAscii(text)) {
            const int length = int(qMin<qsizetype>(text.size(), maxBytes));
            m_data[offset] = char(length);
            for (int i = 0; i < length; ++i)
                m_data[offset + 1 + i] = char(text[i].unicode());
            return;
        }
        const QByteArray bytes = sjis::cut(sjis::encode(text), maxBytes);
        m_data[offset] = char(bytes.size());
        std::memcpy(m_data.data() + offset + 1, bytes.constData(), size_t(bytes.size()));
    }
    void int32(int offset, qint32 value) { qToLittleEndian(value, m_data.data() + offset); }
    void single(int offset, float value)
    {
        quint32 bits;
        std::memcpy(&bits, &value, sizeof bits);
        qToLittleEndian(bits, m_data.data() + offset);
    }
    void dateTime(int offset, double value)
    {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        qToLittleEndian(bits, m_data.data() + offset);
    }
    template <size_t N> void int32s(int offset, const std::array<qint32, N> &values)
    {
        for (size_t i = 0; i < N; ++i)
            int32(offset + int(i) * 4, values[i]);
    }
    QByteArray take() { return std::move(m_data); }

private:
    QByteArray m_data;
};

class Reader
{
public:
    explicit Reader(QByteArrayView data) : m_data(data) { }

    // A text that recurs from record to record comes from the pool, when there is one.
    QString string(int offset, int maxBytes, TextPool *pool = nullptr) const
    {
        const QByteArrayView bytes = storedText(m_data, offset, maxBytes);
        return pool ? pool->text(bytes) : sjis::decode(bytes);
    }
    qint32 int32(int offset) const { return qFromLittleEndian<qint32>(m_data.data() + offset); }
    float single(int offset) const
    {
        const quint32 bits = qFromLittleEndian<quint32>(m_data.data() + offset);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    double dateTime(int offset) const
    {
        const quint64 bits = qFromLittleEndian<quint64>(m_data.data() + offset);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    template <size_t N> void int32s(int offset, std::array<qint32, N> &values) const
    {
        for (size_t i = 0; i < N; ++i)
            values[i] = int32(offset + int(i) * 4);
    }

private:
    QByteArrayView m_data;
};

} // namespace

QString TextPool::text(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    // Looked up without a copy; a new text keeps the same bytes as its key.
    const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
    const auto it = m_texts.constFind(key);
    if (it != m_texts.cend())
        return *it;
    const QString text = sjis::decode(bytes);
    m_texts.insert(key, text);
    return text;
}

TDateTime storedDate(QByteArrayView record)
{
    return Reader(record).dateTime(0);
}

float storedSingle(QByteArrayView record, int offset)
{
    return Reader(record).single(offset);
}

QByteArray encodeRecord(const TLinksRecord &r)
{
    Writer w(RecordLayout<TLinksRecord>::Size);
    w.string(0, FieldSize::LinksName, r.LinksName);
    w.string(31, FieldSize::LinksAddress, r.LinksAddress);
    w.string(82, FieldSize::LinksTel, r.LinksTel);
    w.string(95, FieldSize::URL, r.URL);
    return w.take();
}

template <> TLinksRecord decodeRecord<TLinksRecord>(QByteArrayView bytes, TextPool *)
{
    Q_ASSERT(bytes.size() >= RecordLayout<TLinksRecord>::Size);
    const Reader rd(bytes);
    TLinksRecord r;
    r.LinksName = rd.string(0, FieldSize::LinksName);
    r.LinksAddress = rd.string(31, FieldSize::LinksAddress);
    r.LinksTel = rd.string(82, FieldSize::LinksTel);
    r.URL = rd.string(95, FieldSize::URL);
    return r;
}

QByteArray encodeRecord(const TCourseRecord &r)
{
    Writer w(RecordLayout<TCourseRecord>::Size);
    w.string(0, FieldSize::CourseName, r.CourseName);
    w.string(31, FieldSize::LinksName, r.LinksName);
    w.string(62, FieldSize::Green, r.Green);
    w.string(71, FieldSize::Tee, r.Tee);
    w.int32s(84, r.Yard);
    w.int32(120, r.YardTotal);
    w.int32s(124, r.Par);
    w.int32(160, r.ParTotal);
    return w.take();
}

template <> TCourseRecord decodeRecord<TCourseRecord>(QByteArrayView bytes, TextPool *pool)
{
    Q_ASSERT(bytes.size() >= RecordLayout<TCourseRecord>::Size);
    const Reader rd(bytes);
    TCourseRecord r;
    r.CourseName = rd.string(0, FieldSize::CourseName, pool);
    r.LinksName = rd.string(31, FieldSize::LinksName, pool);
    r.Green = rd.string(62, FieldSize::Green, pool);
    r.Tee = rd.string(71, FieldSize::Tee, pool);
    rd.int32s(84, r.Yard);
    r.YardTotal = rd.int32(120);
    rd.int32s(124, r.Par);
    r.ParTotal = rd.int32(160);
    return r;
}

QByteArray encodeRecord(const TYoteiRecord &r)
{
    Writer w(RecordLayout<TYoteiRecord>::Size);
    w.dateTime(0, r.RoundDate);
    w.dateTime(8, r.StartTime);
    w.string(16, FieldSize::LinksName, r.LinksName);
    w.string(47, FieldSize::Bikou, r.Bikou);
    return w.take();
}

template <> TYoteiRecord decodeRecord<TYoteiRecord>(QByteArrayView bytes, TextPool *pool)
{
    Q_ASSERT(bytes.size() >= RecordLayout<TYoteiRecord>::Size);
    const Reader rd(bytes);
    TYoteiRecord r;
    r.RoundDate = rd.dateTime(0);
    r.StartTime = rd.dateTime(8);
    r.LinksName = rd.string(16, FieldSize::LinksName, pool);
    r.Bikou = rd.string(47, FieldSize::Bikou);
    return r;
}

QByteArray encodeRecord(const TScoreRecord &r)
{
    namespace L = ScoreLayout;
    Writer w(RecordLayout<TScoreRecord>::Size);
    w.dateTime(L::RoundDate, r.RoundDate);
    w.string(L::LinksName, FieldSize::LinksName, r.LinksName);
    w.string(L::Weather, FieldSize::Weather, r.Weather);
    for (int h = 0; h < 2; ++h) {
        w.string(L::CourseName + h * 31, FieldSize::CourseName, r.CourseName[h]);
        w.string(L::Green + h * 9, FieldSize::Green, r.Green[h]);
        w.string(L::Tee + h * 11, FieldSize::Tee, r.Tee[h]);
    }
    w.int32s(L::Yard, r.Yard);
    w.int32s(L::YardTotal, r.YardTotal);
    w.int32(L::YardSum, r.YardSum);
    w.int32s(L::Par, r.Par);
    w.int32s(L::ParTotal, r.ParTotal);
    w.int32(L::ParSum, r.ParSum);
    w.int32s(L::Score, r.Score);
    w.int32s(L::ScoreTotal, r.ScoreTotal);
    w.int32(L::ScoreSum, r.ScoreSum);
    for (int i = 0; i < 18; ++i)
        w.string(L::Putt + i * 3, FieldSize::Putt, r.Putt[i]);
    for (int h = 0; h < 2; ++h)
        w.string(L::PuttTotal + h * 3, FieldSize::Putt, r.PuttTotal[h]);
    w.int32(L::PuttSum, r.PuttSum);
    w.single(L::Handicap, r.Handicap);
    w.single(L::NetScore, r.NetScore);
    for (int k = 0; k < 3; ++k)
        w.string(L::Partner + k * 21, FieldSize::Partner, r.Partner[k]);
    w.int32s(L::PartnerScore, r.PartnerScore);
    w.string(L::Memo, FieldSize::Memo, r.Memo);
    w.int32s(L::HoleResultCounts, r.HoleResultCounts);
    w.int32(L::ParOnCount, r.ParOnCount);
    return w.take();
}

template <> TScoreRecord decodeRecord<TScoreRecord>(QByteArrayView bytes, TextPool *pool)
{
    namespace L = ScoreLayout;
    Q_ASSERT(bytes.size() >= RecordLayout<TScoreRecord>::Size);
    const Reader rd(bytes);
    TScoreRecord r;
    r.RoundDate = rd.dateTime(L::RoundDate);
    r.LinksName = rd.string(L::LinksName, FieldSize::LinksName, pool);
    r.Weather = rd.string(L::Weather, FieldSize::Weather, pool);
    for (int h = 0; h < 2; ++h) {
        r.CourseName[h] = rd.string(L::CourseName + h * 31, FieldSize::CourseName, pool);
        r.Green[h] = rd.string(L::Green + h * 9, FieldSize::Green, pool);
        r.Tee[h] = rd.string(L::Tee + h * 11, FieldSize::Tee, pool);
    }
    rd.int32s(L::Yard, r.Yard);
    rd.int32s(L::YardTotal, r.YardTotal);
    r.YardSum = rd.int32(L::YardSum);
    rd.int32s(L::Par, r.Par);
    rd.int32s(L::ParTotal, r.ParTotal);
    r.ParSum = rd.int32(L::ParSum);
    rd.int32s(L::Score, r.Score);
    rd.int32s(L::ScoreTotal, r.ScoreTotal);
    r.ScoreSum = rd.int32(L::ScoreSum);
    for (int i = 0; i < 18; ++i)
        r.Putt[i] = rd.string(L::Putt + i * 3, FieldSize::Putt);
    for (int h = 0; h < 2; ++h)
        r.PuttTotal[h] = rd.string(L::PuttTotal + h * 3, FieldSize::Putt);
    r.PuttSum = rd.int32(L::PuttSum);
    r.Handicap = rd.single(L::Handicap);
    r.NetScore = rd.single(L::NetScore);
    for (int k = 0; k < 3; ++k)
        r.Partner[k] = rd.string(L::Partner + k * 21, FieldSize::Partner, pool);
    rd.int32s(L::PartnerScore, r.PartnerScore);
    r.Memo = rd.string(L::Memo, FieldSize::Memo);
    rd.int32s(L::HoleResultCounts, r.HoleResultCounts);
    r.ParOnCount = rd.int32(L::ParOnCount);
    return r;
}

std::optional<int> puttCount(const QString &putt)
{
    const QString text = putt.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return numeric::parseInt(text);
}

HoleResults computeHoleResults(const TScoreRecord &card)
{
    HoleResults results;
    for (int i = 0; i < 18; ++i) {
        // 64-bit so that absurd stored numbers cannot overflow.
        const qint64 d = qint64(card.Score[i]) - card.Par[i];
        int cls;
        switch (d) {
        case -3:
        case -2: cls = 0; break;
        case -1: cls = 1; break;
        case 0: cls = 2; break;
        case 1: cls = 3; break;
        case 2: cls = 4; break;
        case 3: cls = 5; break;
        default: cls = 6; break;
        }
        ++results.counts[cls];

        const auto putts = puttCount(card.Putt[i]);
        if (putts && qint64(card.Score[i]) - *putts - card.Par[i] <= -2)
            ++results.parOnCount;
    }
    return results;
}

void applyHoleResults(TScoreRecord &card)
{
    const HoleResults results = computeHoleResults(card);
    card.HoleResultCounts = results.counts;
    card.ParOnCount = results.parOnCount;
}

void setHalfCourse(TScoreRecord &card, int half, const TCourseRecord &course)
{
    card.CourseName[half] = course.CourseName;
    card.Green[half] = course.Green;
    card.Tee[half] = course.Tee;
    for (int h = 0; h < 9; ++h) {
        card.Yard[half * 9 + h] = course.Yard[h];
        card.Par[half * 9 + h] = course.Par[h];
    }
    card.YardTotal[half] = course.YardTotal;
    card.ParTotal[half] = course.ParTotal;
    card.YardSum = card.YardTotal[0] + card.YardTotal[1];
    card.ParSum = card.ParTotal[0] + card.ParTotal[1];
}
