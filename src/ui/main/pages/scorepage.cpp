// The score page: clearing it, the course of each half, the handicap and the net score, the
// weather and partner score boxes, the date picker, registering, changing and deleting score
// cards, showing a stored one and the switch between plain strokes and strokes over or
// under par.
#include "scorepage.h"

#include "pagecontrols.h"
#include "pagehost.h"
#include "scoreboxes.h"
#include "scoresheetcard.h"

#include "core/data/datetime.h"
#include "core/data/recordbook.h"
#include "core/stats/chartdata.h"
#include "ui/charts/seisekiform.h"
#include "ui/common/services.h"
#include "ui/main/treenodes.h"
#include "ui/scorecard/detailrows.h"
#include "ui/scorecard/scorecardframe.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>

using namespace pagecontrols;

namespace {

// Cards are told apart by their day; a fraction of a day in a stored date is never shown.
double dayOf(TDateTime value)
{
    return std::trunc(value);
}

} // namespace

ScorePage::ScorePage(RecordBook &book, PageHost &host)
    : m_book(book), m_host(host), ScoreList(book.scoreRecords())
{
    ui = new ScoreBoxes(book, host, this);
    connect(ui, &ScoreBoxes::clubActivated, this, &ScorePage::clubActivated);
}

ScorePage::~ScorePage()
{
    detachControls(this);
}

DialogService &ScorePage::dialogs() const
{
    return *m_host.services().dialogs;
}

void ScorePage::createResults()
{
    SeisekiForm = new TSeisekiForm(window());
}

QStringList ScorePage::hints() const
{
    return {QStringLiteral("スコアデータを追加します"),
        QStringLiteral("スコアデータの登録を実行します"),
        QStringLiteral("スコアデータの登録をキャンセルします"),
        QStringLiteral("スコアデータを削除します"), QStringLiteral("スコアデータを変更します")};
}

void ScorePage::cancel()
{
    ui->ScoreSheet_Format();
}

void ScorePage::offerCourses()
{
    ui->offerCourses();
}

void ScorePage::setClubNames(QStringListModel *names)
{
    ui->SLinksCombo->setModel(names);
    ui->SLinksCombo->setCurrentIndex(-1);
}

void ScorePage::ScoreSheetRegistCheck()
{
    if (ui->SLinksCombo->currentIndex() < 0) {
        dialogs().warning(QStringLiteral("ゴルフ場が選択されていません"));
        CheckFailed = true;
        return;
    }
    for (TScoreCardFrame *frame : ui->frames()) {
        if (frame->CourseCombo1->currentIndex() < 0) {
            dialogs().warning(QStringLiteral("コースが選択されていません"));
            CheckFailed = true;
            return;
        }
    }
    for (TScoreCardFrame *frame : ui->frames()) {
        for (QLineEdit *cell : frame->SEdit) {
            if (cell->text().trimmed().isEmpty()) {
                CheckFailed = true;
                dialogs().warning(QStringLiteral("スコアが全て入力されていないため登録できません"));
                return;
            }
        }
    }
}

bool ScorePage::regist(qint64 freeBytes)
{
    CheckFailed = false;
    // A handicap or partner score refused on the way out has said so and holds the focus;
    // going on would store a value the user did not type.
    if (!m_host.sheetLink().focusPage(this))
        return false;
    ScoreSheetRegistCheck();
    if (CheckFailed)
        return false;
    if (!freeSpaceOk(1000, freeBytes, m_host))
        return false;

    const double day = datetime::fromDate(ui->ScoreDatePicker->date());
    if (!m_host.settle(m_book.checkScoreDate(-1, day)))
        return false;
    for (QLineEdit *edit : ui->PartnerScoreEdit)
        if (edit->text().trimmed().isEmpty())
            edit->setText(QStringLiteral(" 0"));

    TScoreRecord card;
    card.RoundDate = day;
    if (!scoresheetcard::readCard(*ui, card, true, m_host, CheckFailed))
        return false;
    const BookChange change = m_book.registerScore(card, typedDetails());
    if (!m_host.settle(change))
        return false;
    m_host.nodes().insertScoreNodes(ScoreList.roundDate(change.index));
    m_host.pageStatus(Page::Score);
    ui->ScoreSheet_Format();
    return true;
}

void ScorePage::change()
{
    if (ScoreIndex < 0 || ScoreIndex >= ScoreList.size())
        return;
    if (!dialogs().confirm(QStringLiteral("このスコアのデータを変更しますか？")))
        return;
    if (!m_host.sheetLink().focusPage(this))
        return;
    for (QLineEdit *edit : ui->PartnerScoreEdit)
        if (edit->text().trimmed().isEmpty())
            edit->setText(QStringLiteral(" 0"));

    TScoreRecord card = ScoreList.record(ScoreIndex);
    if (!scoresheetcard::readCard(*ui, card, false, m_host, CheckFailed))
        return;
    // Two cards of one day could never both be shown: the first one found hides the other.
    const double day = datetime::fromDate(ui->ScoreDatePicker->date());
    if (!m_host.settle(m_book.checkScoreDate(ScoreIndex, day)))
        return;
    const TDateTime oldDate = ScoreList.roundDate(ScoreIndex);
    const bool moved = dayOf(oldDate) != day;
    card.RoundDate = day;
    TreeNodes &nodes = m_host.nodes();
    QTreeWidgetItem *node = nodes.cardNode(oldDate);
    // The year the card moves to has its date nodes before the card is there, so that its
    // node is moved rather than made twice.
    if (moved)
        nodes.ensureDateNodesOf(day);
    const BookChange change = m_book.changeScore(ScoreIndex, card, typedDetails());
    if (!m_host.settle(change))
        return;
    ScoreIndex = change.index;

    const TDateTime storedDate = ScoreList.roundDate(ScoreIndex);
    if (!moved) {
        if (node)
            node->setText(0, datetime::dateText(storedDate));
    } else {
        // Another day may belong elsewhere in the list and under another year.
        nodes.moveCardNode(node, storedDate);
    }
}

