#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The program itself: provisioning a home from the command line.
class TestInit : public QObject
{
    Q_OBJECT
private slots:
    void initCreatesHomeAndChangesNothingLater();
    void unreachableConfiguredFolderFails();
    void help();

private:
    static int run(const QStringList &arguments, QByteArray *output = nullptr)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(VARNEL_CRM_BINARY), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        if (output)
            *output = process.readAll();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    static QByteArray tableDump(const QString &file)
    {
        QByteArray dump;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dump"));
            db.setDatabaseName(file);
            if (db.open()) {
                for (const QString &table : db.tables()) {
                    QSqlQuery query(db);
                    query.exec(QStringLiteral("SELECT * FROM ") + table);
                    while (query.next())
                        for (int i = 0; i < 20; ++i)
                            dump += query.value(i).toString().toUtf8() + '|';
                }
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("dump"));
        return QCryptographicHash::hash(dump, QCryptographicHash::Sha256);
    }
};

void TestInit::initCreatesHomeAndChangesNothingLater()
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("新的 家"));
    QByteArray output;
    QCOMPARE(run({QStringLiteral("--home"), home, QStringLiteral("--init")}, &output), 0);
    const QString database = home + QStringLiteral("/data/client.db");
    QVERIFY2(QFile::exists(database), output.constData());
    QVERIFY(!QFile::exists(home + QStringLiteral("/config.ini"))); // written only when a key is
    const QByteArray first = tableDump(database);
    QVERIFY(!first.isEmpty());

    QCOMPARE(run({QStringLiteral("--home"), home, QStringLiteral("--init")}), 0);
    QCOMPARE(tableDump(database), first);
}

void TestInit::unreachableConfiguredFolderFails()
{
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("config.ini")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[config]\nds=" + dir.filePath(QStringLiteral("elsewhere/")).toUtf8() + "\n");
    config.close();
    QByteArray output;
    QCOMPARE(run({QStringLiteral("--home"), dir.path(), QStringLiteral("--init")}, &output), 1);
    QVERIFY(!QDir(dir.filePath(QStringLiteral("elsewhere"))).exists()); // no empty database made there
    QVERIFY(QString::fromLocal8Bit(output).contains(QStringLiteral("不存在")));
}

void TestInit::help()
{
    QByteArray output;
    QCOMPARE(run({QStringLiteral("--help")}, &output), 0);
    QVERIFY(output.contains("--home"));
    QVERIFY(output.contains("--init"));
}

QTEST_GUILESS_MAIN(TestInit)
#include "tst_init.moc"
