#pragma once

#include <QString>
#include <QVariantMap>

// A field of a row held as a map. Names are matched without regard to case: PostgreSQL reports
// them in lower case, the program's code spells them as the schema does.
inline QVariant recordValue(const QVariantMap &row, const QString &field)
{
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return {};
}
