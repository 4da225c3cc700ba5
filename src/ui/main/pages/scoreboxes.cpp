#include "scoreboxes.h"

#include "pagecontrols.h"
#include "pagehost.h"
#include "scoresheetcard.h"

#include "core/data/numeric.h"
#include "core/data/recordbook.h"
#include "ui/common/services.h"
#include "ui/common/statictext.h"
#include "ui/common/texttips.h"
#include "ui/main/memoedit.h"
#include "ui/scorecard/detailrows.h"
#include "ui/scorecard/scorecardframe.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace pagecontrols;

ScoreBoxes::ScoreBoxes(const RecordBook &book, PageHost &host, QWidget *page)
    : QObject(page), m_book(book), m_host(host), m_page(page)
{
    setupUi(page);
    connect(SLinksCombo, &QComboBox::activated, this, &ScoreBoxes::clubActivated);
    // Only the user's own changes run the weather guard.
    connect(WeatherCombo, &QComboBox::textActivated, this, &ScoreBoxes::WeatherComboChange);
    connect(
        WeatherCombo->lineEdit(), &QLineEdit::textEdited, this, &ScoreBoxes::WeatherComboChange);
    for (TScoreCardFrame *frame : frames()) {
        connect(frame, &TScoreCardFrame::strokesTotalled, this, &ScoreBoxes::roundStrokesTotalled);
        connect(frame, &TScoreCardFrame::puttsTotalled, this, &ScoreBoxes::roundPuttsTotalled);
    }
    connect(ScoreCardFrame1->CourseCombo1, &QComboBox::activated, this,
        &ScoreBoxes::ScoreCardFrame1CourseCombo1Change);
    connect(ScoreCardFrame2->CourseCombo1, &QComboBox::activated, this,
        &ScoreBoxes::ScoreCardFrame2CourseCombo1Change);
    watchBoxes();
}

void ScoreBoxes::watchBoxes()
{
    // Each box is watched once, so one act of the user runs its check once. The picker keeps
    // its text in an inner box and its calendar in a pop-up window of its own: a press on the
    // text and the closing of the pop-up reach those, not the picker.
    m_scoreDateText = ScoreDatePicker->findChild<QLineEdit *>();
    m_scoreDatePopup = ScoreDatePicker->calendarWidget()->window();
    QList<QObject *> watched = {SHandicapEdit, SLinksText, ScoreDatePicker};
    for (QLineEdit *e : PartnerScoreEdit)
        watched.append(e);
    watched.append(m_scoreDateText);
    watched.append(m_scoreDatePopup);
    for (QObject *object : std::as_const(watched))
        if (object)
            object->installEventFilter(this);
}

