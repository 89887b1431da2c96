#pragma once

#include <QString>

class DataServices;
struct Session;

// Whether the signed-in operator's role holds the permission `code`. A failed read is reported
// and counts as not held.
bool HasLimit(DataServices &data, const Session &session, const QString &code);
