// The golfer's records out to CSV files and his score cards in from one, and the data files
// restored from the daily backups. The rules live in the core (csv, cardcolumns, backup);
// here are the menu items, the dialogs and the refresh of the tree.
#include "mainform.h"

#include "core/data/backup.h"
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "core/data/exportchoice.h"
#include "core/data/listcolumns.h"
#include "exportdialog.h"
#include "imagelist.h"
#include "importsummarydialog.h"
#include "pageframe.h"
#include "pages/seisekipage.h"
#include "restoredialog.h"
#include "stringgrid.h"
#include "ui/stats/analysiswindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>
#include <QTreeWidget>

namespace {

using exportchoice::Content;

// A file larger than this holds far more than ten lifetimes of golf (200,000 cards take some
// 70 MB); reading it could take the memory the program needs.
constexpr qint64 kLargestImport = qint64(128) << 20;

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

// An export may go anywhere but over the data files or into their backups.
bool isDataPath(const QString &dataDir, const QString &path)
{
    const QString dir = QFileInfo(dataDir).canonicalFilePath();
    const QFileInfo target(path);
    const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
    if (dir.isEmpty() || folder.isEmpty())
        return false;
    if (folder == dir + QStringLiteral("/Backup")
        || folder.startsWith(dir + QStringLiteral("/Backup/")))
        return true;
    // The competitions' folder holds their files and nothing else.
    if (folder == dir + QStringLiteral("/Compe")
        || folder.startsWith(dir + QStringLiteral("/Compe/")))
        return true;
    const QString suffix = target.suffix().toLower();
    return folder == dir
        && (suffix == QLatin1String("dat") || suffix == QLatin1String("yti")
            || suffix == QLatin1String("sce") || suffix == QLatin1String("json"));
}

} // namespace

void TMainForm::createExchange(QMenu *file)
{
    ExportMenu = file->addAction(QStringLiteral("CSVに書き出す(&E)..."));
    ExportMenu->setObjectName(QStringLiteral("ExportMenu"));
    connect(ExportMenu, &QAction::triggered, this, &TMainForm::ExportMenuClick);
    ImportMenu = file->addAction(QStringLiteral("CSVから読み込む(&I)..."));
    ImportMenu->setObjectName(QStringLiteral("ImportMenu"));
    connect(ImportMenu, &QAction::triggered, this, &TMainForm::ImportMenuClick);
    RestoreMenu = file->addAction(QStringLiteral("バックアップから復元(&B)..."));
    RestoreMenu->setObjectName(QStringLiteral("RestoreMenu"));
    connect(RestoreMenu, &QAction::triggered, this, &TMainForm::RestoreMenuClick);
    m_exportDialog = new ExportDialog(this);
    m_importDialog = new ImportSummaryDialog(this);
    m_restoreDialog = new RestoreDialog(this);
}

void TMainForm::ExportMenuClick()
{
    exportCsv(false);
}

void TMainForm::exportCsv(bool analysisFirst)
{
    QList<Content> offered;
    if (!GolferName.isEmpty())
        offered << Content::Cards << Content::Yotei;
    offered << Content::Links;
    if (currentPage() == Page::Seiseki && m_frame->seiseki()->hasResult())
        offered << Content::Results;
    const bool analysisShown = m_analysis && m_analysis->isVisible() && !GolferName.isEmpty();
    if (analysisShown)
        offered << Content::Analysis;
    // Saved from the analysis window, it is the analysis's table, asked over that window.
    const bool analysisOnly = analysisFirst && analysisShown;
    if (analysisOnly)
        offered = {Content::Analysis};
    QWidget *owner = analysisOnly ? static_cast<QWidget *>(m_analysis) : this;
    if (m_exportDialog->parentWidget() != owner)
        m_exportDialog->setParent(owner, m_exportDialog->windowFlags());
    const std::optional<ExportDialog::Choice> choice
        = m_exportDialog->ask(offered, offered.first());
    if (!choice)
        return;

    FileRequest request;
    request.caption = QStringLiteral("CSVに書き出す");
    request.defaultSuffix = QStringLiteral("csv");
    request.over = owner;
    request.filters
        = {QStringLiteral("CSVファイル (*.csv)"), QStringLiteral("すべてのファイル (*)")};
    request.path = QDir(documentsFolder())
                       .filePath(exportchoice::fileName(choice->content, GolferName, today()));
    const FileAnswer answer = dialogs().saveFileName(request);
    if (answer.cancelled())
        return;
    QString path = answer.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (isDataPath(m_dir, path)) {
        dialogs().error(QStringLiteral("データファイルやバックアップには書き出せません\n")
            + QDir::toNativeSeparators(path));
        return;
    }

    QList<QStringList> rows;
    bool heading = true;
    switch (choice->content) {
    case Content::Cards:
        rows = cardcolumns::table(
            ScoreList.list(),
            [this](const TScoreRecord &card) { return m_ratings.rating(card.RoundDate); },
            [this](const TScoreRecord &card) { return m_book.details().details(card.RoundDate); });
        break;
    case Content::Yotei: rows = listcolumns::yoteiTable(YoteiList); break;
    case Content::Links: rows = listcolumns::linksTable(LinksList, CourseList); break;
    case Content::Results:
        // The list as the grid shows it: its visible columns, its heading row when it has one.
        heading = m_frame->seiseki()->hasHeadingRow();
        rows = m_frame->seiseki()->shownTable();
        break;
    case Content::Analysis:
        // The selection the table stands for comes first, so the file says what it counts.
        rows = m_analysis->tableRows();
        rows.prepend({m_analysis->selectionText()});
        break;
    }
    // The lists mix texts and numbers; a text a spreadsheet would run as a formula is quoted.
    if (choice->content == Content::Results || choice->content == Content::Analysis)
        for (QStringList &row : rows)
            for (QString &cell : row)
                cell = csv::protectCell(cell);
    QString error;
    if (!exportchoice::save(path, csv::format(rows), choice->form, &error)) {
        dialogs().error(error);
        return;
    }
    setStatus(
        QStringLiteral("%1を %2 行書き出しました")
            .arg(exportchoice::contentName(choice->content))
            .arg(rows.size() - (heading ? 1 : 0) - (choice->content == Content::Analysis ? 1 : 0)));
}

