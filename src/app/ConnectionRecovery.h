#pragma once

#include <QString>

#include <functional>

class AppContext;

// Connecting at start: when the database cannot be opened the user picks another database file
// ("连接网络数据库"); its folder goes into [config] ds and the connection is tried again, until it
// succeeds or the user cancels.
struct RecoveryHooks
{
    std::function<void(const QString &)> status; // the splash window's label
    std::function<void()> beforeChoice; // the splash window gives way to the dialog
    std::function<void()> afterChoice; // and comes back for the next try
};

// False when the user cancelled: the program ends without a main window.
bool connectWithRecovery(AppContext &context, const RecoveryHooks &hooks = {});

// Lets the user choose a database file and records its folder (with its trailing separator) for
// the next start; a PostgreSQL configuration then gives way to the chosen file. False when
// cancelled or when config.ini cannot be written (the reason is shown).
bool chooseDatabaseFolder(AppContext &context);
