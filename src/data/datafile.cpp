#include "datafile.h"

#include "sjis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace datafile {

namespace {

QString describe(const QString &action, const QString &path, const QString &reason)
{
    return QStringLiteral("%1: %2\n%3").arg(action, QDir::toNativeSeparators(path), reason);
}

// After the rename the new directory entry itself must reach the disk, or a power loss can
// still bring back the old name.
void syncDirectory(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

} // namespace

bool readBytes(const QString &path, QByteArray *data, QString *error)
{
    data->clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = describe(QStringLiteral("ファイルを読み込めません"), path, file.errorString());
        return false;
    }
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = describe(QStringLiteral("ファイルを読み込めません"), path, file.errorString());
        return false;
    }
    return true;
}

bool saveBytes(const QString &path, const QByteArray &data, QString *error)
{
    const QString action = QStringLiteral("ファイルに書き込めません");
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = describe(action, path, file.errorString());
        return false;
    }
    if (file.write(data) != data.size() || !file.flush()) {
        if (error)
            *error = describe(action, path, file.errorString());
        file.cancelWriting();
        return false;
    }
#ifdef Q_OS_UNIX
    // QSaveFile renames without syncing the data first.
    if (::fsync(int(file.handle())) != 0) {
        if (error)
            *error = describe(action, path, QString::fromLocal8Bit(strerror(errno)));
        file.cancelWriting();
        return false;
    }
#endif
    if (!file.commit()) {
        if (error)
            *error = describe(action, path, file.errorString());
        return false;
    }
    syncDirectory(path);
    return true;
}

QStringList parseGolferList(const QByteArray &data)
{
    const QString text = sjis::decode(data);
    QStringList names;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == QChar('\r') || c == QChar('\n')) {
            names.append(text.mid(start, i - start));
            if (c == QChar('\r') && i + 1 < n && text[i + 1] == QChar('\n'))
                ++i;
            start = i + 1;
        }
        ++i;
    }
    // A final line break ends the last line; it does not start an empty one.
    if (start < n)
        names.append(text.mid(start));
    return names;
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
    return sjis::isEncodable(name);
}

} // namespace datafile
