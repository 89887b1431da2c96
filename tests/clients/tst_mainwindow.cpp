#include "access/OperatorLogin.h"
#include "clients/MainWindow.h"
#include "core/ConfigKeys.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void frame();
    void exitAnsweredNoKeepsRunning();
    void backupOfferedByDay_data();
    void backupOfferedByDay();
    void chooseDatabaseForNextStart();
    void compaction();
    void clearEmptyClients();
};

void TestMainWindow::frame()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(OperatorLogin::LoadOperatorState(db.context(), QStringLiteral("000"), QStringLiteral("系统管理员")));
    MainWindow window(db.context());
    window.applySignIn();
    QCOMPARE(window.objectName(), QStringLiteral("FrmMain"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Varnel客户管理软件 v2.53(企业版) "));
    QStringList menus;
    for (QAction *action : window.menuBar()->actions())
        menus.append(action->text());
    QCOMPARE(menus, (QStringList {"文件", "编辑", "输出", "统计", "数据", "视图", "工具", "帮助"}));
    QCOMPARE(window.menu(QStringLiteral("数据"))->actions().at(1)->text(), QStringLiteral("清除客户空行"));

    // A command whose window does not exist yet says so instead of doing nothing.
    QAction *newClient = window.action(QStringLiteral("Action201"));
    QVERIFY(!newClient->isEnabled());
    QCOMPARE(newClient->toolTip(), QStringLiteral("尚未提供"));
    QVERIFY(window.action(QStringLiteral("Action505"))->isEnabled());
    QCOMPARE(newClient->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));

    // The status bar clock follows the clock.
    db.clock().set(QDateTime(QDate(2026, 12, 11), QTime(10, 11, 12)));
    QTRY_COMPARE_WITH_TIMEOUT(window.findChild<QLabel *>(QStringLiteral("StatusPanel3"))->text(),
                              QStringLiteral(" 2026-12-11 10:11:12"), 3000);

    // The view menu hides and shows the tool bar and the status bar.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.action(QStringLiteral("actViewStatusBar"))->trigger();
    QVERIFY(!window.statusBar()->isVisible());
    window.action(QStringLiteral("actViewStatusBar"))->trigger();
    QVERIFY(window.statusBar()->isVisible());
    db.prompter().answers.enqueue(Prompter::Yes);
    QVERIFY(window.close());
}

void TestMainWindow::exitAnsweredNoKeepsRunning()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    MainWindow window(db.context());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    db.prompter().answers.enqueue(Prompter::No);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QCOMPARE(db.prompter().messageTexts(), QStringList {"真的要退出“Varnel客户管理软件 ”软件吗？"});
    db.prompter().answers.enqueue(Prompter::Yes);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
}

void TestMainWindow::backupOfferedByDay_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("offered");
    QTest::newRow("never") << 0 << QDate(2026, 12, 14) << false;
    QTest::newRow("always") << 1 << QDate(2026, 12, 15) << true;
    QTest::newRow("Mondays, on a Monday") << 2 << QDate(2026, 12, 14) << true;
    QTest::newRow("Mondays, on a Tuesday") << 2 << QDate(2026, 12, 15) << false;
    QTest::newRow("first of month") << 3 << QDate(2027, 1, 1) << true;
    QTest::newRow("first of month, on the 2nd") << 3 << QDate(2027, 1, 2) << false;
}

void TestMainWindow::backupOfferedByDay()
{
    QFETCH(int, mode);
    QFETCH(QDate, today);
    QFETCH(bool, offered);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QTemporaryDir backups;
    QVERIFY(db.data().RunSQL(QStringLiteral("UPDATE SysInfo SET F_BakPath = ?"), {backups.path()}));
    db.context().config().setValue(ConfigKeys::BackupAtExit.sectionName(), ConfigKeys::BackupAtExit.keyName(), mode);
    db.clock().set(QDateTime(today, QTime(18, 0)));

    MainWindow window(db.context());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    db.prompter().answers.enqueue(Prompter::Yes); // exit
    db.prompter().answers.enqueue(Prompter::Yes); // backup
    QVERIFY(window.close());
    QCOMPARE(db.prompter().saw(QStringLiteral("软件关闭，要备份当前数据吗？")), offered);
    const bool written = !QDir(backups.path()).entryList({QStringLiteral("dp*.back")}, QDir::Files).isEmpty();
    QCOMPARE(written, offered && db.database().engine() == Engine::Sqlite);
}

void TestMainWindow::chooseDatabaseForNextStart()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    MainWindow window(db.context());
    QTemporaryDir other;
    db.prompter().files.enqueue(other.filePath(QStringLiteral("client.db")));
    window.action(QStringLiteral("Action505"))->trigger();
    IniConfig reread(db.context().config().path());
    QCOMPARE(reread.value(QStringLiteral("config"), QStringLiteral("ds")), other.path() + u'/');
    // The open connection is not changed.
    QVERIFY(db.database().isOpen());
    QCOMPARE(db.database().settings().describe(), db.database().settings().describe());
    QVERIFY(db.prompter().messages.isEmpty());
}

void TestMainWindow::compaction()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    MainWindow window(db.context());
    window.action(QStringLiteral("Action504"))->trigger();
    const bool sqlite = db.database().engine() == Engine::Sqlite;
    QCOMPARE(db.prompter().messages.size(), 1);
    QCOMPARE(db.prompter().messages.front().text.contains(QStringLiteral("压缩数据库成功！")), sqlite);
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM SysInfo")), 1);
}

void TestMainWindow::clearEmptyClients()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(db.data().RunSQL(
        QStringLiteral("INSERT INTO t_client (F_code, F_name) VALUES ('', ''), ('1', ''), ('', '甲')")));
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_cltID) VALUES (5)"))); // never filled: null
    MainWindow window(db.context());
    window.action(QStringLiteral("actClearEmptyClients"))->trigger();
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_client")), 2);
    QVERIFY(db.prompter().messages.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
