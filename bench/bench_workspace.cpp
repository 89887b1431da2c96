// The client workspace: typing one character into the name search at 100,000 and 1,000,000
// clients, and selecting a client when its nine kinds of records hold 10,000,000 rows in all;
// each beside the same statement run directly through the SQLite C API.
#include "clients/ClientQuery.h"
#include "core/Session.h"
#include "db/Database.h"
#include "db/Migrations.h"
#include "support/ClientGenerator.h"
#include "widgets/SqlListModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "BenchTools.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using BenchTools::medianMs;
using BenchTools::rawRun;

void report(const char *what, qint64 rows, double ours, double raw, const char *target, bool met)
{
    std::printf("| %-34s | %10lld | %8.2f | %8.2f | %5.2f | %-14s %s |\n", what, static_cast<long long>(rows), ours,
                raw, ours / std::max(raw, 0.001), target, met ? "ok" : "OVER");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLatin1(argv[1]).toLongLong() : 10000000;
    std::printf("| %-34s | %10s | %8s | %8s | %5s | %-17s |\n", "measure", "rows", "ours ms", "raw ms", "ratio",
                "target");
    std::printf(
        "|------------------------------------|------------|----------|----------|-------|-------------------|\n");
    for (qint64 size : {qint64(100000), qint64(1000000)}) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("client.db"));
        Database database;
        sqlite3 *raw = BenchTools::makeClientDatabase(database, file, size);
        if (!raw)
            return 1;

        // The name search after one typed character, as RefreshClientList builds it.
        Session session;
        ClientFilter filter;
        filter.searchField = ClientFilter::Name;
        filter.searchText = QStringLiteral("信");
        const SqlCondition statement = ClientQuery::RefreshClientList(database.dialect(), session, filter);
        SqlListModel model(database);
        model.setTable(QStringLiteral("t_client"));
        model.setStatement(statement.sql, statement.params);
        model.refresh(); // the statement's fields are known from then on, as while typing
        const double typed = medianMs([&] { model.refresh(); });
        QVariantList params = statement.params;
        params << SqlListModel::PageSize << 0;
        const double typedRaw = medianMs(
            [&] { rawRun(raw, statement.sql + QStringLiteral(" ORDER BY F_ID ASC LIMIT ? OFFSET ?"), params); });
        const bool small = size <= 100000;
        report("one character in the name search", size, typed, typedRaw, small ? "<=100ms" : "<=1.3x raw",
               small ? typed <= 100 : typed <= 1.3 * typedRaw);

        if (size == 1000000) {
            QString error;
            if (!generateClientRecords(database, records, size, 7, &error)) {
                std::fprintf(stderr, "records failed: %s\n", qPrintable(error));
                return 1;
            }
            SqlListModel tab(database);
            tab.setTable(QStringLiteral("t_LXrec"));
            tab.setSort({{QStringLiteral("F_date"), true}});
            qint64 client = 1;
            const QString sql = QStringLiteral("SELECT * FROM t_LXrec WHERE F_cltID = ? ");
            tab.setStatement(sql, {client});
            tab.refresh();
            const double selected = medianMs([&] {
                tab.setStatement(sql, {++client});
                tab.refresh();
                tab.refreshTotals();
            });
            const double selectedRaw = medianMs([&] {
                rawRun(raw, sql + QStringLiteral(" ORDER BY F_date ASC, F_ID ASC LIMIT 200 OFFSET 0"), {++client});
                rawRun(raw, QStringLiteral("SELECT count(*) FROM (") + sql + QStringLiteral(") AS list_rows"),
                       {client});
            });
            report("select a client: its tab", records, selected, selectedRaw, "<=5ms", selected <= 5);
        }
        sqlite3_close(raw);
    }
    return 0;
}
