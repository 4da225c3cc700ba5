// Writing the data files from the lists. A failed write is shown in the general error
// dialog; the list keeps its state, so the next successful write restores the file.
#include "mainform.h"

#include "core/data/datafile.h"
#include "core/data/golfername.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

bool TMainForm::settle(const BookChange &change)
{
    switch (change.refusal) {
    case Refusal::None: break;
    case Refusal::YoteiDateTaken:
        dialogs().error(QStringLiteral("既に、その日は予定が入っています"));
        return false;
    case Refusal::LinksNameTaken:
        dialogs().error(QStringLiteral("既に、そのゴルフ場は登録済みです"));
        return false;
    case Refusal::LinksInSchedule:
        dialogs().plain(QStringLiteral("警告"),
            QStringLiteral("このゴルフ場は、予定に登録されていますので、削除できません"));
        return false;
    case Refusal::LinksInCourses:
        dialogs().plain(QStringLiteral("警告"),
            QStringLiteral("このゴルフ場は、コースに登録されていますので、削除できません"));
        return false;
    case Refusal::CourseNameTaken:
        dialogs().error(QStringLiteral("既に、そのコースは登録済みです"));
        return false;
    case Refusal::ScoreDateTaken:
        dialogs().error(QStringLiteral("既に、その日のスコアは登録済みです"));
        return false;
    case Refusal::GolferNameTaken:
        dialogs().warning(QStringLiteral("その名前は、既に登録済みです"));
        return false;
    case Refusal::GolferNameUnusable:
        dialogs().error(QStringLiteral("その名前は、ファイル名に使えない文字を含んでいます"));
        return false;
    case Refusal::GolferNameTooLong:
        dialogs().error(golferNameTooLongMessage());
        return false;
    case Refusal::FileUnreadable:
        dialogs().error(QStringLiteral("%1 は読み込めなかったため、書き換えられません。"
                                       "何も変更していません。\n%2")
                            .arg(QDir::toNativeSeparators(change.file), change.reason));
        return false;
    case Refusal::FileKept: return false; // the user chose so a moment ago
    case Refusal::ChangeUnfinished:
        dialogs().error(QStringLiteral("%1 は、書き込みの終わっていない前の変更に含まれているため、"
                                       "書き換えられません。何も変更していません。\n%2")
                            .arg(QDir::toNativeSeparators(change.file), change.reason));
        return false;
    }
    for (const QString &note : change.notes)
        dialogs().information(note);
    if (!change.backupNotice.isEmpty())
        noteBackupNotice(change.backupNotice);
    // The lists keep their new state; the next good write brings the file up to date. A
    // change across files that failed was taken back whole, and the window shows what was.
    for (const QString &error : change.writeErrors)
        dialogs().ioError(error);
    if (change.undone)
        return false;
    // Every change of the book passes here: a card, or a club or course carried into cards.
    analysisFollow(false);
    return true;
}

bool TMainForm::askToReplace(const FileConcern &concern)
{
    // Files of the program's folder by their names; anything elsewhere by its whole path.
    auto shown = [this](const QString &path) {
        return QFileInfo(path).absolutePath() + QChar('/') == QFileInfo(m_dir).absoluteFilePath()
            ? QFileInfo(path).fileName()
            : QDir::toNativeSeparators(path);
    };
    QStringList lines;
    if (!concern.linkTarget.isEmpty())
        lines << QStringLiteral("「%1」は、プログラムのフォルダの外にあるファイル %2 を指すリンクです。")
                     .arg(shown(concern.path), concern.linkTarget);
    if (!concern.damage.isEmpty()) {
        lines << QStringLiteral("「%1」は、一部を読み込めませんでした（%2）。")
                     .arg(shown(concern.path), concern.damage);
        lines << QStringLiteral("書き換える前に、元のファイルを「%1」として残します。")
                     .arg(shown(concern.keptAs));
    }
    lines << QStringLiteral("このファイルを書き換えてよろしいですか？");
    return dialogs().confirm(lines.join(QChar('\n')));
}
