// The controls of the five pages.
#include "mainform.h"

#include "pages/pagecontrols.h"
#include "ui/common/statictext.h"
#include "ui/common/texttips.h"

#include "core/data/records.h"
#include "memoedit.h"
#include "stringgrid.h"
#include "textinputguard.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace pagecontrols;

QWidget *TMainForm::createScorePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ScoreSheet"));
    page->setFocusPolicy(Qt::ClickFocus);
    auto *outer = new QVBoxLayout(page);
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
    connect(SLinksCombo, &QComboBox::activated, this, &TMainForm::CLinksComboChange);
    SLinksText = staticText(QStringLiteral("SLinksText"), kTextColour, page);
    SLinksText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SLinksText->setMinimumWidth(240);
    WeatherCombo = new QComboBox(page);
    WeatherCombo->setObjectName(QStringLiteral("WeatherCombo"));
    WeatherCombo->setEditable(true);
    WeatherCombo->setInsertPolicy(QComboBox::NoInsert);
    WeatherCombo->addItems(
        {QStringLiteral("晴れ"), QStringLiteral("くもり"), QStringLiteral("雨")});
    new TextInputGuard(WeatherCombo->lineEdit(), FieldSize::Weather, WeatherCombo);
    WeatherCombo->setMinimumWidth(110);
    // Only the user's own changes run the weather guard.
    connect(WeatherCombo, &QComboBox::textActivated, this, &TMainForm::WeatherComboChange);
    connect(WeatherCombo->lineEdit(), &QLineEdit::textEdited, this, &TMainForm::WeatherComboChange);
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

    m_scoreLink.appendAction = DataAppendAction;
    m_scoreLink.dialogs = m_services.dialogs;
    ScoreCardFrame1 = new TScoreCardFrame(&m_scoreLink, page);
    ScoreCardFrame1->setObjectName(QStringLiteral("ScoreCardFrame1"));
    ScoreCardFrame2 = new TScoreCardFrame(&m_scoreLink, page);
    ScoreCardFrame2->setObjectName(QStringLiteral("ScoreCardFrame2"));
    for (TScoreCardFrame *frame : {ScoreCardFrame1, ScoreCardFrame2}) {
        connect(frame, &TScoreCardFrame::strokesTotalled, this, &TMainForm::roundStrokesTotalled);
        connect(frame, &TScoreCardFrame::puttsTotalled, this, &TMainForm::roundPuttsTotalled);
    }
    connect(ScoreCardFrame1->CourseCombo1, &QComboBox::activated, this,
        &TMainForm::ScoreCardFrame1CourseCombo1Change);
    connect(ScoreCardFrame2->CourseCombo1, &QComboBox::activated, this,
        &TMainForm::ScoreCardFrame2CourseCombo1Change);

    auto *cards = new QHBoxLayout;
    auto *frames = new QVBoxLayout;
    frames->addWidget(ScoreCardFrame1);
    frames->addWidget(ScoreCardFrame2);
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
    QWidget::setTabOrder(ScoreCardFrame1->PtEdit[8], ScoreCardFrame2->CourseCombo1);
    QWidget::setTabOrder(ScoreCardFrame2->PtEdit[8], SHandicapEdit);
    QWidget *last = SHandicapEdit;
    for (int k = 0; k < 3; ++k) {
        QWidget::setTabOrder(last, PartnerEdit[k]);
        QWidget::setTabOrder(PartnerEdit[k], PartnerScoreEdit[k]);
        last = PartnerScoreEdit[k];
    }
    QWidget::setTabOrder(last, Memo1);
    return page;
}

QWidget *TMainForm::createSeisekiPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("SeisekiSheet"));
    auto *outer = new QVBoxLayout(page);
    ShukeiNaiyou = new QLabel(page);
    ShukeiNaiyou->setObjectName(QStringLiteral("ShukeiNaiyou"));
    QFont big = ShukeiNaiyou->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    ShukeiNaiyou->setFont(big);
    KensakuNaiyou = new QLabel(page);
    KensakuNaiyou->setObjectName(QStringLiteral("KensakuNaiyou"));
    QFont bold = KensakuNaiyou->font();
    bold.setBold(true);
    KensakuNaiyou->setFont(bold);
    SeisekiGrid = new TStringGrid(1, page);
    SeisekiGrid->setObjectName(QStringLiteral("SeisekiGrid"));
    SeisekiGrid->SetRowCount(1);
    SeisekiGrid->SetColWidth(0, 0);
    connect(SeisekiGrid, &QTableWidget::cellDoubleClicked, this, [this] { SeisekiGridDblClick(); });
    outer->addWidget(ShukeiNaiyou);
    outer->addWidget(KensakuNaiyou);
    outer->addWidget(SeisekiGrid, 1);
    return page;
}

void TMainForm::installTextTips()
{
    TreeView1->setItemDelegate(new texttips::ItemTextTips(true, TreeView1));
    const QList<QWidget *> boxes = {SLinksCombo, SLinksText, ScoreCardFrame1->CourseCombo1,
        ScoreCardFrame1->CourseText, ScoreCardFrame2->CourseCombo1, ScoreCardFrame2->CourseText,
        PartnerEdit[0], PartnerEdit[1], PartnerEdit[2]};
    for (QWidget *box : boxes)
        texttips::tipWhenCut(box);
    // A stored card's weather can fill its field: the box shows it from its start.
    texttips::tipWhenCut(WeatherCombo);
}
