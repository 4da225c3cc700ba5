#include "csv.h"

#include "sjis.h"

#include <QStringDecoder>

namespace csv {

namespace {

struct Place {
    int line = 1;
    int column = 1;
};

// The line and field of position `at`. Quotes, commas and line breaks are single bytes below
// 0x40 in both encodings, never part of a longer character, so the same walk serves bytes
// that could not be decoded and decoded text.
template <class Unit> Place locateBy(qsizetype size, qsizetype at, Unit unit)
{
    Place place;
    bool quoted = false;
    for (qsizetype i = 0; i < at && i < size; ++i) {
        const char16_t c = unit(i);
        if (c == u'"') {
            quoted = !quoted; // a doubled quote toggles twice
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < size && unit(i + 1) == u'\n')
                ++i;
            ++place.line;
            if (!quoted)
                place.column = 1;
        } else if (c == u',' && !quoted) {
            ++place.column;
        }
    }
    return place;
}

Error errorAt(QByteArrayView bytes, qsizetype at, const QString &message)
{
    const Place place
        = locateBy(bytes.size(), at, [bytes](qsizetype i) { return char16_t(uchar(bytes[i])); });
    return {place.line, place.column, QString(), message};
}

Error errorAt(const QString &text, qsizetype at, const QString &message)
{
    const Place place
        = locateBy(text.size(), at, [&text](qsizetype i) { return text[i].unicode(); });
    return {place.line, place.column, QString(), message};
}

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

bool needsQuotes(const QString &field, QChar separator)
{
    for (QChar c : field) {
        const char16_t u = c.unicode();
        if (c == separator || u == u'"' || u == u'\r' || u == u'\n')
            return true;
    }
    return false;
}

} // namespace

QString Error::message() const
{
    QString where;
    if (line > 0)
        where = QString::number(line) + QStringLiteral("行目");
    if (column > 0)
        where += QChar(' ') + QString::number(column) + QStringLiteral("列目");
    if (!columnName.isEmpty())
        where += QStringLiteral("（") + columnName + QStringLiteral("）");
    return where.isEmpty() ? text : where.trimmed() + QStringLiteral(": ") + text;
}

bool Record::isBlank() const
{
    for (const QString &f : fields)
        if (!f.isEmpty())
            return false;
    return true;
}

QString format(const QList<QStringList> &rows, QChar separator, QStringView lineEnd)
{
    QString out;
    qsizetype estimate = 0;
    for (const QStringList &row : rows)
        for (const QString &field : row)
            estimate += field.size() + 1;
    out.reserve(estimate + rows.size() * lineEnd.size() + 16);
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += separator;
            const QString &field = row[i];
            if (!needsQuotes(field, separator)) {
                out += field;
                continue;
            }
            out += QChar('"');
            for (QChar c : field) {
                if (c == QChar('"'))
                    out += QChar('"');
                out += c;
            }
            out += QChar('"');
        }
        out += lineEnd;
    }
    return out;
}

bool encode(const QString &text, Encoding encoding, QByteArray *bytes, Error *error)
{
    if (encoding != Encoding::ShiftJis) {
        *bytes = text.toUtf8();
        if (encoding == Encoding::Utf8Bom)
            bytes->prepend("\xEF\xBB\xBF");
        return true;
    }
    *bytes = QByteArray();
    QByteArray all;
    // The text must read back as it is.
    if (sjis::readsBack(text, &all)) {
        *bytes = all;
        return true;
    }
    // The first character that does not come back: the longest prefix that does, found by
    // halving, costs a few conversions however long the text.
    qsizetype good = 0;
    qsizetype bad = text.size();
    while (bad - good > 1) {
        qsizetype mid = good + (bad - good) / 2;
        if (text[mid - 1].isHighSurrogate())
            ++mid;
        if (mid >= bad)
            break;
        if (sjis::readsBack(QStringView(text).first(mid)))
            good = mid;
        else
            bad = mid;
    }
    if (error) {
        const qsizetype width = text[good].isHighSurrogate() ? 2 : 1;
        *error = errorAt(text, good,
            QStringLiteral("「%1」はShift-JISで書けない文字です").arg(text.mid(good, width)));
    }
    return false;
}