void TMainForm::ImportMenuClick()
{
    if (GolferName.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }
    FileRequest request;
    request.caption = QStringLiteral("CSVから読み込む");
    request.path = documentsFolder();
    request.filters
        = {QStringLiteral("CSVファイル (*.csv)"), QStringLiteral("すべてのファイル (*)")};
    const FileAnswer answer = dialogs().openFileName(request);
    if (answer.cancelled())
        return;
    if (QFileInfo(answer.path).size() > kLargestImport) {
        dialogs().error(QStringLiteral("ファイルが大きすぎるため読み込めません\n")
            + QDir::toNativeSeparators(answer.path));
        return;
    }
    // Read a piece at a time: the file is never held whole.
    QFile file(answer.path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().error(datafile::readError(answer.path, file.errorString()));
        return;
    }
    cardcolumns::Stored stored;
    stored.days.reserve(ScoreList.size());
    for (qsizetype i = 0; i < ScoreList.size(); ++i)
        stored.days.insert(ratings::dayKey(ScoreList.roundDate(i)));
    stored.ratings = m_ratings.ratings();
    for (const TLinksRecord &club : LinksList)
        stored.clubs.insert(club.LinksName);
    cardcolumns::ImportPlan plan;
    {
        const std::unique_ptr<ProgressReport> report
            = dialogs().progress(QStringLiteral("CSVから読み込む"),
                QStringLiteral("%1 を読んでいます").arg(QFileInfo(answer.path).fileName()));
        plan = cardcolumns::readCards(
            &file, stored, [&report](int permille) { return report->step(permille); });
    }
    file.close();
    if (plan.cancelled) {
        setStatus(QStringLiteral("CSVの読み込みを取りやめました"));
        return;
    }
    ImportChoice choice;
    if (!m_importDialog->ask(answer.path, plan, &choice))
        return;

    // A card in the making or on show would stand at an index the new cards move.
    if (m_actions.DataCancelAction->isEnabled() && currentPage() == Page::Score)
        m_actions.DataCancelAction->trigger();
    const BookChange change
        = m_book.importScores(plan.cards, choice.replaceTaken, plan.ratings, plan.details);
    // A score file that did not load is never replaced: then nothing has changed.
    if (!settle(change))
        return;
    m_frame->cardsReplaced();
    m_book.refreshPlayedLinks();
    if (!change.writeErrors.isEmpty())
        return; // said in the error dialog; the cards stay for the next save
    const int added = plan.newCards();
    const int replaced = choice.replaceTaken ? plan.conflicts : 0;
    QString done = replaced > 0
        ? QStringLiteral("スコアカードを %1 枚追加し、%2 枚置き換えました").arg(added).arg(replaced)
        : QStringLiteral("スコアカードを %1 枚追加しました").arg(added);
    if (plan.errorRows > 0)
        done += QStringLiteral("（誤りのある %1 行は読み込みませんでした）").arg(plan.errorRows);
    setStatus(done);
}

void TMainForm::noteBackupNotice(const QString &notice)
{
    // After the status text the change itself leaves.
    QMetaObject::invokeMethod(
        this, [this, notice] { setStatus(notice); }, Qt::QueuedConnection);
}

void TMainForm::RestoreMenuClick()
{
    const QList<backup::Entry> entries = backup::listBackups(m_dir);
    if (entries.isEmpty()) {
        dialogs().information(QStringLiteral("バックアップがありません"));
        return;
    }
    const QString name = m_restoreDialog->choose(entries);
    if (name.isEmpty())
        return;
    QString title = name;
    for (const backup::Entry &entry : entries)
        if (entry.name == name)
            title = RestoreDialog::title(entry);
    if (!dialogs().confirm(QStringLiteral("%1 のバックアップから復元しますか？\n"
                                          "今のデータは復元の前にバックアップされます")
                               .arg(title)))
        return;
    const backup::RestorePlan plan = backup::planRestore(m_dir, name);
    if (!plan.ok()) {
        dialogs().error(plan.error);
        return;
    }
    const backup::Result undo
        = backup::makeRestoreBackup(m_dir, QDateTime(today(), QTime::currentTime()));
    if (!undo.ok) {
        dialogs().error(QStringLiteral("今のデータをバックアップできないため、復元をやめました\n")
            + undo.error);
        return;
    }
    journal::Outcome outcome = journal::Outcome::NotWritten;
    const QStringList errors = backup::applyRestore(m_dir, plan, {}, &outcome, today());
    for (const QString &error : errors)
        dialogs().ioError(error);
    if (outcome == journal::Outcome::NotWritten) {
        dialogs().error(QStringLiteral("%1 のバックアップから復元できませんでした。"
                                       "データは元のままです")
                            .arg(title));
        return;
    }
    QString done = QStringLiteral("%1 のバックアップから復元しました").arg(title);
    if (!undo.folder.isEmpty())
        done += QStringLiteral("\n復元の前のデータは Backup/%1 にあります").arg(undo.folder);
    dialogs().information(done);
    Q_EMIT restartRequested();
}
