#include "db/SqlExec.h"
#include "db/Transaction.h"
#include "support/TestDatabase.h"

#include <QTest>

// Typed text of every kind survives each helper, bound, and failures are reported, not hidden.
class TestDataServices : public QObject
{
    Q_OBJECT
private slots:
    void typedTextRoundTrip_data();
    void typedTextRoundTrip();
    void likeMatchesLiterally_data();
    void likeMatchesLiterally();
    void emptyAndNeutralValues();
    void failuresAreReported();
    void deleteRecord();
    void transactionRollsBack();
};

void TestDataServices::typedTextRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << QStringLiteral("张'三");
    QTest::newRow("percent") << QStringLiteral("50%");
    QTest::newRow("backslash") << QStringLiteral("\\\\工业\\机械");
    QTest::newRow("emoji") << QStringLiteral("客户😀");
    QTest::newRow("sql") << QStringLiteral("'); DROP TABLE t_client; --");
}

void TestDataServices::typedTextRoundTrip()
{
    QFETCH(QString, text);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    DataServices &data = db.data();
    QVERIFY(data.RunSQL(QStringLiteral("INSERT INTO t_client (F_cltID, F_name, F_hangye) VALUES (?, ?, ?)"),
                        {1, text, text}));
    QCOMPARE(data.GetFieldValue(QStringLiteral("SELECT F_name FROM t_client WHERE F_name = ?"), {text}), text);
    QCOMPARE(data.GetIntValue(QStringLiteral("SELECT F_cltID FROM t_client WHERE F_hangye = ?"), {text}), 1);

    QSqlQuery query(db.database().connection());
    QVERIFY(data.OpenQuery(query,
                           QStringLiteral("SELECT F_name, F_hangye FROM t_client WHERE ")
                               + db.database().dialect().likeIgnoreCase(QStringLiteral("F_name")),
                           {SqlDialect::likeContains(text)}));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), text);
    QCOMPARE(query.value(1).toString(), text);
    QVERIFY(!query.next());
    QVERIFY(db.prompter().messages.isEmpty());
}

void TestDataServices::likeMatchesLiterally_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("percent") << "50%" << QStringList {"打折50%"};
    QTest::newRow("underscore") << "a_b" << QStringList {"a_b"};
    QTest::newRow("apostrophe") << "张'" << QStringList {"张'三"};
    QTest::newRow("letter case") << "ABC" << QStringList {"abc公司"};
    QTest::newRow("backslash path") << "\\\\工业\\" << QStringList {"\\\\工业\\机械"};
}

void TestDataServices::likeMatchesLiterally()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const QStringList names {"打折50%", "打折500",        "a_b",       "axb", "张'三", "张三",
                             "abc公司", "\\\\工业\\机械", "\\\\工业品"};
    for (const QString &name : names)
        QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {name}));
    QSqlQuery query(db.database().connection());
    QVERIFY(db.data().OpenQuery(query,
                                QStringLiteral("SELECT F_name FROM t_client WHERE ")
                                    + db.database().dialect().likeIgnoreCase(QStringLiteral("F_name"))
                                    + QStringLiteral(" ORDER BY F_ID"),
                                {SqlDialect::likeContains(typed)}));
    QStringList found;
    while (query.next())
        found.append(query.value(0).toString());
    QCOMPARE(found, expected);
}

void TestDataServices::emptyAndNeutralValues()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    DataServices &data = db.data();
    QCOMPARE(data.GetFieldValue(QStringLiteral("SELECT F_name FROM t_client WHERE F_ID = ?"), {42}), QString());
    QCOMPARE(data.GetIntValue(QStringLiteral("SELECT max(F_cltID) FROM t_client")), 0);
    QCOMPARE(data.GetFloatValue(QStringLiteral("SELECT sum(F_totalPrice) FROM t_XSrec")), 0.0);
    QVERIFY(data.RunSQL(QStringLiteral("INSERT INTO t_XSrec (F_code, F_totalPrice) VALUES (?, ?)"),
                        {QStringLiteral("XS1"), 12.5}));
    QCOMPARE(data.GetFloatValue(QStringLiteral("SELECT sum(F_totalPrice) FROM t_XSrec")), 12.5);
    QVERIFY(db.prompter().messages.isEmpty());
}

void TestDataServices::failuresAreReported()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    DataServices &data = db.data();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!data.GetFieldValue(QStringLiteral("SELECT F_nothing FROM t_client")).has_value());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!data.GetIntValue(QStringLiteral("SELECT count(*) FROM no_such_table")).has_value());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!data.RunSQL(QStringLiteral("UPDATE no_such_table SET x = 1")));
    QSqlQuery query(db.database().connection());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!data.OpenQuery(query, QStringLiteral("SELECT * FROM no_such_table")));

    const QStringList expected {DataServices::readFailedMessage(), DataServices::readFailedMessage(),
                                DataServices::readFailedMessage(), DataServices::openFailedMessage()};
    QCOMPARE(db.prompter().messageTexts(), expected);
    for (const auto &message : std::as_const(db.prompter().messages))
        QCOMPARE(message.kind, MessageKind::Error);
    QVERIFY(expected.front().endsWith(QStringLiteral("... ")));
}

void TestDataServices::deleteRecord()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    DataServices &data = db.data();
    QVERIFY(data.RunSQL(QStringLiteral("INSERT INTO t_LXrec (F_cltID, F_mem) VALUES (1, 'a')")));
    QVERIFY(data.RunSQL(QStringLiteral("INSERT INTO t_LXrec (F_cltID, F_mem) VALUES (1, 'b')")));
    const qint64 first = data.GetIntValue(QStringLiteral("SELECT min(F_ID) FROM t_LXrec")).value_or(0);
    QVERIFY(data.DeleteRecord(QStringLiteral("T_LXREC"), first));
    QCOMPARE(data.GetIntValue(QStringLiteral("SELECT count(*) FROM t_LXrec")), 1);

    // Only tables of the schema are named in a statement.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!data.DeleteRecord(QStringLiteral("t_LXrec; DELETE FROM t_client"), 1));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!data.DeleteRecord(QStringLiteral("LogRec"), 1)); // has no F_ID
    QCOMPARE(db.prompter().messageTexts(),
             (QStringList {DataServices::deleteFailedMessage(), DataServices::deleteFailedMessage()}));
}

void TestDataServices::transactionRollsBack()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    {
        Transaction transaction(db.database());
        QVERIFY(transaction.isActive());
        QSqlQuery query(db.database().connection());
        QVERIFY(
            execBound(query, QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("未提交")}));
    }
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_client")), 0);
    {
        Transaction transaction(db.database());
        QSqlQuery query(db.database().connection());
        QVERIFY(
            execBound(query, QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("已提交")}));
        QVERIFY(transaction.commit());
    }
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_client")), 1);
}

QTEST_GUILESS_MAIN(TestDataServices)
#include "tst_dataservices.moc"
