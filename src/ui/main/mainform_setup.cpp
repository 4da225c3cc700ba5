// Creation of the main window: actions, menus, tool bar and centre, the keys and guards of
// its controls, and the small commands of the Help menu.
#include "mainform.h"

#include "core/data/numeric.h"
#include "imagelist.h"
#include "stringgrid.h"

#include <functional>

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace {

// A second face of an action with a caption of its own (a menu item or a tool button):
// it follows the action's enabled state and runs the action.
QAction *mirrorAction(QAction *action, const QString &name, const QString &caption, QObject *parent)
{
    auto *item = new QAction(caption, parent);
    item->setObjectName(name);
    item->setIcon(action->icon());
    item->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::enabledChanged, item, &QAction::setEnabled);
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
    return item;
}

QToolButton *toolButton(
    QToolBar *bar, const QString &name, const QString &caption, const QString &hint, int image)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(imageIcon(image));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFixedSize(55, 49);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

void bindButton(QToolButton *button, QAction *action)
{
    button->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    QObject::connect(button, &QToolButton::clicked, action, [action] { action->trigger(); });
}

} // namespace

TMainForm::TMainForm(const MainFormOptions &options, const Services &services, QWidget *parent)
    : QMainWindow(parent)
    , m_dir(options.dataDir)
    , m_startupDelayMs(options.startupDelayMs)
    , m_geometry(options.geometry)
    , m_services(services)
    , m_book(options.dataDir, [this] { return today(); })
{
    setObjectName(QStringLiteral("MainForm"));
    if (!m_dir.endsWith(QChar('/')))
        m_dir += QChar('/');
    setWindowIcon(appIcon());
    createActions();
    createMenus();
    createToolBar();
    createCentre();
    // Coming back to the program from another one is an activation; the window getting the
    // focus back from our own dialogs is not, or a cancelled input box would return at once
    // and for ever.
    connect(
        qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive) {
                m_wasInactiveApp = true;
            } else if (m_wasInactiveApp && m_shownOnce) {
                m_wasInactiveApp = false;
                QMetaObject::invokeMethod(this, &TMainForm::FormActivate, Qt::QueuedConnection);
            }
        });
    installGuards();
    FormCreate();
    createResults();
}

TMainForm::~TMainForm()
{
    // The controls go after this part of the window; what they still signal on their way
    // (a combo box accepting its completion as it loses the focus) must not reach it.
    for (const QObject *control : findChildren<QObject *>())
        disconnect(control, nullptr, this, nullptr);
}

namespace {

// Enter moves the focus to the next control and Shift+Enter to the previous one, whatever
// control of the main window has it; no control ever receives Enter as a character. Each
// control of the window carries it, before any handler of its own.
class EnterKeyFilter final : public QObject
{
public:
    EnterKeyFilter(QWidget *window, std::function<void(bool)> move)
        : QObject(window), m_window(window), m_move(std::move(move))
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()
            || static_cast<QWidget *>(watched)->window() != m_window)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        m_move((key->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier);
        return true;
    }

private:
    QWidget *m_window;
    std::function<void(bool)> m_move;
};

} // namespace

void TMainForm::installGuards()
{
    // Each guard watches its own control once, so one act of the user runs it once.
    QList<QObject *> watched = {YTimeEdit, YBikouEdit, LinksNameEdit, LinksAddressEdit,
        LinksTelEdit, URLEdit, CourseEdit, SHandicapEdit, YDateText, SLinksText, ScoreDatePicker};
    for (QLineEdit *e : YardEdit)
        watched.append(e);
    for (QLineEdit *e : ParEdit)
        watched.append(e);
    for (QLineEdit *e : PartnerScoreEdit)
        watched.append(e);
    // The picker keeps its text in an inner box and its calendar in a pop-up window of its
    // own: a press on the text and the closing of the pop-up reach those, not the picker.
    m_scoreDateText = ScoreDatePicker->findChild<QLineEdit *>();
    m_scoreDatePopup = ScoreDatePicker->calendarWidget()->window();
    watched.append(m_scoreDateText);
    watched.append(m_scoreDatePopup);
    for (TStringGrid *grid : {YoteiGrid, LinksGrid, SeisekiGrid})
        watched.append(grid->viewport());
    for (QObject *object : std::as_const(watched))
        if (object)
            object->installEventFilter(this);
    connectInputGuards();
    // Installed last, so Enter reaches it before any other filter of a control.
    auto *enter = new EnterKeyFilter(this, [this](bool shift) { FormKeyPress(shift); });
    installEventFilter(enter);
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls)
        if (control->window() == this)
            control->installEventFilter(enter);
}

