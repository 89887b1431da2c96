#include "CommandVisibility.h"

#include "ActionCatalogue.h"
#include "core/Session.h"
#include "db/DataServices.h"
#include "db/Database.h"

#include <QSqlQuery>

CommandVisibility SetLimits(const QString &typedCode, const QSet<QString> &grantedCodes)
{
    const bool superUser = typedCode.trimmed() == QStringLiteral("000");
    CommandVisibility visible;
    for (const ActionInfo &info : ActionCatalogue::all()) {
        if (!superUser && !grantedCodes.contains(info.code))
            continue;
        visible.actions.insert(info.objectName);
        if (!info.menu.isEmpty())
            visible.menus.insert(info.menu);
    }
    if (visible.action(QStringLiteral("Action301")))
        visible.actions.insert(QStringLiteral("Action31"));
    if (visible.action(QStringLiteral("Action217")))
        visible.actions.insert(QStringLiteral("tbLDsj"));
    if (visible.action(QStringLiteral("Action214")))
        visible.actions.insert(QStringLiteral("tbXSgl"));
    return visible;
}

std::optional<QSet<QString>> grantedCodes(DataServices &data, const Session &session)
{
    QSet<QString> codes;
    if (session.roleDisabled)
        return codes;
    QSqlQuery query(data.database().connection());
    query.setForwardOnly(true);
    if (!data.OpenQuery(query, QStringLiteral("SELECT F_LmtCode FROM PartLimit WHERE F_PartCode = ? AND F_ID > 0"),
                        {session.CurPartCode}))
        return std::nullopt;
    while (query.next())
        codes.insert(query.value(0).toString());
    return codes;
}
