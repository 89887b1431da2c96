#include "ProgramHome.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramHome::ProgramHome(QString folder)
    : m_folder(QDir::cleanPath(QDir(folder).absolutePath()))
{
}

QString ProgramHome::resolve(const QString &homeOption, const QString &environmentValue,
                             const QString &executableFolder)
{
    if (!homeOption.trimmed().isEmpty())
        return homeOption.trimmed();
    if (!environmentValue.trimmed().isEmpty())
        return environmentValue.trimmed();
    const QFileInfo exe(executableFolder);
    if (!executableFolder.isEmpty() && exe.isDir() && exe.isWritable())
        return executableFolder;
    return QDir::homePath() + QStringLiteral("/.local/share/varnel-crm");
}

QString ProgramHome::configFile() const
{
    return m_folder + QStringLiteral("/config.ini");
}

QString ProgramHome::defaultDataFolder() const
{
    return m_folder + QStringLiteral("/data/");
}

QString ProgramHome::reportsFolder() const
{
    return m_folder + QStringLiteral("/Qr");
}

QString ProgramHome::exportsFolder() const
{
    return m_folder + QStringLiteral("/exports");
}

bool ProgramHome::ensureExists(QString *error) const
{
    if (QDir().mkpath(m_folder + QStringLiteral("/data")))
        return true;
    if (error)
        *error = QStringLiteral("无法创建程序目录 %1").arg(m_folder);
    return false;
}
