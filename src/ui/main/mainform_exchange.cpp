// The golfer's records out to CSV files and his score cards in from one, and the data files
// restored from the daily backups. The rules live in the core (csv, cardcolumns, backup);
// here are the menu items, the dialogs and the refresh of the tree.
#include "mainform.h"

#include "core/data/backup.h"
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "imagelist.h"
#include "importsummarydialog.h"
#include "restoredialog.h"
#include "ui/stats/analysiswindow.h"
#include "stringgrid.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>
#include <QTreeWidget>

namespace {

enum class ExportKind { Cards, Yotei, Links, Results, Analysis };

QString kindName(ExportKind kind)
{
    switch (kind) {
    case ExportKind::Cards: return QStringLiteral("スコアカード");
    case ExportKind::Yotei: return QStringLiteral("予定");
    case ExportKind::Links: return QStringLiteral("ゴルフ場とコース");
    case ExportKind::Results: return QStringLiteral("成績");
    case ExportKind::Analysis: return QStringLiteral("分析");
    }
    return {};
}

// A file larger than this holds far more than ten lifetimes of golf; reading it whole could
// take the memory the program needs.
constexpr qint64 kLargestImport = qint64(64) << 20;

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
    if (folder == dir + QStringLiteral("/Compe") || folder.startsWith(dir + QStringLiteral("/Compe/")))
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
    m_importDialog = new ImportSummaryDialog(this);
    m_restoreDialog = new RestoreDialog(this);
}

void TMainForm::ExportMenuClick()
{
    exportCsv(false);
}

