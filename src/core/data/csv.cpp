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

bool decode(const QByteArray &bytes, QString *text, Encoding *found, Error *error)
{
    auto fail = [error](const Error &e) {
        if (error)
            *error = e;
        return false;
    };
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArrayView body = bom ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    if (body.isEmpty())
        return fail({1, 0, QString(), QStringLiteral("ファイルが空です")});
    for (qsizetype i = 0; i < body.size(); ++i)
        if (isControl(static_cast<unsigned char>(body[i])))
            return fail(errorAt(body, i, QStringLiteral("テキストファイルではありません")));

    const qsizetype badUtf8 = firstBadUtf8(body);
    if (badUtf8 < 0) {
        *text = QString::fromUtf8(body);
        if (found)
            *found = bom ? Encoding::Utf8Bom : Encoding::Utf8;
        return true;
    }
    if (bom)
        return fail(errorAt(body, badUtf8, QStringLiteral("UTF-8として読めない文字があります")));
    const qsizetype badShiftJis = firstBadShiftJis(body);
    if (badShiftJis < 0) {
        QStringDecoder decoder(sjis::kEncoding);
        *text = decoder.decode(body);
        if (!decoder.hasError()) {
            if (found)
                *found = Encoding::ShiftJis;
            return true;
        }
    }
    // The encoding that read further is the one the file was meant to be in.
    return fail(errorAt(body, qMax(badUtf8, badShiftJis),
        QStringLiteral("UTF-8としてもShift-JISとしても読めない文字があります")));
}

bool parse(const QString &text, QList<Record> *records, Error *error)
{
    records->clear();
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    Record record;
    record.line = 1;
    QList<int> lines;
    bool spans = false;
    auto fail = [error](int atLine, qsizetype column, const QString &message) {
        if (error)
            *error = {atLine, int(column), QString(), message};
        return false;
    };
    auto endRecord = [&] {
        if (spans)
            record.fieldLines = lines;
        records->append(std::move(record));
        record = Record();
        record.line = line;
        lines.clear();
        spans = false;
    };

    while (true) {
        const int fieldLine = line;
        const qsizetype column = record.fields.size() + 1;
        QString field;
        if (i < n && p[i] == QChar('"')) {
            ++i;
            while (true) {
                if (i >= n)
                    return fail(fieldLine, column, QStringLiteral("引用符が閉じられていません"));
                const QChar c = p[i];
                if (c == QChar('"')) {
                    if (i + 1 < n && p[i + 1] == QChar('"')) {
                        field += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (c == QChar('\n') || (c == QChar('\r') && !(i + 1 < n && p[i + 1] == '\n')))
                    ++line;
                field += c;
                ++i;
            }
            if (i < n && p[i] != QChar(',') && p[i] != QChar('\r') && p[i] != QChar('\n'))
                return fail(line, column, QStringLiteral("閉じた引用符の後に文字があります"));
        } else {
            const qsizetype start = i;
            while (i < n && p[i] != QChar(',') && p[i] != QChar('\r') && p[i] != QChar('\n')) {
                if (p[i] == QChar('"'))
                    return fail(line, column, QStringLiteral("引用符の位置が正しくありません"));
                ++i;
            }
            field = text.mid(start, i - start);
        }
        record.fields.append(std::move(field));
        lines.append(fieldLine);
        if (fieldLine != record.line)
            spans = true;
        if (i >= n) {
            endRecord();
            break;
        }
        if (p[i] == QChar(',')) {
            ++i;
            continue;
        }
        i += (p[i] == QChar('\r') && i + 1 < n && p[i + 1] == QChar('\n')) ? 2 : 1;
        ++line;
        endRecord();
        if (i >= n)
            break;
    }
    return true;
}

} // namespace csv
