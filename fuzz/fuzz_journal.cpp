// The journal of a change across files: any bytes are a plan of ours or plainly not one, a
// plan names only files of its own folder, and whatever the bytes, recovering them touches
// nothing outside that folder.
#include "core/data/datafile.h"
#include "core/data/journal.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdint>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList targets;
    if (journal::parsePlan(bytes, &targets))
        for (const QString &name : targets)
            if (name.isEmpty() || name.contains(QChar('/')) || name.startsWith(QChar('.'))
                || name.contains(QChar(0)))
                __builtin_trap();

    // Recovered in a folder of its own, with a pending file to tempt it, beside a file that
    // must stay as it is.
    // In memory where the system has it: each run writes and renames a few files.
    static QTemporaryDir parent(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/fuzz_journal-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/fuzz_journal-XXXXXX"));
    static const QString folder = parent.filePath(QStringLiteral("data"));
    static const QString victim = parent.filePath(QStringLiteral("victim.sce"));
    static const bool ready = [] {
        write(victim, "precious");
        // Syncs do nothing here but take time: they are skipped as a failing sync would be.
        datafile::setDiskSteps([](datafile::DiskStep step, const QString &) {
            return step == datafile::DiskStep::SyncFolder || step == datafile::DiskStep::SyncFile
                ? EIO
                : 0;
        });
        return true;
    }();
    (void)ready;
    QDir().mkpath(folder);
    write(QDir(folder).filePath(QStringLiteral("Links.dat")), "clubs");
    write(QDir(folder).filePath(QStringLiteral("Links.dat.pending")), "new clubs");
    write(journal::journalPath(folder), bytes);
    journal::recover(folder, QDate(2026, 12, 7));
    QFile check(victim);
    if (!check.open(QIODevice::ReadOnly) || check.readAll() != "precious"
        || QDir(parent.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                .size()
            != 2)
        __builtin_trap();
    QDir(folder).removeRecursively();
    return 0;
}
