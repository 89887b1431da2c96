#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class Database;
class Transaction;
struct ColumnDef;

// The editable rows of a grid held in memory (a client's contacts and products, the lines of a
// sales document, a code list): loaded once, edited freely, written inside the caller's save
// transaction and marked clean only when the caller says the commit went through. A failed write
// or commit loses nothing: the same edits can be written again.
class RowBuffer
{
public:
    enum class State { Unchanged, New, Changed, Deleted };

    RowBuffer() = default;

    // The rows of `sql` (which must select F_ID) with `params` bound. `table` is the schema table
    // the rows are written back to; fields of the statement that are not its columns (a joined name,
    // a computed total) are held and shown but never written. On failure the buffer keeps what it
    // had.
    bool load(Database &db, const QString &table, const QString &sql, const QVariantList &params, QString *error);

    const QString &table() const { return m_table; }
    // The fields the rows hold, without F_ID, spelled as the schema spells them.
    const QStringList &fields() const { return m_fields; }
    bool hasField(const QString &field) const { return fieldIndex(field) >= 0; }

    // A New row at the end / at `position` (clamped); fields of `defaults` that the buffer does not
    // hold are ignored. Returns the row's index.
    int appendRow(const QVariantMap &defaults = {});
    int insertRow(int position, const QVariantMap &defaults = {});
    // A New row vanishes; any other row becomes Deleted and leaves the visible rows.
    void removeRow(int row);
    // Drops every row (nothing is deleted from the database); the table and fields stay.
    void clear();

    int rowCount() const { return int(m_rows.size()); }
    qint64 id(int row) const; // 0 for a row not yet in the database
    State state(int row) const; // of a visible row, so never Deleted
    int deletedCount() const { return int(m_deletedIds.size()); }
    bool isModified() const;

    // Case-insensitive field names; "F_ID" gives id(row).
    QVariant value(int row, const QString &field) const;
    // Converts the value to the column's type (yes/no to bool, dates to QDate, numbers) and refuses
    // one that does not convert or is longer than the column. Setting the value a field already has
    // changes nothing; F_ID and fields the buffer does not hold are refused.
    bool setValue(int row, const QString &field, const QVariant &value);

    // Inside the caller's transaction: deletes the Deleted rows, updates the fields changed in the
    // Changed rows and inserts the New rows with their values plus `fixedValues` (the owner's key,
    // e.g. F_cltID or F_code; they win over a row's own value of the same field). Every value is
    // bound; a fixed value that names no column of the table is refused before anything is
    // written. The states stay as they are until acceptWritten().
    bool write(Transaction &transaction, const QVariantMap &fixedValues, QString *error);
    // After the commit of a successful write(): New rows take the IDs they were inserted with,
    // every row becomes Unchanged and Deleted rows are forgotten.
    void acceptWritten();

private:
    struct Row
    {
        qint64 id = 0;
        State state = State::New;
        QVariantList values; // in the order of m_fields
        QList<bool> changed; // which fields a Changed row's UPDATE writes
        qint64 insertedId = 0; // from the last write(), taken by acceptWritten()
    };

    int fieldIndex(const QString &field) const;
    bool isValidRow(int row) const { return row >= 0 && row < m_rows.size(); }
    Row newRow(const QVariantMap &defaults) const;

    QString m_table;
    QStringList m_fields;
    QList<const ColumnDef *> m_columns; // per field; null for a field that is not a column
    QList<Row> m_rows;
    QList<qint64> m_deletedIds;
};
