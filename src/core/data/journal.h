#pragma once

#include "datafile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Changes that span several files (a club renamed in the courses, schedules and cards), made
// all-or-nothing across a crash. The new contents go into pending files beside their targets
// first; a journal in the data folder names them, and only once every pending file is whole
// does the journal say so and the files take their places. The next start finishes a change
// whose journal says it was complete and drops one that was not.
namespace journal {

// One file of such a change: its new bytes, or its removal. Bytes given as pieces (which
// must stay valid until the save returns) are written instead of data.
struct FileWrite {
    QString path;
    QByteArray data;
    bool remove = false;
    datafile::Pieces pieces = {};
};

// Called before every step that leaves a mark on the disk; false stops the change right
// there, as a crash would. The tests and the crash check stop or kill a change this way.
using StepHook = std::function<bool(const QString &step)>;

QString journalPath(const QString &dir);

// Writes every file of the change, or none of them. Failures come back as texts for the
// user; a change stopped by the hook answers false with no text.
bool saveAll(const QString &dir, const QList<FileWrite> &writes, const StepHook &hook,
    QStringList *errors);

// Finishes or drops a change a crash left behind; returns what it did, in words for the user.
QStringList recover(const QString &dir);

// The files a journal names, or false when the bytes are not a journal of ours.
bool parsePlan(const QByteArray &data, QStringList *targets);

// The file a save of `path` really replaces: a symbolic link is followed to its end.
QString resolvedTarget(const QString &path);

} // namespace journal
