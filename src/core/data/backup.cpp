#include "backup.h"

#include "datafile.h"
#include "journal.h"
#include "records.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace backup {

namespace {

const QString kFolder = QStringLiteral("Backup");
const QString kManifest = QStringLiteral("manifest.json");
constexpr int kManifestVersion = 1;
// Enough to tell a damaged copy from a whole one, and fast enough to run on every first save
// of the day.
constexpr auto kChecksum = QCryptographicHash::Sha1;
const QString kChecksumName = QStringLiteral("sha1");

const QRegularExpression &dailyPattern()
{
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    return re;
}

const QRegularExpression &restorePattern()
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})_(\\d{2})(\\d{2})(\\d{2})$"));
    return re;
}

// A folder an interrupted copy left: "." + the copy's name + "." + six letters or digits.
const QRegularExpression &leftoverPattern()
{
    static const QRegularExpression re(
        QStringLiteral("^\\.\\d{4}-\\d{2}-\\d{2}(_\\d{6})?\\.[A-Za-z0-9]{6}$"));
    return re;
}

// The time a copy's name stands for; invalid for any other name.
QDateTime nameTime(const QString &name)
{
    QRegularExpressionMatch m = dailyPattern().match(name);
    if (m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
    }
    m = restorePattern().match(name);
    if (m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
    }
    return {};
}

// The files shared by all golfers, and the endings of each golfer's files (his schedule, his
// score cards, and the ratings and play details of his rounds beside them).
const QStringList &sharedFiles()
{
    static const QStringList names = {QStringLiteral("Golfer.dat"), QStringLiteral("Links.dat"),
        QStringLiteral("Course.dat"), QStringLiteral("HoleHdcp.json")};
    return names;
}

const QStringList &golferEndings()
{
    static const QStringList endings = {QStringLiteral(".yti"), QStringLiteral(".sce"),
        QStringLiteral(".ratings.json"), QStringLiteral(".details.json")};
    return endings;
}

QString root(const QString &dataDir)
{
    return QDir(dataDir).filePath(kFolder);
}

QString systemError()
{
    return QString::fromLocal8Bit(strerror(errno));
}

// Writes a new file and sets its bytes on their way to the disk; syncFile() waits for them.
bool writeNew(const QString &path, const QByteArray &data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size() || !file.flush()) {
        *error = file.error() != QFileDevice::NoError
            ? file.errorString()
            : QStringLiteral("ディスクの空き容量が足りません");
        return false;
    }
#ifdef Q_OS_LINUX
    // The disk writes while the checksum and the next file are worked out.
    ::sync_file_range(int(file.handle()), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    return true;
}

// Waits until the file's bytes are on the disk, so the folder is renamed only when whole.
bool syncFile(const QString &path, QString *error)
{
    if (const int failure = datafile::diskStep(datafile::DiskStep::SyncFile, path); failure != 0) {
        *error = QString::fromLocal8Bit(strerror(failure));
        return false;
    }
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (!ok)
        *error = systemError();
    if (fd >= 0)
        ::close(fd);
    return ok;
#else
    Q_UNUSED(path);
    Q_UNUSED(error);
    return true;
#endif
}

// A file of a copy as it was made: a regular file in a real folder, never a link to one.
bool madeFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

bool realFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

bool inFolder(const QString &name)
{
    return name.contains(QChar('/'));
}

// A copy's file one folder down is its own only when that folder is a real one of the copy.
bool madeFileIn(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (inFolder(name) && !realFolder(dir.filePath(QFileInfo(name).path())))
        return false;
    return madeFile(dir.filePath(name));
}

// Removes a copy and what it holds. A link is removed as a link, wherever it stands: what
// it leads to was never the program's to delete.
void removeCopy(const QString &path)
{
    if (!realFolder(path)) {
        if (QFileInfo(path).isSymLink())
            QFile::remove(path);
        return;
    }
    QDir dir(path);
    const QFileInfoList entries
        = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            removeCopy(entry.filePath());
        else
            QFile::remove(entry.filePath());
    }
    QDir().rmdir(path);
}

