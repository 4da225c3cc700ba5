// Creation of the main window: actions, menus, tool bar and centre, the keys and guards of
// its controls, and the small commands of the Help menu.
#include "mainform.h"

#include "core/data/numeric.h"
#include "imagelist.h"
#include "pageframe.h"
#include "pages/scorepage.h"
#include "pages/seisekipage.h"
#include "textinputguard.h"
#include "ui/common/windowfit.h"

#include <functional>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

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
    , m_options(options)
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
    m_frame->createResults();
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

namespace {
// Long enough to be read after the key that was refused; the counts come back after it.
constexpr int kRefusalShownMs = 8000;
} // namespace

void TMainForm::installGuards()
{
    // What the byte-limited boxes refuse is said in the status bar; what reaches a record is
    // checked once more as it is stored.
    for (TextInputGuard *guard : findChildren<TextInputGuard *>()) {
        connect(guard, &TextInputGuard::refused, this, [this](const QString &message) {
            QApplication::beep();
            statusBar()->showMessage(message, kRefusalShownMs);
        });
    }
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
    auto make = [this](const QString &name, const QString &caption, bool enabled) {
        auto *action = new QAction(caption, this);
        action->setObjectName(name);
        action->setEnabled(enabled);
        return action;
    };
    RegistGolferAction
        = make(QStringLiteral("RegistGolferAction"), QStringLiteral("登録(&R)"), true);
    connect(RegistGolferAction, &QAction::triggered, this, &TMainForm::RegistGolferActionExecute);
    DeleteGolferAction
        = make(QStringLiteral("DeleteGolferAction"), QStringLiteral("削除(&D)"), true);
    connect(DeleteGolferAction, &QAction::triggered, this, &TMainForm::DeleteGolferActionExecute);
    // The five editing actions, the score display, the charts and the tally are wired to the
    // pages by the centre.
    ShellActions &a = m_actions;
    a.DataAppendAction = make(QStringLiteral("DataAppendAction"), QStringLiteral("追加(&A)"), true);
    a.DataRegistAction
        = make(QStringLiteral("DataRegistAction"), QStringLiteral("登録(&R)"), false);
    a.DataCancelAction
        = make(QStringLiteral("DataCancelAction"), QStringLiteral("ｷｬﾝｾﾙ(&C)"), false);
    a.DataDeleteAction
        = make(QStringLiteral("DataDeleteAction"), QStringLiteral("削除(&D)"), false);
    a.DataChangeAction
        = make(QStringLiteral("DataChangeAction"), QStringLiteral("変更(&H)"), false);
    a.ScoreDispAction = make(QStringLiteral("ScoreDispAction"), QStringLiteral("±スコア"), false);
    a.ChartAction1 = make(QStringLiteral("ChartAction1"), QStringLiteral("グラフ"), false);
    a.ChartAction1->setIcon(imageIcon(ImgChart));
    a.ShukeiAction = make(QStringLiteral("ShukeiAction"), QStringLiteral("ShukeiAction"), false);

    a.DataAppendAction->setIcon(imageIcon(ImgAppend));
    a.DataRegistAction->setIcon(imageIcon(ImgRegist));
    a.DataCancelAction->setIcon(imageIcon(ImgCancel));
    a.DataDeleteAction->setIcon(imageIcon(ImgDelete));
    a.DataChangeAction->setIcon(imageIcon(ImgChange));
    a.ScoreDispAction->setIcon(imageIcon(ImgScoreDisp));
    a.ShukeiAction->setIcon(imageIcon(ImgTally));
    RegistGolferAction->setIcon(imageIcon(ImgGolfer));
}

