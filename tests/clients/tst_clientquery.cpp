#include "clients/ClientQuery.h"
#include "core/Session.h"
#include "support/TestDatabase.h"

#include <QTest>

Q_DECLARE_METATYPE(ClientFilter)

namespace {

// Small fixture: code, name, city, address, salesman, industry, type, disabled.
struct Client
{
    const char *code, *name, *city, *address, *salesman, *industry, *type;
    bool disabled;
};
const Client Clients[] = {
    {"A01", "华信科技", "北京", "海淀区1号", "张三", "\\\\工业", "重点客户", false},
    {"A02", "张'三商行", "上海", "浦东50%大道", "O'Hara", "\\\\工业\\机械", "潜在客户", false},
    {"B01", "恒泰贸易", "北京", "路\\甲", "李四", "\\\\工业品", "重点客户", false},
    {"B02", "abc公司", "广州", "天河", "张三", "\\\\商业", "潜在客户", true},
    {"C01", "", "深圳", "", "李四", "", "", false},
};

QStringList codes(TestDatabase &db, const SqlCondition &statement)
{
    QSqlQuery query(db.database().connection());
    QStringList found;
    if (!db.data().OpenQuery(query, statement.sql + QStringLiteral("order by F_code"), statement.params))
        return {QStringLiteral("failed")};
    while (query.next())
        found.append(query.value(QStringLiteral("F_code")).toString());
    return found;
}

} // namespace

class TestClientQuery : public QObject
{
    Q_OBJECT
private slots:
    void narrowing_data();
    void narrowing();
};

void TestClientQuery::narrowing_data()
{
    QTest::addColumn<ClientFilter>("filter");
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("salesmen");
    QTest::addColumn<QStringList>("expected");
    auto f = [](int field, const QString &text) {
        ClientFilter filter;
        filter.searchField = field;
        filter.searchText = text;
        return filter;
    };
    const QStringList enabled {"A01", "A02", "B01", "C01"};
    QTest::newRow("nothing chosen") << ClientFilter() << 0 << "" << enabled;
    QTest::newRow("text without a field") << f(ClientFilter::NoSearch, "华信") << 0 << "" << enabled;
    QTest::newRow("name contains") << f(ClientFilter::Name, "信") << 0 << "" << QStringList {"A01"};
    QTest::newRow("name with apostrophe") << f(ClientFilter::Name, "张'三") << 0 << "" << QStringList {"A02"};
    ClientFilter letterCase = f(ClientFilter::Name, "ABC");
    letterCase.includeDisabled = true;
    QTest::newRow("name, letter case") << letterCase << 0 << "" << QStringList {"B02"};
    QTest::newRow("name, empty text leaves out a null name")
        << f(ClientFilter::Name, "  ") << 0 << "" << QStringList {"A01", "A02", "B01"};
    QTest::newRow("code starts with") << f(ClientFilter::Code, "A") << 0 << "" << QStringList {"A01", "A02"};
    QTest::newRow("code inside does not match") << f(ClientFilter::Code, "01") << 0 << "" << QStringList();
    QTest::newRow("city") << f(ClientFilter::City, "北") << 0 << "" << QStringList {"A01", "B01"};
    QTest::newRow("address percent") << f(ClientFilter::Address, "50%") << 0 << "" << QStringList {"A02"};
    QTest::newRow("address backslash") << f(ClientFilter::Address, "\\") << 0 << "" << QStringList {"B01"};
    QTest::newRow("main contact") << f(ClientFilter::MainContact, "王") << 0 << "" << QStringList {"A01"};
    QTest::newRow("main contact, no text") << f(ClientFilter::MainContact, "") << 0 << "" << QStringList {"A01", "B01"};
    QTest::newRow("product name") << f(ClientFilter::ProductName, "螺丝") << 0 << "" << QStringList {"B01"};

    ClientFilter tree;
    tree.industryPath = QStringLiteral("\\\\工业");
    QTest::newRow("industry subtree, not 工业品") << tree << 0 << "" << QStringList {"A01", "A02"};
    tree.industryPath = QStringLiteral("\\\\");
    QTest::newRow("tree root") << tree << 0 << "" << enabled;

    ClientFilter disabled;
    disabled.includeDisabled = true;
    QTest::newRow("including disabled") << disabled << 0 << "" << QStringList {"A01", "A02", "B01", "B02", "C01"};

    ClientFilter list;
    list.listType = ClientFilter::ClientType;
    list.listValue = QStringLiteral("重点客户");
    QTest::newRow("list value") << list << 0 << "" << QStringList {"A01", "B01"};
    list.listType = ClientFilter::Salesman;
    list.listValue = QStringLiteral("O'Hara");
    QTest::newRow("list salesman with apostrophe") << list << 0 << "" << QStringList {"A02"};

    QTest::newRow("own clients") << ClientFilter() << 1 << "" << QStringList {"A01"};
    QTest::newRow("listed salesmen") << ClientFilter() << 2 << "'O''Hara','李四'" << QStringList {"A02", "B01", "C01"};
    QTest::newRow("listed, none") << ClientFilter() << 2 << "" << QStringList();
    ClientFilter combined = f(ClientFilter::City, "北京");
    combined.industryPath = QStringLiteral("\\\\工业");
    QTest::newRow("restriction, search and tree") << combined << 2 << "'张三','李四'" << QStringList {"A01"};
}

void TestClientQuery::narrowing()
{
    QFETCH(ClientFilter, filter);
    QFETCH(int, scope);
    QFETCH(QString, salesmen);
    QFETCH(QStringList, expected);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    for (const Client &c : Clients)
        QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_code, F_name, F_city, F_address, F_empName, "
                                                "F_hangye, F_type, F_useFlag) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                                 {QString::fromUtf8(c.code), QString::fromUtf8(c.name), QString::fromUtf8(c.city),
                                  QString::fromUtf8(c.address), QString::fromUtf8(c.salesman),
                                  QString::fromUtf8(c.industry), QString::fromUtf8(c.type), c.disabled}));
    QVERIFY(db.data().RunSQL(QStringLiteral("UPDATE t_client SET F_cltID = F_ID")));
    QVERIFY(db.data().RunSQL(QStringLiteral("UPDATE t_client SET F_name = NULL WHERE F_code = 'C01'")));
    const qint64 a01
        = db.data().GetIntValue(QStringLiteral("SELECT F_cltID FROM t_client WHERE F_code = 'A01'")).value_or(0);
    const qint64 b01
        = db.data().GetIntValue(QStringLiteral("SELECT F_cltID FROM t_client WHERE F_code = 'B01'")).value_or(0);
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_linkman (F_cltID, F_name) VALUES (?, ?), (?, ?)"),
                             {a01, QStringLiteral("王五"), b01, QStringLiteral("赵六")}));
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_GooDrec (F_cltID, F_GDname) VALUES (?, ?)"),
                             {b01, QStringLiteral("不锈钢螺丝")}));
    Session session;
    session.CurOperName = QStringLiteral("张三");
    session.CurEmpFlag = scope;
    session.CurEmpNames = Session::parseSalesmanList(salesmen);

    QCOMPARE(codes(db, ClientQuery::RefreshClientList(db.database().dialect(), session, filter)), expected);
    QVERIFY(db.prompter().messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestClientQuery)
#include "tst_clientquery.moc"
