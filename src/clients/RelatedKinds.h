#pragma once

#include "widgets/GridColumn.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// The nine kinds of records shown under the client list, as data: what each lists, how its grid
// is laid out, which permission shows it and what its commands say.
struct RelatedKind
{
    int number = 0; // 1..9
    QString entry; // the kind list's entry
    QString layout; // cfg_Grid layout name
    QString table;
    QString orderBy; // fixed ORDER BY field of its statement
    QString actionCode; // the permission that shows it; empty: always shown
    QString sheetTitle; // export title
    QString noClientMessage; // "新增" without a client
    QString emptyMessage; // "修改" on an empty page
    QList<GridColumn> designed; // columns when no saved layout exists
};

namespace RelatedKinds {

const QList<RelatedKind> &all();
const RelatedKind &kind(int number);
constexpr int Sales = 5;

// The question asked before deleting the record `values` of the kind.
QString deletionQuestion(int number, const QVariantMap &values);

// The lines of a sales document, designed columns.
QList<GridColumn> salesLineColumns();

} // namespace RelatedKinds