// The list a copy keeps of its files. Names in it are input too: only data file names pass.
std::optional<Manifest> readManifest(const QString &folder, QString *problem)
{
    if (!realFolder(folder)) {
        *problem = QStringLiteral("フォルダではなく、リンクです");
        return std::nullopt;
    }
    QFile file(QDir(folder).filePath(kManifest));
    if (!madeFile(file.fileName())) {
        *problem = QStringLiteral("ファイルの一覧がありません");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("ファイルの一覧を読めません");
        return std::nullopt;
    }
    return parseManifest(file.read(1 << 20), problem);
}

} // namespace

std::optional<Manifest> parseManifest(const QByteArray &bytes, QString *problem)
{
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    const QJsonObject o = doc.object();
    Manifest m;
    m.kind = o.value(QStringLiteral("kind")).toString();
    m.created = QDateTime::fromString(o.value(QStringLiteral("created")).toString(), Qt::ISODate);
    const bool sameSum = o.value(QStringLiteral("checksum")).toString() == kChecksumName;
    if (!doc.isObject() || o.value(QStringLiteral("version")).toInt() != kManifestVersion
        || !sameSum) {
        *problem = QStringLiteral("ファイルの一覧が壊れています");
        return std::nullopt;
    }
    for (const QJsonValue &v : o.value(QStringLiteral("files")).toArray()) {
        const QJsonObject f = v.toObject();
        Manifest::File entry {f.value(QStringLiteral("name")).toString(),
            qint64(f.value(QStringLiteral("size")).toDouble(-1)),
            f.value(QStringLiteral("sum")).toString().toLatin1()};
        if (!datafile::isDataFileName(entry.name) || entry.size < 0 || entry.checksum.isEmpty()) {
            *problem = QStringLiteral("ファイルの一覧が壊れています");
            return std::nullopt;
        }
        m.files.append(entry);
    }
    return m;
}

