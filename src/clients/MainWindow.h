#pragma once

#include "access/CommandVisibility.h"

#include <QHash>
#include <QMainWindow>

class AppContext;
class ClientListPanel;
class DataGrid;
class RelatedRecordsPanel;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

// The program's workspace: caption, menus, tool bar and status bar, with every command as a
// named action whose visibility the signed-in operator's permissions decide.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);

    // After a successful sign-in: permissions, status bar.
    void applySignIn();
    // "重新登录": a change of operator; the previous one stays when it fails.
    void reLogin();

    const CommandVisibility &visibility() const { return m_visibility; }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    QMenu *menu(const QString &caption) const { return m_menus.value(caption); }

    static QString notBuiltTip() { return QStringLiteral("尚未提供"); }

    ClientListPanel *clients() const { return m_clients; }
    RelatedRecordsPanel *related() const { return m_related; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createWorkspace();
    void connectGridCommands();
    void exportGrid(DataGrid *grid, const QString &title);
    void saveLayout(DataGrid *grid, const QString &name);
    QAction *addCommand(const QString &name, const QString &caption);
    QMenu *addMenu(const QString &caption, const QStringList &items);
    void setNotBuilt(QAction *action);
    void applyLimits();
    void updateClock();

    void compactDatabase();
    void clearEmptyClients();
    void startTool(bool calculator);

    AppContext &m_context;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    CommandVisibility m_visibility;
    QToolBar *m_toolBar = nullptr;
    ClientListPanel *m_clients = nullptr;
    RelatedRecordsPanel *m_related = nullptr;
    QList<QLabel *> m_panels;
    QTimer *m_clock = nullptr;
    int m_backupMode = 0;
    bool m_shown = false;
};
