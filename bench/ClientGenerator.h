#pragma once

#include <QString>

class Database;

// Fills t_client with `count` realistic clients (Chinese company names, cities, phones,
// salesmen), the same ones for the same seed, in one transaction.
bool generateClients(Database &database, qint64 count, quint32 seed, QString *error);
