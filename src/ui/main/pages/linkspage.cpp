// The golf club page: registering, changing (a new name is carried into the schedule, the
// courses and the score cards) and deleting golf clubs; showing one and the page's grid.
#include "linkspage.h"

#include "pagecontrols.h"
#include "pagehost.h"

#include "core/data/sjis.h"
#include "ui/common/services.h"
#include "ui/common/texttips.h"
#include "ui/main/imagelist.h"
#include "ui/main/stringgrid.h"
#include "ui/main/treenodes.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

using namespace pagecontrols;

LinksPage::LinksPage(RecordBook &book, PageHost &host)
    : m_book(book), m_host(host), LinksList(book.links())
{
    setObjectName(QStringLiteral("LinksSheet"));
    auto *outer = new QVBoxLayout(this);

    auto *form = new QGridLayout;
    form->addWidget(heading(QStringLiteral("ゴルフ場"), this), 0, 0);
    form->addWidget(heading(QStringLiteral("住所"), this), 0, 1);
    LinksNameEdit = textEdit(QStringLiteral("LinksNameEdit"), 30, this);
    LinksAddressEdit = textEdit(QStringLiteral("LinksAddressEdit"), 50, this);
    LinksNameEdit->setMinimumWidth(240);
    LinksAddressEdit->setMinimumWidth(360);
    form->addWidget(LinksNameEdit, 1, 0);
    form->addWidget(LinksAddressEdit, 1, 1, 1, 2);
    form->addWidget(heading(QStringLiteral("電話"), this), 2, 0);
    form->addWidget(heading(QStringLiteral("ホームページ アドレス"), this), 2, 1);
    LinksTelEdit = textEdit(QStringLiteral("LinksTelEdit"), 12, this);
    LinksTelEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    URLEdit = textEdit(QStringLiteral("URLEdit"), 40, this);
    URLEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    URLEdit->setMinimumWidth(300);
    URLButton = new QPushButton(QStringLiteral("ホームページ"), this);
    URLButton->setObjectName(QStringLiteral("URLButton"));
    connect(URLButton, &QPushButton::clicked, this, &LinksPage::URLButtonClick);
    form->addWidget(LinksTelEdit, 3, 0);
    form->addWidget(URLEdit, 3, 1);
    form->addWidget(URLButton, 3, 2);
    form->setColumnStretch(1, 1);
    outer->addLayout(form);

    LinksGrid = new TStringGrid(4, this);
    LinksGrid->setObjectName(QStringLiteral("LinksGrid"));
    LinksGrid->SetRowCount(2);
    outer->addWidget(LinksGrid, 1);

    QWidget::setTabOrder(LinksNameEdit, LinksAddressEdit);
    QWidget::setTabOrder(LinksAddressEdit, LinksTelEdit);
    QWidget::setTabOrder(LinksTelEdit, URLEdit);
    QWidget::setTabOrder(URLEdit, URLButton);

    for (QWidget *box : {LinksNameEdit, LinksAddressEdit, URLEdit})
        texttips::tipWhenCut(box);
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit})
        e->installEventFilter(this);
    LinksGrid->viewport()->installEventFilter(this);
}

LinksPage::~LinksPage()
{
    detachControls(this);
}

DialogService &LinksPage::dialogs() const
{
    return *m_host.services().dialogs;
}

QStringList LinksPage::hints() const
{
    return {QStringLiteral("ゴルフ場データを追加します"),
        QStringLiteral("ゴルフ場データの登録を実行します"),
        QStringLiteral("ゴルフ場データの登録をキャンセルします"),
        QStringLiteral("ゴルフ場データを削除します"), QStringLiteral("ゴルフ場データを変更します")};
}

bool LinksPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        // The boxes hint at Append when a key that edits is pressed in them.
        if (watched != LinksGrid->viewport() && isEditingKey(static_cast<QKeyEvent *>(event)))
            m_host.AppendCheck();
    } else if (event->type() == QEvent::Resize && watched == LinksGrid->viewport()) {
        // The columns follow the visible width of the grid.
        LinksSheetResize();
    }
    return QWidget::eventFilter(watched, event);
}

void LinksPage::clubsLoaded()
{
    LinksNameEdit->clear();
    LinksAddressEdit->clear();
    LinksTelEdit->clear();
    URLEdit->clear();

    LinksGrid->SetColWidth(0, 170);
    LinksGrid->SetColWidth(1, 220);
    // A full telephone number must fit whatever the font; 90 is the least.
    LinksGrid->SetColWidth(2,
        qMax(90, LinksGrid->fontMetrics().horizontalAdvance(QStringLiteral("0000-000-0000")) + 12));
    LinksGrid->SetColWidth(3, 250);
    LinksGrid->SetRow(0,
        {QStringLiteral("ゴルフ場"), QStringLiteral("住所"), QStringLiteral("電話番号"),
            QStringLiteral("ホームページ")});
    LinksGrid->SetRowCount(int(LinksList.size()) + 2);

    QList<QStringList> rows;
    rows.reserve(LinksList.size());
    for (const TLinksRecord &club : LinksList)
        rows.append(linksRow(club));
    // The grid makes the cells of its rows as they come into view.
    LinksGrid->SetRows(1, rows);
}

void LinksPage::setClubNames(QStringListModel *names)
{
    m_clubNames = names;
}

