// The schedule page: opening it for a new round, showing, registering, changing and deleting
// planned rounds, the calendar, the club list and the time box.
#include "mainform.h"

#include "core/data/datetime.h"
#include "core/data/sjis.h"
#include "stringgrid.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

bool TMainForm::yoteiRegist(qint64 freeBytes)
{
    if (!freeSpaceOk(100, freeBytes))
        return false;
    if (YDateText->text().isEmpty()) {
        dialogs().warning(QStringLiteral("日付が入力されていません"));
        return false;
    }
    if (YTimeEdit->text().isEmpty()) {
        dialogs().warning(QStringLiteral("時間が入力されていません"));
        return false;
    }
    if (YLinksCombo->currentText().isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルフ場が選択されていません"));
        return false;
    }
    const auto date = datetime::parseDate(YDateText->text());
    const TDateTime day = date ? datetime::fromDate(*date) : 0;
    if (date && !settle(m_book.checkYoteiDate(day)))
        return false;
    // Everything is converted before the list is touched, so a failure leaves nothing behind.
    const auto start = datetime::parseTime(YTimeEdit->text());
    if (!date || !start) {
        dialogs().error(QStringLiteral("予定の登録に失敗しました"));
        DataCancelAction->trigger();
        return false;
    }
    TYoteiRecord record;
    record.RoundDate = day;
    record.StartTime = *start;
    record.LinksName = sjis::fit(YLinksCombo->currentText(), FieldSize::LinksName);
    record.Bikou = sjis::fit(YBikouEdit->text(), FieldSize::Bikou);

    const BookChange change = m_book.registerYotei(record);
    if (!settle(change))
        return false;
    const int index = change.index;
    m_nodes.YoteiNode->insertChild(index, new QTreeWidgetItem({datetime::dateText(day)}));
    yoteiCountStatus();
    YoteiGrid->InsertRow(index + 1);
    writeYoteiRow(index + 1, record);
    YoteiSheet_Format();
    return true;
}

void TMainForm::yoteiChange()
{
    if (YDateText->text().trimmed().isEmpty() || YTimeEdit->text().trimmed().isEmpty())
        return;
    if (YoteiIndex < 0 || YoteiIndex >= YoteiList.size())
        return;
    const auto date = datetime::parseDate(YDateText->text());
    const auto start = datetime::parseTime(YTimeEdit->text());
    if (!date || !start) {
        dialogs().plain(QStringLiteral("警告"), QStringLiteral("入力された時間は正しくありません"));
        m_scoreLink.refocus(YTimeEdit);
        return;
    }
    if (!dialogs().confirm(QStringLiteral("この予定のデータを変更しますか？")))
        return;

    TYoteiRecord r = YoteiList[YoteiIndex];
    r.RoundDate = datetime::fromDate(*date);
    r.StartTime = *start;
    // No club chosen means the entry's club is no longer in the list; keep its name.
    if (YLinksCombo->currentIndex() >= 0)
        r.LinksName = sjis::fit(YLinksCombo->currentText(), FieldSize::LinksName);
    r.Bikou = sjis::fit(YBikouEdit->text(), FieldSize::Bikou);
    if (!settle(m_book.changeYotei(YoteiIndex, r)))
        return;

    if (QTreeWidgetItem *node = m_nodes.YoteiNode->child(YoteiIndex))
        node->setText(0, YDateText->text());
    YoteiGrid->SetRow(
        YoteiIndex + 1, {YDateText->text(), YTimeEdit->text(), r.LinksName, YBikouEdit->text()});
}

bool TMainForm::yoteiDelete()
{
    if (YoteiIndex < 0 || YoteiIndex >= YoteiList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("この予定のデータを削除しますか？")))
        return false;
    if (!settle(m_book.deleteYotei(YoteiIndex)))
        return false;
    delete m_nodes.YoteiNode->takeChild(YoteiIndex);
    m_nodes.SelectedNode = m_nodes.YoteiNode;
    m_nodes.SelectedParent = nullptr;
    yoteiCountStatus();
    YoteiGrid->DeleteRow(YoteiIndex + 1);
    YoteiSheet_Format();
    YoteiIndex = -1;
    return true;
}

void TMainForm::YTimeEditExit()
{
    if (YTimeEdit->text().isEmpty())
        return;
    if (!datetime::parseTime(YTimeEdit->text())) {
        dialogs().plain(QStringLiteral("警告"), QStringLiteral("入力された時間は正しくありません"));
        YTimeEdit->clear();
        m_scoreLink.refocus(YTimeEdit);
    }
}

// After loading or editing the schedule; the page switch words it slightly differently.
void TMainForm::yoteiCountStatus()
{
    setStatus(QStringLiteral("ラウンド予定数は ") + QString::number(YoteiList.size())
        + QStringLiteral(" 回"));
}

void TMainForm::yoteiShow(int index)
{
    ActionList_TreeView();
    ShukeiAction->setEnabled(false);
    YoteiIndex = index;
    const TYoteiRecord &r = YoteiList[index];
    YDateText->setText(datetime::dateText(r.RoundDate));
    YTimeEdit->setText(datetime::timeText(r.StartTime));
    YBikouEdit->setText(r.Bikou);
    YLinksCombo->setCurrentIndex(YLinksCombo->findText(r.LinksName, Qt::MatchExactly));
    YoteiCalendar->setSelectedDate(datetime::toDate(r.RoundDate));
    showPage(YoteiSheet);
    YTimeEdit->setReadOnly(false);
    YBikouEdit->setReadOnly(false);
    DataAppendAction->setEnabled(true);
    DataDeleteAction->setEnabled(true);
    DataChangeAction->setEnabled(true);
    YoteiGrid->SelectRow(index + 1);
}

void TMainForm::YoteiSheet_Format()
{
    YDateText->clear();
    YTimeEdit->clear();
    YLinksCombo->setCurrentIndex(-1);
    YBikouEdit->clear();
    YTimeEdit->setReadOnly(true);
    YBikouEdit->setReadOnly(true);
}

void TMainForm::YoteiCalendarClick()
{
    AppendCheck();
    if (!DataAppendAction->isEnabled()) {
        YDateText->setText(datetime::dateText(YoteiCalendar->selectedDate()));
        YTimeEdit->setFocus();
    }
}

void TMainForm::YDateTextClick()
{
    dialogs().information(QStringLiteral("カレンダーをクリックして日付を設定してください"));
}

void TMainForm::YoteiSheetResize()
{
    YoteiGrid->fillLastColumn(260);
}

QStringList TMainForm::yoteiRow(const TYoteiRecord &r)
{
    return {datetime::dateText(r.RoundDate), datetime::timeText(r.StartTime), r.LinksName, r.Bikou};
}

void TMainForm::writeYoteiRow(int row, const TYoteiRecord &r)
{
    YoteiGrid->SetRow(row, yoteiRow(r));
}

void TMainForm::YLinksComboChange(int)
{
    if (DataAppendAction->isEnabled() && !DataChangeAction->isEnabled()) {
        dialogs().information(QStringLiteral("追加をクリックしてください"));
        YLinksCombo->setCurrentIndex(-1);
    }
}

void TMainForm::yoteiAppend()
{
    YoteiSheet_Format();
    YoteiCalendar->setFocus();
    YTimeEdit->setReadOnly(false);
    YBikouEdit->setReadOnly(false);
}
