#pragma once

#include <QVariantMap>

class AppContext;

// Deleting a record of one of the nine kinds, after the user confirmed it: one row by F_ID, or a
// sales document together with its lines in one transaction.
namespace RelatedRecords {

enum class Deleted { Yes, Declined, Failed };

// Asks the kind's question; only the answer 1 deletes.
Deleted deleteRecord(AppContext &context, int kind, const QVariantMap &values);

} // namespace RelatedRecords