namespace {

QByteArray manifestBytes(const Manifest &m)
{
    QJsonArray files;
    for (const Manifest::File &f : m.files)
        files.append(
            QJsonObject {{QStringLiteral("name"), f.name}, {QStringLiteral("size"), double(f.size)},
                {QStringLiteral("sum"), QString::fromLatin1(f.checksum)}});
    const QJsonObject o {{QStringLiteral("version"), kManifestVersion},
        {QStringLiteral("kind"), m.kind},
        {QStringLiteral("created"), m.created.toString(Qt::ISODate)},
        {QStringLiteral("checksum"), kChecksumName}, {QStringLiteral("files"), files}};
    return QJsonDocument(o).toJson();
}

// Removes the oldest folders whose names fit the pattern, keeping the newest kKept, and what
// interrupted copies left behind. Nothing else in the folder is touched.
void prune(const QString &rootPath, const QRegularExpression &pattern)
{
    QDir dir(rootPath);
    const QStringList all
        = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    QStringList copies;
    for (const QString &name : all) {
        if (leftoverPattern().match(name).hasMatch())
            removeCopy(dir.filePath(name));
        else if (pattern.match(name).hasMatch() && nameTime(name).isValid())
            copies.append(name);
    }
    for (qsizetype i = 0; i + kKept < copies.size(); ++i)
        removeCopy(dir.filePath(copies[i]));
}

Result copyFiles(
    const QString &dataDir, const QString &name, const QString &kind, const QDateTime &created)
{
    Result result;
    auto fail = [&result](const QString &reason) {
        result.ok = false;
        result.folder.clear();
        result.error = reason;
        return result;
    };
    const QStringList files = dataFiles(dataDir);
    if (files.isEmpty())
        return result;
    const QString rootPath = root(dataDir);
    if (!QDir().mkpath(rootPath))
        return fail(
            QStringLiteral("フォルダ %1 を作れません").arg(QDir::toNativeSeparators(rootPath)));
    QTemporaryDir temp(QDir(rootPath).filePath(QChar('.') + name + QStringLiteral(".XXXXXX")));
    if (!temp.isValid())
        return fail(temp.errorString());

    Manifest manifest;
    manifest.kind = kind;
    manifest.created = created;
    const QDir from(dataDir);
    QString error;
    for (const QString &file : files) {
        QByteArray data;
        if (!datafile::readBytes(from.filePath(file), &data, &error))
            return fail(error);
        const QString folder = QFileInfo(temp.filePath(file)).path();
        if (!QDir().mkpath(folder))
            return fail(
                QStringLiteral("フォルダ %1 を作れません").arg(QDir::toNativeSeparators(folder)));
        if (!writeNew(temp.filePath(file), data, &error))
            return fail(file + QStringLiteral(": ") + error);
        // Only one file's bytes are held at a time: a golfer's cards can be tens of megabytes.
        manifest.files.append(
            {file, data.size(), QCryptographicHash::hash(data, kChecksum).toHex()});
    }
    if (!writeNew(temp.filePath(kManifest), manifestBytes(manifest), &error))
        return fail(kManifest + QStringLiteral(": ") + error);
    for (const QString &file : files + QStringList {kManifest})
        if (!syncFile(temp.filePath(file), &error))
            return fail(file + QStringLiteral(": ") + error);
    // The competitions' folder of the copy holds its own names.
    const auto compeFile
        = std::find_if(files.cbegin(), files.cend(), [](const QString &f) { return inFolder(f); });
    if (compeFile != files.cend())
        datafile::syncDirectory(temp.filePath(*compeFile));
    datafile::syncDirectory(temp.filePath(kManifest));
    const QString made = QDir(rootPath).filePath(name);
    if (datafile::diskStep(datafile::DiskStep::Rename, made) != 0
        || !QDir(rootPath).rename(QFileInfo(temp.path()).fileName(), name))
        return fail(QStringLiteral("フォルダ %1 を作れません").arg(name));
    temp.setAutoRemove(false);
    datafile::syncDirectory(QDir(rootPath).filePath(name));
    result.folder = name;
    return result;
}

// A copy that failed leaves nothing behind, not even the folder it made for the copies.
Result copyInto(
    const QString &dataDir, const QString &name, const QString &kind, const QDateTime &created)
{
    const bool hadRoot = QFileInfo::exists(root(dataDir));
    const Result result = copyFiles(dataDir, name, kind, created);
    if (!result.ok && !hadRoot)
        QDir().rmdir(root(dataDir));
    return result;
}

} // namespace

QStringList dataFiles(const QString &dataDir)
{
    const QDir dir(dataDir);
    QStringList names;
    for (const QString &name : sharedFiles())
        if (QFileInfo(dir.filePath(name)).isFile())
            names.append(name);
    QStringList patterns;
    for (const QString &ending : golferEndings())
        patterns.append(QChar('*') + ending);
    const QStringList golferFiles
        = dir.entryList(patterns, QDir::Files | QDir::CaseSensitive, QDir::Name);
    for (const QString &name : golferFiles)
        if (datafile::isDataFileName(name))
            names.append(name);
    // The competitions, as their window keeps them: real files in a real folder, no links.
    const QString compe = datafile::compeFolder();
    if (realFolder(dir.filePath(compe))) {
        const QDir compeDir(dir.filePath(compe));
        const QStringList files = compeDir.entryList(
            {QStringLiteral("*.json")}, QDir::Files | QDir::CaseSensitive, QDir::Name);
        for (const QString &file : files) {
            const QString name = compe + QChar('/') + file;
            if (datafile::isDataFileName(name) && madeFile(dir.filePath(name)))
                names.append(name);
        }
    }
    return names;
}

