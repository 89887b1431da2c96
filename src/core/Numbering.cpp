#include "Numbering.h"

#include "db/Database.h"
#include "db/Schema.h"
#include "db/SqlExec.h"
#include "db/Transaction.h"

#include <QSqlQuery>

namespace {

QString readFailed()
{
    return QStringLiteral("读取编号失败，请检查数据连接... ");
}

QString seriesFull(const QString &head)
{
    return head.isEmpty() ? QStringLiteral("编号已用完，不能再增加！")
                          : QStringLiteral("编号 %1 已用完，不能再增加！").arg(head);
}

bool lockSeries(Transaction &transaction, const QString &key)
{
    const QString sql = transaction.database().dialect().lockSeriesStatement();
    if (sql.isEmpty())
        return true;
    QSqlQuery query(transaction.database().connection());
    return execBound(query, sql, {key});
}

// The largest code of `head` followed by exactly `digits` digits; empty when there is none.
std::optional<QString> largestCode(Transaction &transaction, const QString &table, const QString &column,
                                   const QString &head, int digits, const QString &extraCondition = {},
                                   const QVariantList &extraParams = {})
{
    const TableDef *def = Schema::table(table);
    if (!def || !def->hasColumn(column))
        return std::nullopt;
    if (!lockSeries(transaction, def->name + u'.' + column))
        return std::nullopt;
    const SqlDialect &dialect = transaction.database().dialect();
    // The range keeps the read on the column's index; the pattern keeps other shapes out.
    const QString sql
        = QStringLiteral("SELECT max(%1) FROM %2 WHERE %1 >= ? AND %1 <= ? AND %3(%1) = ? AND %4%5")
              .arg(column, def->name, dialect.lengthFunction(), dialect.matchesDigits(column), extraCondition);
    QVariantList params {QString(head + QString(digits, u'0')), QString(head + QString(digits, u'9')),
                         qint64(head.size() + digits), dialect.digitsPattern(head, digits)};
    params += extraParams;
    QSqlQuery query(transaction.database().connection());
    if (!execBound(query, sql, params))
        return std::nullopt;
    return query.next() ? query.value(0).toString() : QString();
}

NextCode nextInSeries(Transaction &transaction, const QString &table, const QString &column, const QString &head,
                      int digits, const QString &extraCondition = {}, const QVariantList &extraParams = {})
{
    const auto largest = largestCode(transaction, table, column, head, digits, extraCondition, extraParams);
    if (!largest)
        return {{}, readFailed()};
    if (largest->isEmpty())
        return {head + QString(digits - 1, u'0') + u'1', {}};
    const auto next = Numbering::incrementDigits(largest->right(digits));
    if (!next)
        return {{}, seriesFull(head)};
    return {head + *next, {}};
}

} // namespace

namespace Numbering {

std::optional<QString> incrementDigits(const QString &digits)
{
    const bool decimal = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (digits.isEmpty() || !decimal)
        return std::nullopt;
    QString result = digits;
    for (qsizetype i = result.size() - 1; i >= 0; --i) {
        const QChar c = result.at(i);
        if (c != u'9') {
            result[i] = QChar(c.unicode() + 1);
            return result;
        }
        result[i] = u'0';
    }
    return std::nullopt;
}

NextCode GetNextCode(Transaction &transaction, const QString &table, const QString &column, const QString &prefix,
                     int digits, const QDate &today)
{
    return nextInSeries(transaction, table, column, prefix + today.toString(QStringLiteral("yyyyMMdd")), digits);
}

NextCode GetNextNumber(Transaction &transaction, const QString &table, const QString &column, int digits)
{
    return nextInSeries(transaction, table, column, QString(), digits);
}

NextCode GetNextTreeCode(Transaction &transaction, const QString &code, const QString &flag, int mode)
{
    const QString node = code == QStringLiteral("000") ? QString() : code;
    QString parent;
    if (mode == 1) {
        if (node.size() < 3)
            return {{}, QStringLiteral("不能增加根节点的同类节点，该节点只能增加子节点！")};
        parent = node.left(node.size() - 3);
    } else {
        parent = node;
    }
    const SqlDialect &dialect = transaction.database().dialect();
    NextCode next = nextInSeries(transaction, QStringLiteral("t_treecode"), QStringLiteral("F_code"), parent, 3,
                                 QStringLiteral(" AND ") + dialect.equalsIgnoreCase(QStringLiteral("F_flag")), {flag});
    if (!next.ok() && next.error != readFailed())
        next.error = QStringLiteral("此级类别编号已满（999个），不能再增加！");
    return next;
}

qint64 NextClientNumber(Transaction &transaction, QString *error)
{
    QSqlQuery query(transaction.database().connection());
    if (!lockSeries(transaction, QStringLiteral("t_client.F_cltID"))
        || !execBound(query, QStringLiteral("SELECT max(F_cltID) FROM t_client"), {}, error)) {
        if (error && error->isEmpty())
            *error = readFailed();
        return 0;
    }
    return (query.next() ? query.value(0).toLongLong() : 0) + 1;
}

} // namespace Numbering
