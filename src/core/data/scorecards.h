#pragma once

#include "records.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <vector>

class ScoreCards;

// A golfer's cards held compactly: a card as a TScoreRecord takes some 1,800 bytes, most of
// them for its 32 texts, while a tally reads a few of its numbers. Here each text is an index
// into a table of the texts that occur (names, weather and putts recur from card to card),
// and each number a 16-bit integer. A card holding a number that does not fit, or a putt
// text beyond the few hundred a table holds, is kept whole as a TScoreRecord: every card
// reads back exactly as it was put in.
//
// Reading a card as a TScoreRecord ([], at(), the iterators) builds the record; the tallies
// read the fields they need through card() instead.
struct PackedCard;

// The fields of one card, read without building a record: a card of ScoreCards, or any
// TScoreRecord. Valid while the cards (or the record) it reads stay unchanged.
class CardView
{
public:
    // Implicit, so that whatever reads a card reads a record just as well.
    CardView(const TScoreRecord &record) : m_record(&record) { }

    TDateTime roundDate() const;
    const QString &linksName() const;
    const QString &weather() const;
    const QString &courseName(int half) const;
    const QString &green(int half) const;
    const QString &tee(int half) const;
    qint32 yard(int hole) const;
    qint32 yardTotal(int half) const;
    qint32 yardSum() const;
    qint32 par(int hole) const;
    qint32 parTotal(int half) const;
    qint32 parSum() const;
    qint32 score(int hole) const;
    qint32 scoreTotal(int half) const;
    qint32 scoreSum() const;
    const QString &putt(int hole) const;
    const QString &puttTotal(int half) const;
    // The putts of the hole as puttCount() reads them.
    std::optional<int> putts(int hole) const;
    qint32 puttSum() const;
    float handicap() const;
    float netScore() const;
    const QString &partner(int k) const;
    qint32 partnerScore(int k) const;
    const QString &memo() const;
    qint32 holeResultCount(int k) const;
    qint32 parOnCount() const;

    TScoreRecord record() const;

private:
    friend class ScoreCards;
    CardView(const ScoreCards *cards, const PackedCard *packed) : m_cards(cards), m_packed(packed)
    { }
    qint32 number(int at) const;
    const QString &text(int at) const;

    const TScoreRecord *m_record = nullptr; // a record, or a card kept whole
    const ScoreCards *m_cards = nullptr;
    const PackedCard *m_packed = nullptr;
};

// Where each field stands in a packed card: the numbers in the order of the stored card.
namespace Packed {
enum Text {
    LinksName,
    Weather,
    CourseName,
    Green = CourseName + 2,
    Tee = Green + 2,
    Partner = Tee + 2,
    Memo = Partner + 3,
    TextCount
};
enum Number {
    Yard,
    YardTotal = Yard + 18,
    YardSum = YardTotal + 2,
    Par,
    ParTotal = Par + 18,
    ParSum = ParTotal + 2,
    Score,
    ScoreTotal = Score + 18,
    ScoreSum = ScoreTotal + 2,
    PuttSum,
    PartnerScore,
    HoleResultCounts = PartnerScore + 3,
    ParOnCount = HoleResultCounts + 7,
    NumberCount
};
constexpr int PuttCount = 20; // 18 holes, then the two halves' totals
} // namespace Packed

struct PackedCard {
    TDateTime roundDate = 0;
    float handicap = 0;
    float netScore = 0;
    std::array<quint32, Packed::TextCount> texts {}; // into ScoreCards' texts
    std::array<quint8, Packed::PuttCount> putts {}; // into ScoreCards' putt texts
    std::array<qint16, Packed::NumberCount> numbers {};
    qint32 whole = -1; // the card kept whole, in ScoreCards' records, or -1
};
Q_DECLARE_TYPEINFO(PackedCard, Q_RELOCATABLE_TYPE);

