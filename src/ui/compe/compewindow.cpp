// The competition window: its controls and their layout, opening and closing.
#include "compewindow.h"

#include "holegrid.h"
#include "playergrid.h"
#include "prizegrid.h"
#include "ui/common/windowfit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QComboBox *combo(const QString &name, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return c;
}

QTableWidget *readOnlyTable(const QString &name, const QStringList &heads, QWidget *parent)
{
    auto *t = new QTableWidget(parent);
    t->setObjectName(name);
    t->setColumnCount(int(heads.size()));
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setTabKeyNavigation(false);
    t->setWordWrap(false);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
    return t;
}

} // namespace

CompeWindow::CompeWindow(const QString &dataDir, const QList<TLinksRecord> &links,
    const QList<TCourseRecord> &courses, const QStringList &golfers, const Services &services,
    QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dir(dataDir)
    , m_links(links)
    , m_courses(courses)
    , m_golfers(golfers)
    , m_services(services)
    , m_store(dataDir, [clock = services.clock] { return clock->today(); })
{
    setObjectName(QStringLiteral("CompeWindow"));
    setWindowTitle(QStringLiteral("コンペ（新ペリア）[*]"));

    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("CompeContent"));
    auto *columns = new QHBoxLayout(content);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->addWidget(createListPanel());
    columns->addWidget(createEditor(), 1);
    // A small screen scrolls the window's content; the buttons below stay in view.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("CompeScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 8);
    root->addWidget(scroll, 1);
    root->addWidget(createButtonBar());
    connectEditor();
    compe::Competition fresh;
    fresh.date = m_services.clock->today();
    showCompetition(fresh, QString());
}

QWidget *CompeWindow::createListPanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("コンペの一覧"), panel));
    CompeList = readOnlyTable(QStringLiteral("CompeList"),
        {QStringLiteral("日付"), QStringLiteral("コンペ名"), QStringLiteral("ゴルフ場"),
            QStringLiteral("人数")},
        panel);
    CompeList->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics m = CompeList->fontMetrics();
    CompeList->setColumnWidth(0, m.horizontalAdvance(QStringLiteral("0000/00/00")) + 14);
    CompeList->setColumnWidth(1, m.horizontalAdvance(QStringLiteral("第10回山田会")) + 14);
    CompeList->setColumnWidth(2, m.horizontalAdvance(QStringLiteral("A倶楽部")) + 14);
    layout->addWidget(CompeList, 1);
    const int listRow = CompeList->verticalHeader()->defaultSectionSize();
    CompeList->setMinimumHeight(CompeList->horizontalHeader()->sizeHint().height() + 4 * listRow);
    auto *listButtons = new QHBoxLayout;
    NewButton = button(QStringLiteral("NewButton"), QStringLiteral("新規(&N)"), panel);
    OpenButton = button(QStringLiteral("OpenButton"), QStringLiteral("開く(&O)"), panel);
    DeleteButton = button(QStringLiteral("DeleteButton"), QStringLiteral("削除(&D)"), panel);
    listButtons->addWidget(NewButton);
    listButtons->addWidget(OpenButton);
    listButtons->addWidget(DeleteButton);
    layout->addLayout(listButtons);

    OfferLabel = new QLabel(QStringLiteral("この日のスコアカード"), panel);
    OfferLabel->setObjectName(QStringLiteral("OfferLabel"));
    layout->addWidget(OfferLabel);
    OfferGrid = readOnlyTable(QStringLiteral("OfferGrid"),
        {QStringLiteral("氏名"), QStringLiteral("OUT"), QStringLiteral("IN"), QStringLiteral("計"),
            QStringLiteral("備考")},
        panel);
    OfferGrid->setSelectionMode(QAbstractItemView::NoSelection);
    OfferGrid->setColumnWidth(0, m.horizontalAdvance(QStringLiteral("山田太郎")) + 30);
    for (int c = 1; c <= 3; ++c)
        OfferGrid->setColumnWidth(c, m.horizontalAdvance(QStringLiteral("OUT")) + 12);
    OfferGrid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(OfferGrid, 1);
    OfferGrid->setMinimumHeight(OfferGrid->horizontalHeader()->sizeHint().height() + 4 * listRow);
    JoinButton = button(QStringLiteral("JoinButton"), QStringLiteral("参加者に加える(&J)"), panel);
    layout->addWidget(JoinButton);
    const int width = CompeList->horizontalHeader()->length() + 2 * CompeList->frameWidth() + 20;
    panel->setFixedWidth(qMax(width, 280));
    return panel;
}

