// The stored competitions (list, new, open, save, delete), the printed results sheet and the
// results as a CSV file.
#include "compewindow.h"

#include "core/data/csv.h"
#include "core/data/datafile.h"
#include "core/data/exportchoice.h"
#include "core/print/compeprintout.h"
#include "playergrid.h"
#include "ui/print/printjob.h"

#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QSet>
#include <QStandardPaths>
#include <QTableWidget>

namespace {

// The file types of the export: what spreadsheets on Japanese desktops read (UTF-8 behind a
// byte-order mark) first, Shift-JIS for the older ones.
const QStringList kCsvForms = {QStringLiteral("Excel 向け (UTF-8) (*.csv)"),
    QStringLiteral("古い表計算ソフト向け (Shift-JIS) (*.csv)")};

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QString dayText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace

void CompeWindow::refreshList(const QString &select)
{
    const compe::CompeStore::Listing listing = m_store.list();
    CompeList->setRowCount(int(listing.entries.size()));
    int chosen = -1;
    for (int r = 0; r < listing.entries.size(); ++r) {
        const compe::CompeStore::Entry &e = listing.entries[r];
        const QStringList cells = {dayText(e.date), e.name, e.club, QString::number(e.players)};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setToolTip(cells[c]);
            CompeList->setItem(r, c, item);
        }
        CompeList->item(r, 0)->setData(Qt::UserRole, e.fileName);
        if (e.fileName == select)
            chosen = r;
    }
    CompeList->setCurrentCell(chosen, 0);
    if (chosen < 0)
        CompeList->clearSelection();
    // A damaged file is set aside as it is reported, and so told once; a file of a later
    // version stays, and is told once a window.
    QStringList fresh;
    for (const QString &report : listing.reports)
        if (!m_toldReports.contains(report)) {
            m_toldReports.insert(report);
            fresh.append(report);
        }
    if (!fresh.isEmpty())
        dialogs().error(fresh.join(QStringLiteral("\n\n")));
}

QString CompeWindow::selectedFile() const
{
    const int row = CompeList->currentRow();
    const QTableWidgetItem *item = row >= 0 ? CompeList->item(row, 0) : nullptr;
    return item && item->isSelected() ? item->data(Qt::UserRole).toString() : QString();
}

void CompeWindow::newCompetition()
{
    if (!settleChanges())
        return;
    compe::Competition fresh;
    fresh.date = m_services.clock->today();
    showCompetition(fresh, QString());
    CompeList->clearSelection();
    setStatus(QStringLiteral("新しいコンペです"));
    CompeNameEdit->setFocus();
}

void CompeWindow::openSelected()
{
    QString file = selectedFile();
    if (file.isEmpty()) {
        dialogs().information(QStringLiteral("開くコンペを一覧から選んでください"));
        return;
    }
    const bool inEditor = file == m_fileName;
    if (!settleChanges())
        return;
    // Saved just now under a new day or name, the competition has a new file.
    if (inEditor)
        file = m_fileName;
    const compe::CompeStore::Opened opened = m_store.open(file);
    if (!opened.competition) {
        dialogs().error(opened.error);
        refreshList(m_fileName);
        return;
    }
    showCompetition(*opened.competition, file);
    refreshList(file);
    setStatus(QStringLiteral("「%1」を開きました").arg(opened.competition->name));
}

bool CompeWindow::save()
{
    QString problem;
    std::optional<compe::Competition> c = gather(&problem);
    if (c)
        problem = compe::competitionProblem(*c);
    if (!problem.isEmpty()) {
        dialogs().error(problem);
        return false;
    }
    const compe::CompeStore::Saved saved = m_store.save(*c, m_fileName);
    if (!saved.ok()) {
        dialogs().error(saved.error);
        return false;
    }
    if (!saved.notice.isEmpty())
        dialogs().warning(saved.notice);
    m_compe = *c;
    m_fileName = saved.fileName;
    m_dirty = false;
    setWindowModified(false);
    refreshList(m_fileName);
    setStatus(QStringLiteral("保存しました（%1）").arg(m_fileName));
    return true;
}

