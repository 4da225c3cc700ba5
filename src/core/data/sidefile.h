#pragma once

#include "journal.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// A JSON file beside the record files that holds what their fixed records cannot, and the
// writer that the stores of such files share: each follows the cards (moved, deleted, a golfer
// deleted) inside the record book's all-or-nothing change, and handles a damaged or foreign
// file the same way: it is reported, and its bytes are kept aside under
// "<file>.damaged-<date>" before the first rewrite; a file that could not be read at all is
// never rewritten. Nothing here shows anything: problems and write errors come back as texts.
struct SideFile {
    QString path;
    QString problem; // why the file was not taken whole; empty when it was
    QByteArray original; // its bytes, until they are kept aside
    bool unreadable = false;
    bool keptAside = false;
};

class SideFileWriter final
{
public:
    explicit SideFileWriter(const QString &dataDir);

    // The folder, ending in '/'.
    const QString &dir() const { return m_dir; }
    void setToday(const QDate &today) { m_today = today; }

    // Reads a side file into `into`, which stays empty when the file is missing, empty or
    // could not be read; gives what to report.
    template <class Data, class Decode>
    QStringList load(SideFile &file, const QString &path, Data &into, Decode decode)
    {
        file = SideFile {};
        file.path = path;
        into = {};
        QByteArray bytes;
        if (!readFile(file, &bytes))
            return {file.problem + QStringLiteral("\nこのファイルは書き換えません。")};
        if (bytes.isEmpty())
            return {};
        into = decode(bytes, &file.problem);
        if (file.problem.isEmpty())
            return {};
        file.original = bytes;
        return {damagedReport(file)};
    }

    // Writes the file now, or while deferring collects the write; false when nothing was
    // (or will be) written, with the reason in `errors` where there is one to tell.
    bool write(SideFile &file, const QByteArray &bytes, QStringList &errors);
    // Removes a golfer's file with his other files (a copy kept aside stays).
    void remove(const QString &path);

    // The operations collect their writes instead of making them, so that the record book
    // writes them with its own files as one change; then takeWrites(), and endDeferring()
    // once the change is on disk or has failed.
    void defer();
    bool deferring() const { return m_deferring; }
    QList<journal::FileWrite> takeWrites();
    void endDeferring();

private:
    bool readFile(SideFile &file, QByteArray *bytes);
    QString damagedReport(const SideFile &file) const;

    QString m_dir;
    QDate m_today;
    QDate m_backupDay; // the day whose backup this writer has asked for
    bool m_deferring = false;
    QList<journal::FileWrite> m_deferred;
};

namespace sidefile {

// An entry keyed by the card's day goes with the card to its new day; true when it moved.
template <class T> bool moveEntry(QMap<qint64, T> &map, qint64 from, qint64 to)
{
    if (from == to || !map.contains(from))
        return false;
    map.insert(to, map.take(from));
    return true;
}

} // namespace sidefile
