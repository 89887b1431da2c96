#pragma once

#include <QString>

class Database;

// A write transaction for the scope it lives in: rolled back unless commit() succeeded.
// On SQLite it begins IMMEDIATE, taking the write lock at once, so two copies of the program that
// number records one after the other never read the same largest number.
class Transaction
{
public:
    explicit Transaction(Database &database);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    const QString &error() const { return m_error; }
    Database &database() const { return m_database; }

    bool commit();
    void rollback();

private:
    Database &m_database;
    bool m_active = false;
    QString m_error;
};
