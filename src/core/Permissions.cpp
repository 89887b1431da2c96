#include "Permissions.h"

#include "Session.h"
#include "db/DataServices.h"

bool HasLimit(DataServices &data, const Session &session, const QString &code)
{
    const auto id
        = data.GetIntValue(QStringLiteral("SELECT F_ID FROM PartLimit WHERE F_PartCode = ? AND F_LmtCode = ?"),
                           {session.CurPartCode, code});
    return id.value_or(0) > 0;
}