void ScoreBoxes::setupUi(QWidget *page)
{
    ScoreSheetLink *link = &m_host.sheetLink();
    page->setObjectName(QStringLiteral("ScoreSheet"));
    page->setFocusPolicy(Qt::ClickFocus);
    // With the rows of play details the card is taller than a small screen leaves the page:
    // it scrolls. Without them everything fits and no scroll bar shows.
    auto *scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("ScoreScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("ScoreContent"));
    scroll->setWidget(content);
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(scroll);
    auto *outer = new QVBoxLayout(content);
    outer->setSpacing(6);

    auto *top = new QGridLayout;
    top->addWidget(heading(QStringLiteral("ラウンド日"), page), 0, 0);
    top->addWidget(heading(QStringLiteral("ゴルフ場"), page), 0, 1);
    top->addWidget(heading(QStringLiteral("天気"), page), 0, 2);
    ScoreDatePicker = new QDateEdit(page);
    ScoreDatePicker->setObjectName(QStringLiteral("ScoreDatePicker"));
    ScoreDatePicker->setCalendarPopup(true);
    ScoreDatePicker->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    ScoreDatePicker->setDisplayFormat(QStringLiteral("yyyy'年'M'月'd'日'"));
    ScoreDatePicker->setAttribute(Qt::WA_InputMethodEnabled, false);
    ScoreDatePicker->setMinimumWidth(150);
    SLinksCombo = listCombo(QStringLiteral("SLinksCombo"), page);
    SLinksCombo->setMinimumWidth(240);
    SLinksText = staticText(QStringLiteral("SLinksText"), kTextColour, page);
    SLinksText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SLinksText->setMinimumWidth(240);
    WeatherCombo = choiceCombo(QStringLiteral("WeatherCombo"),
        {QStringLiteral("晴れ"), QStringLiteral("くもり"), QStringLiteral("雨")},
        FieldSize::Weather, page);
    WeatherCombo->setInsertPolicy(QComboBox::NoInsert);
    WeatherCombo->setMinimumWidth(110);
    top->addWidget(ScoreDatePicker, 1, 0);
    top->addWidget(SLinksCombo, 1, 1);
    top->addWidget(SLinksText, 1, 1);
    top->addWidget(WeatherCombo, 1, 2);
    top->setColumnStretch(3, 1);
    SLinksCombo->hide();
    outer->addLayout(top);

    SScoreText = staticText(QStringLiteral("SScoreText"), kTextColour, page);
    SPuttText = staticText(QStringLiteral("SPuttText"), kTextColour, page);
    SNetText = staticText(QStringLiteral("SNetText"), kTextColour, page);
    SYardText = staticText(QStringLiteral("SYardText"), kYardColour, page);
    SParText = staticText(QStringLiteral("SParText"), kParColour, page);
    SHandicapEdit = numberEdit(QStringLiteral("SHandicapEdit"), page);

    ScoreCardFrame1 = new TScoreCardFrame(link, page);
    ScoreCardFrame1->setObjectName(QStringLiteral("ScoreCardFrame1"));
    ScoreCardFrame2 = new TScoreCardFrame(link, page);
    ScoreCardFrame2->setObjectName(QStringLiteral("ScoreCardFrame2"));

    DetailRows1 = new DetailRows(ScoreCardFrame1, 0, page);
    DetailRows1->setObjectName(QStringLiteral("DetailRows1"));
    DetailRows2 = new DetailRows(ScoreCardFrame2, 9, page);
    DetailRows2->setObjectName(QStringLiteral("DetailRows2"));
    DetailRows1->hide();
    DetailRows2->hide();

    auto *cards = new QHBoxLayout;
    auto *frames = new QVBoxLayout;
    frames->addWidget(ScoreCardFrame1);
    frames->addWidget(DetailRows1);
    frames->addWidget(ScoreCardFrame2);
    frames->addWidget(DetailRows2);
    cards->addLayout(frames, 1);

    auto *totals = new QFrame(page);
    totals->setObjectName(QStringLiteral("Bevel4"));
    totals->setFrameShape(QFrame::Panel);
    totals->setFrameShadow(QFrame::Raised);
    totals->setLineWidth(2);
    auto *tl = new QGridLayout(totals);
    auto *totalHead = heading(QStringLiteral("Total"), totals, QStringLiteral("Label15"));
    totalHead->setAlignment(Qt::AlignCenter);
    tl->addWidget(totalHead, 0, 0);
    tl->addWidget(SYardText, 1, 0);
    tl->addWidget(SParText, 2, 0);
    tl->addWidget(SScoreText, 3, 0);
    tl->addWidget(SPuttText, 4, 0);
    auto *hcHead = heading(QStringLiteral("HC"), totals, QStringLiteral("Label20"));
    hcHead->setAlignment(Qt::AlignCenter);
    tl->addWidget(hcHead, 5, 0);
    tl->addWidget(SHandicapEdit, 6, 0);
    auto *netHead = heading(QStringLiteral("ネット"), totals, QStringLiteral("Label21"));
    netHead->setAlignment(Qt::AlignCenter);
    tl->addWidget(netHead, 7, 0);
    tl->addWidget(SNetText, 8, 0);
    tl->setRowStretch(9, 1);
    totals->setFixedWidth(90);
    cards->addWidget(totals);
    outer->addLayout(cards);

    auto *bottom = new QGridLayout;
    const QStringList partnerCaptions = {QStringLiteral("パートナー１"),
        QStringLiteral("パートナー２"), QStringLiteral("パートナー３")};
    for (int k = 0; k < 3; ++k) {
        PartnerEdit[k] = textEdit(QStringLiteral("Partner%1Edit").arg(k + 1), 20, page);
        PartnerScoreEdit[k] = numberEdit(QStringLiteral("Partner%1ScoreEdit").arg(k + 1), page);
        PartnerScoreEdit[k]->setFixedWidth(60);
        bottom->addWidget(heading(partnerCaptions[k], page), k, 0);
        bottom->addWidget(PartnerEdit[k], k, 1);
        bottom->addWidget(heading(QStringLiteral("スコア"), page), k, 2);
        bottom->addWidget(PartnerScoreEdit[k], k, 3);
    }
    bottom->addWidget(heading(QStringLiteral("メモ"), page), 0, 4, Qt::AlignTop);
    Memo1 = new MemoEdit(FieldSize::Memo, page);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setTabChangesFocus(true);
    Memo1->setFixedHeight(78);
    bottom->addWidget(Memo1, 0, 5, 3, 1);
    bottom->setColumnStretch(1, 1);
    bottom->setColumnStretch(5, 2);
    outer->addLayout(bottom);
    outer->addStretch(1);

    // Date, club, weather, the two halves, the handicap, the partners, the memo.
    QWidget::setTabOrder(ScoreDatePicker, SLinksCombo);
    QWidget::setTabOrder(SLinksCombo, WeatherCombo);
    QWidget::setTabOrder(WeatherCombo, ScoreCardFrame1->CourseCombo1);
    // A half's rows of details, when shown, come after its putts, row by row.
    QWidget *afterHalf = ScoreCardFrame1->PtEdit[8];
    for (QWidget *next : {static_cast<QWidget *>(ScoreCardFrame2->CourseCombo1),
             static_cast<QWidget *>(SHandicapEdit)}) {
        DetailRows *rows = next == SHandicapEdit ? DetailRows2 : DetailRows1;
        QList<QLineEdit *> cells(rows->FwEdit.begin(), rows->FwEdit.end());
        for (const auto &row : rows->CountEdit)
            cells.append(QList<QLineEdit *>(row.begin(), row.end()));
        for (QLineEdit *cell : std::as_const(cells)) {
            QWidget::setTabOrder(afterHalf, cell);
            afterHalf = cell;
        }
        QWidget::setTabOrder(afterHalf, next);
        afterHalf = ScoreCardFrame2->PtEdit[8];
    }
    QWidget *last = SHandicapEdit;
    for (int k = 0; k < 3; ++k) {
        QWidget::setTabOrder(last, PartnerEdit[k]);
        QWidget::setTabOrder(PartnerEdit[k], PartnerScoreEdit[k]);
        last = PartnerScoreEdit[k];
    }
    QWidget::setTabOrder(last, Memo1);

    const QList<QWidget *> boxes = {SLinksCombo, SLinksText, ScoreCardFrame1->CourseCombo1,
        ScoreCardFrame1->CourseText, ScoreCardFrame2->CourseCombo1, ScoreCardFrame2->CourseText,
        PartnerEdit[0], PartnerEdit[1], PartnerEdit[2]};
    for (QWidget *box : boxes)
        texttips::tipWhenCut(box);
    // A stored card's weather can fill its field: the box shows it from its start.
    texttips::tipWhenCut(WeatherCombo);
}

bool ScoreBoxes::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        if (!exitCheckDue(static_cast<QFocusEvent *>(event), m_host.sheetLink()))
            break;
        if (watched == SHandicapEdit)
            SHandicapEditExit();
        else if (auto *edit = qobject_cast<QLineEdit *>(watched);
                 std::find(PartnerScoreEdit.begin(), PartnerScoreEdit.end(), edit)
                 != PartnerScoreEdit.end())
            PartnerScoreCheck(edit);
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        // The club's static text lies over the club list and hides it while it is shown.
        if (watched == SLinksText)
            SLinksCombo->setVisible(event->type() == QEvent::HideToParent);
        break;
    case QEvent::MouseButtonPress:
        if (watched == ScoreDatePicker || watched == m_scoreDateText) {
            // A press the text part leaves unused travels on to the picker itself.
            const ulong stamp = static_cast<QMouseEvent *>(event)->timestamp();
            if (stamp == 0 || stamp != m_lastPickerPress) {
                m_lastPickerPress = stamp;
                ScoreDatePickerClick();
            }
        }
        break;
    case QEvent::Hide:
        if (watched == m_scoreDatePopup)
            ScoreDatePickerCloseUp();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void ScoreBoxes::ScoreSheet_Format()
{
    ScoreEditReadOnly();
    PuttEditReadOnly();
    scoreInputsReadOnly(true);
    ++m_weatherWrites;
    scoresheetcard::clear(*this, m_host.services().clock->today());
    for (DetailRows *rows : detailRows())
        rows->clear();
    // The boxes were emptied on purpose: the box that loses the focus now must not be
    // filled in ("0" for a partner) or complain that it is empty.
    ScoreSheetLink &link = m_host.sheetLink();
    link.exitChecksSuspended = true;
    m_host.sheetLink().focusPage(m_page);
    link.exitChecksSuspended = false;
}

void ScoreBoxes::ScoreEditReadOnly()
{
    ScoreCardFrame1->setScoreReadOnly(true);
    ScoreCardFrame2->setScoreReadOnly(true);
    for (DetailRows *rows : detailRows())
        rows->setReadOnly(true);
}

void ScoreBoxes::PuttEditReadOnly()
{
    ScoreCardFrame1->setPuttReadOnly(true);
    ScoreCardFrame2->setPuttReadOnly(true);
}

void ScoreBoxes::ScoreEditNotReadOnly()
{
    ScoreCardFrame1->setScoreReadOnly(false);
    ScoreCardFrame2->setScoreReadOnly(false);
    for (DetailRows *rows : detailRows())
        rows->setReadOnly(false);
}

void ScoreBoxes::setDetailsShown(bool shown)
{
    m_detailsShown = shown;
    for (DetailRows *rows : detailRows())
        rows->setVisible(shown);
    // The rows' captions stand left of the holes, in the card's caption column: it widens for
    // them while they are shown.
    for (TScoreCardFrame *frame : frames())
        if (auto *grid = qobject_cast<QGridLayout *>(frame->Bevel1->layout()))
            grid->setColumnMinimumWidth(0, shown ? DetailRows1->captionWidth() : 0);
}

void ScoreBoxes::PuttEditNotReadOnly()
{
    ScoreCardFrame1->setPuttReadOnly(false);
    ScoreCardFrame2->setPuttReadOnly(false);
}

void ScoreBoxes::scoreInputsReadOnly(bool readOnly)
{
    SHandicapEdit->setReadOnly(readOnly);
    for (int k = 0; k < 3; ++k) {
        PartnerEdit[k]->setReadOnly(readOnly);
        PartnerScoreEdit[k]->setReadOnly(readOnly);
    }
    Memo1->setReadOnly(readOnly);
}

void ScoreBoxes::offerCourses()
{
    QStringList courses;
    const QString club = SLinksCombo->currentText();
    for (const TCourseRecord &c : m_book.courses())
        if (c.LinksName == club)
            courses.append(c.CourseName);
    scoresheetcard::offerCourses(*this, courses);
}

void ScoreBoxes::ScoreCardFrame1CourseCombo1Change()
{
    courseChosen(0);
}

void ScoreBoxes::ScoreCardFrame2CourseCombo1Change()
{
    courseChosen(1);
}

void ScoreBoxes::courseChosen(int frameIndex)
{
    const QString name = frames()[frameIndex]->CourseCombo1->currentText();
    const QString club = SLinksCombo->currentText();
    const TCourseRecord *course = nullptr;
    for (const TCourseRecord &c : m_book.courses())
        if (c.CourseName == name && c.LinksName == club)
            course = &c; // the last of equal courses wins, as the list is walked to its end
    if (!course)
        return;

    scoresheetcard::showCourse(*this, frameIndex, *course);
    detailRows()[size_t(frameIndex)]->followPars();
}

// A half's strokes were totalled: the round's total and the net score follow.
void ScoreBoxes::roundStrokesTotalled()
{
    const qint64 round = ScoreCardFrame1->strokeTotal() + ScoreCardFrame2->strokeTotal();
    SScoreText->setText(numeric::blankNumber(round));
    SNetText->setText(TScoreCardFrame::netScoreText(SScoreText->text(), SHandicapEdit->text()));
}

// A half's putts were totalled; a half whose total does not read counts for nothing.
void ScoreBoxes::roundPuttsTotalled()
{
    qint64 round = 0;
    for (const TScoreCardFrame *frame : frames())
        round += frame->puttTotal().value_or(0);
    SPuttText->setText(numeric::blankNumber(round));
}

void ScoreBoxes::SHandicapEditExit()
{
    if (m_host.sheetLink().exitChecksSuspended)
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
        ++m_host.sheetLink().exitRefusals;
        m_host.services().dialogs->error(
            SHandicapEdit->text() + QStringLiteral("は数値ではありません"));
        SHandicapEdit->setText(QStringLiteral(" 0"));
        m_host.sheetLink().refocus(SHandicapEdit);
        return;
    }
    SHandicapEdit->setText(numeric::blankDecimal(*handicap));
    SNetText->setText(TScoreCardFrame::netScoreText(SScoreText->text(), SHandicapEdit->text()));
}

void ScoreBoxes::WeatherComboChange()
{
    // Only the user's own changes come here. Outside the Adding mode the weather of a shown
    // card must not be edited, and the empty page takes no input.
    if (!m_host.actions().DataAppendAction->isEnabled())
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

void ScoreBoxes::PartnerScoreCheck(QLineEdit *edit)
{
    if (m_host.sheetLink().exitChecksSuspended)
        return;
    if (edit->text().trimmed().isEmpty())
        edit->setText(QStringLiteral(" 0"));
    const auto score = scoresheetcard::partnerScoreValue(edit->text());
    if (!score) {
        ++m_host.sheetLink().exitRefusals;
        m_host.services().dialogs->error(edit->text() + QStringLiteral("は数値ではありません"));
        m_host.sheetLink().refocus(edit);
        return;
    }
    edit->setText(numeric::blankNumber(*score));
}

void ScoreBoxes::ScoreDatePickerClick()
{
    m_host.AppendCheck();
}

void ScoreBoxes::ScoreDatePickerCloseUp()
{
    m_host.AppendCheck();
}
