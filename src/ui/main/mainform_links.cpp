// The golf club page: registering, changing (a new name is carried into the schedule, the
// courses and the score cards) and deleting golf clubs.
#include "mainform.h"

#include "data/sjis.h"
#include "imagelist.h"
#include "stringgrid.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

bool TMainForm::linksRegist(qint64 freeBytes)
{
    if (!freeSpaceOk(150, freeBytes))
        return false;
    if (LinksNameEdit->text().trimmed().isEmpty()) {
        dialogs().error(QStringLiteral("ゴルフ場が入力されていません"));
        return false;
    }
    TLinksRecord record;
    record.LinksName = sjis::fit(LinksNameEdit->text(), FieldSize::LinksName);
    for (const TLinksRecord &club : std::as_const(LinksList)) {
        if (club.LinksName == record.LinksName) {
            dialogs().error(QStringLiteral("既に、そのゴルフ場は登録済みです"));
            return false;
        }
    }
    if (URLEdit->text().trimmed() == QLatin1String("http://"))
        URLEdit->clear();
    record.LinksAddress = sjis::fit(LinksAddressEdit->text(), FieldSize::LinksAddress);
    record.LinksTel = sjis::fit(LinksTelEdit->text(), FieldSize::LinksTel);
    record.URL = sjis::fit(URLEdit->text(), FieldSize::URL);

    LinksList.append(record);
    LinksFile_Output();

    auto *node = new QTreeWidgetItem({record.LinksName});
    node->setIcon(0, nodeIcon(ImgFolderClosed, ImgFolderOpen));
    LinksNode->addChild(node);
    for (QComboBox *combo : {YLinksCombo, CLinksCombo, SLinksCombo})
        combo->addItem(record.LinksName);
    pageStatus(1);
    LinksGrid->SetRowCount(LinksGrid->RowCount() + 1);
    writeLinksRow(LinksGrid->RowCount() - 2, record);
    LinksSheet_Format();
    return true;
}

void TMainForm::linksChange()
{
    if (LinksNameEdit->text().trimmed().isEmpty())
        return;
    if (LinksIndex < 0 || LinksIndex >= LinksList.size())
        return;
    const QString newName = sjis::fit(LinksNameEdit->text(), FieldSize::LinksName);
    // The tree and every reference find a club by its name, so two clubs may never share one.
    for (int i = 0; i < LinksList.size(); ++i) {
        if (i != LinksIndex && LinksList[i].LinksName == newName) {
            dialogs().error(QStringLiteral("既に、そのゴルフ場は登録済みです"));
            return;
        }
    }
    if (!dialogs().confirm(QStringLiteral("このゴルフ場のデータを変更しますか？")))
        return;

    TLinksRecord &club = LinksList[LinksIndex];
    const QString oldName = club.LinksName;
    const bool renamed = oldName != newName;
    club.LinksName = newName;
    club.LinksAddress = sjis::fit(LinksAddressEdit->text(), FieldSize::LinksAddress);
    club.LinksTel = sjis::fit(LinksTelEdit->text(), FieldSize::LinksTel);
    club.URL = sjis::fit(URLEdit->text(), FieldSize::URL);

    if (QTreeWidgetItem *node = LinksNode->child(LinksIndex))
        node->setText(0, newName);
    for (QComboBox *combo : {YLinksCombo, CLinksCombo, SLinksCombo})
        combo->setItemText(LinksIndex, newName);
    writeLinksRow(LinksIndex + 1, club);

    if (renamed) {
        if (!GolferName.isEmpty()) {
            for (int i = 0; i < YoteiList.size(); ++i) {
                if (YoteiList[i].LinksName == oldName) {
                    YoteiList[i].LinksName = newName;
                    YoteiGrid->SetCell(2, i + 1, newName);
                }
            }
            YoteiFile_Output();
        }
        for (TCourseRecord &course : CourseList)
            if (course.LinksName == oldName)
                course.LinksName = newName;
        CourseFile_Output();
        if (!GolferName.isEmpty()) {
            for (TScoreRecord &card : ScoreList)
                if (card.LinksName == oldName)
                    card.LinksName = newName;
            ScoreFile_Output();
        }
    }
    LinksFile_Output();
}

bool TMainForm::linksDelete()
{
    if (LinksIndex < 0 || LinksIndex >= LinksList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("このゴルフ場のデータを削除しますか？")))
        return false;
    // The stored name decides, not a name the user may have typed over it since.
    const QString name = LinksList[LinksIndex].LinksName;
    for (const TYoteiRecord &r : std::as_const(YoteiList)) {
        if (r.LinksName == name) {
            dialogs().plain(QStringLiteral("警告"),
                QStringLiteral("このゴルフ場は、予定に登録されていますので、削除できません"));
            return false;
        }
    }
    for (const TCourseRecord &c : std::as_const(CourseList)) {
        if (c.LinksName == name) {
            dialogs().plain(QStringLiteral("警告"),
                QStringLiteral("このゴルフ場は、コースに登録されていますので、削除できません"));
            return false;
        }
    }
    LinksList.removeAt(LinksIndex);
    delete LinksNode->takeChild(LinksIndex);
    SelectedNode = LinksNode;
    SelectedParent = nullptr;
    for (QComboBox *combo : {YLinksCombo, CLinksCombo, SLinksCombo})
        combo->removeItem(LinksIndex);
    pageStatus(1);
    LinksGrid->DeleteRow(LinksIndex + 1);
    LinksSheet_Format();
    LinksFile_Output();
    LinksIndex = -1;
    return true;
}
