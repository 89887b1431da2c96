#include "core/ConfigKeys.h"
#include "core/IniConfig.h"
#include "core/ProgramHome.h"
#include "db/ConnectionSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestIniConfig : public QObject
{
    Q_OBJECT
private slots:
    void readsWithoutRegardToCase();
    void writesAtOnceKeepingOtherLines();
    void fileCreatedOnlyOnWrite();
    void numbersAndBooleans();
    void databaseFolder_data();
    void databaseFolder();
    void postgresSettings();

private:
    static void write(const QString &path, const QByteArray &text)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

void TestIniConfig::readsWithoutRegardToCase()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    write(path, "\xEF\xBB\xBF; comment\r\n[CONFIG]\r\nDS = D:\\共享\\数据\\ \r\n[Sys]\r\nbzdcode=1\r\n");
    IniConfig config(path);
    QCOMPARE(config.value(QStringLiteral("config"), QStringLiteral("ds")), QStringLiteral("D:\\共享\\数据\\"));
    QCOMPARE(config.value(QStringLiteral("Config"), QStringLiteral("Ds")), QStringLiteral("D:\\共享\\数据\\"));
    QVERIFY(config.boolValue(QStringLiteral("sys"), QStringLiteral("bZDcode"), false));
    QVERIFY(!config.contains(QStringLiteral("sys"), QStringLiteral("ds")));
    QCOMPARE(config.value(QStringLiteral("set"), QStringLiteral("awokeday"), QStringLiteral("x")), QStringLiteral("x"));
}

void TestIniConfig::writesAtOnceKeepingOtherLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    write(path, "; 注释\n[Config]\nCurOperCode=001\n\n[other]\nkey=value\n");
    IniConfig config(path);
    QVERIFY(config.setValue(QStringLiteral("config"), QStringLiteral("curopercode"), QStringLiteral(" 002 ")));
    QVERIFY(config.setValue(QStringLiteral("config"), QStringLiteral("ibak"), 2));
    QVERIFY(config.setValue(QStringLiteral("set"), QStringLiteral("awokeflag"), QStringLiteral("1")));

    // Another reader sees every write at once, spelled as first written.
    IniConfig again(path);
    QCOMPARE(again.value(QStringLiteral("Config"), QStringLiteral("CurOperCode")), QStringLiteral("002"));
    QCOMPARE(again.intValue(QStringLiteral("CONFIG"), QStringLiteral("IBAK"), 0), 2);
    QVERIFY(again.boolValue(QStringLiteral("set"), QStringLiteral("awokeflag"), false));
    const QString text = QString::fromUtf8(read(path));
    QVERIFY(text.startsWith(QStringLiteral("; 注释\n[Config]\nCurOperCode= 002 \nibak=2\n")));
    QVERIFY(text.contains(QStringLiteral("[other]\nkey=value\n")));
    QCOMPARE(text.count(QStringLiteral("[Config]")), 1);
}

void TestIniConfig::fileCreatedOnlyOnWrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/config.ini"));
    IniConfig config(path);
    QCOMPARE(config.intValue(QStringLiteral("sys"), QStringLiteral("iPrintNum"), 10), 10);
    QVERIFY(!QFile::exists(path));
    QVERIFY(config.setValue(QStringLiteral("config"), QStringLiteral("ds"), QStringLiteral("C:\\a\\b\\")));
    QCOMPARE(QString::fromUtf8(read(path)), QStringLiteral("[config]\nds=C:\\a\\b\\\n"));
}

void TestIniConfig::numbersAndBooleans()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    write(path, "[sys]\niPrintNum=abc\nbZDcode=2\nempty=\n[set]\nawokeflag=0\n");
    IniConfig config(path);
    QCOMPARE(config.intValue(QStringLiteral("sys"), QStringLiteral("iPrintNum"), 10), 10);
    QVERIFY(config.boolValue(QStringLiteral("sys"), QStringLiteral("bZDcode"), false));
    QVERIFY(!config.boolValue(QStringLiteral("set"), QStringLiteral("awokeflag"), true));
    QVERIFY(config.boolValue(QStringLiteral("sys"), QStringLiteral("empty"), true));
}

void TestIniConfig::databaseFolder_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<QString>("file");
    QTest::newRow("no file") << QByteArray() << true << QStringLiteral("HOME/data/client.db");
    QTest::newRow("blank ds") << QByteArray("[config]\nds=   \n") << true << QStringLiteral("HOME/data/client.db");
    QTest::newRow("folder") << QByteArray("[Config]\nDS=/srv/crm/\n") << false << QStringLiteral("/srv/crm/client.db");
    // Used as written: without its separator the file name runs on and the database is not found.
    QTest::newRow("no separator") << QByteArray("[config]\nds=/srv/crm\n") << false
                                  << QStringLiteral("/srv/crmclient.db");
}

void TestIniConfig::databaseFolder()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, isDefault);
    QFETCH(QString, file);
    QTemporaryDir dir;
    if (!ini.isEmpty())
        write(dir.filePath(QStringLiteral("config.ini")), ini);
    const ProgramHome home(dir.path());
    const IniConfig config(home.configFile());
    const ConnectionSettings settings = ConnectionSettings::fromConfig(config, home);
    QCOMPARE(settings.engine, Engine::Sqlite);
    QCOMPARE(settings.isDefaultLocation, isDefault);
    QCOMPARE(settings.sqliteFile, QString(file).replace(QStringLiteral("HOME"), home.folder()));
}

void TestIniConfig::postgresSettings()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("config.ini")), "[DB]\nDriver=PostgreSQL\nhost=db.local\nport=5433\nname=crm\n");
    const ProgramHome home(dir.path());
    const ConnectionSettings settings = ConnectionSettings::fromConfig(IniConfig(home.configFile()), home);
    QCOMPARE(settings.engine, Engine::Postgres);
    QCOMPARE(settings.host, QStringLiteral("db.local"));
    QCOMPARE(settings.port, 5433);
    QCOMPARE(settings.databaseName, QStringLiteral("crm"));
    QVERIFY(settings.describe().contains(QStringLiteral("db.local:5433/crm")));
}

QTEST_APPLESS_MAIN(TestIniConfig)
#include "tst_iniconfig.moc"