QWidget *CompeWindow::createEditor()
{
    auto *editor = new QWidget;
    auto *layout = new QVBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);

    CompeDateEdit = new QDateEdit(editor);
    CompeDateEdit->setObjectName(QStringLiteral("CompeDateEdit"));
    CompeDateEdit->setCalendarPopup(true);
    CompeDateEdit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    CompeDateEdit->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
    CompeNameEdit = new QLineEdit(editor);
    CompeNameEdit->setObjectName(QStringLiteral("CompeNameEdit"));
    CompeLinksCombo = combo(QStringLiteral("CompeLinksCombo"), editor);
    CompeLinksCombo->setMinimumContentsLength(12);
    CompeLinksCombo->setPlaceholderText(QStringLiteral("ゴルフ場を選択"));
    OutCourseCombo = combo(QStringLiteral("OutCourseCombo"), editor);
    InCourseCombo = combo(QStringLiteral("InCourseCombo"), editor);
    for (QComboBox *c : {OutCourseCombo, InCourseCombo})
        c->setMinimumContentsLength(8);
    CapCombo = combo(QStringLiteral("CapCombo"), editor);
    for (compe::Cap cap : {compe::Cap::DoublePar, compe::Cap::TripleBogey, compe::Cap::None})
        CapCombo->addItem(compe::capText(cap), int(cap));
    FactorCombo = combo(QStringLiteral("FactorCombo"), editor);
    for (compe::Factor f : {compe::Factor::Point8, compe::Factor::Point9, compe::Factor::One})
        FactorCombo->addItem(compe::factorText(f), int(f));
    LimitCombo = combo(QStringLiteral("LimitCombo"), editor);
    for (compe::Limit l : {compe::Limit::L36, compe::Limit::L40, compe::Limit::None})
        LimitCombo->addItem(compe::limitText(l), int(l));

    // A line of labelled controls; a control given a stretch takes the room left.
    auto line = [layout, editor](const QList<std::tuple<QString, QWidget *, int>> &cells) {
        auto *row = new QHBoxLayout;
        for (const auto &[text, widget, stretch] : cells) {
            auto *label = new QLabel(text, editor);
            label->setBuddy(widget);
            row->addWidget(label);
            row->addWidget(widget, stretch);
            row->addSpacing(12);
        }
        if (std::get<2>(cells.last()) == 0)
            row->addStretch(1);
        layout->addLayout(row);
    };
    line({{QStringLiteral("日付(&Y)"), CompeDateEdit, 0},
        {QStringLiteral("コンペ名(&M)"), CompeNameEdit, 1}});
    line({{QStringLiteral("ゴルフ場(&L)"), CompeLinksCombo, 0},
        {QStringLiteral("OUT"), OutCourseCombo, 0}, {QStringLiteral("IN"), InCourseCombo, 0}});
    line({{QStringLiteral("隠しホールの上限"), CapCombo, 0},
        {QStringLiteral("係数"), FactorCombo, 0},
        {QStringLiteral("ハンディの上限"), LimitCombo, 0}});

    CompeTabs = new QTabWidget(editor);
    CompeTabs->setObjectName(QStringLiteral("CompeTabs"));
    CompeTabs->addTab(createPlayersPage(), QStringLiteral("参加者と隠しホール"));
    CompeTabs->addTab(createResultsPage(), QStringLiteral("成績と賞"));
    layout->addWidget(CompeTabs, 1);
    return editor;
}

