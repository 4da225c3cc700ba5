#pragma once

#include "datafile.h"
#include "records.h"
#include "scorecards.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <algorithm>
#include <type_traits>

// The records of one file held as their bytes: those read from the file, and those of each
// record changed since, encoded once when it changed. A record that has not changed is
// written back byte for byte: its name may hold codes that decode to the same text as others
// (Shift-JIS gives some characters two codes) or bytes no converter can map, and a save must
// never rewrite a record the user did not touch. So a save encodes nothing and copies
// nothing: the file is written from the pieces as they lie (until changes all over the file
// make the bytes worth laying out afresh, once).
//
// The decoded records are made on the first call that needs them all (list() or []); until
// then a record is decoded alone when asked for, and a dated record's date is read straight
// from its bytes. A large score file is thus read without decoding a card, and its texts are
// decoded once, sharing the storage of the names that recur from card to card. Score cards
// are decoded into the compact ScoreCards, the other records into a list of them.
template <class T> struct DecodedRecords {
    using type = QList<T>;
};
template <> struct DecodedRecords<TScoreRecord> {
    using type = ScoreCards;
};

template <class T> class RecordList
{
public:
    static constexpr int Size = RecordLayout<T>::Size;
    using Decoded = typename DecodedRecords<T>::type;

    // Where a record's bytes stand: an offset into m_data (as read) or -2 - an offset into
    // m_changed (changed since); and the date a dated record begins with.
    struct Slot {
        qsizetype at = 0;
        TDateTime date = 0;
    };

    // Reads the whole records of a file; a trailing partial record is left out. Only with
    // decodeNow are the records decoded at once.
    void load(const QByteArray &data, bool decodeNow = true)
    {
        clear();
        m_data = data;
        const qsizetype count = data.size() / Size;
        m_at.resize(count);
        for (qsizetype i = 0; i < count; ++i)
            m_at[i] = {i * Size, dateOf(QByteArrayView(m_data).sliced(i * Size, Size))};
        m_decoded = count == 0;
        if (decodeNow)
            list();
    }
    void clear()
    {
        m_records.clear();
        m_decoded = true; // nothing to decode
        m_at.clear();
        m_data.clear();
        m_changed.clear();
    }

    // The bytes as they stand, to go back to should a change fail. Cheap: the bytes are
    // shared, and the decoded records are left out, so a change after it copies none.
    struct Snapshot {
        QList<Slot> at;
        QByteArray data;
        QByteArray changed;
    };
    Snapshot snapshot() const { return {m_at, m_data, m_changed}; }
    // Back to the bytes of the snapshot; records decoded before are decoded again.
    void restore(const Snapshot &snapshot)
    {
        const bool decoded = m_decoded;
        m_at = snapshot.at;
        m_data = snapshot.data;
        m_changed = snapshot.changed;
        m_records.clear();
        m_decoded = m_at.isEmpty();
        if (decoded)
            list();
    }

    qsizetype size() const { return m_at.size(); }
    bool isEmpty() const { return m_at.isEmpty(); }

    // Every record, decoded on the first call and kept in step with every change from then
    // on. The list stays the same object for the life of this one.
    const Decoded &list() const
    {
        if (!m_decoded) {
            m_records.clear();
            m_records.reserve(m_at.size());
            if constexpr (kCompact) {
                ScoreCards::Reader reader(m_records);
                for (qsizetype i = 0; i < m_at.size(); ++i)
                    reader.append(bytesOf(i));
            } else {
                TextPool pool;
                for (qsizetype i = 0; i < m_at.size(); ++i)
                    m_records.append(decodeRecord<T>(bytesOf(i), &pool));
            }
            m_decoded = true;
        }
        return m_records;
    }
    // A reference into the list, or for a card a record made from it.
    decltype(auto) operator[](qsizetype i) const { return list()[i]; }

    // The golf club record i names, read without making a card.
    QString linksName(qsizetype i) const
    {
        if constexpr (kCompact)
            return list().card(i).linksName();
        else
            return list()[i].LinksName;
    }

    // One record, decoded by itself while the whole list is not.
    T record(qsizetype i) const
    {
        return m_decoded ? std::as_const(m_records)[i] : decodeRecord<T>(bytesOf(i));
    }

    // The date a card or a planned round begins with, kept beside the bytes so that looking
    // through the dates of every card costs little.
    TDateTime roundDate(qsizetype i) const { return m_at[i].date; }

    // The bytes record i was read from (or last saved from); empty once it has changed.
    QByteArrayView storedBytes(qsizetype i) const
    {
        return m_at[i].at < 0 ? QByteArrayView() : QByteArrayView(m_data).sliced(m_at[i].at, Size);
    }

    // A changed record is encoded at once, so that every record has its bytes.
    void set(qsizetype i, const T &record)
    {
        m_at[i] = store(record);
        if (m_decoded)
            m_records.replace(i, record);
    }
    void insert(qsizetype i, const T &record)
    {
        m_at.insert(i, store(record));
        if (m_decoded)
            m_records.insert(i, record);
    }
    void append(const T &record) { insert(size(), record); }
    void removeAt(qsizetype i)
    {
        m_at.removeAt(i);
        if (m_decoded)
            m_records.removeAt(i);
    }
    void move(qsizetype from, qsizetype to)
    {
        m_at.move(from, to);
        if (m_decoded)
            m_records.move(from, to);
    }
    // Keeps the records at the given places, in that order.
    void keep(const QList<qsizetype> &order)
    {
        QList<Slot> at;
        at.reserve(order.size());
        for (qsizetype i : order)
            at.append(m_at[i]);
        m_at = std::move(at);
        if (!m_decoded)
            return;
        if constexpr (kCompact) {
            m_records.keep(order);
        } else {
            QList<T> records;
            records.reserve(order.size());
            for (qsizetype i : order)
                records.append(std::move(m_records[i]));
            m_records = std::move(records);
        }
    }

    // The file, as pieces of the bytes held here; valid until this list next changes.
    datafile::Pieces pieces()
    {
        datafile::Pieces out = runs();
        // Changes all over the file (a club renamed in thousands of cards) would leave it in
        // thousands of pieces, and the encodings of records changed again pile up: the bytes
        // are then laid out afresh in file order, once, and later saves are whole again.
        if (out.size() > kMostPieces || m_changed.size() > m_at.size() * Size / 2 + kSpare) {
            QByteArray bytes;
            bytes.reserve(m_at.size() * Size);
            for (QByteArrayView piece : out)
                bytes.append(piece);
            m_data = bytes;
            m_changed.clear();
            for (qsizetype i = 0; i < m_at.size(); ++i)
                m_at[i].at = i * Size;
            out = runs();
        }
        return out;
    }
    // The file as one block.
    QByteArray encode()
    {
        QByteArray out;
        out.reserve(size() * Size);
        for (QByteArrayView piece : pieces())
            out.append(piece);
        return out;
    }

private:
    static constexpr bool kCompact = std::is_same_v<Decoded, ScoreCards>;
    static constexpr bool kDated = requires(const T &t) { t.RoundDate; };
    static constexpr qsizetype kMostPieces = 64;
    static constexpr qsizetype kSpare = 64 * 1024;

    // The records' bytes in order, neighbours in memory joined into one piece.
    datafile::Pieces runs() const
    {
        datafile::Pieces out;
        for (qsizetype i = 0; i < m_at.size(); ++i) {
            const qsizetype at = m_at[i].at;
            const qsizetype before = i > 0 ? m_at[i - 1].at : 0;
            const bool follows = i > 0
                && ((before >= 0 && at == before + Size) || (before < 0 && at == before - Size));
            if (follows)
                out.last() = QByteArrayView(out.last().data(), out.last().size() + Size);
            else
                out.append(bytesOf(i));
        }
        return out;
    }

    // Where the bytes of a changed record stand: its encoding, added to m_changed.
    Slot store(const T &record)
    {
        const qsizetype at = m_changed.size();
        m_changed.append(encodeRecord(record));
        return {-2 - at, dateOf(record)};
    }
    static TDateTime dateOf(QByteArrayView bytes)
    {
        if constexpr (kDated)
            return storedDate(bytes);
        return 0;
    }
    static TDateTime dateOf(const T &record)
    {
        if constexpr (kDated)
            return record.RoundDate;
        return 0;
    }
    QByteArrayView bytesOf(qsizetype i) const
    {
        const qsizetype at = m_at[i].at;
        return at >= 0 ? QByteArrayView(m_data).sliced(at, Size)
                       : QByteArrayView(m_changed).sliced(-2 - at, Size);
    }

    QList<Slot> m_at;
    QByteArray m_data; // the file as read, or as last laid out afresh
    QByteArray m_changed; // the encodings of records changed since, back to back
    mutable Decoded m_records; // every record decoded, once m_decoded
    mutable bool m_decoded = true;
};
