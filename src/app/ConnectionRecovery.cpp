#include "ConnectionRecovery.h"

#include "AppContext.h"
#include "core/ConfigKeys.h"
#include "core/Prompter.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

bool chooseDatabaseFolder(AppContext &context)
{
    const QString file = context.prompter().chooseOpenFile(QStringLiteral("连接网络数据库"), context.home().folder(),
                                                           QStringLiteral("SQLite数据库 (*.db);;所有文件 (*)"));
    if (file.isEmpty())
        return false;
    using namespace ConfigKeys;
    IniConfig &config = context.config();
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath() + u'/');
    bool written = config.setValue(DatabaseFolder.sectionName(), DatabaseFolder.keyName(), folder);
    if (written && ConnectionSettings::fromConfig(config, context.home()).engine != Engine::Sqlite)
        written = config.setValue(DbDriver.sectionName(), DbDriver.keyName(), QStringLiteral("sqlite"));
    if (!written) {
        context.prompter().ShowMess(QStringLiteral("无法写入配置文件 %1：%2").arg(config.path(), config.lastError()),
                                    MessageKind::Error);
        return false;
    }
    return true;
}

bool connectWithRecovery(AppContext &context, const RecoveryHooks &hooks)
{
    for (;;) {
        if (hooks.status)
            hooks.status(QStringLiteral("正在连接数据库 ....."));
        QString error;
        if (context.connect(&error)) {
            if (hooks.status)
                hooks.status(QStringLiteral("连接成功，正在登录 ..."));
            return true;
        }
        qWarning().noquote() << "database not opened:" << context.database().settings().describe() << error;
        if (hooks.beforeChoice)
            hooks.beforeChoice();
        const ConnectionSettings settings = ConnectionSettings::fromConfig(context.config(), context.home());
        if (settings.engine == Engine::Postgres)
            context.prompter().ShowMess(QStringLiteral("无法连接网络数据库 %1：\n%2").arg(settings.describe(), error),
                                        MessageKind::Error);
        if (!chooseDatabaseFolder(context))
            return false;
        if (hooks.afterChoice)
            hooks.afterChoice();
    }
}
