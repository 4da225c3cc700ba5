// The controls of the five pages.
#include "mainform.h"

#include "ui/common/numberformvalidator.h"
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

namespace {

QLabel *heading(const QString &text, QWidget *parent, const QString &name = QString())
{
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

// A text box whose limit counts bytes as the data files store them.
QLineEdit *textEdit(const QString &name, int maxBytes, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxBytes > 0)
        new TextInputGuard(edit, maxBytes);
    edit->setReadOnly(true);
    return edit;
}

QLineEdit *numberEdit(const QString &name, QWidget *parent,
    NumberFormValidator::Kind kind = NumberFormValidator::Kind::Number)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    NumberFormValidator::install(edit, kind);
    edit->setReadOnly(true);
    return edit;
}

QComboBox *listCombo(const QString &name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setMaxVisibleItems(20);
    // Sized for the longest name a record holds (15 double-byte characters) rather than by
    // measuring every item: a list of ten thousand clubs took longer to measure than to make.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(15);
    return combo;
}

} // namespace

QWidget *TMainForm::createYoteiPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("YoteiSheet"));
    auto *outer = new QVBoxLayout(page);

    auto *top = new QHBoxLayout;
    YoteiCalendar = new QCalendarWidget(page);
    YoteiCalendar->setObjectName(QStringLiteral("YoteiCalendar"));
    YoteiCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    YoteiCalendar->setGridVisible(true);
    YoteiCalendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    YoteiCalendar->setFirstDayOfWeek(Qt::Sunday);
    // The whole month, all seven columns and six weeks, in whatever font the desktop uses.
    YoteiCalendar->setFixedSize(QSize(250, 160).expandedTo(YoteiCalendar->minimumSizeHint()));
    connect(YoteiCalendar, &QCalendarWidget::clicked, this, [this] { YoteiCalendarClick(); });
    connect(YoteiCalendar, &QCalendarWidget::activated, this, [this] { YoteiCalendarClick(); });
    top->addWidget(YoteiCalendar);

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(10);
    form->addWidget(heading(QStringLiteral("日 付"), page), 0, 0);
    form->addWidget(heading(QStringLiteral("時 間"), page), 1, 0);
    form->addWidget(heading(QStringLiteral("ゴルフ場"), page), 2, 0);
    form->addWidget(heading(QStringLiteral("備 考"), page), 3, 0);

    YDateText = staticText(QStringLiteral("YDateText"), Qt::white, page);
    YDateText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    YDateText->setToolTip(QStringLiteral("カレンダーをクリックして日付を設定してください"));
    YDateText->setFixedSize(120, 24);
    YTimeEdit = numberEdit(QStringLiteral("YTimeEdit"), page, NumberFormValidator::Kind::Time);
    YTimeEdit->setAlignment(Qt::AlignLeft);
    YTimeEdit->setFixedWidth(80);
    YLinksCombo = listCombo(QStringLiteral("YLinksCombo"), page);
    YLinksCombo->setMinimumWidth(260);
    connect(YLinksCombo, &QComboBox::activated, this, &TMainForm::YLinksComboChange);
    YBikouEdit = textEdit(QStringLiteral("YBikouEdit"), 30, page);
    YBikouEdit->setMinimumWidth(260);
    form->addWidget(YDateText, 0, 1, Qt::AlignLeft);
    form->addWidget(YTimeEdit, 1, 1, Qt::AlignLeft);
    form->addWidget(YLinksCombo, 2, 1, Qt::AlignLeft);
    form->addWidget(YBikouEdit, 3, 1, Qt::AlignLeft);
    form->setColumnStretch(2, 1);
    top->addLayout(form, 1);
    outer->addLayout(top);

    YoteiGrid = new TStringGrid(4, page);
    YoteiGrid->setObjectName(QStringLiteral("YoteiGrid"));
    YoteiGrid->setFocusPolicy(Qt::NoFocus);
    YoteiGrid->SetRowCount(2);
    outer->addWidget(YoteiGrid, 1);

    QWidget::setTabOrder(YoteiCalendar, YTimeEdit);
    QWidget::setTabOrder(YTimeEdit, YLinksCombo);
    QWidget::setTabOrder(YLinksCombo, YBikouEdit);
    return page;
}

