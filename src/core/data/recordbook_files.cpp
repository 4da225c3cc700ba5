// The record book's files: loading them, remembering which did not load whole, asking before
// a file of concern is replaced, and writing the files of one change all or none.
#include "recordbook.h"

#include "datafile.h"
#include "datetime.h"
#include "golfername.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <new>
#include <utility>

namespace {

// A name as the message about two names that read alike words it: a course as club／course.
QString displayName(const QString &name)
{
    return name;
}

QString displayName(const std::pair<QString, QString> &name)
{
    return name.first + QChar(u'／') + name.second;
}

} // namespace

RecordBook::RecordBook(const QString &dataDir, std::function<QDate()> today)
    : m_dir(dataDir), m_today(std::move(today)), m_ratings(dataDir), m_details(dataDir)
{
    if (!m_dir.endsWith(QChar('/')))
        m_dir += QChar('/');
}

QStringList RecordBook::recover()
{
    return journal::recover(m_dir, m_today());
}

QString RecordBook::outsideLinkTarget(const QString &path) const
{
    if (!QFileInfo(path).isSymLink())
        return QString();
    const QString target = journal::resolvedTarget(path);
    const QString folder = QFileInfo(m_dir).canonicalFilePath();
    const QString targetFolder = QFileInfo(QFileInfo(target).absolutePath()).canonicalFilePath();
    if (!folder.isEmpty() && !targetFolder.isEmpty()
        && (targetFolder == folder || targetFolder.startsWith(folder + QChar('/'))))
        return QString();
    return QDir::toNativeSeparators(target);
}

void RecordBook::noteHealth(const QString &path, const FileHealth &health)
{
    if (health.unreadable.isEmpty() && health.damage.isEmpty() && health.linkTarget.isEmpty())
        m_health.remove(path);
    else
        m_health.insert(path, health);
}

namespace {
// What a decoded record takes at most, its texts included: a card is about 1.9 KB.
constexpr qsizetype kDecodedBytesPerRecord = 4096;
} // namespace

template <class T>
bool RecordBook::loadFile(
    const QString &path, RecordList<T> &list, QStringList &errors, bool decodeNow)
{
    FileHealth health;
    health.linkTarget = outsideLinkTarget(path);
    QByteArray data;
    QString error;
    bool ok = datafile::readBytes(path, &data, &error);
    if (ok) {
        try {
            list.load(data, decodeNow);
            // Records left as bytes are decoded at their first need, in the middle of some
            // command where running out of memory could only end the program. Whether the
            // decoded records will fit is asked now, while it can still be reported as a
            // file that cannot be read; the memory is only reserved, never touched.
            if (!decodeNow && !list.isEmpty())
                QByteArray().reserve(list.size() * kDecodedBytesPerRecord);
        } catch (const std::bad_alloc &) {
            ok = false;
            error = datafile::readError(path, QStringLiteral("メモリが足りません"));
        }
    }
    if (!ok) {
        list.clear();
        health.unreadable = error;
        errors.append(error);
    } else if (const qsizetype rest = data.size() % RecordList<T>::Size; rest != 0) {
        health.damage = QStringLiteral("最後の %1 バイトは、記録の途中で終わっています").arg(rest);
    }
    noteHealth(path, health);
    return ok;
}

void RecordBook::checkNameCollisions()
{
    // Two names whose bytes differ but that read as the same text would be taken for one
    // club: the tree finds the first, and rewriting them would make them one for good. The
    // names are keyed by the texts the records hold and their bytes looked up where they lie,
    // so that tens of thousands of courses cost no copies.
    auto check = [this](const QString &path, auto &list, auto key, auto bytes) {
        QHash<decltype(key(list[0])), qsizetype> first;
        first.reserve(list.size());
        for (qsizetype i = 0; i < list.size(); ++i) {
            const auto text = key(list[i]);
            const auto it = first.constFind(text);
            if (it == first.cend()) {
                first.insert(text, i);
            } else if (bytes(list.storedBytes(*it)) != bytes(list.storedBytes(i))) {
                FileHealth health = m_health.value(path);
                health.damage = QStringLiteral("「%1」と同じに読める、別の名前があります")
                                    .arg(displayName(text));
                noteHealth(path, health);
                return;
            }
        }
    };
    if (!m_links.isEmpty())
        check(
            linksFileName(), m_links, [](const TLinksRecord &r) { return r.LinksName; },
            [](QByteArrayView b) { return storedText(b, 0, FieldSize::LinksName); });
    if (!m_courses.isEmpty())
        check(
            courseFileName(), m_courses,
            [](const TCourseRecord &r) { return std::pair(r.LinksName, r.CourseName); },
            [](QByteArrayView b) {
                return std::pair(storedText(b, 31, FieldSize::LinksName),
                    storedText(b, 0, FieldSize::CourseName));
            });
}

