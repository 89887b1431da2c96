#include "RelatedRecords.h"

#include "RelatedKinds.h"
#include "app/AppContext.h"
#include "core/Prompter.h"
#include "db/RecordValues.h"
#include "db/SqlExec.h"
#include "db/Transaction.h"

#include <QDebug>
#include <QSqlQuery>

namespace RelatedRecords {

namespace {

bool deleteSalesDocument(AppContext &context, const QString &code)
{
    Database &database = context.database();
    Transaction transaction(database);
    QString error = transaction.error();
    QSqlQuery query(database.connection());
    const bool ok = transaction.isActive()
        && execBound(query, QStringLiteral("DELETE FROM t_XSdetail WHERE F_code = ?"), {code}, &error)
        && execBound(query, QStringLiteral("DELETE FROM t_XSrec WHERE F_code = ?"), {code}, &error)
        && transaction.commit();
    if (!ok) {
        qWarning().noquote() << "sales document not deleted:" << code << error << transaction.error();
        transaction.rollback();
        context.prompter().ShowMess(QStringLiteral("操作失败，请检查连接..."), MessageKind::Error);
    }
    return ok;
}

} // namespace

Deleted deleteRecord(AppContext &context, int kind, const QVariantMap &values)
{
    if (context.prompter().ShowMess(RelatedKinds::deletionQuestion(kind, values), MessageKind::Question)
        != Prompter::Yes)
        return Deleted::Declined;
    if (kind == RelatedKinds::Sales)
        return deleteSalesDocument(context, recordValue(values, QStringLiteral("F_code")).toString()) ? Deleted::Yes
                                                                                                      : Deleted::Failed;
    const qint64 id = recordValue(values, QStringLiteral("F_ID")).toLongLong();
    return context.data().DeleteRecord(RelatedKinds::kind(kind).table, id) ? Deleted::Yes : Deleted::Failed;
}

} // namespace RelatedRecords
