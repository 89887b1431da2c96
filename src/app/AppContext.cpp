#include "AppContext.h"

#include "db/Migrations.h"

AppContext::AppContext(const QString &homeFolder, Prompter &prompter, Clock &clock, Desktop *desktop)
    : m_home(homeFolder)
    , m_config(m_home.configFile())
    , m_prompter(prompter)
    , m_data(m_database, prompter)
    , m_clock(clock)
    , m_desktop(desktop)
{
}

bool AppContext::connect(QString *error)
{
    if (!m_home.ensureExists(error))
        return false;
    const ConnectionSettings settings = ConnectionSettings::fromConfig(m_config, m_home);
    // Only the home's own data folder gets a new database; a configured folder must hold one.
    const auto missing = settings.isDefaultLocation ? Database::Missing::Create : Database::Missing::Fail;
    if (!m_database.open(settings, missing)) {
        if (error)
            *error = m_database.lastError();
        return false;
    }
    QString why;
    if (!Migrations::migrate(m_database, &why)) {
        if (error)
            *error = QStringLiteral("数据库结构更新失败：%1").arg(why);
        m_database.close();
        return false;
    }
    return true;
}
