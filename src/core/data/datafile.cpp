#include "datafile.h"

#include "sjis.h"
#include "textinput.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace datafile {

namespace {

DiskSteps &diskSteps()
{
    static DiskSteps steps;
    return steps;
}

QString describe(const QString &action, const QString &path, const QString &reason)
{
    return QStringLiteral("%1: %2\n%3").arg(action, QDir::toNativeSeparators(path), reason);
}

// A write that stops short because the disk is full comes back as a short count with no
// error set, which would read "Unknown error"; writing the rest asks the system why.
QString writeFailure(QSaveFile &file, QByteArrayView data, qint64 written)
{
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
#ifdef Q_OS_UNIX
    if (written >= 0 && written < data.size() && file.handle() >= 0) {
        errno = 0;
        const ssize_t more
            = ::write(int(file.handle()), data.data() + written, size_t(data.size() - written));
        if (more < 0 && errno != 0)
            return QString::fromLocal8Bit(strerror(errno));
    }
#else
    Q_UNUSED(data);
    Q_UNUSED(written);
#endif
    return QStringLiteral("ディスクの空き容量が足りません");
}

// A save interrupted where the file system has no unnamed temporary files leaves its
// temporary file ("Taro.sce.a1B2c3") beside the data file; the next good save clears it.
void removeLeftovers(const QString &path)
{
    const QFileInfo info(path);
    const QString prefix = info.fileName() + QChar('.');
    QDir dir = info.absoluteDir();
    const QStringList candidates = dir.entryList(
        {prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    for (const QString &name : candidates) {
        const QStringView tail = QStringView(name).sliced(prefix.size());
        const bool pattern = tail.size() == 6 && std::all_of(tail.begin(), tail.end(), [](QChar c) {
            return (c >= QChar('a') && c <= QChar('z')) || (c >= QChar('A') && c <= QChar('Z'))
                || (c >= QChar('0') && c <= QChar('9'));
        });
        if (pattern && name.startsWith(prefix))
            dir.remove(name);
    }
}

} // namespace

void setDiskSteps(DiskSteps steps)
{
    diskSteps() = std::move(steps);
}

int diskStep(DiskStep step, const QString &path)
{
    return diskSteps() ? diskSteps()(step, path) : 0;
}

void syncDirectory(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (diskStep(DiskStep::SyncFolder, folder) != 0)
        return;
#ifdef Q_OS_UNIX
    const QByteArray dir = QFile::encodeName(folder);
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

QString readError(const QString &path, const QString &reason)
{
    return describe(QStringLiteral("ファイルを読み込めません"), path, reason);
}

QString writeError(const QString &path, const QString &reason)
{
    return describe(QStringLiteral("ファイルに書き込めません"), path, reason);
}

QString freeName(const QString &stem)
{
    auto taken = [](const QString &name) {
        const QFileInfo info(name);
        return info.exists() || info.isSymLink();
    };
    QString name = stem;
    for (int n = 2; taken(name); ++n)
        name = stem + QStringLiteral("-%1").arg(n);
    return name;
}

QString keptAsideName(const QString &path, const QDate &day)
{
    return freeName(
        path + QStringLiteral(".damaged-") + day.toString(QStringLiteral("yyyy-MM-dd")));
}

bool isDataFileName(const QString &name)
{
    static const QStringList shared = {QStringLiteral("Golfer.dat"), QStringLiteral("Links.dat"),
        QStringLiteral("Course.dat"), QStringLiteral("HoleHdcp.json")};
    static const QStringList endings = {QStringLiteral(".yti"), QStringLiteral(".sce"),
        QStringLiteral(".ratings.json"), QStringLiteral(".details.json")};
    if (shared.contains(name))
        return true;
    // A control character would cut the name short where the system takes it.
    auto plain = [](QStringView part) {
        return !part.startsWith(QChar('.')) && !part.contains(QChar('/'))
            && !part.contains(QChar('\\')) && std::none_of(part.cbegin(), part.cend(), [](QChar c) {
                   return c.unicode() < 0x20 || c.unicode() == 0x7F;
               });
    };
    // The competitions lie one folder down, and nowhere deeper.
    const QString compePrefix = compeFolder() + QChar('/');
    if (name.startsWith(compePrefix)) {
        const QStringView file = QStringView(name).mid(compePrefix.size());
        return plain(file) && file.endsWith(QLatin1String(".json"))
            && file.size() > QLatin1String(".json").size();
    }
    if (!plain(name))
        return false;
    return std::any_of(endings.cbegin(), endings.cend(), [&name](const QString &ending) {
        return name.endsWith(ending) && name.size() > ending.size();
    });
}

QString compeFolder()
{
    return QStringLiteral("Compe");
}

bool readBytes(const QString &path, QByteArray *data, QString *error)
{
    data->clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = readError(path, file.errorString());
        return false;
    }
    if (file.size() > maxFileBytes) {
        if (error)
            *error = readError(path,
                QStringLiteral("ファイルが大きすぎます (%1 MB)").arg(file.size() / (1024 * 1024)));
        return false;
    }
    try {
        *data = file.readAll();
    } catch (const std::bad_alloc &) {
        data->clear();
        if (error)
            *error = readError(path, QStringLiteral("メモリが足りません"));
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = readError(path, file.errorString());
        return false;
    }
    return true;
}

bool saveBytes(const QString &path, const QByteArray &data, QString *error)
{
    return savePieces(path, {QByteArrayView(data)}, error);
}

bool savePieces(const QString &path, const Pieces &pieces, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = writeError(path, file.errorString());
        return false;
    }
    for (QByteArrayView piece : pieces) {
        const qint64 written = file.write(piece.data(), piece.size());
        if (written != piece.size()) {
            if (error)
                *error = writeError(path, writeFailure(file, piece, written));
            file.cancelWriting();
            return false;
        }
    }
    if (!file.flush()) {
        if (error)
            *error = writeError(path, writeFailure(file, {}, 0));
        file.cancelWriting();
        return false;
    }
    // QSaveFile renames without syncing the data first.
    int failure = diskStep(DiskStep::SyncFile, path);
#ifdef Q_OS_UNIX
    if (failure == 0 && ::fsync(int(file.handle())) != 0)
        failure = errno;
#endif
    if (failure != 0) {
        if (error)
            *error = writeError(path, QString::fromLocal8Bit(strerror(failure)));
        file.cancelWriting();
        return false;
    }
    const int refused = diskStep(DiskStep::Commit, path);
    if (refused != 0)
        file.cancelWriting();
    if (refused != 0 || !file.commit()) {
        if (error)
            *error = writeError(path,
                refused != 0 ? QString::fromLocal8Bit(strerror(refused)) : file.errorString());
        return false;
    }
    syncDirectory(path);
    removeLeftovers(path);
    return true;
}

QStringList parseGolferList(const QByteArray &data)
{
    return splitLines(sjis::decode(data));
}

QByteArray formatGolferList(const QStringList &names)
{
    QByteArray data;
    for (const QString &name : names) {
        data.append(sjis::encode(name));
        data.append("\r\n");
    }
    return data;
}

QString trimBlanks(const QString &name)
{
    auto blank = [](QChar c) { return c == QChar(' ') || c == QChar(0x3000); };
    qsizetype from = 0;
    qsizetype to = name.size();
    while (from < to && blank(name.at(from)))
        ++from;
    while (to > from && blank(name.at(to - 1)))
        --to;
    return name.mid(from, to - from);
}

bool isUsableGolferName(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F)
            return false;
        switch (u) {
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|': return false;
        default: break;
        }
    }
    // A name that Golfer.dat cannot hold would no longer match its files after a restart.
    return textinput::unsavableCharacters(name).isEmpty();
}

} // namespace datafile