bool ScorePage::remove()
{
    if (ScoreIndex < 0 || ScoreIndex >= ScoreList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("このスコアのデータを削除しますか？")))
        return false;
    TreeNodes &nodes = m_host.nodes();
    QTreeWidgetItem *node = nodes.cardNode(ScoreList.roundDate(ScoreIndex));
    if (!m_host.settle(m_book.deleteScore(ScoreIndex)))
        return false;
    if (node) {
        // The year node stays, even when it has no cards left.
        if (nodes.SelectedNode == node) {
            nodes.SelectedNode = node->parent();
            nodes.SelectedParent = nodes.ScoreNode;
        }
        delete node;
    }
    ScoreIndex = -1;
    ScoreSelected = false;
    m_host.pageStatus(Page::Score);
    ui->ScoreSheet_Format();
    // The page is empty now; a display over or under par has nothing left to show.
    resetScoreDisp();
    return true;
}

bool ScorePage::append()
{
    ui->ScoreSheet_Format();
    ui->ScoreEditNotReadOnly();
    ui->PuttEditNotReadOnly();
    ui->SLinksText->hide();
    ui->ScoreCardFrame1->CourseText->hide();
    ui->ScoreCardFrame2->CourseText->hide();
    ui->scoreInputsReadOnly(false);
    ScoreSelected = false;
    m_host.actions().ScoreDispAction->setEnabled(false);
    resetScoreDisp();
    return true;
}

void ScorePage::ScoreNodeSelect(const QString &dateText)
{
    // Read the date once and compare whole days: a golfer may hold thousands of cards.
    const auto date = datetime::parseDate(dateText);
    if (!date || datetime::dateText(*date) != dateText)
        return;
    const double day = datetime::fromDate(*date);
    qsizetype index = -1;
    for (qsizetype i = 0; i < ScoreList.size(); ++i) {
        if (std::trunc(ScoreList.roundDate(i)) == day) {
            index = i;
            break;
        }
    }
    if (index < 0)
        return;

    const ShellActions &actions = m_host.actions();
    m_host.ActionList_TreeView();
    actions.ShukeiAction->setEnabled(false);
    ScoreSelected = true;
    resetScoreDisp();
    actions.ScoreDispAction->setEnabled(true);
    actions.ChartAction1->setEnabled(true);
    actions.DataAppendAction->setEnabled(true);
    actions.DataDeleteAction->setEnabled(true);
    actions.DataChangeAction->setEnabled(true);
    ScoreIndex = int(index);
    // Written by the program, so the weather guard (on the user's signals only) stays out.
    ui->weatherWritten();
    const TScoreRecord card = ScoreList.record(index);
    scoresheetcard::showCard(*ui, card);
    const CardDetails details = m_book.details().details(card.RoundDate);
    for (DetailRows *rows : ui->detailRows())
        rows->showDetails(details);
    m_host.showPage(this);
    ui->ScoreEditNotReadOnly();
    ui->PuttEditNotReadOnly();
    ui->scoreInputsReadOnly(false);
    m_host.pageStatus(Page::Score);
}

void ScorePage::ScoreBtnClick()
{
    const bool toOverUnder = ScoreDispMode == QLatin1String("Par+-");
    if (!scoresheetcard::showOverUnder(*ui, toOverUnder))
        return;
    const ShellActions &actions = m_host.actions();
    if (toOverUnder) {
        // Converted numbers must never be stored.
        actions.DataChangeAction->setEnabled(false);
        ScoreDispMode = QStringLiteral("Normal");
        actions.ScoreBtn->setText(QStringLiteral("通常ｽｺｱ"));
        actions.ScoreDisp->setText(QStringLiteral("通常スコアで表示(&S)"));
    } else {
        actions.DataChangeAction->setEnabled(true);
        resetScoreDisp();
    }
}

void ScorePage::resetScoreDisp()
{
    ScoreDispMode = QStringLiteral("Par+-");
    m_host.actions().ScoreDisp->setText(QStringLiteral("±スコアで表示(&S)"));
    m_host.actions().ScoreBtn->setText(QStringLiteral("±スコア"));
}

int ScorePage::shownCard() const
{
    return ScoreSelected && ScoreIndex >= 0 && ScoreIndex < ScoreList.size() ? ScoreIndex : -1;
}

bool ScorePage::forgetCard()
{
    const bool shown = ScoreSelected || ScoreIndex >= 0;
    if (shown)
        ui->ScoreSheet_Format();
    ScoreIndex = -1;
    ScoreSelected = false;
    return shown;
}

void ScorePage::showCardChart()
{
    if (ScoreIndex < 0 || ScoreIndex >= ScoreList.size())
        return;
    SeisekiForm->showCard(charts::cardChart(ScoreList.record(ScoreIndex)),
        QStringLiteral("グラフの表示  [ ") + datetime::dateText(ui->ScoreDatePicker->date())
            + QStringLiteral("  ") + ui->SLinksText->text() + QStringLiteral(" ]"));
}

void ScorePage::setDetailsShown(bool shown)
{
    ui->setDetailsShown(shown);
}

std::optional<CardDetails> ScorePage::typedDetails() const
{
    if (!ui->detailsShown())
        return std::nullopt;
    CardDetails details;
    for (DetailRows *rows : ui->detailRows())
        rows->readInto(details);
    return details;
}