QWidget *TMainForm::createLinksPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("LinksSheet"));
    auto *outer = new QVBoxLayout(page);

    auto *form = new QGridLayout;
    form->addWidget(heading(QStringLiteral("ゴルフ場"), page), 0, 0);
    form->addWidget(heading(QStringLiteral("住所"), page), 0, 1);
    LinksNameEdit = textEdit(QStringLiteral("LinksNameEdit"), 30, page);
    LinksAddressEdit = textEdit(QStringLiteral("LinksAddressEdit"), 50, page);
    LinksNameEdit->setMinimumWidth(240);
    LinksAddressEdit->setMinimumWidth(360);
    form->addWidget(LinksNameEdit, 1, 0);
    form->addWidget(LinksAddressEdit, 1, 1, 1, 2);
    form->addWidget(heading(QStringLiteral("電話"), page), 2, 0);
    form->addWidget(heading(QStringLiteral("ホームページ アドレス"), page), 2, 1);
    LinksTelEdit = textEdit(QStringLiteral("LinksTelEdit"), 12, page);
    LinksTelEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    URLEdit = textEdit(QStringLiteral("URLEdit"), 40, page);
    URLEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    URLEdit->setMinimumWidth(300);
    URLButton = new QPushButton(QStringLiteral("ホームページ"), page);
    URLButton->setObjectName(QStringLiteral("URLButton"));
    connect(URLButton, &QPushButton::clicked, this, &TMainForm::URLButtonClick);
    form->addWidget(LinksTelEdit, 3, 0);
    form->addWidget(URLEdit, 3, 1);
    form->addWidget(URLButton, 3, 2);
    form->setColumnStretch(1, 1);
    outer->addLayout(form);

    LinksGrid = new TStringGrid(4, page);
    LinksGrid->setObjectName(QStringLiteral("LinksGrid"));
    LinksGrid->SetRowCount(2);
    outer->addWidget(LinksGrid, 1);

    QWidget::setTabOrder(LinksNameEdit, LinksAddressEdit);
    QWidget::setTabOrder(LinksAddressEdit, LinksTelEdit);
    QWidget::setTabOrder(LinksTelEdit, URLEdit);
    QWidget::setTabOrder(URLEdit, URLButton);
    return page;
}

