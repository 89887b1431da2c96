#pragma once

#include <QString>

class Clock;
class Database;
struct Session;

// Adds a LogRec row for the signed-in operator. The log must never stop what it records, so a
// failure is only written to the program's own warnings.
void WriteLog(Database &database, const Session &session, const Clock &clock, const QString &operation);
