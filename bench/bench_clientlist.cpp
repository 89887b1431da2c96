// The client list at 100,000 and 1,000,000 clients: first screen, a sorted first screen and the
// footer totals, each beside the same statement run directly through the SQLite C API.
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

void report(const char *what, qint64 rows, double ours, double raw, double limit)
{
    std::printf("| %-28s | %9lld | %9.2f | %9.2f | %6.2f | %s |\n", what, static_cast<long long>(rows), ours, raw,
                ours / std::max(raw, 0.001), limit > 0 ? (ours <= limit ? "ok" : "OVER") : "-");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QList<qint64> sizes
        = argc > 1 ? QList<qint64> {QString::fromLatin1(argv[1]).toLongLong()} : QList<qint64> {100000, 1000000};
    std::printf("| %-28s | %9s | %9s | %9s | %6s | %s |\n", "measure", "clients", "ours ms", "raw ms", "ratio",
                "<=50ms");
    std::printf("|------------------------------|-----------|-----------|-----------|--------|------|\n");
    for (qint64 size : sizes) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("client.db"));
        Database database;
        sqlite3 *raw = BenchTools::makeClientDatabase(database, file, size);
        if (!raw)
            return 1;

        const QString base = QStringLiteral("SELECT * FROM t_client WHERE (1=1) AND (F_useFlag = 0) ");
        SqlListModel model(database);
        model.setTable(QStringLiteral("t_client"));
        model.setStatement(base);
        GridColumn sum {QStringLiteral("F_SZ1"), QStringLiteral("数值项一")};
        sum.footerType = FooterType::Sum;
        model.setGridColumns({{QStringLiteral("F_code"), QStringLiteral("客户编号")},
                              {QStringLiteral("F_name"), QStringLiteral("客户名称")},
                              sum});

        model.setSort({});
        const double first = medianMs([&] { model.refresh(); });
        const double firstRaw = medianMs([&] {
            rawRun(raw,
                   QStringLiteral(
                       "SELECT * FROM t_client WHERE (1=1) AND (F_useFlag = 0)  ORDER BY F_ID ASC LIMIT 200 OFFSET 0"));
        });
        report("first screen", size, first, firstRaw, 50);

        model.setSort({{QStringLiteral("F_name"), true}});
        const double sorted = medianMs([&] { model.refresh(); });
        const double sortedRaw = medianMs([&] {
            rawRun(raw,
                   QStringLiteral("SELECT * FROM t_client WHERE (1=1) AND (F_useFlag = 0)  "
                                  "ORDER BY F_name ASC, F_ID ASC LIMIT 200 OFFSET 0"));
        });
        report("first screen sorted by name", size, sorted, sortedRaw, 50);

        const double totals = medianMs([&] { model.refreshTotals(); });
        const double totalsRaw = medianMs([&] {
            rawRun(raw,
                   QStringLiteral("SELECT count(*), sum(F_SZ1) FROM (SELECT * FROM t_client "
                                  "WHERE (1=1) AND (F_useFlag = 0) ) AS list_rows"));
        });
        report("count and footer sum", size, totals, totalsRaw, 0);

        const double scroll = medianMs([&] {
            model.setSort({});
            model.refresh();
            for (int page = 0; page < 10; ++page)
                model.fetchMore({});
        });
        const double scrollRaw = medianMs([&] {
            for (int page = 0; page <= 10; ++page) {
                rawRun(raw,
                       QStringLiteral("SELECT * FROM t_client WHERE (1=1) AND (F_useFlag = 0)  "
                                      "ORDER BY F_ID ASC LIMIT 200 OFFSET %1")
                           .arg(page * 200));
            }
        });
        report("scroll 11 pages", size, scroll, scrollRaw, 0);
        sqlite3_close(raw);
    }
    return 0;
}
