#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Prepares `sql` (with ? placeholders), binds `params` in order and runs it. On failure the
// driver's text goes into *error.
bool execBound(QSqlQuery &query, const QString &sql, const QVariantList &params = {}, QString *error = nullptr);

// "?, ?, ?" for an IN list of n values; "NULL" for none, which matches nothing.
QString placeholders(qsizetype count);
