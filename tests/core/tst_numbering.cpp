#include "core/Numbering.h"
#include "db/SqlExec.h"
#include "db/Transaction.h"
#include "support/TestDatabase.h"

#include <QSet>
#include <QTest>

#include <thread>

namespace {

const QDate Today(2026, 12, 11);

bool insertCodes(Database &db, const QString &table, const QString &column, const QStringList &codes,
                 const QString &flag = {})
{
    QSqlQuery query(db.connection());
    for (const QString &code : codes) {
        const bool ok = flag.isEmpty()
            ? execBound(query, QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(table, column), {code})
            : execBound(query, QStringLiteral("INSERT INTO t_treecode (F_code, F_name, F_flag) VALUES (?, ?, ?)"),
                        {code, code, flag});
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

class TestNumbering : public QObject
{
    Q_OBJECT
private slots:
    void series_data();
    void series();
    void treeCodes_data();
    void treeCodes();
    void clientNumber();
    void racingCopiesGetDifferentNumbers();
};

void TestNumbering::series_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("digits"); // negative: undated series of that many digits
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected"); // "!" when refused

    QTest::newRow("first client code of the day") << "t_client"
                                                  << "" << 3 << QStringList() << "20261211001";
    QTest::newRow("next client code") << "t_client"
                                      << "" << 3 << QStringList {"20261211005", "20261211002"} << "20261211006";
    QTest::newRow("yesterday does not count") << "t_client"
                                              << "" << 3 << QStringList {"20261210999"} << "20261211001";
    QTest::newRow("other shapes ignored")
        << "t_client"
        << "" << 3 << QStringList {"20261211004", "2026121100x", "20261211abc", "202612110051", "20261211"}
        << "20261211005";
    QTest::newRow("full day refused") << "t_client"
                                      << "" << 3 << QStringList {"20261211999"} << "!";
    QTest::newRow("first sales document") << "t_XSrec"
                                          << "XS" << 3 << QStringList {"20261211007"} << "XS20261211001";
    QTest::newRow("next sales document") << "t_XSrec"
                                         << "XS" << 3 << QStringList {"XS20261211009", "XS20261210500", "XX20261211100"}
                                         << "XS20261211010";
    QTest::newRow("first goods code") << "t_goods"
                                      << "" << -6 << QStringList() << "000001";
    QTest::newRow("next goods code") << "t_goods"
                                     << "" << -6 << QStringList {"000099", "A00100", "1000000", "00012"} << "000100";
    QTest::newRow("goods full") << "t_goods"
                                << "" << -6 << QStringList {"999999"} << "!";
    QTest::newRow("employee code") << "t_employee"
                                   << "" << -3 << QStringList {"007", "x99", "0100"} << "008";
}

void TestNumbering::series()
{
    QFETCH(QString, table);
    QFETCH(QString, prefix);
    QFETCH(int, digits);
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(insertCodes(db.database(), table, QStringLiteral("F_code"), existing));

    Transaction transaction(db.database());
    QVERIFY(transaction.isActive());
    const NextCode next = digits > 0
        ? Numbering::GetNextCode(transaction, table, QStringLiteral("F_code"), prefix, digits, Today)
        : Numbering::GetNextNumber(transaction, table, QStringLiteral("F_code"), -digits);
    if (expected == QStringLiteral("!")) {
        QVERIFY(!next.ok());
        QVERIFY(next.error.contains(QStringLiteral("已用完")));
    } else {
        QVERIFY2(next.ok(), qPrintable(next.error));
        QCOMPARE(next.code, expected);
    }
}

void TestNumbering::treeCodes_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first top-level") << QStringList() << "000" << 2 << "001";
    QTest::newRow("next top-level") << QStringList {"001", "002", "002001"} << "" << 2 << "003";
    QTest::newRow("first child") << QStringList {"001"} << "001" << 2 << "001001";
    QTest::newRow("next child") << QStringList {"001", "001001", "001002"} << "001" << 2 << "001003";
    QTest::newRow("next sibling") << QStringList {"001", "001002", "001005"} << "001002" << 1 << "001006";
    QTest::newRow("sibling of top-level") << QStringList {"001", "004"} << "001" << 1 << "005";
    QTest::newRow("grandchildren not counted") << QStringList {"001", "001001001"} << "001" << 2 << "001001";
    QTest::newRow("level full") << QStringList {"001", "001999"} << "001" << 2 << "!";
    QTest::newRow("root has no sibling") << QStringList {"001"} << "000" << 1 << "!";
}

void TestNumbering::treeCodes()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, code);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    // The flag is matched without regard to case; other trees do not count.
    QVERIFY(insertCodes(db.database(), {}, {}, existing, QStringLiteral("TestTree")));
    QVERIFY(insertCodes(db.database(), {}, {}, {QStringLiteral("009"), QStringLiteral("001998")},
                        QStringLiteral("othertree")));
    Transaction transaction(db.database());
    const NextCode next = Numbering::GetNextTreeCode(transaction, code, QStringLiteral("testtree"), mode);
    if (expected == QStringLiteral("!")) {
        QVERIFY(!next.ok());
    } else {
        QVERIFY2(next.ok(), qPrintable(next.error));
        QCOMPARE(next.code, expected);
    }
}

void TestNumbering::clientNumber()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    {
        Transaction transaction(db.database());
        QCOMPARE(Numbering::NextClientNumber(transaction), 1);
    }
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_cltID) VALUES (41), (0), (7)")));
    Transaction transaction(db.database());
    QCOMPARE(Numbering::NextClientNumber(transaction), 42);
}

void TestNumbering::racingCopiesGetDifferentNumbers()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const ConnectionSettings settings = db.database().settings();
    constexpr int PerCopy = 20;
    QStringList failures[2];
    QStringList codes[2];

    auto copy = [&](int n) {
        Database database;
        if (!database.open(settings)) {
            failures[n].append(database.lastError());
            return;
        }
        for (int i = 0; i < PerCopy; ++i) {
            Transaction transaction(database);
            const NextCode code = Numbering::GetNextCode(transaction, QStringLiteral("t_XSrec"),
                                                         QStringLiteral("F_code"), QStringLiteral("XS"), 3, Today);
            const qint64 number = Numbering::NextClientNumber(transaction);
            QSqlQuery query(database.connection());
            QString error;
            if (!code.ok() || number <= 0 || !transaction.isActive()
                || !execBound(query, QStringLiteral("INSERT INTO t_XSrec (F_code, F_cltID) VALUES (?, ?)"),
                              {code.code, number}, &error)
                || !execBound(query, QStringLiteral("INSERT INTO t_client (F_cltID, F_name) VALUES (?, ?)"),
                              {number, code.code}, &error)
                || !transaction.commit()) {
                failures[n].append(code.error + error + transaction.error());
                continue;
            }
            codes[n].append(code.code);
        }
    };
    std::thread first(copy, 0);
    std::thread second(copy, 1);
    first.join();
    second.join();

    QVERIFY2(failures[0].isEmpty() && failures[1].isEmpty(), qPrintable((failures[0] + failures[1]).join(u'\n')));
    const QStringList all = codes[0] + codes[1];
    QCOMPARE(QSet<QString>(all.cbegin(), all.cend()).size(), 2 * PerCopy);
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(DISTINCT F_cltID) FROM t_client")), 2 * PerCopy);
    QCOMPARE(db.data().GetFieldValue(QStringLiteral("SELECT max(F_code) FROM t_XSrec")),
             QStringLiteral("XS20261211040"));
}

QTEST_GUILESS_MAIN(TestNumbering)
#include "tst_numbering.moc"
