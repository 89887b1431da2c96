#include "OperatorLog.h"

#include "Clock.h"
#include "Session.h"
#include "db/Database.h"
#include "db/SqlExec.h"

#include <QDebug>

void WriteLog(Database &database, const Session &session, const Clock &clock, const QString &operation)
{
    const QDateTime now = clock.now();
    QSqlQuery query(database.connection());
    QString error;
    if (!execBound(
            query,
            QStringLiteral("INSERT INTO LogRec (F_EmpName, F_OperType, F_OperDate, F_OperTime) VALUES (?, ?, ?, ?)"),
            {session.CurOperName, operation, now.toString(QStringLiteral("yyyy-MM-dd")),
             now.toString(QStringLiteral("HH:mm:ss"))},
            &error))
        qWarning().noquote() << "operator log not written:" << error;
}
