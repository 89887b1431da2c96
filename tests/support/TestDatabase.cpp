#include "TestDatabase.h"

#include "core/ConfigKeys.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Runs one statement on the server's maintenance database.
bool onMaintenanceDatabase(const QString &sql, QString *error)
{
    const QString name = QStringLiteral("varnel-test-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setDatabaseName(qEnvironmentVariable("PGDATABASE", QStringLiteral("postgres")));
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok && error)
                *error = query.lastError().text();
        } else if (error) {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

Engine TestDatabase::engineUnderTest()
{
    return qEnvironmentVariable("VARNEL_TEST_DB") == QStringLiteral("postgres") ? Engine::Postgres : Engine::Sqlite;
}

TestDatabase::TestDatabase()
{
    if (!m_home.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (engineUnderTest() == Engine::Postgres) {
        static QAtomicInt counter;
        m_pgDatabase = QStringLiteral("varnel_test_%1_%2")
                           .arg(QCoreApplication::applicationPid())
                           .arg(counter.fetchAndAddRelaxed(1));
        if (!onMaintenanceDatabase(
                QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(m_pgDatabase), &m_error)) {
            m_pgDatabase.clear();
            return;
        }
        IniConfig config(m_home.filePath(QStringLiteral("config.ini")));
        config.setValue(ConfigKeys::DbDriver.sectionName(), ConfigKeys::DbDriver.keyName(), QStringLiteral("postgres"));
        config.setValue(ConfigKeys::DbName.sectionName(), ConfigKeys::DbName.keyName(), m_pgDatabase);
    }
    m_context = std::make_unique<AppContext>(m_home.path(), m_prompter, m_clock);
    m_ready = m_context->connect(&m_error);
}

TestDatabase::~TestDatabase()
{
    m_context.reset();
    if (!m_pgDatabase.isEmpty())
        onMaintenanceDatabase(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgDatabase), nullptr);
}

std::unique_ptr<Database> TestDatabase::openSecond() const
{
    auto second = std::make_unique<Database>();
    if (!second->open(m_context->database().settings()))
        return nullptr;
    return second;
}
