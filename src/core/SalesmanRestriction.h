#pragma once

#include <QString>
#include <QVariantList>

struct Session;

// A condition fragment with its bound values, to append to a statement that ends in "where (1=1) ".
struct SqlCondition
{
    QString sql; // empty, or "and (...) " with ? placeholders
    QVariantList params;
};

// Whose rows the signed-in operator sees: everyone's, only those whose salesman is the operator,
// or those of the role's listed salesmen. Names are bound, one placeholder each, so a name with an
// apostrophe works; a role with scope 2 and no names sees nothing.
SqlCondition salesmanRestriction(const Session &session, const QString &column = QStringLiteral("F_empName"));