QWidget *TMainForm::createCoursePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("CourseSheet"));
    page->setFocusPolicy(Qt::ClickFocus);
    auto *outer = new QVBoxLayout(page);

    auto *form = new QGridLayout;
    form->addWidget(heading(QStringLiteral("ゴルフ場"), page), 0, 0);
    form->addWidget(heading(QStringLiteral("コース"), page), 0, 1);
    form->addWidget(heading(QStringLiteral("グリーン"), page), 0, 2);
    form->addWidget(heading(QStringLiteral("ティー"), page), 0, 3);
    CLinksCombo = listCombo(QStringLiteral("CLinksCombo"), page);
    CLinksCombo->setMinimumWidth(240);
    connect(CLinksCombo, &QComboBox::activated, this, &TMainForm::CLinksComboChange);
    CourseEdit = textEdit(QStringLiteral("CourseEdit"), 30, page);
    CourseEdit->setMinimumWidth(200);
    GreenCombo = new QComboBox(page);
    GreenCombo->setObjectName(QStringLiteral("GreenCombo"));
    GreenCombo->setEditable(true);
    GreenCombo->addItems({QStringLiteral("ベント"), QStringLiteral("高麗")});
    new TextInputGuard(GreenCombo->lineEdit(), FieldSize::Green, GreenCombo);
    GreenCombo->setMinimumWidth(110);
    TeeCombo = new QComboBox(page);
    TeeCombo->setObjectName(QStringLiteral("TeeCombo"));
    TeeCombo->setEditable(true);
    TeeCombo->addItems({QStringLiteral("フルバック"), QStringLiteral("バック"),
        QStringLiteral("レギュラー"), QStringLiteral("フロント"), QStringLiteral("レディース")});
    new TextInputGuard(TeeCombo->lineEdit(), FieldSize::Tee, TeeCombo);
    TeeCombo->setMinimumWidth(130);
    form->addWidget(CLinksCombo, 1, 0);
    form->addWidget(CourseEdit, 1, 1);
    form->addWidget(GreenCombo, 1, 2);
    form->addWidget(TeeCombo, 1, 3);
    form->setColumnStretch(4, 1);
    outer->addLayout(form);

    auto *table = new QFrame(page);
    table->setObjectName(QStringLiteral("HolePanel"));
    table->setFrameShape(QFrame::StyledPanel);
    auto *holes = new QGridLayout(table);
    holes->setHorizontalSpacing(4);
    for (int h = 0; h < 9; ++h) {
        auto *cap = heading(QStringLiteral("%1H").arg(h + 1), table);
        cap->setAlignment(Qt::AlignCenter);
        holes->addWidget(cap, 0, 1 + h);
    }
    auto *totalCap = heading(QStringLiteral("Total"), table);
    totalCap->setAlignment(Qt::AlignCenter);
    holes->addWidget(totalCap, 0, 10);
    holes->addWidget(heading(QStringLiteral("ヤード"), table), 1, 0);
    holes->addWidget(heading(QStringLiteral("パー"), table), 2, 0);
    for (int h = 0; h < 9; ++h) {
        YardEdit[h] = numberEdit(QStringLiteral("Yard%1Edit").arg(h + 1), table);
        ParEdit[h] = numberEdit(QStringLiteral("Par%1Edit").arg(h + 1), table);
        YardEdit[h]->setMinimumWidth(46);
        holes->addWidget(YardEdit[h], 1, 1 + h);
        holes->addWidget(ParEdit[h], 2, 1 + h);
    }
    YardTotalText = staticText(QStringLiteral("YardTotalText"), kYardColour, table);
    ParTotalText = staticText(QStringLiteral("ParTotalText"), kParColour, table);
    YardTotalText->setMinimumWidth(60);
    holes->addWidget(YardTotalText, 1, 10);
    holes->addWidget(ParTotalText, 2, 10);
    outer->addWidget(table);
    outer->addStretch(1);

    QWidget::setTabOrder(CLinksCombo, CourseEdit);
    QWidget::setTabOrder(CourseEdit, GreenCombo);
    QWidget::setTabOrder(GreenCombo, TeeCombo);
    QWidget::setTabOrder(TeeCombo, YardEdit[0]);
    for (int h = 0; h < 8; ++h)
        QWidget::setTabOrder(YardEdit[h], YardEdit[h + 1]);
    QWidget::setTabOrder(YardEdit[8], ParEdit[0]);
    for (int h = 0; h < 8; ++h)
        QWidget::setTabOrder(ParEdit[h], ParEdit[h + 1]);
    return page;
}

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
    const QList<QWidget *> boxes = {YLinksCombo, YBikouEdit, LinksNameEdit, LinksAddressEdit,
        URLEdit, CLinksCombo, CourseEdit, SLinksCombo, SLinksText, ScoreCardFrame1->CourseCombo1,
        ScoreCardFrame1->CourseText, ScoreCardFrame2->CourseCombo1, ScoreCardFrame2->CourseText,
        PartnerEdit[0], PartnerEdit[1], PartnerEdit[2]};
    for (QWidget *box : boxes)
        texttips::tipWhenCut(box);
    // A stored card's weather can fill its field: the box shows it from its start.
    texttips::tipWhenCut(WeatherCombo);
}