QStringList RecordBook::loadClubs()
{
    QStringList errors;
    loadFile(linksFileName(), m_links, errors);
    loadFile(courseFileName(), m_courses, errors);
    checkNameCollisions();
    m_sideNotes += m_ratings.loadHoleHandicaps(m_today());
    return errors;
}

QStringList RecordBook::loadGolfers()
{
    QStringList messages;
    const QString path = golferFileName();
    FileHealth health;
    health.linkTarget = outsideLinkTarget(path);
    QByteArray data;
    QString error;
    if (!datafile::readBytes(path, &data, &error)) {
        health.unreadable = error;
        messages.append(error);
        data.clear();
    }
    m_golferList = GolferList::parse(data);
    messages.append(m_golferList.skipped());
    noteHealth(path, health);
    return messages;
}

bool RecordBook::golferListLoaded() const
{
    return m_health.value(golferFileName()).unreadable.isEmpty();
}

BookChange RecordBook::registerGolfer(const QString &name)
{
    BookChange change;
    if (golfers().contains(name))
        change.refusal = Refusal::GolferNameTaken;
    else if (!datafile::isUsableGolferName(name))
        change.refusal = Refusal::GolferNameUnusable;
    else if (!golferNameFitsFileSystem(name))
        change.refusal = Refusal::GolferNameTooLong;
    if (change.refused() || !mayReplace({golferFileName()}, change))
        return change;
    m_golferList.append(name);
    change.index = int(golfers().size()) - 1;
    commit({{golferFileName(), m_golferList.format()}}, change);
    return change;
}

BookChange RecordBook::deleteGolfer(int index)
{
    BookChange change;
    if (index < 0 || index >= golfers().size())
        return change;
    const QString name = golfers()[index];
    const QString yti = yoteiFileOf(name);
    const QString sce = scoreFileOf(name);
    // Removing a file that could not be read would lose what it holds unseen; a link is
    // removed itself, never what it points at, so it needs no consent.
    if (!allRead({yti, sce}, change) || !noUnfinishedChange({yti, sce}, change)
        || !mayReplace({golferFileName()}, change))
        return change;
    const GolferList before = m_golferList;
    m_golferList.removeAt(index);
    const journal::Outcome written
        = commit({{golferFileName(), m_golferList.format()}, {yti, {}, true}, {sce, {}, true}},
            change, [&name](SideStores &stores) {
                stores.ratings.golferDeleted(name);
                stores.details.golferDeleted(name);
                return QStringList();
            });
    if (written == journal::Outcome::NotWritten) {
        m_golferList = before;
        change.undone = true;
        return change;
    }
    change.index = index;
    if (name == m_golfer) {
        releaseGolfer();
        m_golfer.clear();
    }
    m_health.remove(yti);
    m_health.remove(sce);
    return change;
}

QStringList RecordBook::loadGolfer(const QString &name, const QDate &today)
{
    QStringList errors;
    m_golfer = name;
    m_years = {QStringLiteral("全て")};
    m_yoteiFile = yoteiFileOf(name);
    m_scoreFile = scoreFileOf(name);
    m_yotei.clear();
    m_scores.clear();
    loadFile(m_yoteiFile, m_yotei, errors);
    cutSchedule(today);
    // The cards are decoded when first needed: the year list needs only their dates.
    loadFile(m_scoreFile, m_scores, errors, false);
    m_sideNotes += m_ratings.loadGolfer(name, today);
    m_sideNotes += m_details.loadGolfer(name, today);
    // The years in the order their first card comes; the cards run in date order, so a year
    // seldom differs from the one before.
    QSet<int> seen;
    int last = 0;
    for (qsizetype i = 0; i < m_scores.size(); ++i) {
        const TDateTime date = m_scores.roundDate(i);
        const int year = datetime::toDate(date).year();
        if ((!seen.isEmpty() && last == year) || seen.contains(year))
            continue;
        seen.insert(year);
        last = year;
        m_years.append(datetime::yearText(date));
    }
    return errors;
}

