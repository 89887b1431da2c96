#include "DataServices.h"

#include "Database.h"
#include "Schema.h"
#include "SqlExec.h"
#include "core/Prompter.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcData, "varnel.data")

DataServices::DataServices(Database &database, Prompter &prompter)
    : m_database(database)
    , m_prompter(prompter)
{
}

QString DataServices::readFailedMessage()
{
    return QStringLiteral("操作失败，请检查数据连接... ");
}

QString DataServices::openFailedMessage()
{
    return QStringLiteral("打开操作失败，请检查数据连接... ");
}

QString DataServices::deleteFailedMessage()
{
    return QStringLiteral("删除操作失败，请检查数据连接... ");
}

void DataServices::report(const QString &message, const QString &sql, const QString &error)
{
    m_lastError = error;
    qCWarning(lcData).noquote() << error << "in" << sql;
    m_prompter.ShowMess(message, MessageKind::Error);
}

std::optional<QVariant> DataServices::firstValue(const QString &sql, const QVariantList &params)
{
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    QString error;
    if (!execBound(query, sql, params, &error)) {
        report(readFailedMessage(), sql, error);
        return std::nullopt;
    }
    m_lastError.clear();
    return query.next() ? query.value(0) : QVariant();
}

std::optional<QString> DataServices::GetFieldValue(const QString &sql, const QVariantList &params)
{
    const auto value = firstValue(sql, params);
    if (!value)
        return std::nullopt;
    return value->isNull() ? QString() : value->toString();
}

std::optional<qint64> DataServices::GetIntValue(const QString &sql, const QVariantList &params)
{
    const auto value = firstValue(sql, params);
    if (!value)
        return std::nullopt;
    return value->isNull() ? 0 : value->toLongLong();
}

std::optional<double> DataServices::GetFloatValue(const QString &sql, const QVariantList &params)
{
    const auto value = firstValue(sql, params);
    if (!value)
        return std::nullopt;
    return value->isNull() ? 0.0 : value->toDouble();
}

bool DataServices::RunSQL(const QString &sql, const QVariantList &params)
{
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    QString error;
    if (!execBound(query, sql, params, &error)) {
        report(readFailedMessage(), sql, error);
        return false;
    }
    m_lastError.clear();
    return true;
}

bool DataServices::DeleteRecord(const QString &table, qint64 id)
{
    const TableDef *def = Schema::table(table);
    const QString sql = QStringLiteral("delete from %1 where F_ID = ?").arg(def ? def->name : table);
    if (!def || !def->hasColumn(QStringLiteral("F_ID"))) {
        report(deleteFailedMessage(), sql, QStringLiteral("unknown table %1").arg(table));
        return false;
    }
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    QString error;
    if (!execBound(query, sql, {id}, &error)) {
        report(deleteFailedMessage(), sql, error);
        return false;
    }
    m_lastError.clear();
    return true;
}

bool DataServices::OpenQuery(QSqlQuery &query, const QString &sql, const QVariantList &params)
{
    query.finish();
    QString error;
    if (!execBound(query, sql, params, &error)) {
        report(openFailedMessage(), sql, error);
        return false;
    }
    m_lastError.clear();
    return true;
}
