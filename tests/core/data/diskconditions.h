#pragma once

// What the data file tests write with: Shift-JIS bytes by hand, and the disk made full or
// the user made ordinary for a while, as a real machine has them.

#include "core/data/datafile.h"
#include "core/data/records.h"
#include "core/data/sjis.h"
#include "support/builders.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray sj(const char *hex)
{
    return QByteArray::fromHex(hex);
}

const QString kYamada = QStringLiteral("山田 太郎");
const QByteArray kYamadaBytes = sj("8E 52 93 63 20 91 BE 98 59");

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Something that is clearly not the new content.
QByteArray oldContent(int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes += char('A' + i % 26);
    return bytes;
}

enum Kind { Links, Course, Yotei, Score };

template <class T> QList<T> sampleList();
template <> QList<TLinksRecord> sampleList()
{
    return {build::club(QStringLiteral("ゴルフ場"), QStringLiteral("http://example.jp/")),
        build::club(QStringLiteral("ｷｬﾝｾﾙ")), TLinksRecord {}};
}
template <> QList<TCourseRecord> sampleList()
{
    return {build::course(QStringLiteral("ゴルフ場"), QStringLiteral("東コース")),
        build::course(QStringLiteral("ゴルフ場"), QStringLiteral("西コース"), 410, 5),
        TCourseRecord {}};
}
template <> QList<TYoteiRecord> sampleList()
{
    return {build::yotei(QDate(2001, 5, 3), QStringLiteral("ゴルフ場")),
        build::yotei(
            QDate(2024, 12, 31), QStringLiteral("ｷｬﾝｾﾙ"), QTime(7, 5), QStringLiteral("コンペ")),
        TYoteiRecord {}};
}
template <> QList<TScoreRecord> sampleList()
{
    return {build::card(QDate(2001, 5, 3), QStringLiteral("ゴルフ場")),
        build::card(QDate(2001, 5, 4), QStringLiteral("ｷｬﾝｾﾙ"), 6), TScoreRecord {}};
}

template <class T> void checkRoundTrip(const QString &path)
{
    const QList<T> list = sampleList<T>();
    QString error;
    QVERIFY2(datafile::writeRecords(path, list, &error), qPrintable(error));
    QCOMPARE(QFileInfo(path).size(), qint64(list.size()) * RecordLayout<T>::Size);

    QList<T> back;
    QVERIFY2(datafile::readRecords(path, &back, &error), qPrintable(error));
    QCOMPARE(encodeRecords(back), encodeRecords(list));

    // A shorter list must not leave the tail of the longer file behind.
    QVERIFY2(datafile::writeRecords(path, list.mid(1, 1), &error), qPrintable(error));
    QVERIFY2(datafile::readRecords(path, &back, &error), qPrintable(error));
    QCOMPARE(back.size(), 1);
    QCOMPARE(encodeRecord(back.front()), encodeRecord(list[1]));
    QCOMPARE(entries(QFileInfo(path).absolutePath()), QStringList {QFileInfo(path).fileName()});
}

// Runs in a child process and gives back its verdict: empty when every check held, a text
// starting with "SKIP:" when the machine cannot set up the case, a failure message otherwise.
QByteArray runInChild(const std::function<QByteArray()> &body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe() failed";
    ::fflush(stdout);
    ::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return "fork() failed";
    if (pid == 0) {
        ::close(fds[0]);
        const QByteArray verdict = body();
        (void)!::write(fds[1], verdict.constData(), size_t(verdict.size()));
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray verdict;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        verdict.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child process ended abnormally, status " + QByteArray::number(status);
    return verdict;
}

// Runs the calling thread's file access as an ordinary user until destroyed, so that
// permission bits mean something even when the tests run as root.
class OrdinaryUser
{
public:
    OrdinaryUser()
    {
        if (::geteuid() != 0)
            m_ok = true;
        else
            m_dropped = m_ok = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    }
    ~OrdinaryUser()
    {
        if (m_dropped) {
            (void)!::seteuid(0);
            (void)!::setegid(0);
        }
    }
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
    bool m_dropped = false;
};

// Writes past this many bytes fail the way they do on a full disk; the signal the kernel
// would send instead is ignored for as long as the limit holds.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_ok = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        ::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_previous {};
    sighandler_t m_oldHandler = SIG_DFL;
    bool m_ok = false;
};

} // namespace