void RecordBook::cutSchedule(const QDate &today)
{
    // Past rounds leave memory now and the file at its next write. They are found by their
    // day, not counted from the head: a file out of order must not lose a future round.
    const TDateTime todayValue = datetime::fromDate(today);
    QList<qsizetype> keep;
    bool ordered = true;
    for (qsizetype i = 0; i < m_yotei.size(); ++i) {
        if (m_yotei[i].RoundDate < todayValue)
            continue;
        if (!keep.isEmpty() && m_yotei[keep.last()].RoundDate > m_yotei[i].RoundDate)
            ordered = false;
        keep.append(i);
    }
    if (!ordered)
        std::stable_sort(keep.begin(), keep.end(), [this](qsizetype a, qsizetype b) {
            return m_yotei[a].RoundDate < m_yotei[b].RoundDate;
        });
    if (keep.size() != m_yotei.size() || !ordered)
        m_yotei.keep(keep);
}

void RecordBook::releaseGolfer()
{
    m_yotei.clear();
    m_scores.clear();
    m_ratings.releaseGolfer();
    m_details.releaseGolfer();
}

QString RecordBook::keptAsName(const QString &path) const
{
    return datafile::keptAsideName(path, m_today());
}

bool RecordBook::keepAside(const QString &path, const QString &keptAs, BookChange &change)
{
    QByteArray data;
    QString error;
    if (!datafile::readBytes(path, &data, &error) || !datafile::saveBytes(keptAs, data, &error)) {
        change.writeErrors.append(error);
        return false;
    }
    return true;
}

bool RecordBook::allRead(const QStringList &paths, BookChange &change) const
{
    for (const QString &path : paths) {
        const QString unreadable = m_health.value(path).unreadable;
        if (!unreadable.isEmpty()) {
            change.refusal = Refusal::FileUnreadable;
            change.file = path;
            change.reason = unreadable;
            return false;
        }
    }
    return true;
}

bool RecordBook::noUnfinishedChange(const QStringList &paths, BookChange &change)
{
    QStringList held;
    QStringList notes;
    const bool settled = journal::settlePending(m_dir, m_today(), &notes, &held);
    if (settled) {
        change.notes += notes;
        return true;
    }
    for (const QString &path : paths) {
        if (!held.isEmpty() && !held.contains(QFileInfo(path).fileName()))
            continue;
        change.refusal = Refusal::ChangeUnfinished;
        change.file = path;
        change.reason = notes.join(QChar('\n'));
        return false;
    }
    change.notes += notes;
    return true;
}

bool RecordBook::mayReplace(const QStringList &paths, BookChange &change)
{
    if (!allRead(paths, change) || !noUnfinishedChange(paths, change))
        return false;
    for (const QString &path : paths) {
        auto it = m_health.find(path);
        if (it == m_health.end() || it->agreed)
            continue;
        FileConcern concern {path, it->linkTarget, it->damage, QString()};
        if (!it->damage.isEmpty())
            concern.keptAs = keptAsName(path);
        if (!m_consent || !m_consent(concern)) {
            change.refusal = Refusal::FileKept;
            return false;
        }
        if (!concern.keptAs.isEmpty() && !keepAside(path, concern.keptAs, change)) {
            change.refusal = Refusal::FileKept;
            return false;
        }
        it = m_health.find(path);
        it->agreed = true;
    }
    return true;
}

journal::Outcome RecordBook::commit(QList<journal::FileWrite> writes, BookChange &change,
    const std::function<QStringList(SideStores &)> &side)
{
    beforeWrite(change);
    if (!side)
        return journal::save(m_dir, writes, m_hook, &change.writeErrors, m_today());
    m_ratings.defer();
    m_details.defer();
    SideStores stores {m_ratings, m_details};
    change.writeErrors += side(stores);
    writes += m_ratings.takeWrites();
    writes += m_details.takeWrites();
    const journal::Outcome written
        = journal::save(m_dir, writes, m_hook, &change.writeErrors, m_today());
    // A change left pending stands: it is finished before its files are written again.
    m_ratings.settle(written != journal::Outcome::NotWritten);
    m_details.settle(written != journal::Outcome::NotWritten);
    return written;
}

QList<RecordBook::OtherGolfer> RecordBook::readOtherGolfers(BookChange &change)
{
    QList<OtherGolfer> others;
    for (const QString &name : golfers()) {
        if (name == m_golfer)
            continue;
        OtherGolfer other;
        other.yoteiFile = yoteiFileOf(name);
        other.scoreFile = scoreFileOf(name);
        QStringList errors;
        loadFile(other.yoteiFile, other.yotei, errors);
        loadFile(other.scoreFile, other.scores, errors, false);
        if (!allRead({other.yoteiFile, other.scoreFile}, change))
            return {};
        others.append(std::move(other));
    }
    return others;
}
