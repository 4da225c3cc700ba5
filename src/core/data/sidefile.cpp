#include "sidefile.h"

#include "backup.h"
#include "datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

SideFileWriter::SideFileWriter(const QString &dataDir) : m_dir(dataDir)
{
    if (!m_dir.endsWith(QChar('/')))
        m_dir += QChar('/');
}

bool SideFileWriter::readFile(SideFile &file, QByteArray *bytes)
{
    QString error;
    if (datafile::readBytes(file.path, bytes, &error))
        return true;
    file.unreadable = true;
    file.problem = error;
    return false;
}

QString SideFileWriter::damagedReport(const SideFile &file) const
{
    return QStringLiteral("ファイル「%1」は壊れているか、このプログラムのものではありません"
                          "（%2）。\n元のファイルは、次に保存するときに「%3」として残します。")
        .arg(QDir::toNativeSeparators(file.path), file.problem,
            QFileInfo(file.path).fileName() + QStringLiteral(".damaged-")
                + m_today.toString(QStringLiteral("yyyy-MM-dd")));
}

bool SideFileWriter::write(SideFile &file, const QByteArray &bytes, QStringList &errors)
{
    if (file.path.isEmpty())
        return false;
    if (file.unreadable) {
        errors.append(QStringLiteral("ファイル「%1」は読み込めなかったため、書き換えません。")
                          .arg(QDir::toNativeSeparators(file.path)));
        return false;
    }
    const QString aside = datafile::keptAsideName(file.path, m_today);
    if (m_deferring) {
        if (!file.problem.isEmpty() && !file.keptAside)
            m_deferred.append({aside, file.original});
        file.keptAside = file.keptAside || !file.problem.isEmpty();
        file.original.clear();
        file.problem.clear();
        m_deferred.append({file.path, bytes});
        return true;
    }
    // A side file may be the first write of the day (ratings typed in the handicap window):
    // the day's backup comes first, as before the record book's writes. A failure is told by
    // the book at its next write, which tries again.
    if (m_backupDay != m_today) {
        m_backupDay = m_today;
        backup::makeDailyBackup(m_dir, m_today);
    }
    // Through the journal's save, which never writes a file that an unfinished change holds.
    auto save = [this, &errors](const QString &path, const QByteArray &data) {
        return journal::save(m_dir, {{path, data}}, {}, &errors, m_today)
            == journal::Outcome::Written;
    };
    if (!file.problem.isEmpty() && !file.keptAside) {
        if (!save(aside, file.original))
            return false;
        file.keptAside = true;
        file.original.clear();
    }
    if (!save(file.path, bytes))
        return false;
    file.problem.clear();
    return true;
}

void SideFileWriter::remove(const QString &path)
{
    if (m_deferring)
        m_deferred.append({path, {}, true});
    else
        QFile::remove(path);
}

void SideFileWriter::defer()
{
    m_deferring = true;
    m_deferred.clear();
}

QList<journal::FileWrite> SideFileWriter::takeWrites()
{
    // A file written twice in one change goes to disk once, as it was written last.
    QList<journal::FileWrite> writes;
    for (qsizetype i = m_deferred.size() - 1; i >= 0; --i) {
        const QString &path = m_deferred[i].path;
        if (std::none_of(writes.cbegin(), writes.cend(),
                [&path](const journal::FileWrite &w) { return w.path == path; }))
            writes.prepend(m_deferred[i]);
    }
    m_deferred.clear();
    return writes;
}

void SideFileWriter::endDeferring()
{
    m_deferring = false;
    m_deferred.clear();
}
