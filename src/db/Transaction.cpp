#include "Transaction.h"

#include "Database.h"

#include <QSqlError>
#include <QSqlQuery>

Transaction::Transaction(Database &database)
    : m_database(database)
{
    QSqlQuery query(database.connection());
    m_active = query.exec(database.dialect().beginWriteTransaction());
    if (!m_active)
        m_error = query.lastError().text();
}

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    QSqlQuery query(m_database.connection());
    if (!query.exec(QStringLiteral("COMMIT"))) {
        m_error = query.lastError().text();
        rollback();
        return false;
    }
    m_active = false;
    return true;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    QSqlQuery query(m_database.connection());
    query.exec(QStringLiteral("ROLLBACK"));
    m_active = false;
}
