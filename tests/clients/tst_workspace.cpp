#include "access/OperatorLogin.h"
#include "clients/ClientListPanel.h"
#include "clients/ClientSummary.h"
#include "clients/MainWindow.h"
#include "clients/RelatedKinds.h"
#include "clients/RelatedRecordsPanel.h"
#include "support/TestDatabase.h"
#include "widgets/DataGrid.h"
#include "widgets/SqlListModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

// Two clients; the first has one record of every kind and a sales document with two lines.
bool addFixture(DataServices &data)
{
    const QStringList statements {
        "INSERT INTO t_client (F_cltID, F_code, F_name, F_empName, F_type, F_hangye) VALUES "
        "(1, 'K001', '华信科技', '张三', '重点客户', '\\\\制造业\\食品制造业')",
        "INSERT INTO t_client (F_cltID, F_code, F_name, F_empName, F_type, F_hangye) VALUES "
        "(2, 'K002', '恒泰贸易', '李四', '潜在客户', '\\\\批发和零售业')",
        "INSERT INTO t_LXrec (F_cltID, F_date, F_caption) VALUES (1, '2026-01-05', '拜访')",
        "INSERT INTO t_LXrec (F_cltID, F_date, F_caption) VALUES (2, '2026-02-05', '电话')",
        "INSERT INTO t_linkman (F_cltID, F_name) VALUES (1, '王五')",
        "INSERT INTO t_BJrec (F_cltID, F_date, F_GDname, F_totalPrice) VALUES (1, '2026-01-06', '螺丝', 12.5)",
        "INSERT INTO t_HTrec (F_cltID, F_date, F_HTname, F_HTprice) VALUES (1, '2026-01-07', '年度合同', 1000)",
        "INSERT INTO t_XSrec (F_cltID, F_code, F_totalPrice) VALUES (1, 'XS20260108001', 30)",
        "INSERT INTO t_XSdetail (F_code, F_GDname, F_totalPrice) VALUES ('XS20260108001', '螺母', 10)",
        "INSERT INTO t_XSdetail (F_code, F_GDname, F_totalPrice) VALUES ('XS20260108001', '垫片', 20)",
        "INSERT INTO t_HFrec (F_cltID, F_date) VALUES (1, '2026-01-09')",
        "INSERT INTO t_TSrec (F_cltID, F_date) VALUES (1, '2026-01-10')",
        "INSERT INTO t_GooDrec (F_cltID, F_GDname) VALUES (1, '钢材')",
        "INSERT INTO t_TXrec (F_cltID, F_editDate, F_Caption) VALUES (1, '2026-01-11 09:00:00', '回访')",
    };
    for (const QString &sql : statements)
        if (!data.RunSQL(sql))
            return false;
    return true;
}

struct Workspace
{
    TestDatabase db;
    std::unique_ptr<MainWindow> window;

    bool open()
    {
        if (!db.isReady() || !addFixture(db.data())
            || !OperatorLogin::LoadOperatorState(db.context(), QStringLiteral("000"), QStringLiteral("系统管理员")))
            return false;
        window = std::make_unique<MainWindow>(db.context());
        window->applySignIn();
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    ClientListPanel &clients() { return *window->clients(); }
    RelatedRecordsPanel &related() { return *window->related(); }
    void selectClient(int row)
    {
        QTableView *view = clients().grid()->view();
        view->setCurrentIndex(clients().model()->index(row, 0));
    }
    int rows(int kind) { return related().model(kind)->rowCount(); }
};

} // namespace

class TestWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void selectingAClientFillsTheTab();
    void salesKindShowsDocumentsAndLines();
    void deletingEachKind_data();
    void deletingEachKind();
    void deleteKeyInSearchTextDeletesNothing();
    void countFollowsTheList();
    void changeOfOperatorNarrowsTheList();
    void clientSummary();
    void treeAndListNarrowTheList();
    void customCaptions();
};

void TestWorkspace::selectingAClientFillsTheTab()
{
    Workspace w;
    QVERIFY2(w.open(), qPrintable(w.db.error()));
    QCOMPARE(w.related().kinds().size(), 9);
    QCOMPARE(w.related().currentKind(), 1);
    w.selectClient(0);
    QCOMPARE(w.rows(1), 1);
    QCOMPARE(w.related().model(1)->value(0, QStringLiteral("F_caption")).toString(), QStringLiteral("拜访"));
    w.selectClient(1);
    QCOMPARE(w.related().model(1)->value(0, QStringLiteral("F_caption")).toString(), QStringLiteral("电话"));
    QVERIFY(w.db.prompter().messages.isEmpty());
}

