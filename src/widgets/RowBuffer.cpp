#include "RowBuffer.h"

#include "db/Database.h"
#include "db/Schema.h"
#include "db/SqlExec.h"
#include "db/Transaction.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <optional>

namespace {

const QString IdField = QStringLiteral("F_ID");

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool isIntegral(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// The value as the column holds it, so that a row read from either engine and a value typed by the
// user compare equal; nullopt when it does not convert. With `limitSize`, text longer than the
// column is refused: PostgreSQL would fail the whole save on it, SQLite would keep it.
std::optional<QVariant> toColumnValue(const ColumnDef *column, const QVariant &value, bool limitSize)
{
    if (!column)
        return value;
    // Yes/no columns are NOT NULL: no value means no.
    if (column->type == ColumnType::YesNo)
        return QVariant(value.toBool());
    const bool isString = value.metaType().id() == QMetaType::QString;
    const bool textual = column->type == ColumnType::Text || column->type == ColumnType::Memo;
    if (value.isNull() || (isString && !textual && value.toString().trimmed().isEmpty()))
        return QVariant();

    switch (column->type) {
    case ColumnType::Counter:
    case ColumnType::Long: {
        if (isIntegral(value))
            return QVariant(value.toLongLong());
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number) || std::trunc(number) != number)
            return std::nullopt;
        return QVariant(qint64(number));
    }
    case ColumnType::Double:
    case ColumnType::Currency: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return std::nullopt;
        return QVariant(number);
    }
    case ColumnType::Text: {
        const QString text = value.toString();
        // varchar(n) counts characters, not UTF-16 units: an emoji is one.
        if (limitSize && column->size > 0 && QStringView(text).toUcs4().size() > column->size)
            return std::nullopt;
        return QVariant(text);
    }
    case ColumnType::Memo:
        return QVariant(value.toString());
    case ColumnType::Date: {
        QDate date;
        if (value.metaType().id() == QMetaType::QDate)
            date = value.toDate();
        else if (value.metaType().id() == QMetaType::QDateTime)
            date = value.toDateTime().date();
        else if (isString)
            date = QDate::fromString(value.toString().trimmed().left(10), Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        return QVariant(date);
    }
    case ColumnType::Blob:
        return QVariant(value.toByteArray());
    case ColumnType::YesNo:
        break;
    }
    return value;
}

bool sameValue(const ColumnDef *column, const QVariant &a, const QVariant &b)
{
    // An emptied text cell is no edit of a field that had no value.
    if (column && (column->type == ColumnType::Text || column->type == ColumnType::Memo))
        return a.toString() == b.toString();
    return a == b;
}

bool isWritable(const ColumnDef *column)
{
    return column && column->type != ColumnType::Counter;
}

// The one place that knows how each engine hands back a new row's F_ID: the SQLite driver reports
// the rowid it gave, PostgreSQL returns the column from the statement itself.
bool insertReturningId(Transaction &transaction, const QString &table, const QStringList &columns,
                       const QVariantList &values, qint64 *id, QString *error)
{
    // Both engines return the new identity (SQLite since 3.35).
    const QString sql
        = (columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table, columns.join(QStringLiteral(", ")), placeholders(columns.size())))
        + QStringLiteral(" RETURNING F_ID");
    QSqlQuery query(transaction.database().connection());
    if (!execBound(query, sql, values, error))
        return false;
    const QVariant newId = query.next() ? query.value(0) : QVariant();
    *id = newId.toLongLong();
    if (*id <= 0)
        return fail(error, QStringLiteral("%1: the new row has no F_ID").arg(table));
    return true;
}

} // namespace

bool RowBuffer::load(Database &db, const QString &table, const QString &sql, const QVariantList &params, QString *error)
{
    const TableDef *def = Schema::table(table);
    if (!def || !def->hasColumn(IdField))
        return fail(error, QStringLiteral("%1 is not a table with F_ID").arg(table));

    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!execBound(query, sql, params, error))
        return false;

    const QSqlRecord record = query.record();
    int idSource = -1;
    QStringList fields;
    QList<const ColumnDef *> columns;
    QList<int> sources;
    for (int i = 0; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        if (name.compare(IdField, Qt::CaseInsensitive) == 0) {
            if (idSource < 0)
                idSource = i;
            continue;
        }
        // PostgreSQL reports names folded to lower case; write them back as the schema spells them.
        const ColumnDef *column = def->column(name);
        const QString spelled = column ? column->name : name;
        if (fields.contains(spelled, Qt::CaseInsensitive))
            continue;
        fields.append(spelled);
        columns.append(column);
        sources.append(i);
    }
    if (idSource < 0)
        return fail(error, QStringLiteral("the rows of %1 are loaded without F_ID").arg(def->name));

    QList<Row> rows;
    while (query.next()) {
        Row row;
        row.id = query.value(idSource).toLongLong();
        row.state = State::Unchanged;
        row.changed = QList<bool>(fields.size(), false);
        row.values.reserve(fields.size());
        for (qsizetype j = 0; j < fields.size(); ++j) {
            const QVariant raw = query.isNull(sources.at(j)) ? QVariant() : query.value(sources.at(j));
            row.values.append(toColumnValue(columns.at(j), raw, false).value_or(raw));
        }
        rows.append(std::move(row));
    }
    if (query.lastError().type() != QSqlError::NoError)
        return fail(error, query.lastError().text());

    m_table = def->name;
    m_fields = fields;
    m_columns = columns;
    m_rows = std::move(rows);
    m_deletedIds.clear();
    return true;
}

