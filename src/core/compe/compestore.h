#pragma once

#include "competition.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace compe {

// The competitions' files: one per competition, "Compe/yyyy-MM-dd_<name>.json" in the data
// folder, written through the program's safe save so that a failure leaves the previous file
// whole. A file is named to the store by its plain file name, as list() gives it; a name
// with a folder in it, a link or anything but a competition's file is refused.
//
// A damaged file, or a JSON file of something else, is reported and set aside under
// "<file>.damaged-yyyy-MM-dd" (numbered on when that name is taken), where it keeps its bytes
// and is no longer listed. A file saved by a later version of the program, or one that could
// not be read, is reported and left where it is. Nothing here shows anything: reports and
// errors come back as texts.
class CompeStore final
{
public:
    explicit CompeStore(
        const QString &dataDir, std::function<QDate()> today = [] { return QDate::currentDate(); });

    QString folder() const { return m_dir + QStringLiteral("Compe/"); }

    struct Entry {
        QString fileName;
        QDate date;
        QString name;
        QString club;
        int players = 0;
    };
    struct Listing {
        QList<Entry> entries; // newest day first, then by name
        QStringList reports; // one text per file not listed
    };
    Listing list();

    struct Opened {
        std::optional<Competition> competition;
        QString error;
    };
    Opened open(const QString &fileName);

    struct Saved {
        QString fileName; // where the competition is now
        QString error; // nothing was saved
        QString notice; // saved, but the file it was renamed from could not be removed
        bool ok() const { return error.isEmpty(); }
    };
    // Saves a new competition (no previous file name) or a changed one. A competition whose
    // day or name changed is written under its new name first; only then does its old file go,
    // so that a failure leaves one of the two whole. Refused when another competition has the
    // name already.
    Saved save(const Competition &c, const QString &previousFileName = QString());

    // Deletes a competition's file; returns the error, empty when it is gone.
    QString remove(const QString &fileName);

private:
    QString folderProblem() const;
    QString fileNameProblem(const QString &fileName) const;
    // Reads one file; a damaged or foreign one is set aside and reported in `error`.
    Opened read(const QString &fileName);
    QString keepAside(const QString &path, const QString &detail);

    QString m_dir;
    std::function<QDate()> m_today;
};

// Whether a file written at `path` would land on the program's own files: a data file of the
// folder, or anything in its backups or its competitions. An export may go anywhere else.
bool isProgramFile(const QString &dataDir, const QString &path);

} // namespace compe
