#include "SalesmanRestriction.h"

#include "Session.h"
#include "db/SqlExec.h"

SqlCondition salesmanRestriction(const Session &session, const QString &column)
{
    switch (session.scope()) {
    case SalesmanScope::All:
        return {};
    case SalesmanScope::Own:
        return {QStringLiteral("and (%1 = ?) ").arg(column), {session.CurOperName}};
    case SalesmanScope::Listed:
        break;
    }
    if (session.CurEmpNames.isEmpty())
        return {QStringLiteral("and (1<>1) "), {}};
    QVariantList names;
    for (const QString &name : session.CurEmpNames)
        names.append(name);
    return {QStringLiteral("and (%1 in (%2)) ").arg(column, placeholders(names.size())), names};
}
