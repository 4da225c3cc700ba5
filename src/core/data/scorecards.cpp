#include "scorecards.h"

#include "sjis.h"

#include <algorithm>
#include <limits>

// The numbers of a packed card stand in the order of the stored card's.
static_assert(ScoreLayout::ScoreSum == ScoreLayout::Yard + 4 * Packed::ScoreSum);
static_assert(ScoreLayout::ParOnCount == ScoreLayout::HoleResultCounts + 4 * 7);
static_assert(Packed::ParOnCount == Packed::HoleResultCounts + 7);

namespace {

constexpr int kMostPutts = std::numeric_limits<quint8>::max() + 1;

bool fitsPacked(qint32 value)
{
    return value >= std::numeric_limits<qint16>::min()
        && value <= std::numeric_limits<qint16>::max();
}

// The numbers of a card in the order of Packed::Number.
std::array<qint32, Packed::NumberCount> numbersOf(const TScoreRecord &r)
{
    std::array<qint32, Packed::NumberCount> n {};
    auto put
        = [&n](int at, const auto &values) { std::copy(values.begin(), values.end(), &n[at]); };
    put(Packed::Yard, r.Yard);
    put(Packed::YardTotal, r.YardTotal);
    n[Packed::YardSum] = r.YardSum;
    put(Packed::Par, r.Par);
    put(Packed::ParTotal, r.ParTotal);
    n[Packed::ParSum] = r.ParSum;
    put(Packed::Score, r.Score);
    put(Packed::ScoreTotal, r.ScoreTotal);
    n[Packed::ScoreSum] = r.ScoreSum;
    n[Packed::PuttSum] = r.PuttSum;
    put(Packed::PartnerScore, r.PartnerScore);
    put(Packed::HoleResultCounts, r.HoleResultCounts);
    n[Packed::ParOnCount] = r.ParOnCount;
    return n;
}

// The same numbers straight from a stored card.
std::array<qint32, Packed::NumberCount> numbersOf(QByteArrayView stored)
{
    namespace L = ScoreLayout;
    std::array<qint32, Packed::NumberCount> n {};
    // Yard to ScoreSum lie side by side in the same order, as do the result counts.
    for (int k = 0; k <= Packed::ScoreSum; ++k)
        n[k] = storedInt32(stored, L::Yard + 4 * k);
    n[Packed::PuttSum] = storedInt32(stored, L::PuttSum);
    for (int k = 0; k < 3; ++k)
        n[Packed::PartnerScore + k] = storedInt32(stored, L::PartnerScore + 4 * k);
    for (int k = 0; k < 8; ++k)
        n[Packed::HoleResultCounts + k] = storedInt32(stored, L::HoleResultCounts + 4 * k);
    return n;
}

bool packNumbers(const std::array<qint32, Packed::NumberCount> &from, PackedCard &to)
{
    for (size_t k = 0; k < from.size(); ++k) {
        if (!fitsPacked(from[k]))
            return false;
        to.numbers[k] = qint16(from[k]);
    }
    return true;
}

} // namespace

TScoreRecord CardView::record() const
{
    if (m_record)
        return *m_record;
    TScoreRecord r;
    r.RoundDate = m_packed->roundDate;
    r.LinksName = linksName();
    r.Weather = weather();
    for (int h = 0; h < 2; ++h) {
        r.CourseName[h] = courseName(h);
        r.Green[h] = green(h);
        r.Tee[h] = tee(h);
        r.YardTotal[h] = yardTotal(h);
        r.ParTotal[h] = parTotal(h);
        r.ScoreTotal[h] = scoreTotal(h);
        r.PuttTotal[h] = puttTotal(h);
    }
    for (int i = 0; i < 18; ++i) {
        r.Yard[i] = yard(i);
        r.Par[i] = par(i);
        r.Score[i] = score(i);
        r.Putt[i] = putt(i);
    }
    r.YardSum = yardSum();
    r.ParSum = parSum();
    r.ScoreSum = scoreSum();
    r.PuttSum = puttSum();
    r.Handicap = m_packed->handicap;
    r.NetScore = m_packed->netScore;
    for (int k = 0; k < 3; ++k) {
        r.Partner[k] = partner(k);
        r.PartnerScore[k] = partnerScore(k);
    }
    r.Memo = memo();
    for (int k = 0; k < 7; ++k)
        r.HoleResultCounts[k] = holeResultCount(k);
    r.ParOnCount = parOnCount();
    return r;
}

