#include "MainWindow.h"

#include "ClientListPanel.h"
#include "RelatedKinds.h"
#include "RelatedRecordsPanel.h"

#include "access/ActionCatalogue.h"
#include "access/LoginDialog.h"
#include "app/AppContext.h"
#include "app/ConnectionRecovery.h"
#include "core/Backup.h"
#include "core/ConfigKeys.h"
#include "core/Desktop.h"
#include "core/Prompter.h"
#include "widgets/DataGrid.h"
#include "widgets/GridExport.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString Separator = QStringLiteral("-");

// Commands of this window that are not governed by permissions, by object name.
struct LocalCommand
{
    const char *name;
    const char16_t *caption;
};
const LocalCommand LocalCommands[] = {
    {"actReLogin", u"重新登录"},   {"actExit", u"退出系统"},   {"actClearEmptyClients", u"清除客户空行"},
    {"actViewToolBar", u"工具栏"}, {"actViewTree", u"导航树"}, {"actViewStatusBar", u"状态栏"},
    {"actCalculator", u"计算器"},  {"actNotepad", u"笔记本"},  {"actHelpFile", u"帮助文件"},
    {"actDailyTip", u"每日一贴"},  {"actFaq", u"常见问题"},    {"actReadme", u"自述文件"},
    {"actWhatsNew", u"最新功能"},  {"actAbout", u"关于我们"},  {"actWebSite", u"浏览作者的网站"},
    {"actQuickCall", u"来电速记"}, {"tbXSgl", u"销售管理"},    {"actClose", u"关闭"},
    {"Action31", u"导出"},
};

} // namespace

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(AppInfo::AppName + AppInfo::AppVersion);
    resize(1100, 720);

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createWorkspace();
    connectGridCommands();

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClock);
    m_clock->start();
    updateClock();

    // Nothing is visible until an operator has signed in.
    applyLimits();
}

QAction *MainWindow::addCommand(const QString &name, const QString &caption)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    m_actions.insert(name, action);
    addAction(action); // keeps its shortcut alive while it is visible
    return action;
}

void MainWindow::setNotBuilt(QAction *action)
{
    action->setEnabled(false);
    action->setToolTip(notBuiltTip());
    action->setStatusTip(notBuiltTip());
}

