#include "db/Migrations.h"
#include "db/Schema.h"
#include "db/SqlExec.h"
#include "support/TestDatabase.h"

#include <QSqlRecord>
#include <QTest>

namespace {

QStringList column(Database &db, const QString &sql, const QVariantList &params = {})
{
    QSqlQuery query(db.connection());
    QStringList values;
    if (execBound(query, sql, params))
        while (query.next())
            values.append(query.value(0).toString());
    return values;
}

qint64 count(Database &db, const QString &table)
{
    const QStringList values = column(db, QStringLiteral("SELECT count(*) FROM ") + table);
    return values.isEmpty() ? -1 : values.front().toLongLong();
}

QStringList lower(QStringList list)
{
    for (QString &s : list)
        s = s.toLower();
    list.sort();
    return list;
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT
private slots:
    void tablesAndColumns();
    void referenceRows();
    void migrateAgainChangesNothing();
    void defaultsAndUniqueNumbers();
    void namesMatchWithoutRegardToCase();
};

void TestSchema::tablesAndColumns()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const QStringList expected {"t_client",   "t_linkman", "t_LXrec",    "t_BJrec",   "t_HTrec",    "t_XSrec",
                                "t_XSdetail", "t_HFrec",   "t_TSrec",    "t_GooDrec", "t_TXrec",    "t_CJrec",
                                "LdCltRec",   "t_goods",   "t_employee", "t_code",    "t_treecode", "OperList",
                                "PartList",   "Limits",    "PartLimit",  "SysInfo",   "KeyValue",   "cfg_Grid",
                                "cfg_import", "LogRec",    "tempCode",   "SchemaInfo"};
    QStringList tables = db.database().connection().tables();
    tables.removeIf([](const QString &name) { return name.startsWith(QStringLiteral("sqlite_")); });
    QCOMPARE(lower(tables), lower(expected));

    for (const TableDef &table : Schema::tables()) {
        // PostgreSQL folds unquoted names to lower case; its catalogue is asked in that spelling.
        const bool folded = db.database().engine() == Engine::Postgres;
        const QSqlRecord record = db.database().connection().record(folded ? table.name.toLower() : table.name);
        QStringList actual;
        for (int i = 0; i < record.count(); ++i)
            actual.append(record.fieldName(i));
        QStringList declared;
        for (const ColumnDef &c : table.columns)
            declared.append(c.name);
        QCOMPARE(lower(actual), lower(declared));
    }
    // A few columns checked against the data model by hand, so the table of tables itself is tested.
    QCOMPARE(Schema::table(QStringLiteral("t_client"))->columns.size(), 46);
    QCOMPARE(Schema::textSize(QStringLiteral("T_CLIENT"), QStringLiteral("f_name")), 100);
    QCOMPARE(Schema::textSize(QStringLiteral("SysInfo"), QStringLiteral("F_Name")), 10);
    QCOMPARE(Schema::table(QStringLiteral("t_BJrec"))->column(QStringLiteral("F_price"))->type, ColumnType::Currency);
    QCOMPARE(Schema::table(QStringLiteral("t_employee"))->column(QStringLiteral("F_birthday"))->type, ColumnType::Text);
}

void TestSchema::referenceRows()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    Database &d = db.database();

    QStringList codes;
    const QList<QPair<int, int>> ranges {{101, 106}, {201, 218}, {301, 313}, {401, 408}, {501, 505}, {901, 906}};
    for (const auto &[first, last] : ranges)
        for (int code = first; code <= last; ++code)
            codes.append(QString::number(code));
    QCOMPARE(column(d, QStringLiteral("SELECT F_Code FROM Limits ORDER BY F_Code")), codes);
    const QStringList names = column(d, QStringLiteral("SELECT F_Name FROM Limits WHERE F_Code IN ('201', '901')"));
    QCOMPARE(names.size(), 2);
    QVERIFY(names.at(0) != names.at(1));
    QCOMPARE(column(d, QStringLiteral("SELECT F_LmtCode FROM PartLimit WHERE F_PartCode = '001' ORDER BY F_LmtCode")),
             codes);

    const QStringList keyValues = column(d, QStringLiteral("SELECT F_Value FROM KeyValue ORDER BY F_ID"));
    QCOMPARE(keyValues.size(), 15);
    QCOMPARE(keyValues.at(0), QStringLiteral("字符项一"));
    QCOMPARE(keyValues.at(10), QStringLiteral("日期项三"));
    QCOMPARE(keyValues.mid(11), (QStringList {"2", "2", "2", ""}));

    QStringList layouts {"clientmain",        "activityman", "baojiaman",  "hetongman",  "huifangman",
                         "tousuman",          "lxdetailtj",  "bjdetailtj", "htdetailtj", "xsdetailtj",
                         "hfdetailtj",        "tsdetailtj",  "awokegl1",   "cltldrecgl", "outxiaoshoudeptcx",
                         "outxiaoshoudeptgl", "dlgcltrecxz", "dlggoodxz",  "goodset",    "empman"};
    for (int i = 2; i <= 10; ++i)
        layouts.append(QStringLiteral("detail%1").arg(i));
    layouts.sort();
    QCOMPARE(column(d, QStringLiteral("SELECT DISTINCT F_name FROM cfg_Grid ORDER BY F_name")), layouts);
    QCOMPARE(column(d, QStringLiteral("SELECT count(*) FROM cfg_Grid WHERE F_name = 'clientmain' AND F_Order = 0")),
             QStringList {"1"});

    QVERIFY(column(d, QStringLiteral("SELECT S_Field FROM cfg_import WHERE F_tablename = 't_client' AND F_iFlag = 1"))
                .contains(QStringLiteral("F_name")));

    QStringList lists {"clttype", "laiyuan",   "country",   "province", "caption", "mode", "dept",   "duty",  "xueli",
                       "xuqiu",   "txcaption", "awoketime", "htstatus", "gdtype",  "unit", "ldtype", "cltype"};
    lists.sort();
    QCOMPARE(column(d, QStringLiteral("SELECT DISTINCT F_type FROM t_code ORDER BY F_type")), lists);
    QCOMPARE(column(d, QStringLiteral("SELECT count(*) FROM t_code WHERE F_type = 'province'")), QStringList {"34"});
    QCOMPARE(column(d, QStringLiteral("SELECT F_name FROM t_code WHERE F_type = 'country' ORDER BY F_ID")).value(0),
             QStringLiteral("中国"));

    const QStringList topLevel = column(
        d, QStringLiteral("SELECT F_likecode FROM t_treecode WHERE F_flag = 'hangyetype' AND length(F_code) = 3"));
    QCOMPARE(topLevel.size(), 20);
    QVERIFY(topLevel.contains(QStringLiteral("\\\\制造业")));

    QCOMPARE(count(d, QStringLiteral("SysInfo")), 1);
    QCOMPARE(column(d, QStringLiteral("SELECT F_PassWord FROM OperList WHERE F_Code = '000'")), QStringList {""});
    QCOMPARE(column(d, QStringLiteral("SELECT F_PartCode FROM OperList WHERE F_Code = '000'")), QStringList {"001"});
    QCOMPARE(column(d, QStringLiteral("SELECT F_empFlag FROM PartList WHERE F_Code = '001'")), QStringList {"0"});
}

