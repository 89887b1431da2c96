#pragma once

#include <QString>
#include <QStringList>

class Transaction;

// The reference rows of a new database, kept as JSON files in the program's resources:
// {"table": ..., "columns": [...], "rows": [[...], ...]}. Values are converted by the column's
// type (dates as "yyyy-MM-dd", yes/no as true/false) and always bound.
namespace SeedData {

// The seed files in the order they are loaded.
QStringList files();

bool load(Transaction &transaction, const QString &resourcePath, QString *error);
// Every seed file, then the grants of the administrator role.
bool loadAll(Transaction &transaction, QString *error);

} // namespace SeedData
