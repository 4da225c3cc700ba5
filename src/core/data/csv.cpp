#include "csv.h"

#include "csvplace.h"
#include "csvreader.h"
#include "sjis.h"

namespace csv {

namespace {

Error errorAt(const QString &text, qsizetype at, const QString &message)
{
    Locator place;
    for (qsizetype i = 0; i < at && i < text.size(); ++i)
        place.feed(text[i].unicode());
    return {place.line(), place.column(), QString(), message};
}

constexpr qsizetype kShownCell = 40;

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