void MainWindow::createActions()
{
    for (const ActionInfo &info : ActionCatalogue::all())
        setNotBuilt(addCommand(info.objectName, info.caption));
    for (const LocalCommand &command : LocalCommands)
        addCommand(QString::fromLatin1(command.name), QString::fromUtf16(command.caption));

    // Commands that work already; every other one stays disabled with its tooltip until its
    // window exists.
    QAction *connectDatabase = action(QStringLiteral("Action505"));
    connectDatabase->setEnabled(true);
    connectDatabase->setToolTip(QString());
    connect(connectDatabase, &QAction::triggered, this, [this] { chooseDatabaseFolder(m_context); });

    QAction *compact = action(QStringLiteral("Action504"));
    compact->setEnabled(true);
    compact->setToolTip(QString());
    connect(compact, &QAction::triggered, this, &MainWindow::compactDatabase);

    connect(action(QStringLiteral("actReLogin")), &QAction::triggered, this, &MainWindow::reLogin);
    connect(action(QStringLiteral("actExit")), &QAction::triggered, this, &QWidget::close);
    connect(action(QStringLiteral("actClose")), &QAction::triggered, this, &QWidget::close);
    connect(action(QStringLiteral("actClearEmptyClients")), &QAction::triggered, this, &MainWindow::clearEmptyClients);
    connect(action(QStringLiteral("actCalculator")), &QAction::triggered, this, [this] { startTool(true); });
    connect(action(QStringLiteral("actNotepad")), &QAction::triggered, this, [this] { startTool(false); });

    for (const char *name : {"actViewToolBar", "actViewTree", "actViewStatusBar"}) {
        QAction *check = action(QString::fromLatin1(name));
        check->setCheckable(true);
        check->setChecked(true);
    }
    connect(action(QStringLiteral("actViewToolBar")), &QAction::toggled, this,
            [this](bool on) { m_toolBar->setVisible(on); });
    connect(action(QStringLiteral("actViewStatusBar")), &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    for (const char *name : {"actHelpFile", "actDailyTip", "actFaq", "actReadme", "actWhatsNew", "actAbout",
                             "actWebSite", "actQuickCall", "tbXSgl"})
        setNotBuilt(action(QString::fromLatin1(name)));

    action(QStringLiteral("Action201"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    action(QStringLiteral("Action202"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    action(QStringLiteral("Action203"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));

    const QStyle *s = style();
    action(QStringLiteral("actReLogin"))->setIcon(s->standardIcon(QStyle::SP_BrowserReload));
    action(QStringLiteral("actClose"))->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    action(QStringLiteral("Action201"))->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    action(QStringLiteral("Action207"))->setIcon(s->standardIcon(QStyle::SP_FileDialogNewFolder));
    action(QStringLiteral("Action202"))->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    action(QStringLiteral("Action203"))->setIcon(s->standardIcon(QStyle::SP_TrashIcon));
    action(QStringLiteral("Action209"))->setIcon(s->standardIcon(QStyle::SP_DriveHDIcon));
    action(QStringLiteral("Action210"))->setIcon(s->standardIcon(QStyle::SP_DirHomeIcon));
    action(QStringLiteral("Action211"))->setIcon(s->standardIcon(QStyle::SP_FileDialogListView));
    action(QStringLiteral("Action213"))->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
    action(QStringLiteral("tbXSgl"))->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    action(QStringLiteral("actQuickCall"))->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
}

QMenu *MainWindow::addMenu(const QString &caption, const QStringList &items)
{
    QMenu *menu = menuBar()->addMenu(caption);
    menu->setObjectName(QStringLiteral("mnu") + caption);
    for (const QString &item : items) {
        if (item == Separator)
            menu->addSeparator();
        else
            menu->addAction(action(item));
    }
    m_menus.insert(caption, menu);
    return menu;
}

void MainWindow::createMenus()
{
    auto actions = [](std::initializer_list<int> codes) {
        QStringList names;
        for (int code : codes)
            names.append(code < 0 ? Separator : QStringLiteral("Action%1").arg(code));
        return names;
    };
    addMenu(QStringLiteral("文件"),
            actions({101, 102, 103, -1, 104, 105, 106, -1})
                << QStringLiteral("actReLogin") << QStringLiteral("actExit"));
    addMenu(QStringLiteral("编辑"),
            actions({201, 207, 202, 203, 204, -1, 209, 210, 217, -1, 211, 212, 213, 214, 215, 216, -1, 205, 206}));
    addMenu(QStringLiteral("输出"), actions({301, 302, -1, 303, 304, 305, 306, 307, 308, 309, -1, 310, 311, 312, 313}));
    addMenu(QStringLiteral("统计"), actions({401, 402, -1, 403, 404, 405, 406, 407, 408}));
    QStringList dataItems = actions({501});
    dataItems << QStringLiteral("actClearEmptyClients") << actions({502, 503, -1, 504, 505});
    addMenu(QStringLiteral("数据"), dataItems);
    addMenu(QStringLiteral("视图"),
            {QStringLiteral("actViewToolBar"), QStringLiteral("actViewTree"), QStringLiteral("actViewStatusBar")});
    addMenu(QStringLiteral("工具"), {QStringLiteral("actCalculator"), QStringLiteral("actNotepad")});
    addMenu(QStringLiteral("帮助"),
            {QStringLiteral("actHelpFile"), QStringLiteral("actDailyTip"), QStringLiteral("actFaq"), Separator,
             QStringLiteral("actReadme"), QStringLiteral("actWhatsNew"), Separator, QStringLiteral("actAbout"),
             QStringLiteral("actWebSite")});
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("工具栏"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->addAction(action(QStringLiteral("actReLogin")));
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(QStringLiteral("Action209")));
    m_toolBar->addAction(action(QStringLiteral("Action210")));

    auto *quickCall = new QToolButton(m_toolBar);
    quickCall->setObjectName(QStringLiteral("tbLDsj"));
    quickCall->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    quickCall->setPopupMode(QToolButton::MenuButtonPopup);
    auto *callMenu = new QMenu(quickCall);
    callMenu->addAction(action(QStringLiteral("actQuickCall")));
    callMenu->addAction(action(QStringLiteral("Action217")));
    quickCall->setMenu(callMenu);
    quickCall->setDefaultAction(action(QStringLiteral("actQuickCall")));
    // Neither of its commands exists yet.
    quickCall->setEnabled(false);
    quickCall->setToolTip(notBuiltTip());
    QAction *quickCallButton = m_toolBar->addWidget(quickCall);
    quickCallButton->setObjectName(QStringLiteral("tbLDsj"));
    m_actions.insert(QStringLiteral("tbLDsj"), quickCallButton);

    m_toolBar->addSeparator();
    m_toolBar->addAction(action(QStringLiteral("Action211")));
    m_toolBar->addAction(action(QStringLiteral("Action213")));
    m_toolBar->addAction(action(QStringLiteral("tbXSgl")));
    m_toolBar->addSeparator();
    for (int code : {201, 207, 202, 203})
        m_toolBar->addAction(action(QStringLiteral("Action%1").arg(code)));
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(QStringLiteral("actClose")));
}

void MainWindow::createStatusBar()
{
    const QList<std::pair<QString, int>> panels {
        {QStringLiteral(" 当前用户"), 60}, {QString(), 80}, {QStringLiteral(" 当前日期时间"), 100}, {QString(), 140}};
    for (qsizetype i = 0; i < panels.size(); ++i) {
        auto *label = new QLabel(panels.at(i).first, this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setMinimumWidth(panels.at(i).second);
        statusBar()->addWidget(label);
        m_panels.append(label);
    }
    auto *title = new QLabel(AppInfo::ApplicationTitle + QStringLiteral("  ") + AppInfo::MakerName, this);
    title->setObjectName(QStringLiteral("StatusPanel4"));
    title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->addPermanentWidget(title);
    m_panels.append(title);
}

void MainWindow::updateClock()
{
    m_panels.at(3)->setText(u' ' + m_context.clock().now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void MainWindow::applyLimits()
{
    for (const ActionInfo &info : ActionCatalogue::all())
        action(info.objectName)->setVisible(m_visibility.action(info.objectName));
    for (const char *derived : {"Action31", "tbLDsj", "tbXSgl"})
        action(QString::fromLatin1(derived))->setVisible(m_visibility.action(QString::fromLatin1(derived)));
    for (const QString &caption : ActionCatalogue::governedMenus())
        menu(caption)->menuAction()->setVisible(m_visibility.menu(caption));
}

void MainWindow::applySignIn()
{
    const Session &session = m_context.session();
    const auto granted = grantedCodes(m_context.data(), session);
    m_visibility = SetLimits(session.CurOperCode, granted.value_or(QSet<QString>()));
    applyLimits();
    m_panels.at(1)->setText(session.CurOperName);
    updateClock();
}

void MainWindow::reLogin()
{
    if (LoginDialog::ShowLogin(m_context, true, this) == OperatorLogin::Outcome::SignedIn)
        applySignIn();
    // Whatever the result, the list shows what the operator signed in now may see.
    if (m_shown)
        m_clients->RefreshClientList();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    using namespace ConfigKeys;
    m_backupMode = m_context.config().intValue(BackupAtExit.sectionName(), BackupAtExit.keyName(), 0);
    m_clients->loadTree();
    m_related->buildKinds(m_visibility);
    m_clients->loadLayout();
    m_related->loadLayouts();
    m_clients->fillListType(0); // refreshes the list
    const QList<int> kinds = m_related->kinds();
    if (!kinds.isEmpty())
        m_related->chooseKind(kinds.front());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Prompter &prompter = m_context.prompter();
    if (prompter.ShowMess(QStringLiteral("真的要退出“") + AppInfo::AppName + QStringLiteral("”软件吗？"),
                          MessageKind::Question)
        != Prompter::Yes) {
        event->ignore();
        return;
    }
    if (Backup::offeredAtExit(m_backupMode, m_context.clock().today())
        && prompter.ShowMess(QStringLiteral("软件关闭，要备份当前数据吗？"), MessageKind::Question) == Prompter::Yes)
        Backup::DailyBackup(m_context.data(), prompter, m_context.clock());
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    // Delete removes the current record of the page below, never while a text box has the focus.
    QWidget *focus = focusWidget();
    const bool typing
        = qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus) || qobject_cast<QPlainTextEdit *>(focus);
    QAction *remove = action(QStringLiteral("Action903"));
    if (event->key() == Qt::Key_Delete && !typing && remove->isVisible() && remove->isEnabled()) {
        remove->trigger();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::compactDatabase()
{
    if (m_context.database().engine() != Engine::Sqlite) {
        m_context.prompter().ShowMess(Backup::notAvailableMessage(), MessageKind::Warning);
        return;
    }
    QString error;
    const bool ok = Backup::CompactDatabase(m_context.database(), m_context.prompter(), &error);
    m_context.prompter().ShowMess(ok ? QStringLiteral("压缩数据库成功！") : QStringLiteral("压缩数据库失败！"),
                                  ok ? MessageKind::Information : MessageKind::Error);
}

void MainWindow::clearEmptyClients()
{
    // Rows without code and name, whether left empty or never filled (null).
    m_context.data().RunSQL(
        QStringLiteral("DELETE FROM t_client WHERE coalesce(F_code, '') = '' AND coalesce(F_name, '') = ''"));
}

void MainWindow::startTool(bool calculator)
{
    Desktop *desktop = m_context.desktop();
    const bool started = desktop && (calculator ? desktop->startCalculator() : desktop->startEditor());
    if (!started)
        m_context.prompter().ShowMess(calculator ? QStringLiteral("没有找到可用的计算器程序！")
                                                 : QStringLiteral("没有找到可用的文本编辑程序！"),
                                      MessageKind::Warning);
}

void MainWindow::createWorkspace()
{
    m_clients = new ClientListPanel(m_context, this);
    m_related = new RelatedRecordsPanel(m_context, this);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("pnlWorkspace"));
    splitter->addWidget(m_clients);
    splitter->addWidget(m_related);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    setCentralWidget(splitter);

    for (const char *name : {"Action901", "Action902", "Action903", "Action904", "Action31"})
        m_related->toolBar()->addAction(action(QString::fromLatin1(name)));

    auto popup = [this](QWidget *owner, const QStringList &names) {
        owner->setContextMenuPolicy(Qt::ActionsContextMenu);
        for (const QString &name : names) {
            if (name == Separator) {
                auto *separator = new QAction(owner);
                separator->setSeparator(true);
                owner->addAction(separator);
            } else {
                owner->addAction(action(name));
            }
        }
    };
    QStringList clientMenu;
    for (int code : {201, 207, 202, 203, 204, 301, -1, 210, 211, 212, 213, 214, 215, -1, 205, 206, 208, 218})
        clientMenu.append(code < 0 ? Separator : QStringLiteral("Action%1").arg(code));
    popup(m_clients->grid()->view(), clientMenu);
    QStringList recordMenu;
    for (int code : {901, 902, 903, 904, 301, 905, 906})
        recordMenu.append(QStringLiteral("Action%1").arg(code));
    for (const RelatedKind &kind : RelatedKinds::all())
        popup(m_related->grid(kind.number)->view(), recordMenu);

    connect(m_clients, &ClientListPanel::currentClientChanged, this,
            [this] { m_related->setClient(m_clients->currentClientNumber()); });
    connect(m_clients->grid(), &DataGrid::rowActivated, this, [this] {
        QAction *edit = action(QStringLiteral("Action202"));
        if (edit->isVisible())
            edit->trigger();
    });

    QAction *tree = action(QStringLiteral("actViewTree"));
    connect(tree, &QAction::toggled, this, [this](bool on) { m_clients->navigation()->setVisible(on); });
}

void MainWindow::connectGridCommands()
{
    auto enable = [this](const char *name, auto slot) {
        QAction *command = action(QString::fromLatin1(name));
        command->setEnabled(true);
        command->setToolTip(QString());
        command->setStatusTip(QString());
        connect(command, &QAction::triggered, this, slot);
    };
    enable("Action204", [this] { m_clients->grid()->chooseSortOrder(); });
    enable("Action205", [this] { m_clients->grid()->chooseColumns(); });
    enable("Action206", [this] { saveLayout(m_clients->grid(), QStringLiteral("clientmain")); });
    enable("Action301", [this] { exportGrid(m_clients->grid(), QStringLiteral("客户档案资料")); });
    enable("Action903", [this] { m_related->deleteCurrent(); });
    enable("Action904", [this] {
        if (DataGrid *grid = m_related->currentGrid())
            grid->chooseSortOrder();
    });
    enable("Action905", [this] {
        if (DataGrid *grid = m_related->currentGrid())
            grid->chooseColumns();
    });
    enable("Action906", [this] {
        if (m_related->currentKind() > 0)
            saveLayout(m_related->currentGrid(), RelatedKinds::kind(m_related->currentKind()).layout);
    });
    enable("Action31", [this] {
        if (m_related->currentKind() > 0)
            exportGrid(m_related->currentGrid(), RelatedKinds::kind(m_related->currentKind()).sheetTitle);
    });
}

void MainWindow::saveLayout(DataGrid *grid, const QString &name)
{
    if (m_context.prompter().ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), MessageKind::Question)
        == Prompter::Yes)
        grid->saveLayout(m_context.data(), name);
}

void MainWindow::exportGrid(DataGrid *grid, const QString &title)
{
    if (const auto source = grid->makeSource())
        ExportGridToExcel(this, *source, title, m_context);
}