void TMainForm::exportCsv(bool analysisFirst)
{
    QList<ExportKind> kinds;
    if (!GolferName.isEmpty())
        kinds << ExportKind::Cards << ExportKind::Yotei;
    kinds << ExportKind::Links;
    if (currentPage() == Page::Seiseki && seisekiHasResult())
        kinds << ExportKind::Results;
    const bool analysisShown = m_analysis && m_analysis->isVisible() && !GolferName.isEmpty();
    if (analysisShown)
        kinds << ExportKind::Analysis;
    // What the page shows is offered first.
    ExportKind first = kinds.first();
    switch (currentPage()) {
    case Page::Yotei: first = GolferName.isEmpty() ? ExportKind::Links : ExportKind::Yotei; break;
    case Page::Links:
    case Page::Course: first = ExportKind::Links; break;
    case Page::Score: break;
    case Page::Seiseki:
        first = kinds.contains(ExportKind::Results) ? ExportKind::Results : ExportKind::Links;
        break;
    }
    if (analysisFirst && analysisShown)
        first = ExportKind::Analysis;
    FileRequest request;
    request.caption = QStringLiteral("CSVに書き出す");
    request.defaultSuffix = QStringLiteral("csv");
    for (ExportKind kind : std::as_const(kinds)) {
        request.filters << kindName(kind) + QStringLiteral(" UTF-8 (*.csv)")
                        << kindName(kind) + QStringLiteral(" Shift-JIS (*.csv)");
    }
    request.filter = int(kinds.indexOf(first)) * 2;
    const QString stem = GolferName.isEmpty() ? QStringLiteral("Kestro") : GolferName;
    request.path = QDir(documentsFolder())
                       .filePath(stem + QChar('_') + today().toString(QStringLiteral("yyyyMMdd"))
                           + QStringLiteral(".csv"));
    const FileAnswer answer = dialogs().saveFileName(request);
    if (answer.cancelled())
        return;
    const ExportKind kind = kinds.value(answer.filter / 2, first);
    const csv::Encoding encoding
        = answer.filter % 2 ? csv::Encoding::ShiftJis : csv::Encoding::Utf8Bom;
    QString path = answer.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (isDataPath(m_dir, path)) {
        dialogs().error(QStringLiteral("データファイルやバックアップには書き出せません\n")
            + QDir::toNativeSeparators(path));
        return;
    }

    QList<QStringList> rows;
    switch (kind) {
    case ExportKind::Cards:
        rows = cardcolumns::table(ScoreList.list(),
            [this](const TScoreRecord &card) { return m_ratings.rating(card.RoundDate); });
        break;
    case ExportKind::Yotei: rows = listcolumns::yoteiTable(YoteiList); break;
    case ExportKind::Links: rows = listcolumns::linksTable(LinksList, CourseList); break;
    case ExportKind::Results: {
        // The list as the grid shows it: its visible columns, its heading row when it has one.
        const bool heading = !SeisekiGrid->horizontalHeader()->isHidden();
        for (int r = heading ? 0 : 1; r < SeisekiGrid->RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < SeisekiGrid->ColCount(); ++c)
                if (SeisekiGrid->ColWidth(c) > 0)
                    row << SeisekiGrid->Cell(c, r);
            rows << row;
        }
        break;
    }
    case ExportKind::Analysis: rows = m_analysis->tableRows(); break;
    }
    QByteArray bytes;
    csv::Error problem;
    if (!csv::encode(csv::format(rows), encoding, &bytes, &problem)) {
        dialogs().error(QStringLiteral("Shift-JISでは書き出せません。UTF-8を選んでください\n")
            + problem.message());
        return;
    }
    QString error;
    if (!datafile::saveBytes(path, bytes, &error)) {
        dialogs().error(error);
        return;
    }
    const qsizetype count = rows.size()
        - (kind == ExportKind::Results && SeisekiGrid->horizontalHeader()->isHidden() ? 0 : 1);
    setStatus(QStringLiteral("%1を %2 行書き出しました").arg(kindName(kind)).arg(count));
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
    QByteArray bytes;
    QString error;
    if (!datafile::readBytes(answer.path, &bytes, &error)) {
        dialogs().error(error);
        return;
    }
    const cardcolumns::ImportPlan plan = cardcolumns::readCards(bytes, ScoreList.list());
    bool replaceTaken = false;
    if (!m_importDialog->ask(answer.path, plan, &replaceTaken))
        return;

    // A card in the making or on show would stand at an index the new cards move.
    if (DataCancelAction->isEnabled() && currentPage() == Page::Score)
        DataCancelAction->trigger();
    const BookChange change = m_book.importScores(plan.cards, replaceTaken, plan.ratings);
    // A score file that did not load is never replaced: then nothing has changed.
    if (!settle(change))
        return;
    rebuildScoreNodes();
    if (ScoreIndex >= 0 || ScoreSelected) {
        ScoreSheet_Format();
        ScoreIndex = -1;
        ScoreSelected = false;
        if (currentPage() == Page::Score) {
            DataDeleteAction->setEnabled(false);
            DataChangeAction->setEnabled(false);
            ChartAction1->setEnabled(false);
        }
        ScoreDispAction->setEnabled(false);
        resetScoreDisp();
    }
    m_book.refreshPlayedLinks();
    if (!change.writeErrors.isEmpty())
        return; // said in the error dialog; the cards stay for the next save
    const int added = plan.newCards();
    const int replaced = replaceTaken ? plan.conflicts : 0;
    setStatus(replaced > 0 ? QStringLiteral("スコアカードを %1 枚追加し、%2 枚置き換えました")
                                 .arg(added)
                                 .arg(replaced)
                           : QStringLiteral("スコアカードを %1 枚追加しました").arg(added));
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
    const QStringList errors = backup::applyRestore(m_dir, plan);
    for (const QString &error : errors)
        dialogs().ioError(error);
    QString done = QStringLiteral("%1 のバックアップから復元しました").arg(title);
    if (!undo.folder.isEmpty())
        done += QStringLiteral("\n復元の前のデータは Backup/%1 にあります").arg(undo.folder);
    dialogs().information(done);
    Q_EMIT restartRequested();
}
