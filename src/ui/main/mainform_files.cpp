// Writing the data files from the lists. A failed write is shown in the general error
// dialog; the list keeps its state, so the next successful write restores the file.
#include "mainform.h"

#include "data/datafile.h"

#include <QComboBox>

void TMainForm::reportReadError(const QString &error)
{
    dialogs().ioError(error);
}

void TMainForm::LinksFile_Output()
{
    QString error;
    if (!datafile::writeRecords(LinksFileName, LinksList, &error))
        dialogs().ioError(error);
}

void TMainForm::CourseFile_Output()
{
    QString error;
    if (!datafile::writeRecords(CourseFileName, CourseList, &error))
        dialogs().ioError(error);
}

void TMainForm::YoteiFile_Output()
{
    QString error;
    if (!datafile::writeRecords(YoteiFileName, YoteiList, &error))
        dialogs().ioError(error);
}

void TMainForm::ScoreFile_Output()
{
    QString error;
    if (!datafile::writeRecords(ScoreFileName, ScoreList, &error))
        dialogs().ioError(error);
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
