#include "csvreader.h"

#include "csvplace.h"
#include "sjis.h"

#include <QBuffer>
#include <QIODevice>

namespace csv {

namespace {

// How much of a file is read at a time: to check it, and to decode and read its records.
constexpr qint64 kCheckPiece = qint64(1) << 20;
constexpr qint64 kPiece = 256 * 1024;

bool isControl(unsigned char b)
{
    return (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F;
}

// Offset of the first byte that is not well-formed UTF-8, or -1.
qsizetype firstBadUtf8(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int more;
        char32_t min;
        char32_t value;
        if ((b & 0xE0) == 0xC0) {
            more = 1, min = 0x80, value = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2, min = 0x800, value = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3, min = 0x10000, value = b & 0x07;
        } else {
            return i;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n)
                return i;
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return i;
            value = (value << 6) | (c & 0x3F);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return i;
        i += more + 1;
    }
    return -1;
}

// Offset of the first byte that cannot start or continue a Shift-JIS character, or -1.
qsizetype firstBadShiftJis(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF))
            continue;
        if (!sjis::isLeadByte(b) || i + 1 >= n)
            return i;
        const auto t = static_cast<unsigned char>(bytes[i + 1]);
        if (t < 0x40 || t == 0x7F || t > 0xFC)
            return i;
        ++i;
    }
    return -1;
}

// A UTF-8 character that the end of a piece cut short: its lead byte at `at`, and nothing after
// it but the bytes that continue it.
bool cutShortUtf8(QByteArrayView bytes, qsizetype at)
{
    const auto b = static_cast<unsigned char>(bytes[at]);
    const int length = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || bytes.size() - at >= length)
        return false;
    for (qsizetype k = at + 1; k < bytes.size(); ++k)
        if ((static_cast<unsigned char>(bytes[k]) & 0xC0) != 0x80)
            return false;
    return true;
}

// The first position of a file, from `start`, that a check of its pieces found bad: a piece is
// checked with what the last one left of a character cut short in front of it.
class PieceCheck
{
public:
    using Find = qsizetype (*)(QByteArrayView);
    using CutShort = bool (*)(QByteArrayView, qsizetype);
    PieceCheck(Find find, CutShort cutShort) : m_find(find), m_cutShort(cutShort) { }

    void feed(const QByteArray &piece, qint64 offset, bool last)
    {
        if (m_bad >= 0)
            return;
        const QByteArray bytes = m_carry + piece;
        const qint64 start = offset - m_carry.size();
        m_carry.clear();
        const qsizetype bad = m_find(bytes);
        if (bad < 0)
            return;
        if (!last && m_cutShort(bytes, bad))
            m_carry = bytes.sliced(bad);
        else
            m_bad = start + bad;
    }
    qint64 bad() const { return m_bad; }

private:
    Find m_find;
    CutShort m_cutShort;
    QByteArray m_carry;
    qint64 m_bad = -1;
};

bool cutShortShiftJis(QByteArrayView bytes, qsizetype at)
{
    return at == bytes.size() - 1 && sjis::isLeadByte(static_cast<unsigned char>(bytes[at]));
}

// The error at byte `at` of the file's body, which begins at `start`.
Error errorAt(QIODevice *device, qint64 start, qint64 at, const QString &message)
{
    Locator place;
    device->seek(start);
    for (qint64 done = 0; done < at;) {
        const QByteArray piece = device->read(std::min(kCheckPiece, at - done));
        if (piece.isEmpty())
            break;
        for (char c : piece)
            place.feed(char16_t(static_cast<unsigned char>(c)));
        done += piece.size();
    }
    return {place.line(), place.column(), QString(), message};
}

