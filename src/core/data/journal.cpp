#include "journal.h"

#include "datafile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace journal {

namespace {

const QByteArray kMagic = "kestro-journal 2";
const QByteArray kPrepared = "prepared";
const QByteArray kComplete = "complete";
const QString kPending = QStringLiteral(".pending");
// A restore of a folder of thousands of golfers writes a journal well under this.
constexpr qint64 kMaxJournalBytes = qint64(16) << 20;
constexpr auto kChecksum = QCryptographicHash::Sha256;

// One file of a change, named by its name in the data folder.
struct Entry {
    QString name;
    bool remove = false;
    qint64 size = 0; // of the pending file
    QByteArray checksum; // of the pending file, in hex
};

struct Plan {
    QByteArray state;
    QList<Entry> entries;
};

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a journal may name: a data file, or the copy of a damaged side file that the change
// keeps aside ("Taro.ratings.json.damaged-2026-12-07", numbered on).
bool mayName(const QString &name)
{
    static const QRegularExpression keptAside(
        QStringLiteral("^(.+)\\.damaged-\\d{4}-\\d{2}-\\d{2}(-\\d{1,4})?$"));
    if (datafile::isDataFileName(name))
        return true;
    const QRegularExpressionMatch m = keptAside.match(name);
    return m.hasMatch() && datafile::isDataFileName(m.captured(1));
}

// Whether something is there under the path, a link that leads nowhere too.
bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool regularFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

QByteArray format(const QByteArray &state, const QList<Entry> &entries)
{
    QByteArray out = kMagic + '\n' + state + '\n';
    for (const Entry &e : entries) {
        const QByteArray name = e.name.toUtf8().toPercentEncoding();
        if (e.remove)
            out += "R " + name + '\n';
        else
            out += "W " + name + ' ' + (e.name + kPending).toUtf8().toPercentEncoding() + ' '
                + QByteArray::number(e.size) + ' ' + e.checksum + '\n';
    }
    return out;
}

bool digitsOnly(const QByteArray &text, qsizetype maxLength)
{
    return !text.isEmpty() && text.size() <= maxLength
        && std::all_of(text.cbegin(), text.cend(), [](char c) { return c >= '0' && c <= '9'; });
}

bool hexChecksum(const QByteArray &text)
{
    return text.size() == 64 && std::all_of(text.cbegin(), text.cend(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
}

// A name as a journal holds it, percent-encoded UTF-8; empty when it is not whole UTF-8.
QString decodeName(const QByteArray &encoded)
{
    const QByteArray bytes = QByteArray::fromPercentEncoding(encoded);
    const QString name = QString::fromUtf8(bytes);
    return name.toUtf8() == bytes ? name : QString();
}

// Every line must be ours and every name one the journal may touch, or nothing of it is.
bool parse(const QByteArray &data, Plan *plan, QString *problem)
{
    const QList<QByteArray> lines = data.split('\n');
    if (lines.size() < 4 || lines[0] != kMagic || !lines.last().isEmpty()
        || (lines[1] != kPrepared && lines[1] != kComplete)) {
        *problem = QStringLiteral("このプログラムの変更の記録ではありません");
        return false;
    }
    plan->state = lines[1];
    QSet<QString> seen;
    for (qsizetype i = 2; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split(' ');
        Entry e;
        bool ok = false;
        if (parts.size() == 2 && parts[0] == "R") {
            e.name = decodeName(parts[1]);
            e.remove = true;
            ok = true;
        } else if (parts.size() == 5 && parts[0] == "W") {
            e.name = decodeName(parts[1]);
            e.size = parts[3].toLongLong();
            e.checksum = parts[4];
            // The pending file lies beside its file under the one name the program gives it.
            ok = decodeName(parts[2]) == e.name + kPending && digitsOnly(parts[3], 12)
                && e.size <= datafile::maxFileBytes && hexChecksum(e.checksum);
        }
        // A kept copy is only ever written: it is the user's, and no change removes it.
        const bool named = e.remove ? datafile::isDataFileName(e.name) : mayName(e.name);
        if (!ok || !named || seen.contains(e.name)) {
            *problem = QStringLiteral("%1 行目を確かめられません").arg(i + 1);
            return false;
        }
        seen.insert(e.name);
        plan->entries.append(e);
    }
    return true;
}

QString pathOf(const QString &dir, const QString &name)
{
    return QDir(dir).filePath(name);
}

// The file's name in the folder, or an empty text when it lies anywhere else or is no data file.
bool realFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

// A file one folder down (a competition's) is named with its folder, which must be a real
// folder of the data folder: through a link the change would land elsewhere.
bool folderOfNameIsReal(const QString &dir, const QString &name)
{
    const qsizetype slash = name.indexOf(QChar('/'));
    return slash < 0 || realFolder(QDir(dir).filePath(name.left(slash)));
}

QString nameIn(const QString &dir, const QString &path)
{
    const QFileInfo info(path);
    const QString folder = QDir::cleanPath(info.absolutePath());
    const QString base = QDir::cleanPath(QDir(dir).absolutePath());
    QString name = info.fileName();
    if (folder == base + QChar('/') + datafile::compeFolder())
        name = datafile::compeFolder() + QChar('/') + name;
    else if (folder != base)
        return QString();
    return mayName(name) && folderOfNameIsReal(dir, name) ? name : QString();
}

QByteArray checksumOf(const FileWrite &w)
{
    QCryptographicHash hash(kChecksum);
    if (w.pieces.isEmpty())
        hash.addData(w.data);
    for (QByteArrayView piece : w.pieces)
        hash.addData(piece);
    return hash.result().toHex();
}

qint64 sizeOf(const FileWrite &w)
{
    if (w.pieces.isEmpty())
        return w.data.size();
    qint64 size = 0;
    for (QByteArrayView piece : w.pieces)
        size += piece.size();
    return size;
}

// Whether the file holds exactly the bytes the journal names; a link never does.
bool matches(const QString &path, const Entry &e)
{
    if (!regularFile(path) || QFileInfo(path).size() != e.size)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash hash(kChecksum);
    return hash.addData(&file) && hash.result().toHex() == e.checksum;
}

// The pending file takes the place of its file in one step, or not at all. A link in its
// place is replaced itself.
bool install(const QString &dir, const Entry &e, QString *reason)
{
    const QString target = pathOf(dir, e.name);
    if (e.remove) {
        int error = datafile::diskStep(datafile::DiskStep::Remove, target);
        if (error == 0 && ::unlink(QFile::encodeName(target).constData()) != 0 && errno != ENOENT)
            error = errno;
        if (error != 0)
            *reason = reasonOf(error);
        return error == 0;
    }
    const QString pending = target + kPending;
    if (!present(pending))
        return true; // in its place already
    int error = datafile::diskStep(datafile::DiskStep::Rename, target);
    if (error == 0
        && std::rename(
               QFile::encodeName(pending).constData(), QFile::encodeName(target).constData())
            != 0)
        error = errno;
    if (error != 0)
        *reason = reasonOf(error);
    return error == 0;
}

QStringList installAll(const QString &dir, const QList<Entry> &entries)
{
    QStringList errors;
    for (const Entry &e : entries) {
        QString reason;
        if (!install(dir, e, &reason))
            errors.append(datafile::writeError(pathOf(dir, e.name), reason));
    }
    return errors;
}

void removeJournal(const QString &dir)
{
    const QString file = journalPath(dir);
    if (datafile::diskStep(datafile::DiskStep::Remove, file) == 0)
        ::unlink(QFile::encodeName(file).constData());
    datafile::syncDirectory(file);
}

void dropPending(const QString &dir, const QList<Entry> &entries)
{
    for (const Entry &e : entries)
        if (!e.remove)
            ::unlink(QFile::encodeName(pathOf(dir, e.name) + kPending).constData());
}

// A change that never became complete leaves nothing: no pending file, no journal.
void abandon(const QString &dir, const QList<Entry> &entries)
{
    dropPending(dir, entries);
    removeJournal(dir);
}

// Moves a file (or a link, itself) out of the way under a name that keeps it.
QString setAside(const QString &path, const QDate &today)
{
    const QString aside = datafile::keptAsideName(path, today);
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) != 0)
        return QString();
    datafile::syncDirectory(aside);
    return aside;
}

QString shownName(const QString &path)
{
    return QFileInfo(path).fileName();
}

QStringList keepJournalAside(const QString &dir, const QString &problem, const QDate &today)
{
    const QString aside = setAside(journalPath(dir), today);
    return {QStringLiteral("変更の記録 Kestro.journal を確かめられませんでした（%1）。"
                           "どのファイルも書き換えずに、「%2」として残しました。")
                .arg(problem, aside.isEmpty() ? journalPath(dir) : shownName(aside))};
}

// The first file of a complete change that is not the one the journal names: its pending
// file differs, or, when that is gone, the file in its place does. Empty when all match.
QString firstMismatch(const QString &dir, const QList<Entry> &entries)
{
    for (const Entry &e : entries) {
        if (e.remove)
            continue;
        const QString target = pathOf(dir, e.name);
        const QString pending = target + kPending;
        if (present(pending) ? !matches(pending, e) : !matches(target, e))
            return e.name;
    }
    return QString();
}

QStringList keepChangeAside(
    const QString &dir, const QList<Entry> &entries, const QString &name, const QDate &today)
{
    QStringList kept;
    for (const Entry &e : entries) {
        const QString pending = pathOf(dir, e.name) + kPending;
        if (!e.remove && present(pending))
            kept.append(shownName(setAside(pending, today)));
    }
    kept.append(shownName(setAside(journalPath(dir), today)));
    return {QStringLiteral(
        "前回中断された変更は、書き込み途中のファイル %1 が変更の記録と合わないため、"
        "どのファイルも書き換えませんでした。\n次のファイルを残しました: %2")
                .arg(name, kept.join(QStringLiteral("、")))};
}

bool readJournal(const QString &dir, Plan *plan, QString *problem, QString *error)
{
    const QString file = journalPath(dir);
    const QFileInfo info(file);
    if (info.isSymLink() || !info.isFile()) {
        *problem = QStringLiteral("通常のファイルではありません");
        return false;
    }
    if (info.size() > kMaxJournalBytes) {
        *problem = QStringLiteral("大きすぎます");
        return false;
    }
    QByteArray data;
    if (!datafile::readBytes(file, &data, error))
        return false;
    if (!parse(data, plan, problem))
        return false;
    for (const Entry &e : std::as_const(plan->entries)) {
        if (!folderOfNameIsReal(dir, e.name)) {
            *problem = QStringLiteral("%1 のフォルダが通常のフォルダではありません").arg(e.name);
            return false;
        }
    }
    return true;
}

const QString &unfinishedNote()
{
    static const QString note = QStringLiteral(
        "変更を最後まで書き込めませんでした。続きは、そのファイルを次に保存するとき"
        "か、次に起動したときに書き込みます。それまで、この変更に含まれるファイルは"
        "書き換えません。");
    return note;
}

} // namespace

