#pragma once

#include "csv.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <limits>
#include <memory>

class QBuffer;
class QIODevice;

namespace csv {

constexpr qsizetype kNoLimit = std::numeric_limits<qsizetype>::max();

// Reads the records of a file one at a time, reading and decoding it a piece at a time, so that
// a large file is never held whole, decoded or not, nor as a list of all its fields. The bytes
// are checked first, as decode() checks them, in pieces too. A field longer than
// `longestField` characters is kept cut to that length and named in its record.
class Reader final
{
public:
    // A file open for reading, which must outlive the reader and stay unread by others.
    explicit Reader(QIODevice *device, qsizetype longestField = kNoLimit);
    // The bytes of a file.
    explicit Reader(const QByteArray &bytes, qsizetype longestField = kNoLimit);
    // Text already decoded.
    explicit Reader(const QString &text, qsizetype longestField = kNoLimit);
    ~Reader();

    // False once the bytes turned out to be no text, could not be read, or the quoting went
    // wrong; error() then tells where.
    bool ok() const { return !m_failed; }
    const Error &error() const { return m_error; }
    Encoding encoding() const { return m_encoding; }

    // The next record; false at the end of the text, or when it could not be read.
    bool next(Record *record);
    // How far through the file it has read, in thousandths.
    int permille() const;

private:
    void open(QIODevice *device);
    bool fill();
    // True when the character `ahead` places on is there, decoding more bytes as needed.
    bool have(qsizetype ahead = 0);
    bool fail(int line, int column, const QString &message);

    std::unique_ptr<QBuffer> m_ownBuffer;
    QIODevice *m_device = nullptr;
    qint64 m_size = 0; // bytes of the file after its byte-order mark
    qint64 m_read = 0; // of them read so far
    QStringDecoder m_decoder;
    QString m_buffer; // decoded text not yet read, from m_pos
    qsizetype m_pos = 0;
    qsizetype m_longest = kNoLimit;
    int m_line = 1;
    qsizetype m_width = 0; // fields of the last record
    bool m_failed = false;
    Error m_error;
    Encoding m_encoding = Encoding::Utf8;
};

} // namespace csv