ScoreCards::ScoreCards(const QList<TScoreRecord> &cards)
{
    m_cards.reserve(cards.size());
    for (const TScoreRecord &card : cards)
        append(card);
}

ScoreCards::ScoreCards(std::initializer_list<TScoreRecord> cards)
{
    m_cards.reserve(qsizetype(cards.size()));
    for (const TScoreRecord &card : cards)
        append(card);
}

QList<TScoreRecord> ScoreCards::toList() const
{
    QList<TScoreRecord> list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list.append(at(i));
    return list;
}

void ScoreCards::clear()
{
    *this = ScoreCards();
}

void ScoreCards::insert(qsizetype i, const TScoreRecord &card)
{
    m_cards.insert(i, pack(card));
}

void ScoreCards::replace(qsizetype i, const TScoreRecord &card)
{
    m_cards[i] = pack(card);
}

void ScoreCards::keep(const QList<qsizetype> &order)
{
    QList<PackedCard> kept;
    kept.reserve(order.size());
    for (qsizetype i : order)
        kept.append(m_cards[i]);
    m_cards = std::move(kept);
}

PackedCard ScoreCards::pack(const TScoreRecord &card)
{
    PackedCard p;
    p.roundDate = card.RoundDate;
    p.handicap = card.Handicap;
    p.netScore = card.NetScore;
    bool packs = packNumbers(numbersOf(card), p);
    for (int k = 0; packs && k < Packed::PuttCount; ++k) {
        const int id = puttId(k < 18 ? card.Putt[k] : card.PuttTotal[k - 18]);
        packs = id >= 0;
        p.putts[k] = quint8(id);
    }
    if (!packs) {
        p.whole = qint32(m_whole.size());
        m_whole.append(card);
        return p;
    }
    p.texts[Packed::LinksName] = textId(card.LinksName);
    p.texts[Packed::Weather] = textId(card.Weather);
    for (int h = 0; h < 2; ++h) {
        p.texts[Packed::CourseName + h] = textId(card.CourseName[h]);
        p.texts[Packed::Green + h] = textId(card.Green[h]);
        p.texts[Packed::Tee + h] = textId(card.Tee[h]);
    }
    for (int k = 0; k < 3; ++k)
        p.texts[Packed::Partner + k] = textId(card.Partner[k]);
    p.texts[Packed::Memo] = textId(card.Memo);
    return p;
}

quint32 ScoreCards::textId(const QString &text)
{
    if (text.isEmpty())
        return 0;
    // The table of places is made only once a card comes as a record: a file read whole
    // never needs it.
    if (m_textIds.isEmpty())
        for (qsizetype k = 1; k < m_texts.size(); ++k)
            m_textIds.insert(m_texts[k], quint32(k));
    const auto it = m_textIds.constFind(text);
    if (it != m_textIds.cend())
        return *it;
    const quint32 id = quint32(m_texts.size());
    m_texts.append(text);
    m_textIds.insert(text, id);
    return id;
}

int ScoreCards::puttId(const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (m_puttIds.isEmpty())
        for (qsizetype k = 1; k < m_putts.size(); ++k)
            m_puttIds.insert(m_putts[k].text, quint8(k));
    const auto it = m_puttIds.constFind(text);
    if (it != m_puttIds.cend())
        return *it;
    const int id = addPutt(text);
    if (id >= 0)
        m_puttIds.insert(text, quint8(id));
    return id;
}

int ScoreCards::addPutt(const QString &text)
{
    if (m_putts.size() >= kMostPutts)
        return -1;
    m_putts.append({text, puttCount(text)});
    return int(m_putts.size() - 1);
}