class ScoreCards
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = TScoreRecord;
        using difference_type = qsizetype;
        using reference = TScoreRecord;
        struct pointer {
            TScoreRecord record;
            const TScoreRecord *operator->() const { return &record; }
        };

        const_iterator() = default;
        TScoreRecord operator*() const { return (*m_cards)[m_i]; }
        pointer operator->() const { return {(*m_cards)[m_i]}; }
        TScoreRecord operator[](qsizetype k) const { return (*m_cards)[m_i + k]; }
        const_iterator &operator++() { return ++m_i, *this; }
        const_iterator operator++(int) { return {m_cards, m_i++}; }
        const_iterator &operator--() { return --m_i, *this; }
        const_iterator operator--(int) { return {m_cards, m_i--}; }
        const_iterator &operator+=(qsizetype k) { return m_i += k, *this; }
        const_iterator &operator-=(qsizetype k) { return m_i -= k, *this; }
        const_iterator operator+(qsizetype k) const { return {m_cards, m_i + k}; }
        const_iterator operator-(qsizetype k) const { return {m_cards, m_i - k}; }
        qsizetype operator-(const_iterator other) const { return m_i - other.m_i; }
        auto operator<=>(const const_iterator &other) const { return m_i <=> other.m_i; }
        bool operator==(const const_iterator &other) const { return m_i == other.m_i; }

    private:
        friend class ScoreCards;
        const_iterator(const ScoreCards *cards, qsizetype i) : m_cards(cards), m_i(i) { }
        const ScoreCards *m_cards = nullptr;
        qsizetype m_i = 0;
    };
    using iterator = const_iterator;
    using value_type = TScoreRecord;
    using size_type = qsizetype;

    ScoreCards() = default;
    // Implicit, so that code holding its cards as a list passes them as they are.
    ScoreCards(const QList<TScoreRecord> &cards);
    ScoreCards(std::initializer_list<TScoreRecord> cards);

    qsizetype size() const { return m_cards.size(); }
    qsizetype count() const { return m_cards.size(); }
    bool isEmpty() const { return m_cards.isEmpty(); }

    CardView card(qsizetype i) const;
    TScoreRecord at(qsizetype i) const { return card(i).record(); }
    TScoreRecord operator[](qsizetype i) const { return at(i); }
    TScoreRecord value(qsizetype i) const { return i >= 0 && i < size() ? at(i) : TScoreRecord(); }
    TScoreRecord first() const { return at(0); }
    TScoreRecord last() const { return at(size() - 1); }
    QList<TScoreRecord> toList() const;

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void clear();
    void reserve(qsizetype size) { m_cards.reserve(size); }
    void append(const TScoreRecord &card) { insert(size(), card); }
    void insert(qsizetype i, const TScoreRecord &card);
    void replace(qsizetype i, const TScoreRecord &card);
    void removeAt(qsizetype i) { m_cards.removeAt(i); }
    void move(qsizetype from, qsizetype to) { m_cards.move(from, to); }
    // Keeps the cards at the given places, in that order.
    void keep(const QList<qsizetype> &order);

    // Adds stored cards straight from their bytes (RecordLayout<TScoreRecord>::Size each),
    // with the texts of one reader decoded once for all.
    class Reader
    {
    public:
        explicit Reader(ScoreCards &cards);
        // The bytes must outlive the reader.
        void append(QByteArrayView stored);

    private:
        quint32 textId(QByteArrayView bytes);
        int puttId(QByteArrayView bytes);

        ScoreCards &m_cards;
        QHash<QByteArray, quint32> m_textIds; // keys point into the stored bytes
        std::vector<qint16> m_puttIds; // by length and bytes; -1 not met yet
    };

private:
    friend class CardView;
    struct PuttText {
        QString text;
        std::optional<int> count;
    };

    PackedCard pack(const TScoreRecord &card);
    quint32 textId(const QString &text);
    int puttId(const QString &text); // -1: the table is full
    int addPutt(const QString &text);

    QList<PackedCard> m_cards;
    QList<QString> m_texts {QString()};
    QList<PuttText> m_putts {PuttText()};
    QList<TScoreRecord> m_whole; // cards that do not pack
    // The places of the texts, made when a card is first added as a record.
    QHash<QString, quint32> m_textIds;
    QHash<QString, quint8> m_puttIds;
};

inline CardView ScoreCards::card(qsizetype i) const
{
    const PackedCard &p = m_cards[i];
    if (p.whole >= 0)
        return CardView(m_whole[p.whole]);
    return CardView(this, &p);
}

