#pragma once

#include "records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QDate;

// Reading and writing whole data files. Nothing here shows a dialog: failures come back as
// false with a text for the window to show.
namespace datafile {

// A missing file reads as empty and is not an error. A file too large to be held (more than
// maxFileBytes, or more than memory allows) is a read error like any other.
bool readBytes(const QString &path, QByteArray *data, QString *error);
constexpr qint64 maxFileBytes = qint64(512) * 1024 * 1024;

// A failure to read or write a file as the user is told it: what failed, the file, and why.
QString readError(const QString &path, const QString &reason);
QString writeError(const QString &path, const QString &reason);

// After a rename the folder's entry itself must reach the disk, or a power loss can still
// bring back the old name.
void syncDirectory(const QString &path);

// The steps by which the safe files reach the disk. Tests watch them, or make one fail as a
// failing disk would, through setDiskSteps; the program itself sets nothing.
enum class DiskStep {
    SyncFile, // a file's bytes onto the disk
    Commit, // a finished temporary file renamed over its file
    SyncFolder, // a folder's entries onto the disk
    Rename, // a file or folder renamed into its place
    Remove, // a file removed
};
// Asked before each step with the file or folder it concerns: 0 lets the step run, an errno
// makes it fail with that error instead.
using DiskSteps = std::function<int(DiskStep step, const QString &path)>;
void setDiskSteps(DiskSteps steps);
// What the steps set say to this one: 0 when none is set.
int diskStep(DiskStep step, const QString &path);

// A name to keep a copy under: `stem` itself, or the first of stem-2, stem-3, … that no file
// (nor a link, even one that leads nowhere) has taken, so that an earlier copy of the same
// day is never overwritten and nothing is written through a link.
QString freeName(const QString &stem);
// Where the bytes of a file that is about to be replaced are kept: "<file>.damaged-yyyy-MM-dd",
// numbered on when that day has one already.
QString keptAsideName(const QString &path, const QDate &day);

// The names of the data files in the program's folder: Golfer.dat, Links.dat, Course.dat,
// HoleHdcp.json, a golfer's <name>.yti, <name>.sce, <name>.ratings.json and
// <name>.details.json, and the competitions' Compe/<name>.json. A name read from a journal or
// a backup's list passes this before it becomes part of a path.
bool isDataFileName(const QString &name);
// The folder of the competitions' files, beside the data files. Only a real folder is used:
// a link there would lead the data folder's files elsewhere.
QString compeFolder();

// Writes through a temporary file that replaces the old one only when it is complete, so a
// failure at any moment leaves the previous file whole.
bool saveBytes(const QString &path, const QByteArray &data, QString *error);

// The bytes of a file as pieces written back to back, so that a file made mostly of bytes
// already held is written without first being copied into one block. The pieces point into
// memory that their maker keeps until the save returns.
using Pieces = QList<QByteArrayView>;
bool savePieces(const QString &path, const Pieces &pieces, QString *error);

template <class T> bool readRecords(const QString &path, QList<T> *list, QString *error)
{
    QByteArray data;
    const bool ok = readBytes(path, &data, error);
    *list = decodeRecords<T>(data);
    return ok;
}

template <class T> bool writeRecords(const QString &path, const QList<T> &list, QString *error)
{
    return saveBytes(path, encodeRecords(list), error);
}

// The lines of a text or of its bytes: a line ends at CR, LF or CR LF, and a final line
// break ends the last line without starting an empty one.
template <class Text> QList<Text> splitLines(const Text &text)
{
    QList<Text> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// The golfer list: Shift-JIS text, one name a line, CR LF after every line. The file is
// decoded whole: a lone lead byte before a line break decodes otherwise line by line.
QStringList parseGolferList(const QByteArray &data);
QByteArray formatGolferList(const QStringList &names);

// The name as typed without ASCII blanks and full-width blanks at either end.
QString trimBlanks(const QString &name);

// A golfer's name becomes the stem of his two file names, so it must be a plain file name.
bool isUsableGolferName(const QString &name);

} // namespace datafile
