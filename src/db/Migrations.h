#pragma once

#include <QList>
#include <QString>

#include <functional>

class Database;
class Transaction;

// The ordered steps that bring a database to the program's schema. SchemaInfo holds one row per
// applied step; each step runs in one transaction together with its row.
struct Migration
{
    int version;
    const char *description;
    std::function<bool(Transaction &, QString *error)> apply;
};

namespace Migrations {

const QList<Migration> &steps();
int latestVersion();

// 0 for a database without SchemaInfo; -1 when it cannot be read.
int currentVersion(Database &database);

// Applies every missing step. Safe when two copies of the program start on one new database:
// each step re-checks the version once it holds the write lock.
bool migrate(Database &database, QString *error);

} // namespace Migrations
