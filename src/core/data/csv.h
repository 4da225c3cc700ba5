#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Comma-separated text as spreadsheets exchange it: a field is quoted when it holds a comma,
// a quote or a line break, quotes inside it are doubled, and every record ends with CR LF.
// Nothing here shows anything: a problem comes back with the line and field it was found at.
namespace csv {

enum class Encoding {
    Utf8, // read without a byte-order mark
    Utf8Bom, // written with one: spreadsheets on Japanese desktops need it to see UTF-8
    ShiftJis, // code page 932, for older tools
};

// Where reading or writing stopped: the line of the file (from 1), the field of the record
// (from 1; 0 when the problem is not in one field) and, where known, the field's heading.
struct Error {
    int line = 0;
    int column = 0;
    QString columnName;
    QString text;

    // "3行目 5列目（天気）: …"
    QString message() const;
};

// One record of the file, with the line each of its fields begins on.
struct Record {
    int line = 0;
    QStringList fields;
    QList<int> fieldLines; // empty when the whole record stands on one line
    QList<int> cutFields; // fields longer than the reader keeps, cut to that length

    int lineOf(qsizetype field) const
    {
        return field >= 0 && field < fieldLines.size() ? fieldLines[field] : line;
    }
    bool isBlank() const;
};

// The same rules serve other separators and line ends (tabs and line feeds for a paste).
QString format(
    const QList<QStringList> &rows, QChar separator = u',', QStringView lineEnd = u"\r\n");

// The text in the encoding, with a byte-order mark for Utf8Bom. False, with the place of
// the first character that has no form in Shift-JIS, when the text would not come back as
// it is.
bool encode(const QString &text, Encoding encoding, QByteArray *bytes, Error *error);

// Recognises UTF-8 with or without a byte-order mark and Shift-JIS. Refuses an empty file,
// one that holds bytes no text file holds, and one that is neither encoding. (A large file is
// read with a Reader, which never holds it decoded whole.)
bool decode(const QByteArray &bytes, QString *text, Encoding *found, Error *error);

// Splits the text into records. Refuses a quoted field that never ends and quotes in the
// wrong place. A line break at the very end ends the last record.
bool parse(const QString &text, QList<Record> *records, Error *error);

// A spreadsheet takes a cell that begins with "=", "+", "-", "@", a tab or a carriage return
// for a formula and runs it. Such a text goes out behind a single quote, which spreadsheets
// show as text; so does a text that already begins with a quote before one of those, so
// that reading it back takes off exactly the quote that was put on.
QString protectText(const QString &text);
// A cell of a list that mixes texts and numbers: a number stays as it is.
QString protectCell(const QString &text);
// The text as it was before protectText: one leading quote taken off where it put one.
QString unprotectText(const QString &text);

// At most about 40 characters of a cell for a message, with "…" when there was more: a
// message quoting a cell of megabytes would take the window with it.
QString shownCell(const QString &text);

} // namespace csv
