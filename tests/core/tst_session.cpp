#include "core/CategoryTree.h"
#include "core/OperatorLog.h"
#include "core/Permissions.h"
#include "core/SalesmanRestriction.h"
#include "support/TestDatabase.h"

#include <QTest>

// Permission checks, the operator log and the category tree on a real database.
class TestSession : public QObject
{
    Q_OBJECT
private slots:
    void hasLimit();
    void writeLog();
    void loadTree();
    void salesmanScope_data();
    void salesmanScope();
};

void TestSession::hasLimit()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    Session session;
    session.CurPartCode = QStringLiteral("001");
    QVERIFY(HasLimit(db.data(), session, QStringLiteral("408")));
    QVERIFY(HasLimit(db.data(), session, QStringLiteral("906")));
    QVERIFY(!HasLimit(db.data(), session, QStringLiteral("999")));

    // A role without rows holds nothing; an odd role code is just a value.
    session.CurPartCode = QStringLiteral("0'2");
    QVERIFY(!HasLimit(db.data(), session, QStringLiteral("408")));
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO PartLimit (F_PartCode, F_LmtCode) VALUES (?, ?)"),
                             {session.CurPartCode, QStringLiteral("408")}));
    QVERIFY(HasLimit(db.data(), session, QStringLiteral("408")));
    QVERIFY(!HasLimit(db.data(), session, QStringLiteral("401")));
    QVERIFY(db.prompter().messages.isEmpty());
}

void TestSession::writeLog()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    Session session;
    session.CurOperName = QStringLiteral("O'Neil 王");
    WriteLog(db.database(), session, db.clock(), QStringLiteral("登录成功！"));
    QSqlQuery query(db.database().connection());
    QVERIFY(
        db.data().OpenQuery(query, QStringLiteral("SELECT F_EmpName, F_OperType, F_OperDate, F_OperTime FROM LogRec")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), session.CurOperName);
    QCOMPARE(query.value(1).toString(), QStringLiteral("登录成功！"));
    QCOMPARE(query.value(2).toString(), QStringLiteral("2026-12-11"));
    QCOMPARE(query.value(3).toString(), QStringLiteral("09:30:00"));
}

void TestSession::loadTree()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const auto root = CategoryTree::LoadTree(db.data(), QStringLiteral("客户行业类别"), QStringLiteral("HangYeType"));
    QVERIFY(root);
    QCOMPARE(root->data.Name, QStringLiteral("客户行业类别"));
    QCOMPARE(root->children.size(), size_t(20));
    // Every stored path is the one the tree itself gives its node.
    std::vector<const TreeNode *> stack {root.get()};
    int nodes = 0;
    while (!stack.empty()) {
        const TreeNode *node = stack.back();
        stack.pop_back();
        if (node->parent) {
            ++nodes;
            QCOMPARE(node->data.Path, CategoryTree::GetTreePath(*node, 1));
            QCOMPARE(node->data.Code.size(), 3 * node->level());
        }
        for (const auto &child : node->children)
            stack.push_back(child.get());
    }
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_treecode WHERE F_flag = 'hangyetype'")),
             nodes);
}

void TestSession::salesmanScope_data()
{
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("roleNames"); // as the role stores them
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("everyone") << 0 << "" << QStringList {"甲", "乙", "丙"};
    QTest::newRow("own clients") << 1 << "" << QStringList {"乙"};
    QTest::newRow("listed, apostrophe") << 2 << "'O''Hara','丙'" << QStringList {"甲", "丙"};
    QTest::newRow("listed, none") << 2 << "" << QStringList();
}

void TestSession::salesmanScope()
{
    QFETCH(int, flag);
    QFETCH(QString, roleNames);
    QFETCH(QStringList, expected);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const QList<QPair<QString, QString>> clients {{"甲", "O'Hara"}, {"乙", "张三"}, {"丙", "丙"}};
    for (const auto &[name, salesman] : clients)
        QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_name, F_empName) VALUES (?, ?)"),
                                 {name, salesman}));
    Session session;
    session.CurOperName = QStringLiteral("张三");
    session.CurEmpFlag = flag;
    session.CurEmpNames = Session::parseSalesmanList(roleNames);
    const SqlCondition condition = salesmanRestriction(session);
    QSqlQuery query(db.database().connection());
    QVERIFY(db.data().OpenQuery(query,
                                QStringLiteral("SELECT F_name FROM t_client WHERE (1=1) ") + condition.sql
                                    + QStringLiteral("ORDER BY F_ID"),
                                condition.params));
    QStringList found;
    while (query.next())
        found.append(query.value(0).toString());
    QCOMPARE(found, expected);
    QVERIFY(db.prompter().messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
