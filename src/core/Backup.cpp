#include "Backup.h"

#include "Clock.h"
#include "Prompter.h"
#include "db/DataServices.h"
#include "db/Database.h"
#include "db/SqlExec.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace Backup {

QString notAvailableMessage()
{
    return QStringLiteral("当前连接的是 PostgreSQL 网络数据库，不能在本机复制或压缩数据库文件，"
                          "请使用数据库服务器的备份工具（如 pg_dump）。");
}

bool offeredAtExit(int mode, const QDate &today)
{
    switch (mode) {
    case 1:
        return true;
    case 2:
        return today.dayOfWeek() == Qt::Monday;
    case 3:
        return today.day() == 1;
    default:
        return false;
    }
}

QString backupFileName(const QString &folder, const QDate &day)
{
    return QDir(QDir::fromNativeSeparators(folder.trimmed()))
        .filePath(QStringLiteral("dp") + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".back"));
}

bool writeCopy(Database &database, const QString &target, QString *error)
{
    if (database.engine() != Engine::Sqlite) {
        if (error)
            *error = notAvailableMessage();
        return false;
    }
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    QSqlQuery query(database.connection());
    if (!execBound(query, QStringLiteral("VACUUM INTO ?"), {QDir::toNativeSeparators(temporary)}, error)) {
        QFile::remove(temporary);
        return false;
    }
    if (!QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        if (error)
            *error = QStringLiteral("无法写入 %1").arg(target);
        return false;
    }
    return true;
}

Outcome DailyBackup(DataServices &data, Prompter &prompter, const Clock &clock)
{
    Database &database = data.database();
    if (database.engine() != Engine::Sqlite) {
        prompter.ShowMess(notAvailableMessage(), MessageKind::Warning);
        return Outcome::NotAvailable;
    }
    const auto configured = data.GetFieldValue(QStringLiteral("SELECT F_BakPath FROM SysInfo"));
    if (!configured)
        return Outcome::Failed;
    const QString folder = configured->trimmed();
    if (folder.isEmpty()) {
        prompter.ShowMess(QStringLiteral("尚未设置备份目录，请在“数据备份恢复”中设置备份路径！"), MessageKind::Warning);
        return Outcome::NotConfigured;
    }
    if (!QFileInfo(folder).isDir()) {
        if (prompter.ShowMess(QStringLiteral("当前目录") + folder + QStringLiteral(" 不存在，是否创建！"),
                              MessageKind::Question)
            != Prompter::Yes)
            return Outcome::Cancelled;
        if (!QDir().mkpath(folder)) {
            prompter.ShowMess(QStringLiteral("目录") + folder + QStringLiteral(" 创建失败,请检测路径是否合法!"),
                              MessageKind::Error);
            return Outcome::Failed;
        }
    }
    const QString target = backupFileName(folder, clock.today());
    if (QFileInfo::exists(target))
        return Outcome::AlreadyDone;
    QString error;
    if (!writeCopy(database, target, &error)) {
        // Another copy of the program may have written today's file in the meantime.
        if (QFileInfo::exists(target))
            return Outcome::AlreadyDone;
        qWarning().noquote() << "backup failed:" << error;
        prompter.ShowMess(QStringLiteral("数据备份失败！"), MessageKind::Error);
        return Outcome::Failed;
    }
    return Outcome::Written;
}

bool CompactDatabase(Database &database, Prompter &prompter, QString *error)
{
    if (database.engine() != Engine::Sqlite) {
        prompter.ShowMess(notAvailableMessage(), MessageKind::Warning);
        if (error)
            *error = notAvailableMessage();
        return false;
    }
    QSqlQuery query(database.connection());
    return execBound(query, database.dialect().compactStatement(), {}, error);
}

} // namespace Backup
