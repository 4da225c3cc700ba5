#include "detailstore.h"

#include "datetime.h"

namespace {

qint64 dayKey(TDateTime day)
{
    return qint64(datetime::dayOf(day));
}

} // namespace

DetailStore::DetailStore(const QString &dataDir) : m_files(dataDir) { }

QString DetailStore::detailsFileName(const QString &golfer) const
{
    return m_files.dir() + golfer + QStringLiteral(".details.json");
}

QStringList DetailStore::loadGolfer(const QString &name, const QDate &today)
{
    m_files.setToday(today);
    m_golfer = name;
    return m_files.load(m_file, detailsFileName(name), m_details, details::decodeDetails);
}

void DetailStore::releaseGolfer()
{
    m_golfer.clear();
    m_details = {};
    m_file = SideFile {};
}

CardDetails DetailStore::details(TDateTime day) const
{
    return m_details.value(dayKey(day));
}

const CardDetails *DetailStore::find(TDateTime day) const
{
    const auto it = m_details.constFind(dayKey(day));
    return it == m_details.cend() ? nullptr : &it.value();
}

QStringList DetailStore::write()
{
    QStringList errors;
    if (!m_golfer.isEmpty())
        m_files.write(m_file, details::encodeDetails(m_details), errors);
    return errors;
}

bool DetailStore::apply(TDateTime day, const CardDetails &card)
{
    if (m_golfer.isEmpty())
        return false;
    const qint64 key = dayKey(day);
    if (card.empty())
        return m_details.remove(key) > 0;
    const auto it = m_details.constFind(key);
    if (it != m_details.cend() && it.value() == card)
        return false;
    m_details.insert(key, card);
    return true;
}

QStringList DetailStore::setDetails(TDateTime day, const CardDetails &card)
{
    return apply(day, card) ? write() : QStringList();
}

QStringList DetailStore::setMany(const QList<std::pair<TDateTime, CardDetails>> &list)
{
    bool changed = false;
    for (const auto &[day, card] : list)
        changed = apply(day, card) || changed;
    return changed ? write() : QStringList();
}

QStringList DetailStore::cardMoved(TDateTime from, TDateTime to)
{
    return sidefile::moveEntry(m_details, dayKey(from), dayKey(to)) ? write() : QStringList();
}

QStringList DetailStore::cardDeleted(TDateTime day)
{
    return m_details.remove(dayKey(day)) > 0 ? write() : QStringList();
}

void DetailStore::golferDeleted(const QString &name)
{
    m_files.remove(detailsFileName(name));
    if (name == m_golfer)
        releaseGolfer();
}

void DetailStore::defer()
{
    m_before = Saved {m_details, m_file, m_golfer};
    m_files.defer();
}

void DetailStore::settle(bool written)
{
    if (!m_before)
        return;
    if (!written) {
        m_details = m_before->details;
        m_file = m_before->file;
        m_golfer = m_before->golfer;
    }
    m_before.reset();
    m_files.endDeferring();
}
