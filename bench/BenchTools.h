#pragma once

#include "db/Database.h"
#include "db/Migrations.h"
#include "support/ClientGenerator.h"

#include <QElapsedTimer>
#include <QString>
#include <QVariantList>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Shared by the benchmarks: a median of repeated runs, and the same statement run directly
// through the SQLite C API as the yardstick.
namespace BenchTools {

inline double medianMs(const std::function<void()> &work, int repeats = 7)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

// Runs a statement with bound values (text or integers) and reads every column of every row, as a
// list showing them would.
inline void rawRun(sqlite3 *db, const QString &sql, const QVariantList &params = {})
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "raw: %s\n", sqlite3_errmsg(db));
        return;
    }
    for (int i = 0; i < int(params.size()); ++i) {
        const QVariant &value = params.at(i);
        if (value.metaType().id() == QMetaType::QString) {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(statement, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_int64(statement, i + 1, value.toLongLong());
        }
    }
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c)
            sqlite3_column_text(statement, c);
    sqlite3_finalize(statement);
}

// A new SQLite database at `file` with `clients` generated clients, and a read-only connection to
// it through the C API for the yardstick. Nothing (the reason printed) when it cannot be made.
inline sqlite3 *makeClientDatabase(Database &database, const QString &file, qint64 clients)
{
    QString error;
    if (!database.open(ConnectionSettings::sqlite(file), Database::Missing::Create)
        || !Migrations::migrate(database, &error) || !generateClients(database, clients, 20261211, &error)) {
        std::fprintf(stderr, "setup failed: %s %s\n", qPrintable(database.lastError()), qPrintable(error));
        return nullptr;
    }
    sqlite3 *raw = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "raw connection failed: %s\n", sqlite3_errmsg(raw));
        sqlite3_close(raw);
        return nullptr;
    }
    return raw;
}

} // namespace BenchTools
