#pragma once

#include <QDate>
#include <QString>

#include <optional>

class Transaction;

// The numbered series: client codes (yyyyMMdd + 3 digits), sales documents ("XS" + yyyyMMdd +
// 3 digits), goods (6 digits), employees (3 digits), tree codes (3 digits a level) and client
// numbers. Each is taken inside the write transaction that uses it, so two copies of the
// program never take the same one; only codes of the series' exact shape are read.
struct NextCode
{
    QString code;
    QString error; // a message for the user when the series is full or cannot be read

    bool ok() const { return error.isEmpty(); }
};

namespace Numbering {

// "005" -> "006"; nothing after all nines (a full series is refused, never wrapped to 000).
std::optional<QString> incrementDigits(const QString &digits);

// Next code of a dated series: prefix + today as yyyyMMdd + `digits` digits. `table` and
// `column` are identifiers of the schema, never user text.
NextCode GetNextCode(Transaction &transaction, const QString &table, const QString &column, const QString &prefix,
                     int digits, const QDate &today);
// Next code of an undated series of `digits` digits ("000001" first).
NextCode GetNextNumber(Transaction &transaction, const QString &table, const QString &column, int digits);

// Tree codes: mode 1 the next sibling of `code`, mode 2 the first free child of `code` (an empty
// code or "000" is the root, whose children are the top level).
NextCode GetNextTreeCode(Transaction &transaction, const QString &code, const QString &flag, int mode);

// One more than the largest client number; 0 and an error text when it cannot be read.
qint64 NextClientNumber(Transaction &transaction, QString *error = nullptr);

} // namespace Numbering
