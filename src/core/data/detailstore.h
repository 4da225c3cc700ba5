#pragma once

#include "carddetails.h"
#include "records.h"
#include "sidefile.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

// The golfer's play details, per golfer in "<name>.details.json" keyed by the card's day, as
// the ratings are. They follow the cards: the record book calls the operations below inside
// its own changes. Cards are never named by their club here, so a renamed club leaves the file
// as it is.
class DetailStore final
{
public:
    explicit DetailStore(const QString &dataDir);

    // Reads the golfer's details; returns what to report.
    QStringList loadGolfer(const QString &name, const QDate &today);
    void releaseGolfer();
    QString detailsFileName(const QString &golfer) const;

    // The card's details; blank when it has none.
    CardDetails details(TDateTime day) const;
    // The details of a day, or null: valid until the next change.
    const CardDetails *find(TDateTime day) const;
    const details::DetailsMap &all() const { return m_details; }

    // Sets the card's details (blank ones remove them); returns the write errors.
    QStringList setDetails(TDateTime day, const CardDetails &card);
    QStringList setMany(const QList<std::pair<TDateTime, CardDetails>> &list);

    // Following the cards.
    QStringList cardMoved(TDateTime from, TDateTime to);
    QStringList cardDeleted(TDateTime day);
    void golferDeleted(const QString &name);

    // As RatingStore's: collected into the record book's change.
    void defer();
    QList<journal::FileWrite> takeWrites() { return m_files.takeWrites(); }
    void settle(bool written);

private:
    bool apply(TDateTime day, const CardDetails &card);
    QStringList write();

    SideFileWriter m_files;
    QString m_golfer;
    SideFile m_file;
    details::DetailsMap m_details;
    struct Saved {
        details::DetailsMap details;
        SideFile file;
        QString golfer;
    };
    std::optional<Saved> m_before; // set while deferring
};
