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
    Writer w(RecordLayout<TScoreRecord>::Size);
    w.dateTime(0, r.RoundDate);
    w.string(8, FieldSize::LinksName, r.LinksName);
    w.string(39, FieldSize::Weather, r.Weather);
    for (int h = 0; h < 2; ++h) {
        w.string(60 + h * 31, FieldSize::CourseName, r.CourseName[h]);
        w.string(122 + h * 9, FieldSize::Green, r.Green[h]);
        w.string(140 + h * 11, FieldSize::Tee, r.Tee[h]);
    }
    w.int32s(164, r.Yard);
    w.int32s(236, r.YardTotal);
    w.int32(244, r.YardSum);
    w.int32s(248, r.Par);
    w.int32s(320, r.ParTotal);
    w.int32(328, r.ParSum);
    w.int32s(332, r.Score);
    w.int32s(404, r.ScoreTotal);
    w.int32(412, r.ScoreSum);
    for (int i = 0; i < 18; ++i)
        w.string(416 + i * 3, FieldSize::Putt, r.Putt[i]);
    for (int h = 0; h < 2; ++h)
        w.string(470 + h * 3, FieldSize::Putt, r.PuttTotal[h]);
    w.int32(476, r.PuttSum);
    w.single(480, r.Handicap);
    w.single(484, r.NetScore);
    for (int k = 0; k < 3; ++k)
        w.string(488 + k * 21, FieldSize::Partner, r.Partner[k]);
    w.int32s(552, r.PartnerScore);
    w.string(564, FieldSize::Memo, r.Memo);
    w.int32s(668, r.HoleResultCounts);
    w.int32(696, r.ParOnCount);
    return w.take();
}

template <> TScoreRecord decodeRecord<TScoreRecord>(QByteArrayView bytes, TextPool *pool)
{
    Q_ASSERT(bytes.size() >= RecordLayout<TScoreRecord>::Size);
    const Reader rd(bytes);
    TScoreRecord r;
    r.RoundDate = rd.dateTime(0);
    r.LinksName = rd.string(8, FieldSize::LinksName, pool);
    r.Weather = rd.string(39, FieldSize::Weather, pool);
    for (int h = 0; h < 2; ++h) {
        r.CourseName[h] = rd.string(60 + h * 31, FieldSize::CourseName, pool);
        r.Green[h] = rd.string(122 + h * 9, FieldSize::Green, pool);
        r.Tee[h] = rd.string(140 + h * 11, FieldSize::Tee, pool);
    }
    rd.int32s(164, r.Yard);
    rd.int32s(236, r.YardTotal);
    r.YardSum = rd.int32(244);
    rd.int32s(248, r.Par);
    rd.int32s(320, r.ParTotal);
    r.ParSum = rd.int32(328);
    rd.int32s(332, r.Score);
    rd.int32s(404, r.ScoreTotal);
    r.ScoreSum = rd.int32(412);
    for (int i = 0; i < 18; ++i)
        r.Putt[i] = rd.string(416 + i * 3, FieldSize::Putt);
    for (int h = 0; h < 2; ++h)
        r.PuttTotal[h] = rd.string(470 + h * 3, FieldSize::Putt);
    r.PuttSum = rd.int32(476);
    r.Handicap = rd.single(480);
    r.NetScore = rd.single(484);
    for (int k = 0; k < 3; ++k)
        r.Partner[k] = rd.string(488 + k * 21, FieldSize::Partner, pool);
    rd.int32s(552, r.PartnerScore);
    r.Memo = rd.string(564, FieldSize::Memo);
    rd.int32s(668, r.HoleResultCounts);
    r.ParOnCount = rd.int32(696);
    return r;
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

        const QString putt = card.Putt[i].trimmed();
        if (putt.isEmpty())
            continue;
        const auto putts = numeric::parseInt(putt);
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

QStringList playedLinks(const QList<TScoreRecord> &cards)
{
    QHash<QString, qsizetype> last;
    for (qsizetype i = 0; i < cards.size(); ++i)
        last.insert(cards[i].LinksName, i);
    QStringList links = {QStringLiteral("全て")};
    for (qsizetype i = 0; i < cards.size(); ++i)
        if (last.value(cards[i].LinksName) == i)
            links.append(cards[i].LinksName);
    return links;
}
