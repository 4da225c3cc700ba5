// The score page: clearing it, the course of each half, the handicap and the net score, the
// weather and partner score boxes, the date picker, and registering, changing and deleting
// score cards.
#include "mainform.h"

#include "core/data/datetime.h"
#include "core/data/numeric.h"
#include "core/data/sjis.h"
#include "imagelist.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>
#include <limits>

namespace {

// Cards are told apart by their day; a fraction of a day in a stored date is never shown.
double dayOf(TDateTime value)
{
    return std::trunc(value);
}

// A partner's score is any number; its fraction is cut off. One that does not fit the
// stored whole number is refused like text that is not a number at all.
std::optional<qint32> partnerScoreValue(const QString &text)
{
    const auto value = numeric::parseFloat(text);
    if (!value)
        return std::nullopt;
    const double whole = std::trunc(*value);
    if (whole < double(std::numeric_limits<qint32>::min())
        || whole > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(whole);
}

} // namespace

void TMainForm::ScoreSheet_Format()
{
    ScoreEditReadOnly();
    PuttEditReadOnly();
    scoreInputsReadOnly(true);
    ScoreDatePicker->setDate(today());
    SLinksCombo->setCurrentIndex(-1);
    SLinksText->show();
    SLinksText->clear();
    ++m_weatherWrites;
    WeatherCombo->setCurrentIndex(-1);
    WeatherCombo->clearEditText();
    Memo1->clear();
    ScoreCardFrame1->ScoreCardClear();
    ScoreCardFrame2->ScoreCardClear();
    for (int k = 0; k < 3; ++k) {
        PartnerEdit[k]->clear();
        PartnerScoreEdit[k]->clear();
    }
    SYardText->clear();
    SParText->clear();
    SPuttText->clear();
    SScoreText->clear();
    SHandicapEdit->setText(QStringLiteral(" 0"));
    SNetText->clear();
    // The boxes were emptied on purpose: the box that loses the focus now must not be
    // filled in ("0" for a partner) or complain that it is empty.
    m_scoreLink.exitChecksSuspended = true;
    m_scoreLink.focusPage(ScoreSheet);
    m_scoreLink.exitChecksSuspended = false;
}

void TMainForm::ScoreEditReadOnly()
{
    ScoreCardFrame1->setScoreReadOnly(true);
    ScoreCardFrame2->setScoreReadOnly(true);
}

void TMainForm::PuttEditReadOnly()
{
    ScoreCardFrame1->setPuttReadOnly(true);
    ScoreCardFrame2->setPuttReadOnly(true);
}

void TMainForm::ScoreEditNotReadOnly()
{
    ScoreCardFrame1->setScoreReadOnly(false);
    ScoreCardFrame2->setScoreReadOnly(false);
}

void TMainForm::PuttEditNotReadOnly()
{
    ScoreCardFrame1->setPuttReadOnly(false);
    ScoreCardFrame2->setPuttReadOnly(false);
}

void TMainForm::scoreInputsReadOnly(bool readOnly)
{
    SHandicapEdit->setReadOnly(readOnly);
    for (int k = 0; k < 3; ++k) {
        PartnerEdit[k]->setReadOnly(readOnly);
        PartnerScoreEdit[k]->setReadOnly(readOnly);
    }
    Memo1->setReadOnly(readOnly);
}

void TMainForm::ScoreCardFrame1CourseCombo1Change()
{
    courseChosen(0);
}

void TMainForm::ScoreCardFrame2CourseCombo1Change()
{
    courseChosen(1);
}

void TMainForm::courseChosen(int frameIndex)
{
    TScoreCardFrame *frame = frameIndex == 0 ? ScoreCardFrame1 : ScoreCardFrame2;
    TScoreCardFrame *other = frameIndex == 0 ? ScoreCardFrame2 : ScoreCardFrame1;
    const QString name = frame->CourseCombo1->currentText();
    const QString club = SLinksCombo->currentText();
    const TCourseRecord *course = nullptr;
    for (const TCourseRecord &c : std::as_const(CourseList))
        if (c.CourseName == name && c.LinksName == club)
            course = &c; // the last of equal courses wins, as the list is walked to its end
    if (!course)
        return;

    frame->GreenText->setText(course->Green);
    frame->TeeText->setText(course->Tee);
    for (int h = 0; h < 9; ++h) {
        frame->SYard[h]->setText(numeric::blankNumber(course->Yard[h]));
        frame->SPar[h]->setText(numeric::blankNumber(course->Par[h]));
    }
    frame->SYardTotal->setText(QString::number(course->YardTotal));
    frame->SParTotal->setText(numeric::blankNumber(course->ParTotal));

    // The round's yards and par: this half alone until the other half has a course too.
    const qint64 yards = qint64(course->YardTotal)
        + numeric::parseIntOrEmpty(other->SYardTotal->text()).value_or(0);
    const qint64 par
        = qint64(course->ParTotal) + numeric::parseIntOrEmpty(other->SParTotal->text()).value_or(0);
    SYardText->setText(numeric::blankNumber(yards));
    SParText->setText(numeric::blankNumber(par));
}

// A half's strokes were totalled: the round's total and the net score follow.
void TMainForm::roundStrokesTotalled()
{
    const qint64 round = ScoreCardFrame1->strokeTotal() + ScoreCardFrame2->strokeTotal();
    SScoreText->setText(numeric::blankNumber(round));
    SNetText->setText(TScoreCardFrame::netScoreText(SScoreText->text(), SHandicapEdit->text()));
}

// A half's putts were totalled; a half whose total does not read counts for nothing.
void TMainForm::roundPuttsTotalled()
{
    qint64 round = 0;
    for (const TScoreCardFrame *frame : {ScoreCardFrame1, ScoreCardFrame2})
        round += frame->puttTotal().value_or(0);
    SPuttText->setText(numeric::blankNumber(round));
}

void TMainForm::SHandicapEditExit()
{
    if (m_scoreLink.exitChecksSuspended)
        return;
    // Without strokes there is no net score to work out, and nothing is checked yet.
    if (SScoreText->text().trimmed().isEmpty())
        return;
    if (SHandicapEdit->text().trimmed().isEmpty())
        SHandicapEdit->setText(QStringLiteral(" 0"));
    // The handicap and the net score are stored as single-precision numbers.
    const auto handicap = numeric::parseSingle(SHandicapEdit->text());
    const auto strokes = numeric::parseFloat(SScoreText->text());
    if (!handicap || (strokes && !numeric::fitsSingle(*strokes - *handicap))) {
        ++m_scoreLink.exitRefusals;
        dialogs().error(SHandicapEdit->text() + QStringLiteral("は数値ではありません"));
        SHandicapEdit->setText(QStringLiteral(" 0"));
        m_scoreLink.refocus(SHandicapEdit);
        return;
    }
    SHandicapEdit->setText(numeric::blankDecimal(*handicap));
    SNetText->setText(TScoreCardFrame::netScoreText(SScoreText->text(), SHandicapEdit->text()));
}

void TMainForm::WeatherComboChange()
{
    // Only the user's own changes come here. Outside the Adding mode the weather of a shown
    // card must not be edited, and the empty page takes no input.
    if (!DataAppendAction->isEnabled())
        return;
    auto empty = [this] {
        WeatherCombo->setCurrentIndex(-1);
        WeatherCombo->clearEditText();
    };
    if (sender() != WeatherCombo->lineEdit()) {
        empty(); // an item chosen from the list
        return;
    }
    // Typed text is emptied as soon as the edit that brought us here is over: emptied in the
    // middle of it, the combo box puts the text back and completes it to an item. Should the
    // program write the weather first (another card shown), that write stands.
    const quint64 writes = m_weatherWrites;
    QMetaObject::invokeMethod(
        this,
        [this, writes, empty] {
            if (writes == m_weatherWrites)
                empty();
        },
        Qt::QueuedConnection);
}

void TMainForm::PartnerScoreCheck(QLineEdit *edit)
{
    if (m_scoreLink.exitChecksSuspended)
        return;
    if (edit->text().trimmed().isEmpty())
        edit->setText(QStringLiteral(" 0"));
    const auto score = partnerScoreValue(edit->text());
    if (!score) {
        ++m_scoreLink.exitRefusals;
        dialogs().error(edit->text() + QStringLiteral("は数値ではありません"));
        m_scoreLink.refocus(edit);
        return;
    }
    edit->setText(numeric::blankNumber(*score));
}

void TMainForm::ScoreSheetRegistCheck()
{
    if (SLinksCombo->currentIndex() < 0) {
        dialogs().warning(QStringLiteral("ゴルフ場が選択されていません"));
        CheckFailed = true;
        return;
    }
    for (TScoreCardFrame *frame : {ScoreCardFrame1, ScoreCardFrame2}) {
        if (frame->CourseCombo1->currentIndex() < 0) {
            dialogs().warning(QStringLiteral("コースが選択されていません"));
            CheckFailed = true;
            return;
        }
    }
    for (TScoreCardFrame *frame : {ScoreCardFrame1, ScoreCardFrame2}) {
        for (QLineEdit *cell : frame->SEdit) {
            if (cell->text().trimmed().isEmpty()) {
                CheckFailed = true;
                dialogs().warning(QStringLiteral("スコアが全て入力されていないため登録できません"));
                return;
            }
        }
    }
}

// Converts and checks everything the page holds into `card` without touching any list,
// tree or file, so that a refusal leaves every stored card as it was and the typed input in
// place. A card being changed keeps its club, courses, yards and pars (wholeCard false).
bool TMainForm::readScorePage(TScoreRecord &card, bool wholeCard)
{
    const std::array<TScoreCardFrame *, 2> frames {ScoreCardFrame1, ScoreCardFrame2};
    const QString failed = wholeCard ? QStringLiteral("スコアの登録に失敗しました")
                                     : QStringLiteral("スコアの変更に失敗しました");

    for (TScoreCardFrame *frame : frames) {
        for (QLineEdit *cell : frame->SEdit) {
            if (cell->text().trimmed().isEmpty()) {
                CheckFailed = true;
                dialogs().warning(QStringLiteral("スコアが全て入力されていないため登録できません"));
                m_scoreLink.refocus(cell);
                return false;
            }
        }
    }
    for (int f = 0; f < 2; ++f) {
        const TScoreCardFrame *frame = frames[f];
        for (int h = 0; h < 9; ++h) {
            QLineEdit *cell = frame->SEdit[h];
            const auto strokes = numeric::parseInt(cell->text());
            if (!strokes) {
                dialogs().warning(cell->text() + QStringLiteral("は、数字ではありません"));
                m_scoreLink.refocus(cell);
                return false;
            }
            card.Score[f * 9 + h] = *strokes;

            // Putts shown as a changed card stored them stay as they were; others must be a
            // number of putts the field holds.
            QLineEdit *puttCell = frame->PtEdit[h];
            const QString putts = puttCell->text().trimmed();
            if (putts != card.Putt[f * 9 + h].trimmed()) {
                const numeric::PuttForm form = numeric::puttForm(puttCell->text());
                if (form != numeric::PuttForm::Empty && form != numeric::PuttForm::Putts) {
                    dialogs().warning(form == numeric::PuttForm::TooLong
                            ? TScoreCardFrame::puttRefusal(puttCell->text())
                            : puttCell->text() + QStringLiteral(" は数字ではありません"));
                    m_scoreLink.refocus(puttCell);
                    return false;
                }
                card.Putt[f * 9 + h] = putts;
            }
        }
        const auto total = numeric::parseIntOrEmpty(frame->STText->text());
        if (!total) {
            dialogs().error(failed);
            return false;
        }
        card.ScoreTotal[f] = *total;
        const QString puttTotal = frame->PTText->text().trimmed();
        if (puttTotal != card.PuttTotal[f].trimmed()) {
            if (sjis::byteLength(puttTotal) > FieldSize::Putt) {
                dialogs().error(
                    QStringLiteral("ハーフのパット合計%1は、2桁を超えるため保存できません")
                        .arg(puttTotal));
                return false;
            }
            card.PuttTotal[f] = puttTotal;
        }
    }

    const auto scoreSum = numeric::parseIntOrEmpty(SScoreText->text());
    const auto puttSum = numeric::parseIntOrEmpty(SPuttText->text());
    if (!scoreSum || !puttSum) {
        dialogs().error(failed);
        return false;
    }
    card.ScoreSum = *scoreSum;
    card.PuttSum = *puttSum;

    // Both are stored as single-precision numbers: one too large for that is refused as the
    // handicap box refuses a text that is not a number.
    const QString handicapText = SHandicapEdit->text();
    const auto handicap = handicapText.trimmed().isEmpty() ? std::optional<double>(0.0)
                                                           : numeric::parseSingle(handicapText);
    // An empty net score means the handicap could not be read when the strokes were
    // last totalled; it reads now, so the net follows from it.
    QString netText = SNetText->text();
    if (handicap && netText.trimmed().isEmpty())
        netText = TScoreCardFrame::netScoreText(SScoreText->text(), handicapText);
    const auto net = numeric::parseFloat(netText);
    if (!handicap || (net && !numeric::fitsSingle(*net))) {
        dialogs().error(handicapText + QStringLiteral("は数値ではありません"));
        m_scoreLink.refocus(SHandicapEdit);
        return false;
    }
    if (!net) {
        dialogs().error(failed);
        return false;
    }
    card.Handicap = float(*handicap);
    card.NetScore = float(*net);

    for (int k = 0; k < 3; ++k) {
        const auto score = partnerScoreValue(PartnerScoreEdit[k]->text());
        if (!score) {
            dialogs().error(PartnerScoreEdit[k]->text() + QStringLiteral("は数値ではありません"));
            m_scoreLink.refocus(PartnerScoreEdit[k]);
            return false;
        }
        card.PartnerScore[k] = *score;
        if (!takeText(card.Partner[k], PartnerEdit[k], PartnerEdit[k]->text(), FieldSize::Partner))
            return false;
    }
    if (!takeText(card.Weather, WeatherCombo, WeatherCombo->currentText(), FieldSize::Weather)
        || !takeText(card.Memo, Memo1, Memo1->toPlainText(), FieldSize::Memo))
        return false;
    if (!wholeCard)
        return true;

    card.LinksName = sjis::fit(SLinksCombo->currentText(), FieldSize::LinksName);
    for (int f = 0; f < 2; ++f) {
        const TScoreCardFrame *frame = frames[f];
        card.CourseName[f] = sjis::fit(frame->CourseCombo1->currentText(), FieldSize::CourseName);
        card.Green[f] = sjis::fit(frame->GreenText->text(), FieldSize::Green);
        card.Tee[f] = sjis::fit(frame->TeeText->text(), FieldSize::Tee);
        for (int h = 0; h < 9; ++h) {
            const auto yard = numeric::parseInt(frame->SYard[h]->text());
            const auto par = numeric::parseInt(frame->SPar[h]->text());
            if (!yard || !par) {
                dialogs().error(failed);
                return false;
            }
            card.Yard[f * 9 + h] = *yard;
            card.Par[f * 9 + h] = *par;
        }
        const auto yardTotal = numeric::parseInt(frame->SYardTotal->text());
        const auto parTotal = numeric::parseInt(frame->SParTotal->text());
        if (!yardTotal || !parTotal) {
            dialogs().error(failed);
            return false;
        }
        card.YardTotal[f] = *yardTotal;
        card.ParTotal[f] = *parTotal;
    }
    const auto yardSum = numeric::parseInt(SYardText->text());
    const auto parSum = numeric::parseInt(SParText->text());
    if (!yardSum || !parSum) {
        dialogs().error(failed);
        return false;
    }
    card.YardSum = *yardSum;
    card.ParSum = *parSum;
    return true;
}

bool TMainForm::scoreRegist(qint64 freeBytes)
{
    // A handicap or partner score refused on the way out has said so and holds the focus;
    // going on would store a value the user did not type.
    if (!m_scoreLink.focusPage(ScoreSheet))
        return false;
    ScoreSheetRegistCheck();
    if (CheckFailed)
        return false;
    if (!freeSpaceOk(1000, freeBytes))
        return false;

    const double day = datetime::fromDate(ScoreDatePicker->date());
    if (!settle(m_book.checkScoreDate(-1, day)))
        return false;
    for (QLineEdit *edit : PartnerScoreEdit)
        if (edit->text().trimmed().isEmpty())
            edit->setText(QStringLiteral(" 0"));

    TScoreRecord card;
    card.RoundDate = day;
    if (!readScorePage(card, true))
        return false;
    const BookChange change = m_book.registerScore(card);
    if (!settle(change))
        return false;
    m_nodes.insertScoreNodes(ScoreList.roundDate(change.index));
    pageStatus(Page::Score);
    ScoreSheet_Format();
    return true;
}

void TMainForm::scoreChange()
{
    if (ScoreIndex < 0 || ScoreIndex >= ScoreList.size())
        return;
    if (!dialogs().confirm(QStringLiteral("このスコアのデータを変更しますか？")))
        return;
    if (!m_scoreLink.focusPage(ScoreSheet))
        return;
    for (QLineEdit *edit : PartnerScoreEdit)
        if (edit->text().trimmed().isEmpty())
            edit->setText(QStringLiteral(" 0"));

    TScoreRecord card = ScoreList.record(ScoreIndex);
    if (!readScorePage(card, false))
        return;
    // Two cards of one day could never both be shown: the first one found hides the other.
    const double day = datetime::fromDate(ScoreDatePicker->date());
    if (!settle(m_book.checkScoreDate(ScoreIndex, day)))
        return;
    const TDateTime oldDate = ScoreList.roundDate(ScoreIndex);
    const bool moved = dayOf(oldDate) != day;
    card.RoundDate = day;
    QTreeWidgetItem *node = m_nodes.cardNode(oldDate);
    // The year the card moves to has its date nodes before the card is there, so that its
    // node is moved rather than made twice.
    if (moved)
        m_nodes.ensureDateNodesOf(day);
    const BookChange change = m_book.changeScore(ScoreIndex, card);
    if (!settle(change))
        return;
    ScoreIndex = change.index;

    const TDateTime storedDate = ScoreList.roundDate(ScoreIndex);
    if (!moved) {
        if (node)
            node->setText(0, datetime::dateText(storedDate));
    } else {
        // Another day may belong elsewhere in the list and under another year.
        m_nodes.moveCardNode(node, storedDate);
    }
}

bool TMainForm::scoreDelete()
{
    if (ScoreIndex < 0 || ScoreIndex >= ScoreList.size())
        return false;
    if (!dialogs().confirm(QStringLiteral("このスコアのデータを削除しますか？")))
        return false;
    QTreeWidgetItem *node = m_nodes.cardNode(ScoreList.roundDate(ScoreIndex));
    if (!settle(m_book.deleteScore(ScoreIndex)))
        return false;
    if (node) {
        // The year node stays, even when it has no cards left.
        if (m_nodes.SelectedNode == node) {
            m_nodes.SelectedNode = node->parent();
            m_nodes.SelectedParent = m_nodes.ScoreNode;
        }
        delete node;
    }
    ScoreIndex = -1;
    ScoreSelected = false;
    pageStatus(Page::Score);
    ScoreSheet_Format();
    // The page is empty now; a display over or under par has nothing left to show.
    resetScoreDisp();
    return true;
}

void TMainForm::ScoreDatePickerClick()
{
    AppendCheck();
}

void TMainForm::ScoreDatePickerCloseUp()
{
    AppendCheck();
}

void TMainForm::scoreAppend()
{
    ScoreSheet_Format();
    ScoreEditNotReadOnly();
    PuttEditNotReadOnly();
    SLinksText->hide();
    ScoreCardFrame1->CourseText->hide();
    ScoreCardFrame2->CourseText->hide();
    scoreInputsReadOnly(false);
    ScoreSelected = false;
    ScoreDispAction->setEnabled(false);
    resetScoreDisp();
}