Result makeDailyBackup(const QString &dataDir, const QDate &today)
{
    const QString name = today.toString(QStringLiteral("yyyy-MM-dd"));
    if (QFileInfo(QDir(root(dataDir)).filePath(name)).isDir())
        return {};
    Result result
        = copyInto(dataDir, name, QStringLiteral("daily"), QDateTime(today, QTime::currentTime()));
    if (result.ok && !result.folder.isEmpty())
        prune(root(dataDir), dailyPattern());
    return result;
}

Result makeRestoreBackup(const QString &dataDir, const QDateTime &now)
{
    // Two restores in one second would want one name; the next free second is as good.
    QDateTime at = now;
    QString name;
    for (int i = 0; i < 60; ++i, at = at.addSecs(1)) {
        name = at.toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
        if (!QFileInfo::exists(QDir(root(dataDir)).filePath(name)))
            break;
    }
    Result result = copyInto(dataDir, name, QStringLiteral("restore"), now);
    if (result.ok && !result.folder.isEmpty())
        prune(root(dataDir), restorePattern());
    return result;
}

QString fileDescription(const QString &fileName)
{
    static const QHash<QString, QString> named = {
        {QStringLiteral("Golfer.dat"), QStringLiteral("ゴルファーのファイル")},
        {QStringLiteral("Links.dat"), QStringLiteral("ゴルフ場のファイル")},
        {QStringLiteral("Course.dat"), QStringLiteral("コースのファイル")},
        {QStringLiteral("HoleHdcp.json"), QStringLiteral("ホールのHDCPのファイル")},
    };
    if (named.contains(fileName))
        return named.value(fileName);
    const QString compe = datafile::compeFolder() + QChar('/');
    if (fileName.startsWith(compe))
        return QStringLiteral("コンペのファイル「%1」").arg(fileName.mid(compe.size()));
    struct Kind {
        QLatin1String suffix;
        const char16_t *what;
    };
    static const Kind kinds[] = {{QLatin1String(".sce"), u"のスコアカード"},
        {QLatin1String(".yti"), u"の予定"}, {QLatin1String(".ratings.json"), u"のレーティング"},
        {QLatin1String(".details.json"), u"のプレー内容"}};
    for (const Kind &kind : kinds)
        if (fileName.endsWith(kind.suffix) && fileName.size() > kind.suffix.size())
            return fileName.chopped(kind.suffix.size()) + QString::fromUtf16(kind.what);
    return QStringLiteral("ファイル「%1」").arg(fileName);
}

QList<Entry> listBackups(const QString &dataDir)
{
    QList<Entry> entries;
    const QDir dir(root(dataDir));
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const QDateTime named = nameTime(name);
        if (!named.isValid())
            continue;
        Entry entry;
        entry.name = name;
        entry.created = named;
        entry.beforeRestore = restorePattern().match(name).hasMatch();
        const QString folder = dir.filePath(name);
        const std::optional<Manifest> manifest = readManifest(folder, &entry.damage);
        if (manifest) {
            if (manifest->created.isValid())
                entry.created = manifest->created;
            QHash<QString, qint64> sizes;
            for (const Manifest::File &f : manifest->files) {
                sizes.insert(f.name, f.size);
                const QFileInfo info(QDir(folder).filePath(f.name));
                const QString what = fileDescription(f.name);
                if (info.isSymLink()
                    || (inFolder(f.name)
                        && !realFolder(QDir(folder).filePath(QFileInfo(f.name).path()))))
                    entry.damage = what + QStringLiteral("がリンクになっています");
                else if (!info.isFile())
                    entry.damage = what + QStringLiteral("がありません");
                else if (info.size() < f.size)
                    entry.damage = what + QStringLiteral("が途中で切れています");
                else if (info.size() != f.size)
                    entry.damage = what + QStringLiteral("の大きさが記録と違います");
                if (entry.damaged())
                    break;
                if (f.name.endsWith(QLatin1String(".sce")))
                    entry.cards += f.size / RecordLayout<TScoreRecord>::Size;
            }
            if (!entry.damaged() && sizes.contains(QStringLiteral("Golfer.dat"))) {
                QByteArray golfers;
                datafile::readBytes(
                    QDir(folder).filePath(QStringLiteral("Golfer.dat")), &golfers, nullptr);
                for (const QString &golfer : datafile::parseGolferList(golfers)) {
                    // The count comes from the list of files, never from a path made of the name.
                    const qint64 size = datafile::isUsableGolferName(golfer)
                        ? sizes.value(golfer + QStringLiteral(".sce"), 0)
                        : 0;
                    entry.golfers.append({golfer, size / RecordLayout<TScoreRecord>::Size});
                }
            }
        }
        entries.append(entry);
    }
    std::stable_sort(entries.begin(), entries.end(),
        [](const Entry &a, const Entry &b) { return a.created > b.created; });
    return entries;
}

