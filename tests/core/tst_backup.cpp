#include "core/Backup.h"
#include "db/SqlExec.h"
#include "db/Transaction.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The client names in a backup file, read with a connection of its own.
QStringList namesIn(const QString &file)
{
    QStringList names;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("backup-reader"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT F_name FROM t_client ORDER BY F_ID")))
                while (query.next())
                    names.append(query.value(0).toString());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("backup-reader"));
    return names;
}

bool setBackupFolder(DataServices &data, const QString &folder)
{
    return data.RunSQL(QStringLiteral("UPDATE SysInfo SET F_BakPath = ?"), {folder});
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT
private slots:
    void oncePerDayOfTheOpenedDatabase();
    void consistentWhileAnotherCopyWrites();
    void folderNotSetOrMissing();
    void compaction();
};

void TestBackup::oncePerDayOfTheOpenedDatabase()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    if (db.database().engine() == Engine::Postgres) {
        QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::NotAvailable);
        QCOMPARE(db.prompter().messageTexts(), QStringList {Backup::notAvailableMessage()});
        return;
    }
    QTemporaryDir folder;
    QVERIFY(setBackupFolder(db.data(), folder.path() + u'/'));
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("第一天")}));

    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::Written);
    const QString today = folder.filePath(QStringLiteral("dp20261211.back"));
    QCOMPARE(namesIn(today), QStringList {"第一天"});

    // The same day again leaves the first copy alone.
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("第二天")}));
    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::AlreadyDone);
    QCOMPARE(namesIn(today), QStringList {"第一天"});

    db.clock().set(QDateTime(QDate(2026, 12, 12), QTime(8, 0)));
    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::Written);
    QCOMPARE(namesIn(folder.filePath(QStringLiteral("dp20261212.back"))), (QStringList {"第一天", "第二天"}));
    QVERIFY(db.prompter().messages.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

void TestBackup::consistentWhileAnotherCopyWrites()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    if (db.database().engine() == Engine::Postgres)
        QSKIP("file copies are made of SQLite databases only");
    QTemporaryDir folder;
    QVERIFY(setBackupFolder(db.data(), folder.path()));
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("已保存")}));

    auto other = db.openSecond();
    QVERIFY(other);
    Transaction writing(*other);
    QVERIFY(writing.isActive());
    QSqlQuery query(other->connection());
    QVERIFY(execBound(query, QStringLiteral("INSERT INTO t_client (F_name) VALUES (?)"), {QStringLiteral("未保存")}));

    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::Written);
    QVERIFY(writing.commit());
    QCOMPARE(namesIn(folder.filePath(QStringLiteral("dp20261211.back"))), QStringList {"已保存"});
}

void TestBackup::folderNotSetOrMissing()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    if (db.database().engine() == Engine::Postgres)
        QSKIP("file copies are made of SQLite databases only");

    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::NotConfigured);
    QCOMPARE(db.prompter().messages.size(), 1);
    QCOMPARE(db.prompter().messages.front().kind, MessageKind::Warning);
    QVERIFY(QDir(db.homeFolder()).entryList({QStringLiteral("*.back")}, QDir::Files).isEmpty());

    QTemporaryDir parent;
    const QString missing = parent.filePath(QStringLiteral("备份/每日"));
    QVERIFY(setBackupFolder(db.data(), missing));
    db.prompter().clear();
    db.prompter().answers.enqueue(Prompter::No);
    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::Cancelled);
    QCOMPARE(db.prompter().messageTexts(),
             QStringList {QStringLiteral("当前目录") + missing + QStringLiteral(" 不存在，是否创建！")});
    QVERIFY(!QFileInfo::exists(missing));

    db.prompter().answers.enqueue(Prompter::Yes);
    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::Written);
    QVERIFY(QFileInfo::exists(missing + QStringLiteral("/dp20261211.back")));

    // A folder that cannot be made is reported.
    QVERIFY(setBackupFolder(db.data(), QStringLiteral("/proc/no-such-folder")));
    db.prompter().clear();
    db.prompter().answers.enqueue(Prompter::Yes);
    QCOMPARE(Backup::DailyBackup(db.data(), db.prompter(), db.clock()), Backup::Outcome::Failed);
    QCOMPARE(db.prompter().messages.back().kind, MessageKind::Error);
    QVERIFY(db.prompter().messages.back().text.contains(QStringLiteral("创建失败")));
}

void TestBackup::compaction()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    const bool sqlite = db.database().engine() == Engine::Sqlite;
    QCOMPARE(Backup::CompactDatabase(db.database(), db.prompter()), sqlite);
    QCOMPARE(db.prompter().messages.isEmpty(), sqlite);
    // The connection is still usable afterwards.
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM SysInfo")), 1);
}

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