void TMainForm::createActions()
{
    auto make = [this](const QString &name, const QString &caption, bool enabled,
                    void (TMainForm::*handler)()) {
        auto *action = new QAction(caption, this);
        action->setObjectName(name);
        action->setEnabled(enabled);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    RegistGolferAction = make(QStringLiteral("RegistGolferAction"), QStringLiteral("登録(&R)"),
        true, &TMainForm::RegistGolferActionExecute);
    DeleteGolferAction = make(QStringLiteral("DeleteGolferAction"), QStringLiteral("削除(&D)"),
        true, &TMainForm::DeleteGolferActionExecute);
    DataAppendAction = make(QStringLiteral("DataAppendAction"), QStringLiteral("追加(&A)"), true,
        &TMainForm::DataAppendActionExecute);
    DataRegistAction = make(QStringLiteral("DataRegistAction"), QStringLiteral("登録(&R)"), false,
        &TMainForm::DataRegistActionExecute);
    DataCancelAction = make(QStringLiteral("DataCancelAction"), QStringLiteral("ｷｬﾝｾﾙ(&C)"), false,
        &TMainForm::DataCancelActionExecute);
    DataDeleteAction = make(QStringLiteral("DataDeleteAction"), QStringLiteral("削除(&D)"), false,
        &TMainForm::DataDeleteActionExecute);
    DataChangeAction = make(QStringLiteral("DataChangeAction"), QStringLiteral("変更(&H)"), false,
        &TMainForm::DataChangeActionExecute);
    ScoreDispAction = make(QStringLiteral("ScoreDispAction"), QStringLiteral("±スコア"), false,
        &TMainForm::ScoreBtnClick);
    // Wired to the results and charts by createResults().
    ChartAction1 = make(QStringLiteral("ChartAction1"), QStringLiteral("グラフ"), false, nullptr);
    ChartAction1->setIcon(imageIcon(ImgChart));
    ShukeiAction
        = make(QStringLiteral("ShukeiAction"), QStringLiteral("ShukeiAction"), false, nullptr);

    DataAppendAction->setIcon(imageIcon(ImgAppend));
    DataRegistAction->setIcon(imageIcon(ImgRegist));
    DataCancelAction->setIcon(imageIcon(ImgCancel));
    DataDeleteAction->setIcon(imageIcon(ImgDelete));
    DataChangeAction->setIcon(imageIcon(ImgChange));
    ScoreDispAction->setIcon(imageIcon(ImgScoreDisp));
    ShukeiAction->setIcon(imageIcon(ImgTally));
    RegistGolferAction->setIcon(imageIcon(ImgGolfer));
}

void TMainForm::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    PrintMenu = file->addAction(imageIcon(ImgPrint), QStringLiteral("印刷(&P)"));
    PrintMenu->setObjectName(QStringLiteral("PrintMenu"));
    connect(PrintMenu, &QAction::triggered, this, &TMainForm::PrintMenuClick);
    createExchange(file);
    file->addSeparator();
    Exit1 = file->addAction(imageIcon(ImgExit), QStringLiteral("終了(&X)"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Exit1, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(DataAppendAction);
    edit->addAction(DataRegistAction);
    edit->addAction(DataCancelAction);
    edit->addSeparator();
    edit->addAction(DataDeleteAction);
    edit->addAction(DataChangeAction);

    QMenu *golfer = bar->addMenu(QStringLiteral("ゴルファー(&G)"));
    golfer->addAction(RegistGolferAction);
    golfer->addAction(DeleteGolferAction);

    QMenu *tools = bar->addMenu(QStringLiteral("ツール(&T)"));
    ScoreDisp = mirrorAction(
        ScoreDispAction, QStringLiteral("ScoreDisp"), QStringLiteral("±スコアで表示(&S)"), this);
    GraphDisp = mirrorAction(
        ChartAction1, QStringLiteral("GraphDisp"), QStringLiteral("グラフの表示(&G)"), this);
    ShukeiDisp = mirrorAction(
        ShukeiAction, QStringLiteral("ShukeiDisp"), QStringLiteral("成績の集計(&R)"), this);
    tools->addAction(ScoreDisp);
    tools->addAction(GraphDisp);
    tools->addAction(ShukeiDisp);
    createHandicap(tools);
    createAnalysis(tools);
    createCompe(tools);

    QMenu *help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    KestroG1 = help->addAction(imageIcon(ImgReadme), QStringLiteral("Readme.txt(&R)"));
    KestroG1->setObjectName(QStringLiteral("KestroG1"));
    connect(KestroG1, &QAction::triggered, this, &TMainForm::KestroG1Click);
    Contents1 = help->addAction(imageIcon(ImgHelp), QStringLiteral("目次(&C)"));
    Contents1->setObjectName(QStringLiteral("Contents1"));
    Contents1->setVisible(false);
    connect(Contents1, &QAction::triggered, this, &TMainForm::HelpBtnClick);
    help->addSeparator();
    About1 = help->addAction(imageIcon(ImgAbout), QStringLiteral("バージョン情報(&A)"));
    About1->setObjectName(QStringLiteral("About1"));
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::createToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    auto *panel = new QWidget(ToolBar1);
    panel->setObjectName(QStringLiteral("GolferPanel"));
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(6, 2, 6, 2);
    panelLayout->setSpacing(2);
    auto *label = new QLabel(QStringLiteral("登録ゴルファー"), panel);
    label->setObjectName(QStringLiteral("GolferLabel"));
    GolferCombo = new QComboBox(panel);
    GolferCombo->setObjectName(QStringLiteral("GolferCombo"));
    GolferCombo->setEditable(false);
    GolferCombo->setMinimumWidth(150);
    GolferCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    GolferCombo->setToolTip(QStringLiteral("登録されているゴルファーを選択します"));
    GolferCombo->setFocusPolicy(Qt::ClickFocus);
    panelLayout->addWidget(label);
    panelLayout->addWidget(GolferCombo);
    ToolBar1->addWidget(panel);
    connect(GolferCombo, &QComboBox::activated, this, &TMainForm::GolferComboClick);
    ToolBar1->addSeparator();

    DataAppendBtn = toolButton(ToolBar1, QStringLiteral("DataAppendBtn"), QStringLiteral("追 加"),
        QStringLiteral("予定データを追加します"), ImgAppend);
    DataRegistBtn = toolButton(ToolBar1, QStringLiteral("DataRegistBtn"), QStringLiteral("登 録"),
        QStringLiteral("予定データを登録します"), ImgRegist);
    DataCancelBtn = toolButton(ToolBar1, QStringLiteral("DataCancelBtn"), QStringLiteral("ｷｬﾝｾﾙ"),
        QStringLiteral("予定データの登録をキャンセルします"), ImgCancel);
    ToolBar1->addSeparator();
    DataDeleteBtn = toolButton(ToolBar1, QStringLiteral("DataDeleteBtn"), QStringLiteral("削 除"),
        QStringLiteral("予定データを削除します"), ImgDelete);
    DataChangeBtn = toolButton(ToolBar1, QStringLiteral("DataChangeBtn"), QStringLiteral("変 更"),
        QStringLiteral("予定データを変更します"), ImgChange);
    ToolBar1->addSeparator();
    ScoreBtn = toolButton(ToolBar1, QStringLiteral("ScoreBtn"), QStringLiteral("±ｽｺｱ"),
        QStringLiteral("スコアカードのスコアの表示タイプを変更します"), ImgScoreDisp);
    ChartBtn1 = toolButton(ToolBar1, QStringLiteral("ChartBtn1"), QStringLiteral("グラフ"),
        QStringLiteral("成績をグラフ表示します"), ImgChart);
    ShukeiBtn = toolButton(ToolBar1, QStringLiteral("ShukeiBtn"), QStringLiteral("集 計"),
        QStringLiteral("スコアの成績を集計します"), ImgTally);
    ToolBar1->addSeparator();
    HelpBtn = toolButton(
        ToolBar1, QStringLiteral("HelpBtn"), QStringLiteral("Readme"), QString(), ImgReadme);

    bindButton(DataAppendBtn, DataAppendAction);
    bindButton(DataRegistBtn, DataRegistAction);
    bindButton(DataCancelBtn, DataCancelAction);
    bindButton(DataDeleteBtn, DataDeleteAction);
    bindButton(DataChangeBtn, DataChangeAction);
    bindButton(ScoreBtn, ScoreDispAction);
    bindButton(ChartBtn1, ChartAction1);
    bindButton(ShukeiBtn, ShukeiAction);
    connect(HelpBtn, &QToolButton::clicked, this, &TMainForm::KestroG1Click);
}

void TMainForm::createCentre()
{
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);

    TreeView1 = new QTreeWidget(splitter);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setUniformRowHeights(true);
    TreeView1->setMinimumWidth(150);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this] { TreeView1Click(); });
    connect(TreeView1, &QTreeWidget::itemExpanded, this, &TMainForm::ensureChildren);

    PageControl1 = new QTabWidget(splitter);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    YoteiSheet = createYoteiPage();
    LinksSheet = createLinksPage();
    CourseSheet = createCoursePage();
    ScoreSheet = createScorePage();
    SeisekiSheet = createSeisekiPage();
    PageControl1->addTab(YoteiSheet, QStringLiteral("予 定"));
    PageControl1->addTab(LinksSheet, QStringLiteral("ゴルフ場"));
    PageControl1->addTab(CourseSheet, QStringLiteral("コース"));
    PageControl1->addTab(ScoreSheet, QStringLiteral("スコアカード"));
    PageControl1->addTab(SeisekiSheet, QStringLiteral("成 績"));
    // Every change of the shown page made by the user is a page change, whatever way he took:
    // a click on a tab, Ctrl+Tab, Ctrl+PgUp/PgDn, the arrow keys on the tab bar, the wheel.
    // The program's own switches (showing a record, choosing a golfer) go through showPage,
    // which keeps what it has just put on the page.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_pageSetByCode == 0 && index >= 0)
            PageControl1Change(index);
    });
    // Ctrl+PgDn and Ctrl+PgUp step through the pages like Ctrl+Tab and Ctrl+Shift+Tab.
    for (const auto &[key, step] : {std::pair {Qt::Key_PageDown, 1}, {Qt::Key_PageUp, -1}}) {
        auto *shortcut = new QShortcut(QKeyCombination(Qt::ControlModifier, key), this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            const int count = PageControl1->count();
            PageControl1->setCurrentIndex((PageControl1->currentIndex() + step + count) % count);
        });
    }

    splitter->addWidget(TreeView1);
    splitter->addWidget(PageControl1);
    // A wider window widens the tree too, for long club names.
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 4);
    splitter->setSizes({190, 820});
    setCentralWidget(splitter);
    installTextTips();

    QStatusBar *status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(true);
    StatusPanel = new QLabel(status);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel->setMinimumWidth(300);
    StatusPanel->setText(QStringLiteral("ゴルファーを選択してください"));
    status->addWidget(StatusPanel);
}