// The holes' grid stands above the players' in the same page, so that their columns line up.
QWidget *CompeWindow::createPlayersPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    HoleGrid = new CompeHoleGrid(page);
    layout->addWidget(HoleGrid, 0, Qt::AlignLeft);
    auto *hidden = new QHBoxLayout;
    ChooseHiddenButton
        = button(QStringLiteral("ChooseHiddenButton"), QStringLiteral("隠しホールを選ぶ"), page);
    AnnounceButton = button(QStringLiteral("AnnounceButton"), QStringLiteral("発表"), page);
    AnnounceButton->setCheckable(true);
    HiddenStateText = new QLabel(page);
    HiddenStateText->setObjectName(QStringLiteral("HiddenStateText"));
    hidden->addWidget(ChooseHiddenButton);
    hidden->addWidget(AnnounceButton);
    hidden->addWidget(HiddenStateText);
    hidden->addStretch(1);
    layout->addLayout(hidden);
    HiddenNoticeText = new QLabel(page);
    HiddenNoticeText->setObjectName(QStringLiteral("HiddenNoticeText"));
    HiddenNoticeText->setWordWrap(true);
    HiddenNoticeText->hide();
    layout->addWidget(HiddenNoticeText);

    PlayerGrid = new CompePlayerGrid(page);
    layout->addWidget(PlayerGrid, 1, Qt::AlignLeft);
    // Rows enough to work with; below that the window's content scrolls instead.
    const int rowHeight = PlayerGrid->verticalHeader()->defaultSectionSize();
    PlayerGrid->setMinimumHeight(
        PlayerGrid->horizontalHeader()->sizeHint().height() + 5 * rowHeight);
    auto *playerButtons = new QHBoxLayout;
    AddGuestButton
        = button(QStringLiteral("AddGuestButton"), QStringLiteral("ゲストを追加(&G)"), page);
    RemovePlayerButton
        = button(QStringLiteral("RemovePlayerButton"), QStringLiteral("参加者から外す(&X)"), page);
    playerButtons->addWidget(AddGuestButton);
    playerButtons->addWidget(RemovePlayerButton);
    playerButtons->addStretch(1);
    layout->addLayout(playerButtons);
    return page;
}

QWidget *CompeWindow::createResultsPage()
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    auto *results = new QVBoxLayout;
    ResultGrid = readOnlyTable(QStringLiteral("ResultGrid"), compe::resultsHeader(), page);
    const QFontMetrics m = ResultGrid->fontMetrics();
    for (int c = 0; c < ResultGrid->columnCount(); ++c)
        ResultGrid->setColumnWidth(c, m.horizontalAdvance(QStringLiteral("ハンディ")) + 16);
    ResultGrid->setColumnWidth(1, m.horizontalAdvance(QStringLiteral("ゲスト山田太郎")) + 16);
    ResultGrid->setMinimumWidth(
        ResultGrid->horizontalHeader()->length() + 2 * ResultGrid->frameWidth() + 20);
    results->addWidget(ResultGrid, 1);
    BestGrossText = new QLabel(page);
    BestGrossText->setObjectName(QStringLiteral("BestGrossText"));
    results->addWidget(BestGrossText);
    ResultStateText = new QLabel(page);
    ResultStateText->setObjectName(QStringLiteral("ResultStateText"));
    ResultStateText->setWordWrap(true);
    results->addWidget(ResultStateText);
    layout->addLayout(results, 3);

    auto *prizes = new QVBoxLayout;
    PrizeGrid = new CompePrizeGrid(page);
    prizes->addWidget(PrizeGrid, 1);
    auto *prizeButtons = new QHBoxLayout;
    AddDriveButton
        = button(QStringLiteral("AddDriveButton"), QStringLiteral("ドラコンを追加"), page);
    AddPinButton = button(QStringLiteral("AddPinButton"), QStringLiteral("ニアピンを追加"), page);
    RemovePrizeButton = button(QStringLiteral("RemovePrizeButton"), QStringLiteral("削除"), page);
    prizeButtons->addWidget(AddDriveButton);
    prizeButtons->addWidget(AddPinButton);
    prizeButtons->addWidget(RemovePrizeButton);
    prizes->addLayout(prizeButtons);
    layout->addLayout(prizes, 2);
    return page;
}

QWidget *CompeWindow::createButtonBar()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(8, 0, 8, 0);
    StatusText = new QLabel(bar);
    StatusText->setObjectName(QStringLiteral("StatusText"));
    layout->addWidget(StatusText, 1);
    SaveButton = button(QStringLiteral("SaveButton"), QStringLiteral("保存(&S)"), bar);
    ResultsButton = button(QStringLiteral("ResultsButton"), QStringLiteral("結果(&K)"), bar);
    PreviewButton
        = button(QStringLiteral("PreviewButton"), QStringLiteral("印刷プレビュー(&V)..."), bar);
    PrintButton = button(QStringLiteral("PrintButton"), QStringLiteral("印刷(&P)..."), bar);
    ExportButton
        = button(QStringLiteral("ExportButton"), QStringLiteral("CSVに書き出す(&E)..."), bar);
    CloseButton = button(QStringLiteral("CloseButton"), QStringLiteral("閉じる"), bar);
    for (QPushButton *b :
        {SaveButton, ResultsButton, PreviewButton, PrintButton, ExportButton, CloseButton})
        layout->addWidget(b);
    return bar;
}

