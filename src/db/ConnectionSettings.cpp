#include "ConnectionSettings.h"

#include "core/ConfigKeys.h"
#include "core/IniConfig.h"
#include "core/ProgramHome.h"

ConnectionSettings ConnectionSettings::fromConfig(const IniConfig &config, const ProgramHome &home)
{
    using namespace ConfigKeys;
    ConnectionSettings settings;
    const QString driver = config.value(DbDriver.sectionName(), DbDriver.keyName()).trimmed().toLower();
    if (driver == QStringLiteral("postgres") || driver == QStringLiteral("postgresql")
        || driver == QStringLiteral("qpsql")) {
        settings.engine = Engine::Postgres;
        settings.isDefaultLocation = false;
        settings.host = config.value(DbHost.sectionName(), DbHost.keyName());
        settings.port = config.intValue(DbPort.sectionName(), DbPort.keyName(), 0);
        settings.databaseName = config.value(DbName.sectionName(), DbName.keyName());
        settings.user = config.value(DbUser.sectionName(), DbUser.keyName());
        return settings;
    }

    // The folder must end with its separator: "ds" is used as written, like a path prefix.
    const QString folder = config.value(DatabaseFolder.sectionName(), DatabaseFolder.keyName());
    settings.isDefaultLocation = folder.trimmed().isEmpty();
    settings.sqliteFile = (settings.isDefaultLocation ? home.defaultDataFolder() : folder)
        + QString::fromLatin1(ProgramHome::DatabaseFileName);
    return settings;
}

ConnectionSettings ConnectionSettings::sqlite(const QString &file)
{
    ConnectionSettings settings;
    settings.sqliteFile = file;
    settings.isDefaultLocation = false;
    return settings;
}

ConnectionSettings ConnectionSettings::postgres(const QString &databaseName)
{
    ConnectionSettings settings;
    settings.engine = Engine::Postgres;
    settings.isDefaultLocation = false;
    settings.databaseName = databaseName;
    return settings;
}

QString ConnectionSettings::describe() const
{
    if (engine == Engine::Sqlite)
        return sqliteFile;
    return QStringLiteral("PostgreSQL %1%2/%3")
        .arg(host.isEmpty() ? QStringLiteral("(默认主机)") : host,
             port > 0 ? QStringLiteral(":%1").arg(port) : QString(),
             databaseName.isEmpty() ? QStringLiteral("(默认数据库)") : databaseName);
}