void CompeWindow::deleteSelected()
{
    const QString file = selectedFile();
    const int row = CompeList->currentRow();
    if (file.isEmpty()) {
        dialogs().information(QStringLiteral("削除するコンペを一覧から選んでください"));
        return;
    }
    const QString name = CompeList->item(row, 1)->text();
    const QString day = CompeList->item(row, 0)->text();
    if (!dialogs().confirm(QStringLiteral("%1の「%2」を削除しますか？").arg(day, name)))
        return;
    if (const QString error = m_store.remove(file); !error.isEmpty()) {
        dialogs().error(error);
        refreshList(m_fileName);
        return;
    }
    // The competition in the editor is gone with its file: the editor starts afresh.
    if (file == m_fileName) {
        compe::Competition fresh;
        fresh.date = m_services.clock->today();
        showCompetition(fresh, QString());
    }
    refreshList(m_fileName);
    setStatus(QStringLiteral("%1の「%2」を削除しました").arg(day, name));
}

bool CompeWindow::settleChanges()
{
    if (!m_dirty)
        return true;
    const QString name = CompeNameEdit->text().trimmed().isEmpty()
        ? QStringLiteral("新しいコンペ")
        : QStringLiteral("コンペ「%1」").arg(CompeNameEdit->text());
    const int answer = dialogs().showMessage({QStringLiteral("確認"),
        QStringLiteral("%1の変更は保存されていません。保存しますか？").arg(name),
        {DialogService::yesButton(), DialogService::noButton(), QStringLiteral("キャンセル")},
        MessageRequest::Icon::Question});
    if (answer == 0)
        return save();
    if (answer == 1) {
        revertEditor();
        return true;
    }
    return false;
}

// The changes dropped: the editor shows the competition as stored (or a new one), so that a
// window opened again never shows as saved what was not.
void CompeWindow::revertEditor()
{
    std::optional<compe::Competition> stored;
    if (!m_fileName.isEmpty())
        stored = m_store.open(m_fileName).competition;
    if (!stored) {
        stored = compe::Competition();
        stored->date = m_services.clock->today();
    }
    showCompetition(*stored, stored->name.isEmpty() ? QString() : m_fileName);
}

void CompeWindow::print(bool preview)
{
    compe::Competition c;
    const std::optional<compe::Results> results = askResults(&c);
    if (!results)
        return;
    if (results->rows.isEmpty()) {
        dialogs().information(QStringLiteral("印刷するデータがありません"));
        return;
    }
    // The sheet is laid out on the printer chosen at the time: the preview's printer may be
    // changed in it before its pages are drawn.
    QString error;
    bool printed = false;
    const auto paint = [&](QPrinter &printer) {
        printout::fitResolution(printer);
        const QList<printout::PrintPage> pages
            = printout::compeResultsPages(c, *results, printout::printableSize(printer));
        printed = printout::printPages(printer, pages, printout::copiesToDraw(printer), &error);
    };
    QPrinter printer(QPrinter::HighResolution);
    if (preview) {
        if (!dialogs().printPreview(printer, paint))
            return;
    } else {
        if (!dialogs().printDialog(printer))
            return;
        paint(printer);
    }
    if (!printed) {
        if (!error.isEmpty())
            dialogs().ioError(error);
        return;
    }
    setStatus(QStringLiteral("成績表を印刷しました"));
}

void CompeWindow::exportCsv()
{
    compe::Competition c;
    const std::optional<compe::Results> results = askResults(&c);
    if (!results)
        return;
    if (results->rows.isEmpty()) {
        dialogs().information(QStringLiteral("書き出すデータがありません"));
        return;
    }
    FileRequest request;
    request.caption = QStringLiteral("CSVに書き出す");
    request.defaultSuffix = QStringLiteral("csv");
    request.filters = kCsvForms;
    request.filter = 0;
    const QString stem = compe::nameProblem(c.name).isEmpty() ? c.name : QStringLiteral("コンペ");
    request.path = QDir(documentsFolder())
                       .filePath(stem + QStringLiteral("_成績表_")
                           + c.date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csv"));
    const FileAnswer answer = dialogs().saveFileName(request);
    if (answer.cancelled())
        return;
    QString path = answer.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (compe::isProgramFile(m_dir, path)) {
        dialogs().error(QStringLiteral("データファイルやバックアップには書き出せません\n")
            + QDir::toNativeSeparators(path));
        return;
    }
    const exportchoice::Form form
        = answer.filter == 1 ? exportchoice::Form::OldSpreadsheet : exportchoice::Form::Excel;
    QString error;
    if (!exportchoice::save(path, compe::resultsCsv(*results), form, &error)) {
        dialogs().error(error);
        return;
    }
    setStatus(QStringLiteral("成績を %1 行書き出しました").arg(results->rows.size()));
}