// Finds the encoding of a file and checks its bytes, a piece at a time: an empty file, bytes no
// text file holds and bytes of neither encoding are refused. The body, what follows a
// byte-order mark, begins at `start`. A Shift-JIS file is decoded once to find codes no
// character stands for.
bool detect(QIODevice *device, qint64 *start, Encoding *found, Error *error)
{
    auto fail = [error](const Error &e) {
        *error = e;
        return false;
    };
    const auto unreadable = [&fail, device] {
        return fail({0, 0, QString(),
            QStringLiteral("ファイルを読み込めません: ") + device->errorString()});
    };
    device->seek(0);
    const bool bom = device->read(3) == "\xEF\xBB\xBF";
    *start = bom ? 3 : 0;
    const qint64 size = device->size() - *start;
    if (size <= 0)
        return fail({1, 0, QString(), QStringLiteral("ファイルが空です")});

    PieceCheck utf8(firstBadUtf8, cutShortUtf8);
    PieceCheck shiftJis(firstBadShiftJis, cutShortShiftJis);
    device->seek(*start);
    for (qint64 offset = 0; offset < size;) {
        const QByteArray piece = device->read(std::min(kCheckPiece, size - offset));
        if (piece.isEmpty())
            return unreadable();
        for (qsizetype i = 0; i < piece.size(); ++i)
            if (isControl(static_cast<unsigned char>(piece[i])))
                return fail(errorAt(
                    device, *start, offset + i, QStringLiteral("テキストファイルではありません")));
        const bool last = offset + piece.size() >= size;
        utf8.feed(piece, offset, last);
        shiftJis.feed(piece, offset, last);
        offset += piece.size();
    }
    if (utf8.bad() < 0) {
        *found = bom ? Encoding::Utf8Bom : Encoding::Utf8;
        return true;
    }
    if (bom)
        return fail(errorAt(
            device, *start, utf8.bad(), QStringLiteral("UTF-8として読めない文字があります")));
    if (shiftJis.bad() < 0) {
        QStringDecoder decoder(sjis::kEncoding);
        device->seek(*start);
        for (qint64 offset = 0; offset < size && !decoder.hasError();) {
            const QByteArray piece = device->read(std::min(kCheckPiece, size - offset));
            if (piece.isEmpty())
                return unreadable();
            const QString text = decoder.decode(piece);
            offset += piece.size();
        }
        if (!decoder.hasError()) {
            *found = Encoding::ShiftJis;
            return true;
        }
    }
    // The encoding that read further is the one the file was meant to be in.
    return fail(errorAt(device, *start, qMax(utf8.bad(), shiftJis.bad()),
        QStringLiteral("UTF-8としてもShift-JISとしても読めない文字があります")));
}

} // namespace

bool decode(const QByteArray &bytes, QString *text, Encoding *found, Error *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    qint64 start = 0;
    Encoding encoding = Encoding::Utf8;
    Error problem;
    if (!detect(&buffer, &start, &encoding, &problem)) {
        if (error)
            *error = problem;
        return false;
    }
    const QByteArrayView body = QByteArrayView(bytes).sliced(start);
    if (encoding == Encoding::ShiftJis) {
        QStringDecoder decoder(sjis::kEncoding);
        *text = decoder.decode(body);
    } else {
        *text = QString::fromUtf8(body);
    }
    if (found)
        *found = encoding;
    return true;
}

Reader::Reader(QIODevice *device, qsizetype longestField) : m_longest(longestField)
{
    open(device);
}

Reader::Reader(const QByteArray &bytes, qsizetype longestField)
    : m_ownBuffer(std::make_unique<QBuffer>()), m_longest(longestField)
{
    m_ownBuffer->setData(bytes);
    m_ownBuffer->open(QIODevice::ReadOnly);
    open(m_ownBuffer.get());
}

Reader::Reader(const QString &text, qsizetype longestField)
    : m_buffer(text), m_longest(longestField)
{ }

Reader::~Reader() = default;

void Reader::open(QIODevice *device)
{
    qint64 start = 0;
    if (!detect(device, &start, &m_encoding, &m_error)) {
        m_failed = true;
        return;
    }
    m_device = device;
    m_size = device->size() - start;
    device->seek(start);
    // A second byte-order mark after the first goes as decode() takes it: as no character.
    m_decoder = m_encoding == Encoding::ShiftJis ? QStringDecoder(sjis::kEncoding)
                                                 : QStringDecoder(QStringDecoder::Utf8);
}

int Reader::permille() const
{
    if (m_device)
        return m_size > 0 ? int(m_read * 1000 / m_size) : 1000;
    return m_buffer.isEmpty() ? 1000 : int(m_pos * 1000 / m_buffer.size());
}