namespace {

constexpr qsizetype kPiece = 256 * 1024;
constexpr qsizetype kShownCell = 40;

// Finds the encoding of a file and checks its bytes: an empty file, bytes no text file holds
// and bytes of neither encoding are refused. `body` is what follows a byte-order mark; a
// Shift-JIS file is decoded once, piece by piece, to find codes no character stands for.
bool detect(QByteArrayView bytes, QByteArrayView *body, Encoding *found, Error *error)
{
    auto fail = [error](const Error &e) {
        if (error)
            *error = e;
        return false;
    };
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    *body = bom ? bytes.sliced(3) : bytes;
    if (body->isEmpty())
        return fail({1, 0, QString(), QStringLiteral("ファイルが空です")});
    for (qsizetype i = 0; i < body->size(); ++i)
        if (isControl(static_cast<unsigned char>((*body)[i])))
            return fail(errorAt(*body, i, QStringLiteral("テキストファイルではありません")));

    const qsizetype badUtf8 = firstBadUtf8(*body);
    if (badUtf8 < 0) {
        *found = bom ? Encoding::Utf8Bom : Encoding::Utf8;
        return true;
    }
    if (bom)
        return fail(errorAt(*body, badUtf8, QStringLiteral("UTF-8として読めない文字があります")));
    const qsizetype badShiftJis = firstBadShiftJis(*body);
    if (badShiftJis < 0) {
        QStringDecoder decoder(sjis::kEncoding);
        for (qsizetype at = 0; at < body->size() && !decoder.hasError(); at += kPiece) {
            const QString piece
                = decoder.decode(body->sliced(at, std::min(kPiece, body->size() - at)));
        }
        if (!decoder.hasError()) {
            *found = Encoding::ShiftJis;
            return true;
        }
    }
    // The encoding that read further is the one the file was meant to be in.
    return fail(errorAt(*body, qMax(badUtf8, badShiftJis),
        QStringLiteral("UTF-8としてもShift-JISとしても読めない文字があります")));
}

bool startsLikeFormula(QStringView text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r': return true;
    case u'\'': return startsLikeFormula(text.sliced(1));
    default: return false;
    }
}

bool isNumber(const QString &text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok && !text.isEmpty() && !text.front().isSpace() && !text.back().isSpace();
}

} // namespace

bool decode(const QByteArray &bytes, QString *text, Encoding *found, Error *error)
{
    QByteArrayView body;
    Encoding encoding = Encoding::Utf8;
    if (!detect(bytes, &body, &encoding, error))
        return false;
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

QString protectText(const QString &text)
{
    return startsLikeFormula(text) ? QChar(u'\'') + text : text;
}

QString protectCell(const QString &text)
{
    return isNumber(text) ? text : protectText(text);
}

QString unprotectText(const QString &text)
{
    return text.startsWith(QChar(u'\'')) && startsLikeFormula(QStringView(text).sliced(1))
        ? text.sliced(1)
        : text;
}

QString shownCell(const QString &text)
{
    if (text.size() <= kShownCell)
        return text;
    qsizetype end = kShownCell;
    if (text[end - 1].isHighSurrogate())
        --end;
    return text.left(end) + QStringLiteral("…");
}

Reader::Reader(const QByteArray &bytes, qsizetype longestField) : m_longest(longestField)
{
    QByteArrayView body;
    if (!detect(bytes, &body, &m_encoding, &m_error)) {
        m_failed = true;
        return;
    }
    m_bytes = body;
    // The byte-order mark is gone already; one more at the start is a character of the text.
    m_decoder = m_encoding == Encoding::ShiftJis
        ? QStringDecoder(sjis::kEncoding)
        : QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
}

Reader::Reader(const QString &text, qsizetype longestField)
    : m_buffer(text), m_longest(longestField)
{ }

int Reader::permille() const
{
    if (!m_bytes.isEmpty())
        return int(m_read * 1000 / m_bytes.size());
    return m_buffer.isEmpty() ? 1000 : int(m_pos * 1000 / m_buffer.size());
}

bool Reader::fill()
{
    if (m_read >= m_bytes.size())
        return false;
    // What was read goes; a record may still be reading from what is left of it.
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype n = std::min(kPiece, m_bytes.size() - m_read);
    m_buffer.append(QString(m_decoder.decode(m_bytes.sliced(m_read, n))));
    m_read += n;
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
    QList<int> lines;
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
    if (spans)
        record.fieldLines = std::move(lines);
    *out = std::move(record);
    return true;
}

bool parse(const QString &text, QList<Record> *records, Error *error)
{
    records->clear();
    Reader reader(text);
    Record record;
    while (reader.next(&record))
        records->append(std::move(record));
    if (!reader.ok() && error)
        *error = reader.error();
    return reader.ok();
}

} // namespace csv
