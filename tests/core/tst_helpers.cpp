#include "core/Backup.h"
#include "core/DateRangeText.h"
#include "core/Numbering.h"
#include "core/PictureType.h"
#include "core/ProgramHome.h"
#include "core/Session.h"
#include "db/SqlDialect.h"

#include <QTemporaryDir>
#include <QTest>

// The small shared routines without a database.
class TestHelpers : public QObject
{
    Q_OBJECT
private slots:
    void incrementDigits_data();
    void incrementDigits();
    void pictureType_data();
    void pictureType();
    void dateRangeText();
    void salesmanList_data();
    void salesmanList();
    void likePatterns();
    void backupFileName();
    void programHome();
};

void TestHelpers::incrementDigits_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("expected"); // "-" for refused
    QTest::newRow("simple") << "005"
                            << "006";
    QTest::newRow("zero") << "000"
                          << "001";
    QTest::newRow("carry") << "019"
                           << "020";
    QTest::newRow("six digits") << "009999"
                                << "010000";
    QTest::newRow("full") << "999"
                          << "-";
    QTest::newRow("not digits") << "0a1"
                                << "-";
    QTest::newRow("full-width digit") << "00１"
                                      << "-";
    QTest::newRow("empty") << ""
                           << "-";
}

void TestHelpers::incrementDigits()
{
    QFETCH(QString, digits);
    QFETCH(QString, expected);
    const auto next = Numbering::incrementDigits(digits);
    QCOMPARE(next.value_or(QStringLiteral("-")), expected);
}

void TestHelpers::pictureType_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::newRow("bmp") << "照片.BMP" << 1;
    QTest::newRow("jpg") << "/a/b.jpg" << 2;
    QTest::newRow("jpeg") << "b.JPeg" << 2;
    QTest::newRow("gif") << "x.gif" << 3;
    QTest::newRow("png") << "x.png" << 0;
    QTest::newRow("none") << "gif" << 0;
}

void TestHelpers::pictureType()
{
    QFETCH(QString, file);
    QFETCH(int, type);
    QCOMPARE(GetPictureType(file), type);
}

void TestHelpers::dateRangeText()
{
    QCOMPARE(MakeDateRangeText(QDate(2026, 1, 5), QDate(2026, 12, 31)),
             QStringLiteral("统计日期：自 2026年01月05日 至 2026年12月31日"));
    QCOMPARE(MakeDateRangeText(std::nullopt, std::nullopt), QStringLiteral("统计日期：自 启用系统 至 记帐最后一天"));
}

void TestHelpers::salesmanList_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("two") << "'张三','李四'" << QStringList {"张三", "李四"};
    QTest::newRow("blanks") << " '张三' , '李四' " << QStringList {"张三", "李四"};
    QTest::newRow("apostrophe doubled") << "'O''Brien','王五'" << QStringList {"O'Brien", "王五"};
    QTest::newRow("unquoted") << "张三,李四" << QStringList {"张三", "李四"};
    QTest::newRow("empty") << "" << QStringList();
}

void TestHelpers::salesmanList()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, names);
    QCOMPARE(Session::parseSalesmanList(stored), names);
    QCOMPARE(Session::parseSalesmanList(Session::formatSalesmanList(names)), names);
}

void TestHelpers::likePatterns()
{
    QCOMPARE(SqlDialect::likeContains(QStringLiteral("50%")), QStringLiteral("%50\\%%"));
    QCOMPARE(SqlDialect::likeStartsWith(QStringLiteral("\\\\工业")), QStringLiteral("\\\\\\\\工业%"));
    QCOMPARE(SqlDialect::escapeLike(QStringLiteral("a_b")), QStringLiteral("a\\_b"));
    const SqlDialect sqlite(Engine::Sqlite);
    const SqlDialect postgres(Engine::Postgres);
    QCOMPARE(sqlite.digitsPattern(QStringLiteral("XS20261211"), 3), QStringLiteral("XS20261211[0-9][0-9][0-9]"));
    QCOMPARE(postgres.digitsPattern(QStringLiteral("XS20261211"), 3), QStringLiteral("^XS20261211[0-9]{3}$"));
}

void TestHelpers::backupFileName()
{
    const QDate day(2026, 3, 9);
    QCOMPARE(Backup::backupFileName(QStringLiteral("/srv/backup"), day), QStringLiteral("/srv/backup/dp20260309.back"));
    QCOMPARE(Backup::backupFileName(QStringLiteral("/srv/backup/ "), day),
             QStringLiteral("/srv/backup/dp20260309.back"));
}

void TestHelpers::programHome()
{
    QTemporaryDir dir;
    QCOMPARE(ProgramHome::resolve(QStringLiteral("/opt/a"), QStringLiteral("/opt/b"), dir.path()),
             QStringLiteral("/opt/a"));
    QCOMPARE(ProgramHome::resolve(QString(), QStringLiteral("/opt/b"), dir.path()), QStringLiteral("/opt/b"));
    QCOMPARE(ProgramHome::resolve(QString(), QString(), dir.path()), dir.path());
    QVERIFY(ProgramHome::resolve(QString(), QString(), QStringLiteral("/proc/nonexistent"))
                .endsWith(QStringLiteral("/.local/share/varnel-crm")));
}

QTEST_APPLESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
