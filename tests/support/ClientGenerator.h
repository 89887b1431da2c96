#pragma once

#include <QString>

class Database;

// Fills t_client with `count` realistic clients (Chinese company names, cities, phones,
// salesmen), the same ones for the same seed, in one transaction.
bool generateClients(Database &database, qint64 count, quint32 seed, QString *error);

// Adds `total` records spread over the nine kinds of client records (activities, contacts,
// quotations, contracts, sales documents, follow-ups, complaints, products, reminders), each
// belonging to one of the clients 1..clients.
bool generateClientRecords(Database &database, qint64 total, qint64 clients, quint32 seed, QString *error);