int RowBuffer::fieldIndex(const QString &field) const
{
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

RowBuffer::Row RowBuffer::newRow(const QVariantMap &defaults) const
{
    Row row;
    row.changed = QList<bool>(m_fields.size(), false);
    row.values.reserve(m_fields.size());
    for (const ColumnDef *column : m_columns)
        row.values.append(toColumnValue(column, QVariant(), false).value_or(QVariant()));
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        const int i = fieldIndex(it.key());
        if (i < 0)
            continue;
        if (const auto converted = toColumnValue(m_columns.at(i), it.value(), true))
            row.values[i] = *converted;
    }
    return row;
}

int RowBuffer::appendRow(const QVariantMap &defaults)
{
    return insertRow(rowCount(), defaults);
}

int RowBuffer::insertRow(int position, const QVariantMap &defaults)
{
    const int row = qBound(0, position, rowCount());
    m_rows.insert(row, newRow(defaults));
    return row;
}

void RowBuffer::removeRow(int row)
{
    if (!isValidRow(row))
        return;
    if (m_rows.at(row).state != State::New)
        m_deletedIds.append(m_rows.at(row).id);
    m_rows.removeAt(row);
}

void RowBuffer::clear()
{
    m_rows.clear();
    m_deletedIds.clear();
}

qint64 RowBuffer::id(int row) const
{
    return isValidRow(row) ? m_rows.at(row).id : 0;
}

RowBuffer::State RowBuffer::state(int row) const
{
    return isValidRow(row) ? m_rows.at(row).state : State::Unchanged;
}

bool RowBuffer::isModified() const
{
    if (!m_deletedIds.isEmpty())
        return true;
    for (const Row &row : m_rows) {
        if (row.state != State::Unchanged)
            return true;
    }
    return false;
}

QVariant RowBuffer::value(int row, const QString &field) const
{
    if (!isValidRow(row))
        return {};
    if (field.compare(IdField, Qt::CaseInsensitive) == 0)
        return m_rows.at(row).id;
    const int i = fieldIndex(field);
    return i < 0 ? QVariant() : m_rows.at(row).values.at(i);
}

bool RowBuffer::setValue(int row, const QString &field, const QVariant &value)
{
    const int i = fieldIndex(field);
    if (!isValidRow(row) || i < 0)
        return false;
    const auto converted = toColumnValue(m_columns.at(i), value, true);
    if (!converted)
        return false;
    Row &target = m_rows[row];
    if (sameValue(m_columns.at(i), target.values.at(i), *converted))
        return true;
    target.values[i] = *converted;
    if (target.state != State::New) {
        target.state = State::Changed;
        target.changed[i] = true;
    }
    return true;
}

bool RowBuffer::write(Transaction &transaction, const QVariantMap &fixedValues, QString *error)
{
    // IDs of an earlier attempt belong to a transaction that was rolled back.
    for (Row &row : m_rows)
        row.insertedId = 0;

    const TableDef *def = Schema::table(m_table);
    if (!def)
        return fail(error, QStringLiteral("no rows loaded"));
    if (!transaction.isActive())
        return fail(error, QStringLiteral("no active transaction: %1").arg(transaction.error()));

    QStringList fixedNames;
    QVariantList fixedParams;
    for (auto it = fixedValues.cbegin(); it != fixedValues.cend(); ++it) {
        const ColumnDef *column = def->column(it.key());
        if (!isWritable(column))
            return fail(error, QStringLiteral("%1 has no column %2").arg(def->name, it.key()));
        const auto converted = toColumnValue(column, it.value(), true);
        if (!converted)
            return fail(error,
                        QStringLiteral("%1.%2 cannot hold %3").arg(def->name, column->name, it.value().toString()));
        fixedNames.append(column->name);
        fixedParams.append(*converted);
    }

    QSqlQuery query(transaction.database().connection());
    // Deletes first, so a row that takes over the code of a deleted one does not collide with it.
    const QString deleteSql = QStringLiteral("DELETE FROM %1 WHERE F_ID = ?").arg(def->name);
    for (const qint64 id : std::as_const(m_deletedIds)) {
        if (!execBound(query, deleteSql, {id}, error))
            return false;
    }

    for (const Row &row : std::as_const(m_rows)) {
        if (row.state != State::Changed)
            continue;
        // Only the fields edited here: another user's change to the rest of the row survives.
        QStringList assignments;
        QVariantList params;
        for (qsizetype i = 0; i < m_fields.size(); ++i) {
            if (row.changed.at(i) && isWritable(m_columns.at(i))) {
                assignments.append(m_columns.at(i)->name + QStringLiteral(" = ?"));
                params.append(row.values.at(i));
            }
        }
        if (assignments.isEmpty())
            continue;
        params.append(row.id);
        const QString sql
            = QStringLiteral("UPDATE %1 SET %2 WHERE F_ID = ?").arg(def->name, assignments.join(QStringLiteral(", ")));
        if (!execBound(query, sql, params, error))
            return false;
    }

    for (Row &row : m_rows) {
        if (row.state != State::New)
            continue;
        QStringList names = fixedNames;
        QVariantList params = fixedParams;
        for (qsizetype i = 0; i < m_fields.size(); ++i) {
            const ColumnDef *column = m_columns.at(i);
            // Fields without a value are left to the column's default.
            if (!isWritable(column) || row.values.at(i).isNull() || names.contains(column->name, Qt::CaseInsensitive))
                continue;
            names.append(column->name);
            params.append(row.values.at(i));
        }
        if (!insertReturningId(transaction, def->name, names, params, &row.insertedId, error))
            return false;
    }
    return true;
}

void RowBuffer::acceptWritten()
{
    for (Row &row : m_rows) {
        if (row.state == State::New) {
            if (row.insertedId <= 0)
                continue; // added after the write
            row.id = row.insertedId;
        }
        row.state = State::Unchanged;
        row.insertedId = 0;
        row.changed.fill(false);
    }
    m_deletedIds.clear();
}
