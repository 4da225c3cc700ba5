#pragma once

#include "datafile.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Changes that span several files (a club renamed in the courses, schedules and cards), made
// all-or-nothing across a crash. The new contents go into pending files beside their targets
// first ("<name>.pending"); a journal in the data folder names them by their names in that
// folder, with the size and checksum of each, and only once every pending file is whole does
// the journal say so and the files take their places. The next start finishes a change whose
// journal says it was complete and whose pending files are the ones it names, and drops one
// that was not complete. A journal is input like any file: one that names anything but the
// data files of its own folder, or that cannot be read as ours, is kept aside untouched.
namespace journal {

// One file of such a change: its new bytes, or its removal. Bytes given as pieces (which
// must stay valid until the save returns) are written instead of data. The file must be a
// data file of the folder the change is saved in.
struct FileWrite {
    QString path;
    QByteArray data;
    bool remove = false;
    datafile::Pieces pieces = {};
    // A link in the folder is replaced by the new file itself, never written through; a
    // restore puts its files in place so.
    bool replaceLink = false;
};

// Called before every step that leaves a mark on the disk; false stops the change right
// there, as a crash would. The tests and the crash check stop or kill a change this way.
using StepHook = std::function<bool(const QString &step)>;

QString journalPath(const QString &dir);

// What became of a change.
enum class Outcome {
    Written, // every file is as the change leaves it
    NotWritten, // no file was changed: the change failed or was refused before its commit
    // The change was committed, but some files could not take their places yet; the journal
    // holds it, and it is finished before the next save that needs its files, or at the next
    // start. What it will leave is the change as a whole.
    Pending,
};

// Writes every file of the change, or none of them. A change left pending in the folder is
// finished first; while it cannot be, no save of a file it holds runs, nor any change across
// files. Failures come back as texts for the user; a change stopped by the hook gives none.
Outcome save(const QString &dir, const QList<FileWrite> &writes, const StepHook &hook,
    QStringList *errors, const QDate &today = QDate::currentDate());
inline bool saveAll(
    const QString &dir, const QList<FileWrite> &writes, const StepHook &hook, QStringList *errors)
{
    return save(dir, writes, hook, errors) == Outcome::Written;
}

// Finishes or drops a change a crash left behind; returns what it did, in words for the user.
// A journal that does not check out is kept aside as "Kestro.journal.damaged-<today>".
QStringList recover(const QString &dir, const QDate &today = QDate::currentDate());

// Tries to finish a change left pending before another save. True when no journal is left;
// otherwise `held` gets the names of the files the change still holds (none when its journal
// cannot be read at all). `notes` gets what was done.
bool settlePending(
    const QString &dir, const QDate &today, QStringList *notes, QStringList *held = nullptr);

// The names of the files a journal names, or false when the bytes are not a journal of ours.
bool parsePlan(const QByteArray &data, QStringList *targets);

// The file a save of `path` really replaces: a symbolic link is followed to its end.
QString resolvedTarget(const QString &path);

} // namespace journal
