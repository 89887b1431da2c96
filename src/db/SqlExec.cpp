#include "SqlExec.h"

#include <QSqlError>
#include <QStringList>

bool execBound(QSqlQuery &query, const QString &sql, const QVariantList &params, QString *error)
{
    // Statements without values run unprepared: PostgreSQL cannot prepare DDL.
    bool ok = params.isEmpty() ? query.exec(sql) : query.prepare(sql);
    if (ok && !params.isEmpty()) {
        for (const QVariant &value : params)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok && error)
        *error = query.lastError().text();
    return ok;
}

QString placeholders(qsizetype count)
{
    if (count <= 0)
        return QStringLiteral("NULL");
    QStringList marks(count, QStringLiteral("?"));
    return marks.join(QStringLiteral(", "));
}