void TMainForm::showPage(QWidget *page)
{
    ++m_pageSetByCode;
    PageControl1->setCurrentWidget(page);
    --m_pageSetByCode;
}

bool TMainForm::IsNumeric(const QString &text) const
{
    return numeric::isNumeric(text);
}

void TMainForm::setStatus(const QString &text)
{
    StatusPanel->setText(text);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The boxes of a page hint at Append when a key that edits is pressed in them.
        if (watched == YTimeEdit || watched == YBikouEdit || watched == LinksNameEdit
            || watched == LinksAddressEdit || watched == LinksTelEdit || watched == URLEdit
            || watched == CourseEdit) {
            if (isEditingKey(static_cast<QKeyEvent *>(event)))
                AppendCheck();
        }
        break;
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        // A box that refused its text takes the focus back; the control that had just got
        // it must not run its own check on the way out, or two boxes would trade it forever.
        if (m_scoreLink.exitChecksSuspended)
            break;
        if (watched == YTimeEdit) {
            YTimeEditExit();
        } else if (watched == SHandicapEdit) {
            SHandicapEditExit();
        } else if (auto *edit = qobject_cast<QLineEdit *>(watched)) {
            if (std::find(YardEdit.begin(), YardEdit.end(), edit) != YardEdit.end())
                YardValueCheck(edit);
            else if (std::find(ParEdit.begin(), ParEdit.end(), edit) != ParEdit.end())
                ParValueCheck(edit);
            else if (std::find(PartnerScoreEdit.begin(), PartnerScoreEdit.end(), edit)
                != PartnerScoreEdit.end())
                PartnerScoreCheck(edit);
        }
        break;
    }
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        // The club's static text lies over the club list and hides it while it is shown.
        if (watched == SLinksText)
            SLinksCombo->setVisible(event->type() == QEvent::HideToParent);
        break;
    case QEvent::MouseButtonPress:
        if (watched == YDateText) {
            YDateTextClick();
        } else if (watched == ScoreDatePicker || watched == m_scoreDateText) {
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
    case QEvent::Resize:
        // The columns follow the visible width of the grid.
        if (watched == YoteiGrid->viewport())
            YoteiSheetResize();
        else if (watched == LinksGrid->viewport())
            LinksSheetResize();
        else if (watched == SeisekiGrid->viewport())
            SeisekiSheetResize();
        break;
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::isEditingKey(const QKeyEvent *key)
{
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
        || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut))
        return true;
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

void TMainForm::FormKeyPress(bool shift)
{
    // No control receives Enter as a character, the memo included: it moves the focus.
    focusNextPrevChild(!shift);
}

void TMainForm::KestroG1Click()
{
    m_services.desktop->open(QUrl::fromLocalFile(m_dir + QStringLiteral("Readme.txt")));
}

void TMainForm::HelpBtnClick()
{
    m_services.desktop->open(QUrl::fromLocalFile(m_dir + QStringLiteral("KESTRO.HLP")));
}

void TMainForm::About1Click()
{
    AboutMode = true;
    Q_EMIT aboutRequested();
}

void TMainForm::URLButtonClick()
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
    m_services.desktop->open(QUrl(text));
}
