// The golf club page: registering, changing (a new name is carried into the schedule, the
// courses and the score cards) and deleting golf clubs; showing one and the page's grid.
#include "mainform.h"

#include "core/data/sjis.h"
#include "imagelist.h"
#include "pages/yoteipage.h"
#include "stringgrid.h"

#include <QStringListModel>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
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
    if (!settle(m_book.checkLinksName(-1, record.LinksName)))
        return false;
    if (URLEdit->text().trimmed() == QLatin1String("http://"))
        URLEdit->clear();
    record.LinksAddress = sjis::fit(LinksAddressEdit->text(), FieldSize::LinksAddress);
    record.LinksTel = sjis::fit(LinksTelEdit->text(), FieldSize::LinksTel);
    record.URL = sjis::fit(URLEdit->text(), FieldSize::URL);

    if (!settle(m_book.registerLinks(record)))
        return false;

    auto *node = new QTreeWidgetItem({record.LinksName});
    node->setIcon(0, nodeIcon(ImgFolderClosed, ImgFolderOpen));
    m_nodes.LinksNode->addChild(node);
    // The three club boxes share their list of names.
    const int row = m_clubNames->rowCount();
    if (m_clubNames->insertRows(row, 1))
        m_clubNames->setData(m_clubNames->index(row), record.LinksName);
    pageStatus(Page::Links);
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
    if (!settle(m_book.checkLinksName(LinksIndex, newName)))
        return;
    if (!dialogs().confirm(QStringLiteral("このゴルフ場のデータを変更しますか？")))
        return;

    TLinksRecord club;
    club.LinksName = newName;
    club.LinksAddress = sjis::fit(LinksAddressEdit->text(), FieldSize::LinksAddress);
    club.LinksTel = sjis::fit(LinksTelEdit->text(), FieldSize::LinksTel);
    club.URL = sjis::fit(URLEdit->text(), FieldSize::URL);
    // A new name is carried into the schedule, the courses and the cards.
    const BookChange change = m_book.changeLinks(LinksIndex, club);
    if (!settle(change))
        return;

    if (QTreeWidgetItem *node = m_nodes.LinksNode->child(LinksIndex))
        node->setText(0, newName);
    m_clubNames->setData(m_clubNames->index(LinksIndex), newName);
    writeLinksRow(LinksIndex + 1, club);
    YoteiSheet->clubRenamed(change.yoteiRenamed, newName);
}

bool TMainForm::linksDelete()
{
    if (LinksIndex < 0 || LinksIndex >= LinksList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("このゴルフ場のデータを削除しますか？")))
        return false;
    // The stored name decides, not a name the user may have typed over it since.
    if (!settle(m_book.deleteLinks(LinksIndex)))
        return false;
    delete m_nodes.LinksNode->takeChild(LinksIndex);
    m_nodes.SelectedNode = m_nodes.LinksNode;
    m_nodes.SelectedParent = nullptr;
    m_clubNames->removeRows(LinksIndex, 1);
    pageStatus(Page::Links);
    LinksGrid->DeleteRow(LinksIndex + 1);
    LinksSheet_Format();
    LinksIndex = -1;
    return true;
}

void TMainForm::linksShow(int index)
{
    ActionList_TreeView();
    ShukeiAction->setEnabled(false);
    const TLinksRecord &r = LinksList[index];
    LinksNameEdit->setText(r.LinksName);
    LinksAddressEdit->setText(r.LinksAddress);
    LinksTelEdit->setText(r.LinksTel);
    URLEdit->setText(r.URL);
    LinksIndex = index;
    showPage(LinksSheet);
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit})
        e->setReadOnly(false);
    DataAppendAction->setEnabled(true);
    DataChangeAction->setEnabled(true);
    DataDeleteAction->setEnabled(true);
    LinksGrid->SelectRow(index + 1);
}

void TMainForm::LinksSheet_Format()
{
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit}) {
        e->clear();
        e->setReadOnly(true);
    }
}

void TMainForm::LinksSheetResize()
{
    // The telephone column is as wide as the font needs, so the others are measured.
    LinksGrid->fillLastColumn(200);
}

QStringList TMainForm::linksRow(const TLinksRecord &r)
{
    return {r.LinksName, r.LinksAddress, r.LinksTel, r.URL};
}

void TMainForm::writeLinksRow(int row, const TLinksRecord &r)
{
    LinksGrid->SetRow(row, linksRow(r));
}

void TMainForm::linksAppend()
{
    LinksSheet_Format();
    LinksNameEdit->setFocus();
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit})
        e->setReadOnly(false);
    URLEdit->setText(QStringLiteral("http://"));
}