ScoreCards::Reader::Reader(ScoreCards &cards) : m_cards(cards), m_puttIds(1 + 256 + 65536, -1) { }

quint32 ScoreCards::Reader::textId(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return 0;
    // Looked up without a copy; a new text keeps the same bytes as its key.
    const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
    const auto it = m_textIds.constFind(key);
    if (it != m_textIds.cend())
        return *it;
    const quint32 id = quint32(m_cards.m_texts.size());
    m_cards.m_texts.append(sjis::decode(bytes));
    m_cards.m_textIds.clear(); // made afresh when next needed
    m_textIds.insert(key, id);
    return id;
}

int ScoreCards::Reader::puttId(QByteArrayView bytes)
{
    // Two bytes at most: every possible field has a place of its own.
    const auto b = [&bytes](int k) { return int(static_cast<unsigned char>(bytes[k])); };
    const size_t key = bytes.size() == 0 ? 0
        : bytes.size() == 1              ? size_t(1 + b(0))
                                         : size_t(1 + 256 + (b(0) << 8 | b(1)));
    qint16 &id = m_puttIds[key];
    if (id < 0) {
        id = qint16(bytes.isEmpty() ? 0 : m_cards.addPutt(sjis::decode(bytes)));
        m_cards.m_puttIds.clear();
    }
    return id;
}

void ScoreCards::Reader::append(QByteArrayView stored)
{
    namespace L = ScoreLayout;
    Q_ASSERT(stored.size() >= RecordLayout<TScoreRecord>::Size);
    PackedCard p;
    p.roundDate = storedDate(stored);
    p.handicap = storedSingle(stored, L::Handicap);
    p.netScore = storedSingle(stored, L::NetScore);
    bool packs = packNumbers(numbersOf(stored), p);
    for (int k = 0; packs && k < Packed::PuttCount; ++k) {
        const int at = k < 18 ? L::Putt + 3 * k : L::PuttTotal + 3 * (k - 18);
        const int id = puttId(storedText(stored, at, FieldSize::Putt));
        packs = id >= 0;
        p.putts[k] = quint8(id);
    }
    if (!packs) {
        p.whole = qint32(m_cards.m_whole.size());
        m_cards.m_whole.append(decodeRecord<TScoreRecord>(stored));
        m_cards.m_cards.append(p);
        return;
    }
    auto text = [&](int at, int maxBytes) { return textId(storedText(stored, at, maxBytes)); };
    p.texts[Packed::LinksName] = text(L::LinksName, FieldSize::LinksName);
    p.texts[Packed::Weather] = text(L::Weather, FieldSize::Weather);
    for (int h = 0; h < 2; ++h) {
        p.texts[Packed::CourseName + h] = text(L::CourseName + 31 * h, FieldSize::CourseName);
        p.texts[Packed::Green + h] = text(L::Green + 9 * h, FieldSize::Green);
        p.texts[Packed::Tee + h] = text(L::Tee + 11 * h, FieldSize::Tee);
    }
    for (int k = 0; k < 3; ++k)
        p.texts[Packed::Partner + k] = text(L::Partner + 21 * k, FieldSize::Partner);
    p.texts[Packed::Memo] = text(L::Memo, FieldSize::Memo);
    m_cards.m_cards.append(p);
}

QByteArray encodeRecords(const ScoreCards &cards)
{
    QByteArray data;
    data.reserve(cards.size() * RecordLayout<TScoreRecord>::Size);
    for (qsizetype i = 0; i < cards.size(); ++i)
        data.append(encodeRecord(cards.card(i).record()));
    return data;
}

QStringList playedLinks(const ScoreCards &cards)
{
    QHash<QString, qsizetype> last;
    for (qsizetype i = 0; i < cards.size(); ++i)
        last.insert(cards.card(i).linksName(), i);
    QStringList links = {QStringLiteral("全て")};
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const QString &name = cards.card(i).linksName();
        if (last.value(name) == i)
            links.append(name);
    }
    return links;
}
