#pragma once

#include "records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <algorithm>

// The records of one file together with the bytes they were read from. A record that has not
// changed since it was read is written back byte for byte: its name may hold codes that
// decode to the same text as others (Shift-JIS gives some characters two codes) or bytes no
// converter can map, and a save must never rewrite a record the user did not touch.
template <class T> class RecordList
{
public:
    static constexpr int Size = RecordLayout<T>::Size;

    // Reads the whole records of a file; a trailing partial record is left out.
    void load(const QByteArray &data)
    {
        m_data = data;
        const qsizetype count = data.size() / Size;
        m_records = decodeRecords<T>(QByteArrayView(data).first(count * Size));
        m_offsets.resize(count);
        for (qsizetype i = 0; i < count; ++i)
            m_offsets[i] = i * Size;
    }
    void clear()
    {
        m_records.clear();
        m_offsets.clear();
        m_data.clear();
    }

    const QList<T> &list() const { return m_records; }
    qsizetype size() const { return m_records.size(); }
    bool isEmpty() const { return m_records.isEmpty(); }
    const T &operator[](qsizetype i) const { return m_records[i]; }

    // The bytes record i was read from; empty once it has changed.
    QByteArrayView storedBytes(qsizetype i) const
    {
        return m_offsets[i] < 0 ? QByteArrayView() : QByteArrayView(m_data).sliced(m_offsets[i], Size);
    }

    // A record about to change: it will be encoded anew.
    T &edit(qsizetype i)
    {
        m_offsets[i] = -1;
        return m_records[i];
    }
    void set(qsizetype i, const T &record) { edit(i) = record; }
    void insert(qsizetype i, const T &record)
    {
        m_records.insert(i, record);
        m_offsets.insert(i, -1);
    }
    void append(const T &record) { insert(m_records.size(), record); }
    void removeAt(qsizetype i)
    {
        m_records.removeAt(i);
        m_offsets.removeAt(i);
    }
    void move(qsizetype from, qsizetype to)
    {
        m_records.move(from, to);
        m_offsets.move(from, to);
    }
    // Keeps the records at the given places, in that order.
    void keep(const QList<qsizetype> &order)
    {
        QList<T> records;
        QList<qsizetype> offsets;
        records.reserve(order.size());
        offsets.reserve(order.size());
        for (qsizetype i : order) {
            records.append(std::move(m_records[i]));
            offsets.append(m_offsets[i]);
        }
        m_records = std::move(records);
        m_offsets = std::move(offsets);
    }

    // The file: unchanged records as read, the others encoded.
    QByteArray encode() const
    {
        QByteArray out;
        out.reserve(m_records.size() * Size);
        for (qsizetype i = 0; i < m_records.size(); ++i) {
            if (m_offsets[i] >= 0)
                out.append(m_data.constData() + m_offsets[i], Size);
            else
                out.append(encodeRecord(m_records[i]));
        }
        return out;
    }

private:
    QList<T> m_records;
    QList<qsizetype> m_offsets; // where each record's bytes stand in m_data; -1 once changed
    QByteArray m_data; // the file as read
};
