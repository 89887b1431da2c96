#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <optional>

class Database;
class Prompter;

// The shared reads and writes every window uses. Each takes its values bound, reports its own
// failure to the user and returns nothing (std::nullopt / false), so a failed look-up is never
// mistaken for "not found".
class DataServices
{
public:
    DataServices(Database &database, Prompter &prompter);

    Database &database() const { return m_database; }
    // Where the helpers report; for callers that run their own statements inside a transaction.
    Prompter &prompterForErrors() const { return m_prompter; }

    // First column of the first row; an empty text / 0 when there is no row or the value is null.
    std::optional<QString> GetFieldValue(const QString &sql, const QVariantList &params = {});
    std::optional<qint64> GetIntValue(const QString &sql, const QVariantList &params = {});
    std::optional<double> GetFloatValue(const QString &sql, const QVariantList &params = {});

    bool RunSQL(const QString &sql, const QVariantList &params = {});
    // `table` must be a table of the schema; anything else is refused.
    bool DeleteRecord(const QString &table, qint64 id);
    // Runs the statement on the caller's query, which is then positioned before its first row.
    bool OpenQuery(QSqlQuery &query, const QString &sql, const QVariantList &params = {});

    static QString readFailedMessage(); // "操作失败，请检查数据连接... "
    static QString openFailedMessage(); // "打开操作失败，请检查数据连接... "
    static QString deleteFailedMessage(); // "删除操作失败，请检查数据连接... "

    const QString &lastError() const { return m_lastError; }

private:
    std::optional<QVariant> firstValue(const QString &sql, const QVariantList &params);
    void report(const QString &message, const QString &sql, const QString &error);

    Database &m_database;
    Prompter &m_prompter;
    QString m_lastError;
};