bool parsePlan(const QByteArray &data, QStringList *targets)
{
    Plan plan;
    QString problem;
    if (!parse(data, &plan, &problem))
        return false;
    for (const Entry &e : plan.entries)
        targets->append(e.name);
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

QStringList recover(const QString &dir, const QDate &today)
{
    if (!present(journalPath(dir)))
        return {};
    Plan plan;
    QString problem;
    QString error;
    if (!readJournal(dir, &plan, &problem, &error))
        return problem.isEmpty() ? QStringList {error} : keepJournalAside(dir, problem, today);
    if (plan.state == kPrepared) {
        abandon(dir, plan.entries);
        return {QStringLiteral("前回終わらなかった変更を取り消しました")};
    }
    // All or none: a pending file that is not the one the journal names is never installed,
    // nor any other of the change.
    const QString mismatch = firstMismatch(dir, plan.entries);
    if (!mismatch.isEmpty())
        return keepChangeAside(dir, plan.entries, mismatch, today);
    const QStringList errors = installAll(dir, plan.entries);
    // Every new name on the disk before the journal that promises them goes.
    datafile::syncDirectory(journalPath(dir));
    if (!errors.isEmpty())
        return errors + QStringList {unfinishedNote()}; // the journal stays for the next try
    removeJournal(dir);
    return {QStringLiteral("前回中断された変更を最後まで書き込みました")};
}

bool settlePending(const QString &dir, const QDate &today, QStringList *notes, QStringList *held)
{
    if (!present(journalPath(dir)))
        return true;
    const QStringList done = recover(dir, today);
    if (notes)
        *notes += done;
    if (!present(journalPath(dir)))
        return true;
    Plan plan;
    QString problem;
    QString error;
    if (held && readJournal(dir, &plan, &problem, &error))
        for (const Entry &e : plan.entries)
            held->append(e.name);
    return false;
}

Outcome save(const QString &dir, const QList<FileWrite> &writes, const StepHook &hook,
    QStringList *errors, const QDate &today)
{
    auto step = [&](const QString &what) { return !hook || hook(what); };
    QStringList unread;
    if (!errors)
        errors = &unread;
    if (writes.isEmpty())
        return Outcome::Written;

    QList<Entry> entries;
    bool journaled = false;
    for (const FileWrite &w : writes) {
        Entry e;
        e.name = nameIn(dir, w.path);
        e.remove = w.remove;
        if (e.name.isEmpty()) {
            errors->append(datafile::writeError(
                w.path, QStringLiteral("プログラムのフォルダのデータファイルではありません")));
            return Outcome::NotWritten;
        }
        if (!w.remove) {
            e.size = sizeOf(w);
            e.checksum = checksumOf(w);
            journaled = journaled || (w.replaceLink && QFileInfo(w.path).isSymLink());
        }
        entries.append(e);
    }
    const auto written = std::count_if(
        writes.cbegin(), writes.cend(), [](const FileWrite &w) { return !w.remove; });
    journaled = journaled || written > 1;

    // A save never goes around a change that is still to be finished: its stale pending files
    // would be put over the newer file at the next start.
    QStringList held;
    // What was done to it is told with the save's own failures.
    if (!settlePending(dir, today, errors, &held)) {
        for (const Entry &e : entries) {
            if (journaled || held.isEmpty() || held.contains(e.name)) {
                errors->append(datafile::writeError(pathOf(dir, e.name),
                    QStringLiteral("書き込みの終わっていない前の変更があります。その変更を"
                                   "書き込めるまで、このファイルは書き換えません。")));
                return Outcome::NotWritten;
            }
        }
    }

    auto write = [](const QString &path, const FileWrite &w, QString *error) {
        return w.pieces.isEmpty() ? datafile::saveBytes(path, w.data, error)
                                  : datafile::savePieces(path, w.pieces, error);
    };
    QString error;
    if (!journaled) {
        // One file is replaced whole by the safe save alone; files to remove go after it, so
        // a crash in between leaves them only as files nothing names any more.
        for (const FileWrite &w : writes) {
            if (w.remove)
                continue;
            if (!step(QStringLiteral("write ") + shownName(w.path)))
                return Outcome::NotWritten;
            if (!write(w.path, w, &error)) {
                errors->append(error);
                return Outcome::NotWritten;
            }
        }
        for (const FileWrite &w : writes) {
            if (!w.remove)
                continue;
            if (!step(QStringLiteral("remove ") + shownName(w.path)))
                return Outcome::Written;
            QFile::remove(w.path);
        }
        return Outcome::Written;
    }

    const QString journalFile = journalPath(dir);
    if (!step(QStringLiteral("journal")))
        return Outcome::NotWritten;
    if (!datafile::saveBytes(journalFile, format(kPrepared, entries), &error)) {
        errors->append(error);
        return Outcome::NotWritten;
    }
    for (qsizetype i = 0; i < writes.size(); ++i) {
        if (writes[i].remove)
            continue;
        if (!step(QStringLiteral("write ") + entries[i].name))
            return Outcome::NotWritten;
        // Whatever lies under the pending name goes first: the safe save would write through
        // a link there into wherever it leads.
        const QString pending = pathOf(dir, entries[i].name) + kPending;
        ::unlink(QFile::encodeName(pending).constData());
        if (!write(pending, writes[i], &error)) {
            errors->append(error);
            abandon(dir, entries);
            return Outcome::NotWritten;
        }
    }
    if (!step(QStringLiteral("commit")))
        return Outcome::NotWritten;
    if (!datafile::saveBytes(journalFile, format(kComplete, entries), &error)) {
        errors->append(error);
        abandon(dir, entries);
        return Outcome::NotWritten;
    }
    // From here the change stands: it is finished now, or by whoever comes next.
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!step((entries[i].remove ? QStringLiteral("remove ") : QStringLiteral("replace "))
                + entries[i].name))
            return Outcome::Pending;
        QString reason;
        if (install(dir, entries[i], &reason))
            continue;
        // A passing fault of the disk must not leave the change to the next start: once more
        // at once for what is left.
        const QStringList failed = installAll(dir, entries.mid(i));
        if (!failed.isEmpty()) {
            datafile::syncDirectory(journalFile);
            *errors += failed;
            errors->append(unfinishedNote());
            return Outcome::Pending;
        }
        break;
    }
    datafile::syncDirectory(journalFile);
    if (!step(QStringLiteral("done")))
        return Outcome::Pending;
    removeJournal(dir);
    return Outcome::Written;
}

} // namespace journal