inline qint32 CardView::number(int at) const
{
    return m_packed->numbers[size_t(at)];
}
inline const QString &CardView::text(int at) const
{
    return m_cards->m_texts[m_packed->texts[size_t(at)]];
}

inline TDateTime CardView::roundDate() const
{
    return m_record ? m_record->RoundDate : m_packed->roundDate;
}
inline const QString &CardView::linksName() const
{
    return m_record ? m_record->LinksName : text(Packed::LinksName);
}
inline const QString &CardView::weather() const
{
    return m_record ? m_record->Weather : text(Packed::Weather);
}
inline const QString &CardView::courseName(int half) const
{
    return m_record ? m_record->CourseName[size_t(half)] : text(Packed::CourseName + half);
}
inline const QString &CardView::green(int half) const
{
    return m_record ? m_record->Green[size_t(half)] : text(Packed::Green + half);
}
inline const QString &CardView::tee(int half) const
{
    return m_record ? m_record->Tee[size_t(half)] : text(Packed::Tee + half);
}
inline qint32 CardView::yard(int hole) const
{
    return m_record ? m_record->Yard[size_t(hole)] : number(Packed::Yard + hole);
}
inline qint32 CardView::yardTotal(int half) const
{
    return m_record ? m_record->YardTotal[size_t(half)] : number(Packed::YardTotal + half);
}
inline qint32 CardView::yardSum() const
{
    return m_record ? m_record->YardSum : number(Packed::YardSum);
}
inline qint32 CardView::par(int hole) const
{
    return m_record ? m_record->Par[size_t(hole)] : number(Packed::Par + hole);
}
inline qint32 CardView::parTotal(int half) const
{
    return m_record ? m_record->ParTotal[size_t(half)] : number(Packed::ParTotal + half);
}
inline qint32 CardView::parSum() const
{
    return m_record ? m_record->ParSum : number(Packed::ParSum);
}
inline qint32 CardView::score(int hole) const
{
    return m_record ? m_record->Score[size_t(hole)] : number(Packed::Score + hole);
}
inline qint32 CardView::scoreTotal(int half) const
{
    return m_record ? m_record->ScoreTotal[size_t(half)] : number(Packed::ScoreTotal + half);
}
inline qint32 CardView::scoreSum() const
{
    return m_record ? m_record->ScoreSum : number(Packed::ScoreSum);
}
inline const QString &CardView::putt(int hole) const
{
    return m_record ? m_record->Putt[size_t(hole)]
                    : m_cards->m_putts[m_packed->putts[size_t(hole)]].text;
}
inline const QString &CardView::puttTotal(int half) const
{
    return m_record ? m_record->PuttTotal[size_t(half)]
                    : m_cards->m_putts[m_packed->putts[size_t(18 + half)]].text;
}
inline std::optional<int> CardView::putts(int hole) const
{
    return m_record ? puttCount(m_record->Putt[size_t(hole)])
                    : m_cards->m_putts[m_packed->putts[size_t(hole)]].count;
}
inline qint32 CardView::puttSum() const
{
    return m_record ? m_record->PuttSum : number(Packed::PuttSum);
}
inline float CardView::handicap() const
{
    return m_record ? m_record->Handicap : m_packed->handicap;
}
inline float CardView::netScore() const
{
    return m_record ? m_record->NetScore : m_packed->netScore;
}
inline const QString &CardView::partner(int k) const
{
    return m_record ? m_record->Partner[size_t(k)] : text(Packed::Partner + k);
}
inline qint32 CardView::partnerScore(int k) const
{
    return m_record ? m_record->PartnerScore[size_t(k)] : number(Packed::PartnerScore + k);
}
inline const QString &CardView::memo() const
{
    return m_record ? m_record->Memo : text(Packed::Memo);
}
inline qint32 CardView::holeResultCount(int k) const
{
    return m_record ? m_record->HoleResultCounts[size_t(k)] : number(Packed::HoleResultCounts + k);
}
inline qint32 CardView::parOnCount() const
{
    return m_record ? m_record->ParOnCount : number(Packed::ParOnCount);
}

// The clubs the cards were played at, for a choice of club: "全て", then each club once, at
// the place of its last card.
QStringList playedLinks(const ScoreCards &cards);

// The stored bytes of every card, back to back.
QByteArray encodeRecords(const ScoreCards &cards);
