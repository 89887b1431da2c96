#pragma once

#include <QString>
#include <QVariantMap>

// The text summary of a client that record editors show above their fields: an empty line, then
// one "label value" line per field.
QString ShowClientSummary(const QVariantMap &client);
