#pragma once

#include "ConnectionSettings.h"
#include "SqlDialect.h"

#include <QSqlDatabase>
#include <QString>

// One connection to the program's database. Each instance has its own Qt connection name, so
// several may be open at once (a second copy of the program in tests, a worker thread).
class Database
{
public:
    enum class Missing { Fail, Create };

    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // A missing SQLite file is created only with Missing::Create: a folder chosen by the user that
    // holds no database must fail, not gain an empty one.
    bool open(const ConnectionSettings &settings, Missing missing = Missing::Fail);
    void close();
    bool isOpen() const;

    const QString &lastError() const { return m_lastError; }
    const ConnectionSettings &settings() const { return m_settings; }
    const SqlDialect &dialect() const { return m_dialect; }
    Engine engine() const { return m_dialect.engine(); }
    QSqlDatabase connection() const;

private:
    bool fail(const QString &message);

    QString m_connectionName;
    ConnectionSettings m_settings;
    SqlDialect m_dialect {Engine::Sqlite};
    QString m_lastError;
};
