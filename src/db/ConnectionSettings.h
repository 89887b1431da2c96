#pragma once

#include "SqlDialect.h"

#include <QString>

class IniConfig;
class ProgramHome;

// Where the database is: a client.db file for one machine, or a PostgreSQL database for a team.
struct ConnectionSettings
{
    Engine engine = Engine::Sqlite;

    // SQLite: the folder text of [config] ds followed by the file name, exactly as written;
    // the default folder data/ in the program home when ds is blank.
    QString sqliteFile;
    bool isDefaultLocation = true;

    // PostgreSQL: empty values are left to libpq (PGHOST, PGPORT, PGUSER, PGDATABASE).
    QString host;
    int port = 0;
    QString databaseName;
    QString user;

    static ConnectionSettings fromConfig(const IniConfig &config, const ProgramHome &home);
    static ConnectionSettings sqlite(const QString &file);
    static ConnectionSettings postgres(const QString &databaseName);

    // For messages: the file, or host and database.
    QString describe() const;
};