void TestWorkspace::salesKindShowsDocumentsAndLines()
{
    Workspace w;
    QVERIFY(w.open());
    w.selectClient(0);
    auto *list = w.window->findChild<QListWidget *>(QStringLiteral("lstKind"));
    list->setCurrentRow(w.related().kinds().indexOf(RelatedKinds::Sales));
    QCOMPARE(w.related().currentKind(), RelatedKinds::Sales);
    QCOMPARE(w.rows(RelatedKinds::Sales), 1);
    w.related().grid(RelatedKinds::Sales)->view()->setCurrentIndex(w.related().model(RelatedKinds::Sales)->index(0, 0));
    SqlListModel *lines = w.related().linesGrid()->listModel();
    QCOMPARE(lines->rowCount(), 2);
    QCOMPARE(lines->value(1, QStringLiteral("F_GDname")).toString(), QStringLiteral("垫片"));
}

void TestWorkspace::deletingEachKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("question");
    QTest::newRow("activity") << 1 << "真的要删除当前2026-01-05日的业务联系记录吗？";
    QTest::newRow("contact") << 2 << "真的要删除当前联系人王五吗？";
    QTest::newRow("quotation") << 3 << "真的要删除当前商品螺丝的2026-01-06日报价记录吗？";
    QTest::newRow("contract") << 4 << "真的要删除当前合同 年度合同 吗？";
    QTest::newRow("sales") << 5 << "真的要删除销售单号为 XS20260108001 的销售记录吗？";
    QTest::newRow("follow-up") << 6 << "真的要删除当前2026-01-09日的售后回访记录吗？";
    QTest::newRow("complaint") << 7 << "真的要删除当前2026-01-10日的用户投诉记录吗？";
    QTest::newRow("product") << 8 << "真的要删除当前客户产品 钢材 吗？";
    QTest::newRow("reminder") << 9 << "真的要删除当前2026-01-11 09:00:00日的事务提醒记录吗？";
}

