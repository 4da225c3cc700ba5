#include "journal.h"

#include "datafile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace journal {

namespace {

const QByteArray kMagic = "kestro-journal 1";
const QByteArray kPrepared = "prepared";
const QByteArray kComplete = "complete";

struct Entry {
    QString target;
    QString pending; // empty for a removal
};

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

QByteArray format(const QByteArray &state, const QList<Entry> &entries)
{
    QByteArray out = kMagic + '\n' + state + '\n';
    for (const Entry &e : entries) {
        if (e.pending.isEmpty())
            out += "R " + e.target.toUtf8().toPercentEncoding() + '\n';
        else
            out += "W " + e.target.toUtf8().toPercentEncoding() + ' '
                + e.pending.toUtf8().toPercentEncoding() + '\n';
    }
    return out;
}

bool parse(const QByteArray &data, QByteArray *state, QList<Entry> *entries)
{
    const QList<QByteArray> lines = data.split('\n');
    if (lines.size() < 3 || lines[0] != kMagic || !lines.last().isEmpty())
        return false;
    *state = lines[1];
    if (*state != kPrepared && *state != kComplete)
        return false;
    for (qsizetype i = 2; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split(' ');
        auto path = [](const QByteArray &encoded) {
            return QString::fromUtf8(QByteArray::fromPercentEncoding(encoded));
        };
        if (parts.size() == 2 && parts[0] == "R" && !parts[1].isEmpty())
            entries->append({path(parts[1]), QString()});
        else if (parts.size() == 3 && parts[0] == "W" && !parts[1].isEmpty() && !parts[2].isEmpty())
            entries->append({path(parts[1]), path(parts[2])});
        else
            return false;
    }
    return true;
}

// The pending file takes the place of its target in one step, or not at all.
bool replace(const QString &pending, const QString &target, QString *reason)
{
    if (std::rename(QFile::encodeName(pending).constData(), QFile::encodeName(target).constData())
        == 0)
        return true;
    *reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool removeTarget(const QString &target, QString *reason)
{
    if (std::remove(QFile::encodeName(target).constData()) == 0 || errno == ENOENT)
        return true;
    *reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

void syncFolders(const QList<Entry> &entries)
{
    QStringList done;
    for (const Entry &e : entries) {
        const QString folder = QFileInfo(e.target).absolutePath();
        if (!done.contains(folder)) {
            done.append(folder);
            datafile::syncDirectory(e.target);
        }
    }
}

// Finishes the change: each pending file over its target, each removal done.
QStringList complete(const QList<Entry> &entries)
{
    QStringList errors;
    for (const Entry &e : entries) {
        QString reason;
        bool ok;
        if (e.pending.isEmpty())
            ok = removeTarget(e.target, &reason);
        else
            ok = !QFileInfo::exists(e.pending) || replace(e.pending, e.target, &reason);
        if (!ok)
            errors.append(datafile::writeError(e.target, reason));
    }
    syncFolders(entries);
    return errors;
}

bool write(const QString &path, const FileWrite &w, QString *error)
{
    return w.pieces.isEmpty() ? datafile::saveBytes(path, w.data, error)
                              : datafile::savePieces(path, w.pieces, error);
}

void dropPending(const QList<Entry> &entries)
{
    for (const Entry &e : entries)
        if (!e.pending.isEmpty())
            QFile::remove(e.pending);
}

} // namespace

bool parsePlan(const QByteArray &data, QStringList *targets)
{
    QByteArray state;
    QList<Entry> entries;
    if (!parse(data, &state, &entries))
        return false;
    for (const Entry &e : entries)
        targets->append(e.target);
    return true;
}

QString journalPath(const QString &dir)
{
    return QDir(dir).filePath(QStringLiteral("Kestro.journal"));
}

QString resolvedTarget(const QString &path)
{
    // As the safe save does: follow the link even when its end does not exist yet.
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.absoluteFilePath();
}

bool saveAll(const QString &dir, const QList<FileWrite> &writes, const StepHook &hook,
    QStringList *errors)
{
    auto step = [&](const QString &what) { return !hook || hook(what); };
    QStringList unread;
    if (!errors)
        errors = &unread;
    if (writes.isEmpty())
        return true;
    const auto written = std::count_if(
        writes.cbegin(), writes.cend(), [](const FileWrite &w) { return !w.remove; });
    if (written <= 1) {
        // One file is replaced whole by the safe save alone; files to remove go after it, so
        // a crash in between leaves them only as files nothing names any more.
        for (const FileWrite &w : writes) {
            if (w.remove)
                continue;
            if (!step(QStringLiteral("write ") + nameOf(w.path)))
                return false;
            QString error;
            if (!write(w.path, w, &error)) {
                errors->append(error);
                return false;
            }
        }
        for (const FileWrite &w : writes) {
            if (!w.remove)
                continue;
            if (!step(QStringLiteral("remove ") + nameOf(w.path)))
                return false;
            QFile::remove(w.path);
        }
        return true;
    }

    QList<Entry> entries;
    for (const FileWrite &w : writes) {
        const QString target = resolvedTarget(w.path);
        entries.append({target, w.remove ? QString() : target + QStringLiteral(".pending")});
    }
    const QString journalFile = journalPath(dir);
    QString error;
    if (!step(QStringLiteral("journal")))
        return false;
    if (!datafile::saveBytes(journalFile, format(kPrepared, entries), &error)) {
        errors->append(error);
        return false;
    }
    for (qsizetype i = 0; i < writes.size(); ++i) {
        if (writes[i].remove)
            continue;
        if (!step(QStringLiteral("write ") + nameOf(writes[i].path)))
            return false;
        if (!write(entries[i].pending, writes[i], &error)) {
            errors->append(error);
            dropPending(entries);
            QFile::remove(journalFile);
            return false;
        }
    }
    if (!step(QStringLiteral("commit")))
        return false;
    if (!datafile::saveBytes(journalFile, format(kComplete, entries), &error)) {
        errors->append(error);
        dropPending(entries);
        QFile::remove(journalFile);
        return false;
    }
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!step((writes[i].remove ? QStringLiteral("remove ") : QStringLiteral("replace "))
                + nameOf(writes[i].path)))
            return false;
        QList<Entry> one {entries[i]};
        const QStringList failed = complete(one);
        if (!failed.isEmpty()) {
            // The journal stays: the next start finishes what is left.
            errors->append(failed);
            return false;
        }
    }
    if (!step(QStringLiteral("done")))
        return false;
    QFile::remove(journalFile);
    datafile::syncDirectory(journalFile);
    return true;
}

QStringList recover(const QString &dir)
{
    const QString journalFile = journalPath(dir);
    if (!QFileInfo::exists(journalFile))
        return {};
    QByteArray data;
    QString error;
    QByteArray state;
    QList<Entry> entries;
    if (!datafile::readBytes(journalFile, &data, &error))
        return {error};
    if (!parse(data, &state, &entries)) {
        // Written whole by the safe save, so it is not ours: keep it for whoever made it.
        const QString aside = journalFile + QStringLiteral(".damaged-")
            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QFile::rename(journalFile, aside);
        return {QStringLiteral("読めない変更記録を %1 として残しました")
                    .arg(QDir::toNativeSeparators(aside))};
    }
    QStringList notes;
    if (state == kPrepared) {
        dropPending(entries);
        notes.append(QStringLiteral("前回終わらなかった変更を取り消しました"));
    } else {
        const QStringList errors = complete(entries);
        if (!errors.isEmpty())
            return errors; // the journal stays for the next start
        notes.append(QStringLiteral("前回中断された変更を最後まで書き込みました"));
    }
    QFile::remove(journalFile);
    datafile::syncDirectory(journalFile);
    return notes;
}

} // namespace journal
