#include "compestore.h"

#include "core/data/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace compe {

namespace {

const QString kExtension = QStringLiteral(".json");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

CompeStore::CompeStore(const QString &dataDir, std::function<QDate()> today)
    : m_dir(dataDir), m_today(std::move(today))
{
    if (!m_dir.endsWith(QChar('/')))
        m_dir += QChar('/');
}

// The folder must be a folder of the data folder itself: a link could lead the files
// anywhere.
QString CompeStore::folderProblem() const
{
    const QFileInfo info(m_dir + QStringLiteral("Compe"));
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        return QStringLiteral("「%1」はコンペのフォルダではありません（リンクかファイルです）")
            .arg(shown(info.filePath()));
    return {};
}

QString CompeStore::fileNameProblem(const QString &fileName) const
{
    if (fileName.isEmpty() || fileName.contains(QChar('/')) || fileName.contains(QChar('\\'))
        || fileName.startsWith(QChar('.')) || !fileName.endsWith(kExtension))
        return QStringLiteral("「%1」はコンペのファイル名ではありません").arg(fileName);
    return {};
}

QString CompeStore::keepAside(const QString &path, const QString &detail)
{
    const QString aside = datafile::freeName(
        path + QStringLiteral(".damaged-") + m_today().toString(QStringLiteral("yyyy-MM-dd")));
    const QString report
        = QStringLiteral("コンペのファイル「%1」は壊れているか、このプログラムのものではありません"
                         "（%2）。")
              .arg(shown(path), detail);
    if (!QFile::rename(path, aside))
        return report
            + QStringLiteral("\n「%1」として別に残すこともできませんでした。")
                  .arg(QFileInfo(aside).fileName());
    datafile::syncDirectory(aside);
    return report
        + QStringLiteral("\n元のファイルは「%1」として別に残しました。")
              .arg(QFileInfo(aside).fileName());
}

CompeStore::Opened CompeStore::read(const QString &fileName)
{
    Opened opened;
    if (const QString problem = folderProblem(); !problem.isEmpty()) {
        opened.error = problem;
        return opened;
    }
    if (const QString problem = fileNameProblem(fileName); !problem.isEmpty()) {
        opened.error = problem;
        return opened;
    }
    const QString path = folder() + fileName;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) {
        opened.error = QStringLiteral("コンペのファイル「%1」がありません").arg(shown(path));
        return opened;
    }
    QByteArray bytes;
    QString error;
    if (!datafile::readBytes(path, &bytes, &error)) {
        opened.error = error;
        return opened;
    }
    Decoded decoded = decode(bytes);
    switch (decoded.problem) {
    case FileProblem::None: opened.competition = std::move(decoded.competition); break;
    case FileProblem::Newer:
        opened.error = QStringLiteral("コンペのファイル「%1」は開けません（%2）。")
                           .arg(shown(path), decoded.detail);
        break;
    case FileProblem::Damaged:
    case FileProblem::Foreign: opened.error = keepAside(path, decoded.detail); break;
    }
    return opened;
}

CompeStore::Listing CompeStore::list()
{
    Listing listing;
    if (const QString problem = folderProblem(); !problem.isEmpty()) {
        listing.reports.append(problem);
        return listing;
    }
    const QStringList names = QDir(folder()).entryList(
        {QStringLiteral("*") + kExtension}, QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : names) {
        const Opened opened = read(name);
        if (!opened.competition) {
            listing.reports.append(opened.error);
            continue;
        }
        const Competition &c = *opened.competition;
        listing.entries.append({name, c.date, c.name, c.club, int(c.players.size())});
    }
    std::stable_sort(
        listing.entries.begin(), listing.entries.end(), [](const Entry &a, const Entry &b) {
            return a.date != b.date ? a.date > b.date : a.name < b.name;
        });
    return listing;
}

CompeStore::Opened CompeStore::open(const QString &fileName)
{
    return read(fileName);
}

CompeStore::Saved CompeStore::save(const Competition &c, const QString &previousFileName)
{
    Saved saved;
    saved.error = competitionProblem(c);
    if (saved.error.isEmpty())
        saved.error = folderProblem();
    if (saved.error.isEmpty() && !previousFileName.isEmpty())
        saved.error = fileNameProblem(previousFileName);
    if (!saved.ok())
        return saved;

    const QString target = c.fileName();
    const QString path = folder() + target;
    const QFileInfo info(path);
    if (target != previousFileName && (info.exists() || info.isSymLink())) {
        saved.error = QStringLiteral("%1の「%2」というコンペは既にあります")
                          .arg(c.date.toString(QStringLiteral("yyyy/MM/dd")), c.name);
        return saved;
    }
    if (info.isSymLink()) {
        saved.error
            = QStringLiteral("コンペのファイル「%1」はリンクのため書き換えません").arg(shown(path));
        return saved;
    }
    if (!QDir().mkpath(folder())) {
        saved.error = datafile::writeError(folder(), QStringLiteral("フォルダを作れません"));
        return saved;
    }
    if (!datafile::saveBytes(path, encode(c), &saved.error))
        return saved;
    saved.fileName = target;

    if (!previousFileName.isEmpty() && previousFileName != target) {
        const QString old = folder() + previousFileName;
        if (QFileInfo(old).isSymLink() || !QFile::remove(old))
            saved.notice
                = QStringLiteral("元のファイル「%1」を削除できませんでした").arg(shown(old));
        else
            datafile::syncDirectory(old);
    }
    return saved;
}

QString CompeStore::remove(const QString &fileName)
{
    if (const QString problem = folderProblem(); !problem.isEmpty())
        return problem;
    if (const QString problem = fileNameProblem(fileName); !problem.isEmpty())
        return problem;
    const QString path = folder() + fileName;
    QFile file(path);
    if (!file.remove())
        return QStringLiteral("コンペのファイル「%1」を削除できません\n%2")
            .arg(shown(path), file.errorString());
    datafile::syncDirectory(path);
    return {};
}

bool isProgramFile(const QString &dataDir, const QString &path)
{
    // Links are followed on both sides: a link to the data folder is the data folder.
    const QString dir = QFileInfo(dataDir).canonicalFilePath();
    const QFileInfo target(path);
    const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
    if (dir.isEmpty() || folder.isEmpty())
        return false;
    for (const QString &kept : {QStringLiteral("/Backup"), QStringLiteral("/Compe")})
        if (folder == dir + kept || folder.startsWith(dir + kept + QChar('/')))
            return true;
    const QString suffix = target.suffix().toLower();
    return folder == dir
        && (suffix == QLatin1String("dat") || suffix == QLatin1String("yti")
            || suffix == QLatin1String("sce") || suffix == QLatin1String("json"));
}

} // namespace compe