void TestWorkspace::deletingEachKind()
{
    QFETCH(int, kind);
    QFETCH(QString, question);
    Workspace w;
    QVERIFY(w.open());
    w.selectClient(0);
    w.related().chooseKind(kind);
    QCOMPARE(w.rows(kind), 1);
    const QString table = RelatedKinds::kind(kind).table;
    const auto count = [&] {
        return w.db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM ") + table).value_or(-1);
    };
    const qint64 before = count();

    // Esc or the close box answer 2: nothing is deleted.
    w.db.prompter().answers.enqueue(Prompter::No);
    w.window->action(QStringLiteral("Action903"))->trigger();
    QCOMPARE(w.db.prompter().messageTexts(), QStringList {question});
    QCOMPARE(count(), before);

    w.db.prompter().answers.enqueue(Prompter::Yes);
    QTest::keyClick(w.related().grid(kind)->view(), Qt::Key_Delete);
    QCOMPARE(count(), before - 1);
    QCOMPARE(w.rows(kind), 0);
    if (kind == RelatedKinds::Sales) {
        QCOMPARE(w.db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_XSdetail")), 0);
        QCOMPARE(w.related().linesGrid()->listModel()->rowCount(), 0);
    }
    // The other client's records are untouched.
    QCOMPARE(w.db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_LXrec WHERE F_cltID = 2")), 1);
}

void TestWorkspace::deleteKeyInSearchTextDeletesNothing()
{
    Workspace w;
    QVERIFY(w.open());
    w.selectClient(0);
    auto *search = w.window->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    search->setFocus();
    search->setText(QStringLiteral("abc"));
    search->setCursorPosition(0);
    w.db.prompter().answers.enqueue(Prompter::Yes);
    QTest::keyClick(search, Qt::Key_Delete);
    QCOMPARE(search->text(), QStringLiteral("bc"));
    QVERIFY(w.db.prompter().messages.isEmpty());
    QCOMPARE(w.db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_LXrec")), 2);
}

void TestWorkspace::countFollowsTheList()
{
    Workspace w;
    QVERIFY(w.open());
    auto *count = w.window->findChild<QLabel *>(QStringLiteral("lblCLTnum"));
    QTRY_COMPARE(count->text(), QStringLiteral("客户总数： 2 个"));
    auto *field = w.window->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    auto *search = w.window->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    QCOMPARE(field->currentIndex(), -1);
    search->setText(QStringLiteral("华信")); // no field chosen yet: no effect
    QCOMPARE(w.clients().model()->rowCount(), 2);
    field->setCurrentIndex(0); // clears the text, which refreshes
    QCOMPARE(search->text(), QString());
    search->setText(QStringLiteral("华'"));
    QCOMPARE(w.clients().model()->rowCount(), 0);
    QTRY_COMPARE(count->text(), QStringLiteral("客户总数： 0 个"));
    QVERIFY(w.db.prompter().messages.isEmpty()); // a quote is just text
    search->setText(QStringLiteral("华信"));
    QTRY_COMPARE(count->text(), QStringLiteral("客户总数： 1 个"));
    QCOMPARE(w.clients().model()->value(0, QStringLiteral("F_code")).toString(), QStringLiteral("K001"));
}

void TestWorkspace::changeOfOperatorNarrowsTheList()
{
    Workspace w;
    QVERIFY(w.open());
    QVERIFY(w.db.data().RunSQL(
        QStringLiteral("INSERT INTO PartList (F_Code, F_Name, F_empFlag) VALUES ('009', '业务员', 1)")));
    QVERIFY(w.db.data().RunSQL(QStringLiteral(
        "INSERT INTO OperList (F_Code, F_Name, F_PassWord, F_PartCode) VALUES ('009', '李四', '', '009')")));
    QVERIFY(OperatorLogin::LoadOperatorState(w.db.context(), QStringLiteral("009"), QStringLiteral("李四")));
    w.window->applySignIn();
    QVERIFY(w.clients().RefreshClientList());
    QCOMPARE(w.clients().model()->rowCount(), 1);
    QCOMPARE(w.clients().model()->value(0, QStringLiteral("F_code")).toString(), QStringLiteral("K002"));
    QTRY_COMPARE(w.window->findChild<QLabel *>(QStringLiteral("lblCLTnum"))->text(), QStringLiteral("客户总数： 1 个"));
}

void TestWorkspace::clientSummary()
{
    Workspace w;
    QVERIFY(w.open());
    w.selectClient(0);
    const QStringList lines = ShowClientSummary(w.clients().currentClient()).split(u'\n');
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.at(0), QString());
    QCOMPARE(lines.at(1), QStringLiteral("  客户编号:K001"));
    QCOMPARE(lines.at(2), QStringLiteral("  客户名称:华信科技"));
    QCOMPARE(lines.at(18), QStringLiteral("  业 务 员:张三"));
}

void TestWorkspace::treeAndListNarrowTheList()
{
    Workspace w;
    QVERIFY(w.open());
    auto *tree = w.window->findChild<QTreeWidget *>(QStringLiteral("tvTree"));
    QTreeWidgetItem *manufacturing = nullptr;
    for (QTreeWidgetItem *item : tree->findItems(QStringLiteral("制造业"), Qt::MatchExactly | Qt::MatchRecursive))
        manufacturing = item;
    QVERIFY(manufacturing);
    tree->setCurrentItem(manufacturing);
    QCOMPARE(w.clients().model()->rowCount(), 1);
    QCOMPARE(w.clients().model()->value(0, QStringLiteral("F_code")).toString(), QStringLiteral("K001"));
    tree->setCurrentItem(tree->topLevelItem(0)); // the root: every client
    QCOMPARE(w.clients().model()->rowCount(), 2);

    auto *list = w.window->findChild<QTableWidget *>(QStringLiteral("vleList"));
    QCOMPARE(list->item(0, 1)->text(), QStringLiteral("全部"));
    const auto found = list->findItems(QStringLiteral("潜在客户"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->setCurrentCell(found.front()->row(), 1);
    QCOMPARE(w.clients().model()->rowCount(), 1);
    QCOMPARE(w.clients().model()->value(0, QStringLiteral("F_code")).toString(), QStringLiteral("K002"));
    list->setCurrentCell(0, 1);
    QCOMPARE(w.clients().model()->rowCount(), 2);
}

void TestWorkspace::customCaptions()
{
    Workspace w;
    QVERIFY(w.db.isReady());
    QVERIFY(w.db.data().RunSQL(QStringLiteral("UPDATE KeyValue SET F_Value = ? WHERE F_ID = 1"),
                               {QStringLiteral("微信号")}));
    QVERIFY(w.open());
    QString caption;
    for (const GridColumn &column : w.clients().grid()->columns())
        if (column.fieldName.compare(QStringLiteral("F_ZF1"), Qt::CaseInsensitive) == 0)
            caption = column.caption;
    QCOMPARE(caption, QStringLiteral("微信号"));
}

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
