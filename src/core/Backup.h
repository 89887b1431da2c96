#pragma once

#include <QDate>
#include <QString>

class Clock;
class DataServices;
class Database;
class Prompter;

// Copies of the database actually opened. A copy is made with VACUUM INTO a temporary file that is
// then renamed, so it is consistent even while another copy of the program writes. PostgreSQL
// databases are backed up with the server's tools; these operations say so there.
namespace Backup {

enum class Outcome { Written, AlreadyDone, Cancelled, NotConfigured, NotAvailable, Failed };

// folder/dp<yyyyMMdd>.back, whatever separators the folder ends with.
QString backupFileName(const QString &folder, const QDate &day);

// A consistent copy of the open SQLite database at `target`, which must not exist yet.
bool writeCopy(Database &database, const QString &target, QString *error);

// The backup at exit: once a day into SysInfo.F_BakPath, asking to create a missing folder.
Outcome DailyBackup(DataServices &data, Prompter &prompter, const Clock &clock);

// Rebuilds the open SQLite file to reclaim space. False (with the reason shown) on PostgreSQL.
bool CompactDatabase(Database &database, Prompter &prompter, QString *error = nullptr);

QString notAvailableMessage();

// Whether the backup is offered when the program closes: [config] ibak 1 always, 2 on Mondays,
// 3 on the first of a month, anything else never.
bool offeredAtExit(int mode, const QDate &today);

} // namespace Backup