bool LinksPage::regist(qint64 freeBytes)
{
    if (!freeSpaceOk(150, freeBytes, m_host))
        return false;
    if (LinksNameEdit->text().trimmed().isEmpty()) {
        dialogs().error(QStringLiteral("ゴルフ場が入力されていません"));
        return false;
    }
    TLinksRecord record;
    record.LinksName = sjis::fit(LinksNameEdit->text(), FieldSize::LinksName);
    if (!m_host.settle(m_book.checkLinksName(-1, record.LinksName)))
        return false;
    if (URLEdit->text().trimmed() == QLatin1String("http://"))
        URLEdit->clear();
    record.LinksAddress = sjis::fit(LinksAddressEdit->text(), FieldSize::LinksAddress);
    record.LinksTel = sjis::fit(LinksTelEdit->text(), FieldSize::LinksTel);
    record.URL = sjis::fit(URLEdit->text(), FieldSize::URL);

    if (!m_host.settle(m_book.registerLinks(record)))
        return false;

    auto *node = new QTreeWidgetItem({record.LinksName});
    node->setIcon(0, nodeIcon(ImgFolderClosed, ImgFolderOpen));
    m_host.nodes().LinksNode->addChild(node);
    // The three club boxes share their list of names.
    const int row = m_clubNames->rowCount();
    if (m_clubNames->insertRows(row, 1))
        m_clubNames->setData(m_clubNames->index(row), record.LinksName);
    m_host.pageStatus(Page::Links);
    LinksGrid->SetRowCount(LinksGrid->RowCount() + 1);
    writeLinksRow(LinksGrid->RowCount() - 2, record);
    LinksSheet_Format();
    return true;
}

void LinksPage::change()
{
    if (LinksNameEdit->text().trimmed().isEmpty())
        return;
    if (LinksIndex < 0 || LinksIndex >= LinksList.size())
        return;
    const QString newName = sjis::fit(LinksNameEdit->text(), FieldSize::LinksName);
    if (!m_host.settle(m_book.checkLinksName(LinksIndex, newName)))
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
    if (!m_host.settle(change))
        return;

    if (QTreeWidgetItem *node = m_host.nodes().LinksNode->child(LinksIndex))
        node->setText(0, newName);
    m_clubNames->setData(m_clubNames->index(LinksIndex), newName);
    writeLinksRow(LinksIndex + 1, club);
    Q_EMIT clubRenamed(change.yoteiRenamed, newName);
}

bool LinksPage::remove()
{
    if (LinksIndex < 0 || LinksIndex >= LinksList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("このゴルフ場のデータを削除しますか？")))
        return false;
    // The stored name decides, not a name the user may have typed over it since.
    if (!m_host.settle(m_book.deleteLinks(LinksIndex)))
        return false;
    TreeNodes &nodes = m_host.nodes();
    delete nodes.LinksNode->takeChild(LinksIndex);
    nodes.SelectedNode = nodes.LinksNode;
    nodes.SelectedParent = nullptr;
    m_clubNames->removeRows(LinksIndex, 1);
    m_host.pageStatus(Page::Links);
    LinksGrid->DeleteRow(LinksIndex + 1);
    LinksSheet_Format();
    LinksIndex = -1;
    return true;
}

void LinksPage::linksShow(int index)
{
    const ShellActions &actions = m_host.actions();
    m_host.ActionList_TreeView();
    actions.ShukeiAction->setEnabled(false);
    const TLinksRecord &r = LinksList[index];
    LinksNameEdit->setText(r.LinksName);
    LinksAddressEdit->setText(r.LinksAddress);
    LinksTelEdit->setText(r.LinksTel);
    URLEdit->setText(r.URL);
    LinksIndex = index;
    m_host.showPage(this);
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit})
        e->setReadOnly(false);
    actions.DataAppendAction->setEnabled(true);
    actions.DataChangeAction->setEnabled(true);
    actions.DataDeleteAction->setEnabled(true);
    LinksGrid->SelectRow(index + 1);
}

void LinksPage::LinksSheet_Format()
{
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit}) {
        e->clear();
        e->setReadOnly(true);
    }
}

void LinksPage::LinksSheetResize()
{
    // The telephone column is as wide as the font needs, so the others are measured.
    LinksGrid->fillLastColumn(200);
}

QStringList LinksPage::linksRow(const TLinksRecord &r)
{
    return {r.LinksName, r.LinksAddress, r.LinksTel, r.URL};
}

void LinksPage::writeLinksRow(int row, const TLinksRecord &r)
{
    LinksGrid->SetRow(row, linksRow(r));
}

bool LinksPage::append()
{
    LinksSheet_Format();
    LinksNameEdit->setFocus();
    for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit})
        e->setReadOnly(false);
    URLEdit->setText(QStringLiteral("http://"));
    return true;
}

void LinksPage::URLButtonClick()
{
    const QString text = URLEdit->text();
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("http://")) {
        dialogs().warning(QStringLiteral("ホームページアドレスが設定されていません"));
        return;
    }
    if (!text.startsWith(QLatin1String("http://"))) {
        dialogs().warning(QStringLiteral("ホームページアドレスではありません"));
        return;
    }
    m_host.services().desktop->open(QUrl(text));
}
