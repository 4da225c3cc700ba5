// Writing the data files from the lists. A failed write is shown in the general error
// dialog; the list keeps its state, so the next successful write restores the file.
#include "mainform.h"

#include "data/datafile.h"

#include <QComboBox>

void TMainForm::reportReadError(const QString &error)
{
    dialogs().ioError(error);
}

bool TMainForm::settle(Refusal refusal)
{
    BookChange change;
    change.refusal = refusal;
    return settle(change);
}

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
    }
    if (!change.backupNotice.isEmpty())
        noteBackupNotice(change.backupNotice);
    // The lists keep their new state; the next good write brings the file up to date.
    for (const QString &error : change.writeErrors)
        dialogs().ioError(error);
    return true;
}

bool TMainForm::saveGolferList()
{
    QStringList names;
    for (int i = 0; i < GolferCombo->count(); ++i)
        names.append(GolferCombo->itemText(i));
    QString error;
    if (!datafile::saveBytes(
            m_dir + QStringLiteral("Golfer.dat"), datafile::formatGolferList(names), &error)) {
        dialogs().ioError(error);
        return false;
    }
    return true;
}
