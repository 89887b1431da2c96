#pragma once

#include <QString>

// The folder "beside the program": config.ini, data/client.db, report templates, exports and
// backups live in it.
class ProgramHome
{
public:
    explicit ProgramHome(QString folder);

    // --home, else VARNEL_HOME, else the executable's folder when writable, else
    // ~/.local/share/varnel-crm.
    static QString resolve(const QString &homeOption, const QString &environmentValue, const QString &executableFolder);

    const QString &folder() const { return m_folder; }
    QString configFile() const;
    QString defaultDataFolder() const; // with its trailing separator
    QString reportsFolder() const;
    QString exportsFolder() const;

    bool ensureExists(QString *error = nullptr) const;

    static constexpr auto DatabaseFileName = "client.db";

private:
    QString m_folder;
};
