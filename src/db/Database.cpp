#include "Database.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("varnel-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

Database::Database()
    : m_connectionName(nextConnectionName())
{
}

Database::~Database()
{
    close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool Database::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

void Database::close()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase db = connection();
        db.close();
    }
}

bool Database::fail(const QString &message)
{
    m_lastError = message;
    close();
    return false;
}

bool Database::open(const ConnectionSettings &settings, Missing missing)
{
    close();
    m_settings = settings;
    m_dialect = SqlDialect(settings.engine);
    m_lastError.clear();

    if (!QSqlDatabase::isDriverAvailable(m_dialect.driverName()))
        return fail(QStringLiteral("缺少数据库驱动 %1").arg(m_dialect.driverName()));

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
        ? connection()
        : QSqlDatabase::addDatabase(m_dialect.driverName(), m_connectionName);

    if (settings.engine == Engine::Sqlite) {
        const QFileInfo file(settings.sqliteFile);
        if (!file.exists()) {
            if (missing == Missing::Fail)
                return fail(QStringLiteral("数据库文件 %1 不存在").arg(settings.sqliteFile));
            if (!QDir().mkpath(file.absolutePath()))
                return fail(QStringLiteral("无法创建目录 %1").arg(file.absolutePath()));
        } else if (!file.isFile()) {
            return fail(QStringLiteral("%1 不是数据库文件").arg(settings.sqliteFile));
        }
        db.setDatabaseName(settings.sqliteFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        db.setHostName(settings.host);
        if (settings.port > 0)
            db.setPort(settings.port);
        db.setDatabaseName(settings.databaseName);
        db.setUserName(settings.user);
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=varnel-crm"));
    }

    if (!db.open())
        return fail(db.lastError().text());

    QSqlQuery query(db);
    if (settings.engine == Engine::Sqlite) {
        // A file that is not a database opens fine and fails at its first read.
        if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()
            || query.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
            return fail(QStringLiteral("无法打开数据库 %1：%2").arg(settings.sqliteFile, query.lastError().text()));
        query.finish();
        if (!query.exec(QStringLiteral("PRAGMA foreign_keys=OFF")))
            return fail(query.lastError().text());
    } else {
        if (!query.exec(QStringLiteral("SET client_min_messages = warning")))
            return fail(query.lastError().text());
    }
    return true;
}