void TMainForm::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    QAction *PrintMenu = file->addAction(imageIcon(ImgPrint), QStringLiteral("印刷(&P)"));
    PrintMenu->setObjectName(QStringLiteral("PrintMenu"));
    connect(PrintMenu, &QAction::triggered, this, &TMainForm::PrintMenuClick);
    createExchange(file);
    file->addSeparator();
    QAction *Exit1 = file->addAction(imageIcon(ImgExit), QStringLiteral("終了(&X)"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Exit1, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(m_actions.DataAppendAction);
    edit->addAction(m_actions.DataRegistAction);
    edit->addAction(m_actions.DataCancelAction);
    edit->addSeparator();
    edit->addAction(m_actions.DataDeleteAction);
    edit->addAction(m_actions.DataChangeAction);

    QMenu *golfer = bar->addMenu(QStringLiteral("ゴルファー(&G)"));
    golfer->addAction(RegistGolferAction);
    golfer->addAction(DeleteGolferAction);

    QMenu *tools = bar->addMenu(QStringLiteral("ツール(&T)"));
    m_actions.ScoreDisp = mirrorAction(m_actions.ScoreDispAction, QStringLiteral("ScoreDisp"),
        QStringLiteral("±スコアで表示(&S)"), this);
    QAction *GraphDisp = mirrorAction(m_actions.ChartAction1, QStringLiteral("GraphDisp"),
        QStringLiteral("グラフの表示(&G)"), this);
    QAction *ShukeiDisp = mirrorAction(m_actions.ShukeiAction, QStringLiteral("ShukeiDisp"),
        QStringLiteral("成績の集計(&R)"), this);
    tools->addAction(m_actions.ScoreDisp);
    tools->addAction(GraphDisp);
    tools->addAction(ShukeiDisp);
    createHandicap(tools);
    createAnalysis(tools);
    createCompe(tools);
    createPlayDetails(tools);

    QMenu *help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    QAction *KestroG1 = help->addAction(imageIcon(ImgReadme), QStringLiteral("Readme.txt(&R)"));
    KestroG1->setObjectName(QStringLiteral("KestroG1"));
    connect(KestroG1, &QAction::triggered, this, &TMainForm::KestroG1Click);
    QAction *Contents1 = help->addAction(imageIcon(ImgHelp), QStringLiteral("目次(&C)"));
    Contents1->setObjectName(QStringLiteral("Contents1"));
    Contents1->setVisible(false);
    connect(Contents1, &QAction::triggered, this, &TMainForm::HelpBtnClick);
    help->addSeparator();
    QAction *About1 = help->addAction(imageIcon(ImgAbout), QStringLiteral("バージョン情報(&A)"));
    About1->setObjectName(QStringLiteral("About1"));
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::createToolBar()
{
    QToolBar *ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
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

    QToolButton *DataAppendBtn = toolButton(ToolBar1, QStringLiteral("DataAppendBtn"),
        QStringLiteral("追 加"), QStringLiteral("予定データを追加します"), ImgAppend);
    QToolButton *DataRegistBtn = toolButton(ToolBar1, QStringLiteral("DataRegistBtn"),
        QStringLiteral("登 録"), QStringLiteral("予定データを登録します"), ImgRegist);
    QToolButton *DataCancelBtn = toolButton(ToolBar1, QStringLiteral("DataCancelBtn"),
        QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("予定データの登録をキャンセルします"), ImgCancel);
    ToolBar1->addSeparator();
    QToolButton *DataDeleteBtn = toolButton(ToolBar1, QStringLiteral("DataDeleteBtn"),
        QStringLiteral("削 除"), QStringLiteral("予定データを削除します"), ImgDelete);
    QToolButton *DataChangeBtn = toolButton(ToolBar1, QStringLiteral("DataChangeBtn"),
        QStringLiteral("変 更"), QStringLiteral("予定データを変更します"), ImgChange);
    ToolBar1->addSeparator();
    QToolButton *ScoreBtn = toolButton(ToolBar1, QStringLiteral("ScoreBtn"), QStringLiteral("±ｽｺｱ"),
        QStringLiteral("スコアカードのスコアの表示タイプを変更します"), ImgScoreDisp);
    QToolButton *ChartBtn1 = toolButton(ToolBar1, QStringLiteral("ChartBtn1"),
        QStringLiteral("グラフ"), QStringLiteral("成績をグラフ表示します"), ImgChart);
    QToolButton *ShukeiBtn = toolButton(ToolBar1, QStringLiteral("ShukeiBtn"),
        QStringLiteral("集 計"), QStringLiteral("スコアの成績を集計します"), ImgTally);
    ToolBar1->addSeparator();
    QToolButton *HelpBtn = toolButton(
        ToolBar1, QStringLiteral("HelpBtn"), QStringLiteral("Readme"), QString(), ImgReadme);

    m_actions.ScoreBtn = ScoreBtn;
    m_actions.editButtons
        = {DataAppendBtn, DataRegistBtn, DataCancelBtn, DataDeleteBtn, DataChangeBtn};
    bindButton(DataAppendBtn, m_actions.DataAppendAction);
    bindButton(DataRegistBtn, m_actions.DataRegistAction);
    bindButton(DataCancelBtn, m_actions.DataCancelAction);
    bindButton(DataDeleteBtn, m_actions.DataDeleteAction);
    bindButton(DataChangeBtn, m_actions.DataChangeAction);
    bindButton(ScoreBtn, m_actions.ScoreDispAction);
    bindButton(ChartBtn1, m_actions.ChartAction1);
    bindButton(ShukeiBtn, m_actions.ShukeiAction);
    connect(HelpBtn, &QToolButton::clicked, this, &TMainForm::KestroG1Click);
}

void TMainForm::createCentre()
{
    auto *status = new QLabel; // the status bar's text, placed below
    m_frame = new PageFrame(
        m_book, m_services, m_actions, status,
        [this](const BookChange &change) { return settle(change); }, m_dir, this);
    // The pages scroll on a screen smaller than they are; the menus, the tool bar and the
    // status bar stay in view.
    setCentralWidget(windowfit::scrolled(m_frame, this));
    m_frame->score()->setDetailsShown(PlayDetailsAction->isChecked());

    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    status->setObjectName(QStringLiteral("StatusPanel0"));
    status->setMinimumWidth(300);
    status->setText(QStringLiteral("ゴルファーを選択してください"));
    bar->addWidget(status);
}

bool TMainForm::IsNumeric(const QString &text) const
{
    return numeric::isNumeric(text);
}

void TMainForm::setStatus(const QString &text)
{
    m_frame->setStatus(text);
}

Page TMainForm::currentPage() const
{
    return m_frame->currentPage();
}

QString TMainForm::scoreDispMode() const
{
    return m_frame->score()->scoreDispMode();
}

QString TMainForm::shukeiCaller() const
{
    return m_frame->seiseki()->shukeiCaller();
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