RestorePlan planRestore(const QString &dataDir, const QString &name)
{
    RestorePlan plan;
    if (!nameTime(name).isValid()) {
        plan.error = QStringLiteral("バックアップ %1 はありません").arg(name);
        return plan;
    }
    const QString folder = QDir(root(dataDir)).filePath(name);
    QString problem;
    const std::optional<Manifest> manifest = readManifest(folder, &problem);
    if (!manifest) {
        plan.error = QStringLiteral("バックアップ %1 は壊れています: %2").arg(name, problem);
        return plan;
    }
    QStringList held;
    for (const Manifest::File &f : manifest->files) {
        QByteArray data;
        QFile file(QDir(folder).filePath(f.name));
        // Only what the copy itself holds, and no more of it than its list says.
        const bool made = madeFileIn(folder, f.name) && file.size() == f.size;
        if (made && file.open(QIODevice::ReadOnly))
            data = file.readAll();
        if (!file.isOpen() || data.size() != f.size
            || QCryptographicHash::hash(data, kChecksum).toHex() != f.checksum) {
            plan.files.clear();
            plan.error
                = QStringLiteral("バックアップ %1 は壊れています: %2 が元のままではありません")
                      .arg(name, f.name);
            return plan;
        }
        plan.files.append({f.name, data});
        held.append(f.name);
    }
    for (const QString &current : dataFiles(dataDir))
        if (!held.contains(current))
            plan.removals.append(current);
    return plan;
}

QStringList applyRestore(const QString &dataDir, const RestorePlan &plan,
    const journal::StepHook &hook, journal::Outcome *outcome, const QDate &today)
{
    journal::Outcome unread;
    if (!outcome)
        outcome = &unread;
    *outcome = journal::Outcome::NotWritten;
    if (!plan.ok())
        return {plan.error};
    // Every file of the copy in place and the others gone, or nothing changed. A data file
    // that is a link is replaced or removed as the link itself: where it leads is not the
    // folder's.
    QList<journal::FileWrite> writes;
    const QDir dir(dataDir);
    const QString compe = dir.filePath(datafile::compeFolder());
    const bool competitions = std::any_of(plan.files.cbegin(), plan.files.cend(),
        [](const auto &file) { return inFolder(file.first); });
    // The competitions' folder is made when the copy has competitions and the folder is gone;
    // anything else in its place (a link, a file) is not written through.
    if (competitions && !realFolder(compe)
        && (QFileInfo(compe).exists() || QFileInfo(compe).isSymLink() || !QDir().mkdir(compe)))
        return {datafile::writeError(compe, QStringLiteral("通常のフォルダではありません"))};
    for (const auto &[name, data] : plan.files)
        writes.append({dir.filePath(name), data, false, {}, true});
    for (const QString &name : plan.removals)
        writes.append({dir.filePath(name), QByteArray(), true});
    QStringList errors;
    *outcome = journal::save(dataDir, writes, hook, &errors, today);
    return errors;
}

} // namespace backup
