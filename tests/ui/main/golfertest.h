#pragma once

// What the golfer tests share: the golfers and their files as bytes, and the window's golfer
// box and schedule grid.
#include "core/data/datafile.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QToolButton>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif
#include <QComboBox>

namespace {

const QString kYamada = QStringLiteral("山田");
const QString kSato = QStringLiteral("佐藤");
const QString kClub = QStringLiteral("A倶楽部");
const QString kYotei = QStringLiteral("予定");
const QString kScore = QStringLiteral("スコアカード");
const QString kNoGolfer = QStringLiteral("ゴルファーを選択してください");

// Golfer.dat as Shift-JIS bytes, spelled out so that the file is checked independently of
// the program's own encoder.
const QByteArray kYamadaLine("\x8e\x52\x93\x63\r\n");
const QByteArray kSatoLine("\x8d\xb2\x93\xa1\r\n");

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

#ifdef Q_OS_UNIX
// Makes every write of this process beyond `bytes` fail, which even root cannot get round,
// so that a data file can be made unwritable in the middle of a test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {bytes, m_old.rlim_max};
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
#endif

inline TStringGrid *yoteiGrid(WindowFixture &f)
{
    return f.find<TStringGrid>(QStringLiteral("YoteiGrid"));
}
inline QComboBox *golferCombo(WindowFixture &f)
{
    return f.combo(QStringLiteral("GolferCombo"));
}
inline QStringList comboItems(WindowFixture &f)
{
    QStringList items;
    for (int i = 0; i < golferCombo(f)->count(); ++i)
        items.append(golferCombo(f)->itemText(i));
    return items;
}

} // namespace