bool Reader::fill()
{
    if (!m_device || m_read >= m_size)
        return false;
    const QByteArray piece = m_device->read(std::min(kPiece, m_size - m_read));
    if (piece.isEmpty()) {
        // Cut short while reading: what was read must not pass for the whole file.
        fail(m_line, 0, QStringLiteral("ファイルを読み込めません: ") + m_device->errorString());
        m_read = m_size;
        return false;
    }
    // What was read goes; a record may still be reading from what is left of it.
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    m_buffer.append(QString(m_decoder.decode(piece)));
    m_read += piece.size();
    return true;
}

bool Reader::have(qsizetype ahead)
{
    while (m_pos + ahead >= m_buffer.size())
        if (!fill())
            return false;
    return true;
}

bool Reader::fail(int line, int column, const QString &message)
{
    if (m_failed)
        return false; // the first failure is the one to tell
    m_failed = true;
    m_error = {line, column, QString(), message};
    return false;
}

bool Reader::next(Record *out)
{
    if (m_failed || !have())
        return false;
    Record record;
    record.line = m_line;
    // Records of a file are as wide as each other: room for as many fields as the last had.
    record.fields.reserve(m_width);
    QList<int> lines;
    lines.reserve(m_width);
    bool spans = false;
    auto isEnd = [](QChar c) { return c == u',' || c == u'\r' || c == u'\n'; };

    while (true) {
        const int fieldLine = m_line;
        const int column = int(record.fields.size()) + 1;
        QString field;
        bool cut = false;
        // Keeps no more of a field than the limit, however long it runs on.
        auto take = [&](QStringView part) {
            const qsizetype room = m_longest - field.size();
            if (part.size() > room) {
                cut = true;
                part = part.first(room);
            }
            // Most fields are one piece of the text: made once at their size.
            if (field.isEmpty())
                field = part.toString();
            else
                field.append(part);
        };
        if (have() && m_buffer[m_pos] == u'"') {
            ++m_pos;
            while (true) {
                if (!have())
                    return fail(fieldLine, column, QStringLiteral("引用符が閉じられていません"));
                const QChar *p = m_buffer.constData();
                const qsizetype n = m_buffer.size();
                const qsizetype start = m_pos;
                while (m_pos < n && p[m_pos] != u'"' && p[m_pos] != u'\r' && p[m_pos] != u'\n')
                    ++m_pos;
                take(QStringView(p + start, m_pos - start));
                if (m_pos == n)
                    continue;
                const QChar c = p[m_pos];
                if (c == u'"') {
                    if (have(1) && m_buffer[m_pos + 1] == u'"') {
                        take(u"\"");
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                if (c == u'\n' || !(have(1) && m_buffer[m_pos + 1] == u'\n'))
                    ++m_line;
                take(QStringView(&c, 1));
                ++m_pos;
            }
            if (have() && !isEnd(m_buffer[m_pos]))
                return fail(m_line, column, QStringLiteral("閉じた引用符の後に文字があります"));
        } else {
            while (have()) {
                const QChar *p = m_buffer.constData();
                const qsizetype n = m_buffer.size();
                const qsizetype start = m_pos;
                while (m_pos < n && !isEnd(p[m_pos]) && p[m_pos] != u'"')
                    ++m_pos;
                take(QStringView(p + start, m_pos - start));
                if (m_pos == n)
                    continue;
                if (p[m_pos] == u'"')
                    return fail(m_line, column, QStringLiteral("引用符の位置が正しくありません"));
                break;
            }
        }
        if (cut)
            record.cutFields.append(int(record.fields.size()));
        record.fields.append(std::move(field));
        lines.append(fieldLine);
        if (fieldLine != record.line)
            spans = true;
        if (!have())
            break;
        if (m_buffer[m_pos] == u',') {
            ++m_pos;
            continue;
        }
        const bool crlf = m_buffer[m_pos] == u'\r' && have(1) && m_buffer[m_pos + 1] == u'\n';
        m_pos += crlf ? 2 : 1;
        ++m_line;
        break;
    }
    m_width = record.fields.size();
    if (spans)
        record.fieldLines = std::move(lines);
    *out = std::move(record);
    return true;
}

} // namespace csv
