// What comes in from outside the data files: a CSV file of any bytes is read as records or
// refused with its place, the records written out read back the same, the reader that decodes
// a file piece by piece reads what the whole decoded text holds, and the cards found in it
// are checked; a backup's list of files is taken or refused.
#include "core/data/backup.h"
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/csvreader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString problem;
    backup::parseManifest(bytes, &problem);
    cardcolumns::readCards(bytes, {});

    QString text;
    csv::Encoding encoding;
    csv::Error error;
    QList<csv::Record> records;
    const bool decoded = csv::decode(bytes, &text, &encoding, &error);
    const bool parsed = decoded && csv::parse(text, &records, &error);
    csv::Reader reader(bytes);
    csv::Record record;
    qsizetype count = 0;
    while (reader.next(&record)) {
        if (count >= records.size() || record.fields != records[count].fields
            || record.line != records[count].line)
            std::abort();
        ++count;
    }
    if (reader.ok() != parsed || (parsed && count != records.size()))
        std::abort();
    if (!parsed)
        return 0;
    QList<QStringList> rows;
    for (const csv::Record &r : std::as_const(records))
        rows.append(r.fields);
    QList<csv::Record> again;
    if (!csv::parse(csv::format(rows), &again, &error) || again.size() != records.size())
        std::abort();
    for (qsizetype i = 0; i < again.size(); ++i)
        if (again[i].fields != records[i].fields)
            std::abort();
    return 0;
}
