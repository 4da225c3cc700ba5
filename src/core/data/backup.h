#pragma once

#include "journal.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// Copies of the data files in dated folders beside them (Backup/yyyy-MM-dd), made without
// asking. A folder is complete or absent: the files are copied into a hidden folder that is
// renamed only when everything in it has reached the disk. Each holds a list of its files
// with their sizes and checksums, so a file missing, cut short or changed is noticed.
// Nothing here shows anything: failures come back as texts.
namespace backup {

constexpr int kKept = 30; // daily copies kept; as many copies made before restores

// The data files of the folder that exist now: Golfer.dat, Links.dat, Course.dat, the side
// file of the courses' stroke indexes, and every golfer's schedule, score cards and ratings.
QStringList dataFiles(const QString &dataDir);

struct Result {
    bool ok = true;
    QString folder; // the name of the folder made, empty when there was nothing to copy
    QString error;
};

// Today's copy, unless one exists already; then the daily copies beyond the newest kKept go.
Result makeDailyBackup(const QString &dataDir, const QDate &today);
// The copy taken before a restore, Backup/yyyy-MM-dd_HHmmss, so that the restore can be
// undone; beyond the newest kKept such copies the oldest go.
Result makeRestoreBackup(const QString &dataDir, const QDateTime &now);

struct GolferCards {
    QString name;
    qint64 cards = 0;
};

struct Entry {
    QString name; // the folder's name
    QDateTime created;
    bool beforeRestore = false;
    QList<GolferCards> golfers; // as its Golfer.dat lists them
    qint64 cards = 0; // in all its score files
    QString damage; // why it cannot be restored; empty when it is whole

    bool damaged() const { return !damage.isEmpty(); }
};

// What a data file holds, as the user knows it: "鈴木一郎のスコアカード" for 鈴木一郎.sce,
// "ゴルフ場のファイル" for Links.dat.
QString fileDescription(const QString &fileName);

// Every copy, newest first. Sizes are checked here; checksums when a copy is restored.
QList<Entry> listBackups(const QString &dataDir);

// What a restore writes: the copy's files, read and checked against their checksums, and
// the data files the copy does not hold, which go.
struct RestorePlan {
    QList<std::pair<QString, QByteArray>> files;
    QStringList removals;
    QString error; // the copy is damaged or cannot be read: nothing may be written

    bool ok() const { return error.isEmpty(); }
};
RestorePlan planRestore(const QString &dataDir, const QString &name);
// Puts the copy's files in place and removes the others, all or none of them; returns the
// failures, and in `outcome` whether the folder is the copy's now (or will be, once a change
// that could not be finished is). The hook is called before each step, as in a journal's save.
QStringList applyRestore(const QString &dataDir, const RestorePlan &plan,
    const journal::StepHook &hook = {}, journal::Outcome *outcome = nullptr,
    const QDate &today = QDate::currentDate());

// The list a copy keeps of its files. Names in it are input too: only data file names pass.
struct Manifest {
    QString kind;
    QDateTime created;
    struct File {
        QString name;
        qint64 size = 0;
        QByteArray checksum; // hex
    };
    QList<File> files;
};
std::optional<Manifest> parseManifest(const QByteArray &bytes, QString *problem);

} // namespace backup