void TestSchema::migrateAgainChangesNothing()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const qint64 grids = count(db.database(), QStringLiteral("cfg_Grid"));
    QString error;
    QVERIFY2(Migrations::migrate(db.database(), &error), qPrintable(error));
    QCOMPARE(Migrations::currentVersion(db.database()), Migrations::latestVersion());
    QCOMPARE(count(db.database(), QStringLiteral("cfg_Grid")), grids);
    QCOMPARE(count(db.database(), QStringLiteral("SchemaInfo")), qint64(Migrations::steps().size()));

    // A second copy of the program starting on the same database finds it ready.
    auto second = db.openSecond();
    QVERIFY(second);
    QVERIFY2(Migrations::migrate(*second, &error), qPrintable(error));
    QCOMPARE(count(*second, QStringLiteral("Limits")), count(db.database(), QStringLiteral("Limits")));
}

void TestSchema::defaultsAndUniqueNumbers()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QSqlQuery query(db.database().connection());
    QVERIFY(execBound(query, QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("甲")}));
    QVERIFY(execBound(query, QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("乙")}));
    QVERIFY(execBound(query, QStringLiteral("SELECT F_cltID, F_useFlag FROM t_client ORDER BY F_ID")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    QCOMPARE(query.value(1).toBool(), false);
    query.finish();

    // Client numbers other than 0, sales document numbers and goods codes are unique.
    QVERIFY(execBound(query, QStringLiteral("INSERT INTO t_client (F_cltID, F_name) VALUES (7, 'a')")));
    QVERIFY(!execBound(query, QStringLiteral("INSERT INTO t_client (F_cltID, F_name) VALUES (7, 'b')")));
    QVERIFY(execBound(query, QStringLiteral("INSERT INTO t_XSrec (F_code) VALUES ('XS20261211001')")));
    QVERIFY(!execBound(query, QStringLiteral("INSERT INTO t_XSrec (F_code) VALUES ('XS20261211001')")));
    QVERIFY(execBound(query, QStringLiteral("INSERT INTO t_goods (F_code) VALUES ('000001')")));
    QVERIFY(!execBound(query, QStringLiteral("INSERT INTO t_goods (F_code) VALUES ('000001')")));

    // A text longer than its column is refused on PostgreSQL; SQLite keeps sizes as data for editors.
    const bool refused = !execBound(query, QStringLiteral("UPDATE SysInfo SET F_Name = ?"), {QString(11, u'址')});
    QCOMPARE(refused, db.database().engine() == Engine::Postgres);
}

void TestSchema::namesMatchWithoutRegardToCase()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const SqlDialect &dialect = db.database().dialect();
    QSqlQuery query(db.database().connection());
    QVERIFY(execBound(query, QStringLiteral("INSERT INTO t_code (F_type, F_name) VALUES (?, ?)"),
                      {QStringLiteral("empname"), QStringLiteral("张三")}));
    QCOMPARE(column(db.database(),
                    QStringLiteral("SELECT F_name FROM T_CODE WHERE ") + dialect.equalsIgnoreCase("f_Type"),
                    {QStringLiteral("empName")}),
             QStringList {"张三"});
    QCOMPARE(column(db.database(),
                    QStringLiteral("SELECT count(*) FROM cfg_grid WHERE ") + dialect.equalsIgnoreCase("F_name"),
                    {QStringLiteral("ActivityMan")})
                     .value(0)
                     .toInt()
                 > 0,
             true);
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