void CompeWindow::connectEditor()
{
    connect(NewButton, &QPushButton::clicked, this, &CompeWindow::newCompetition);
    connect(OpenButton, &QPushButton::clicked, this, &CompeWindow::openSelected);
    connect(CompeList, &QTableWidget::cellDoubleClicked, this, &CompeWindow::openSelected);
    connect(DeleteButton, &QPushButton::clicked, this, &CompeWindow::deleteSelected);
    connect(JoinButton, &QPushButton::clicked, this, &CompeWindow::joinOffered);

    connect(CompeDateEdit, &QDateEdit::dateChanged, this, [this] {
        edited();
        if (!m_filling)
            refreshOffer();
    });
    connect(CompeNameEdit, &QLineEdit::textEdited, this, &CompeWindow::edited);
    connect(CompeLinksCombo, &QComboBox::activated, this, &CompeWindow::clubChosen);
    connect(OutCourseCombo, &QComboBox::activated, this, &CompeWindow::courseChosen);
    connect(InCourseCombo, &QComboBox::activated, this, &CompeWindow::courseChosen);
    for (QComboBox *c : {CapCombo, FactorCombo, LimitCombo})
        connect(c, &QComboBox::currentIndexChanged, this, &CompeWindow::optionsChanged);
    connect(HoleGrid, &CompeHoleGrid::toggled, this, &CompeWindow::holeToggled);
    connect(ChooseHiddenButton, &QPushButton::clicked, this, &CompeWindow::chooseHidden);
    connect(AnnounceButton, &QPushButton::clicked, this, &CompeWindow::announceToggled);

    connect(PlayerGrid, &CompePlayerGrid::edited, this, &CompeWindow::edited);
    connect(PlayerGrid, &CompePlayerGrid::refused, this,
        [this](const QString &message) { dialogs().error(message); });
    connect(AddGuestButton, &QPushButton::clicked, this, &CompeWindow::addGuest);
    connect(RemovePlayerButton, &QPushButton::clicked, this, &CompeWindow::removePlayer);
    connect(PrizeGrid, &CompePrizeGrid::edited, this, &CompeWindow::edited);
    connect(AddDriveButton, &QPushButton::clicked, this, [this] {
        PrizeGrid->addPrize(compe::PrizeKind::Drive);
        edited();
    });
    connect(AddPinButton, &QPushButton::clicked, this, [this] {
        PrizeGrid->addPrize(compe::PrizeKind::Pin);
        edited();
    });
    connect(RemovePrizeButton, &QPushButton::clicked, this, [this] {
        if (PrizeGrid->currentRow() < 0)
            return;
        PrizeGrid->removeRow(PrizeGrid->currentRow());
        edited();
    });

    connect(SaveButton, &QPushButton::clicked, this, &CompeWindow::save);
    connect(ResultsButton, &QPushButton::clicked, this, [this] {
        if (const std::optional<compe::Results> results = askResults()) {
            showResults(*results);
            CompeTabs->setCurrentIndex(1);
        }
    });
    connect(PreviewButton, &QPushButton::clicked, this, [this] { print(true); });
    connect(PrintButton, &QPushButton::clicked, this, [this] { print(false); });
    connect(ExportButton, &QPushButton::clicked, this, &CompeWindow::exportCsv);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

void CompeWindow::open()
{
    fillClubs();
    refreshList(m_fileName);
    refreshOffer();
    if (!m_sized) {
        m_sized = true;
        // The whole content side by side, and the height of a screen for a dozen players and
        // more; a smaller screen gets what fits, and the content scrolls.
        const QWidget *content = findChild<QScrollArea *>(QStringLiteral("CompeScroll"))->widget();
        windowfit::place(this, QSize(content->sizeHint().width() + 4, 800), false, parentWidget());
    }
    show();
    raise();
    activateWindow();
}

void CompeWindow::setStatus(const QString &text)
{
    StatusText->setText(text);
}

void CompeWindow::closeEvent(QCloseEvent *event)
{
    if (!settleChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CompeWindow::keyPressEvent(QKeyEvent *event)
{
    // What no control took: a table's editor and a combo box's list close on Escape themselves.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
