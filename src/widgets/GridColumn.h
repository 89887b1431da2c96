#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

// What a grid column shows and how: the saved layout of cfg_Grid plus the kind of its values.
enum class ColumnKind { Text, Number, Date, YesNo, Memo };
enum class FooterType { None = 0, Text = 1, Sum = 2 };

struct GridColumn
{
    GridColumn() = default;
    GridColumn(QString field, QString title, int pixels = 80)
        : fieldName(std::move(field))
        , caption(std::move(title))
        , width(pixels)
    {
    }

    QString fieldName;
    QString caption;
    int width = 80;
    bool visible = true;
    bool readOnly = true;
    int alignment = 0; // 0 left, 1 centre, 2 right (cfg_Grid.F_Alignment)
    QString displayFormat;
    FooterType footerType = FooterType::None;
    QString footerValue;
    ColumnKind kind = ColumnKind::Text;

    Qt::Alignment qtAlignment() const;
    // Memo columns are not sortable: a title click only changes their mark.
    bool isSortable() const;
};

namespace GridFormat {

// The stored "no date" is 1900-08-14: any date before 1901-08-14 shows empty.
bool isEmptyDate(const QVariant &value);

// The text a cell shows: number formats, empty dates as "", dates as yyyy-MM-dd, yes/no as "✓".
QString displayText(const GridColumn &column, const QVariant &value);

// The kind of a field from the schema of `table` (its type there), else from the value's type.
ColumnKind kindOf(const QString &table, const QString &fieldName, const QVariant &sample = {});

} // namespace GridFormat

// What an export or a printout reads from a grid: its columns in display order (hidden ones
// included, so an export can leave their sheet columns empty) and every row of the list, not only
// the rows on screen.
class GridSource
{
public:
    virtual ~GridSource() = default;

    virtual QList<GridColumn> columns() const = 0;
    // Number of rows, for progress; -1 when unknown.
    virtual qint64 rowCount() = 0;
    // Calls `visit` with each row's values, in the order of columns(); stops when it returns
    // false. False when the rows could not be read (lastError() says why).
    virtual bool forEachRow(const std::function<bool(const QVariantList &values)> &visit) = 0;
    // The footer cell of column i (fixed text, or the formatted sum over the whole list).
    virtual QString footerText(int column) = 0;
    virtual QString lastError() const = 0;
};

// A GridSource over rows held in memory (tests, small lists).
class MemoryGridSource final : public GridSource
{
public:
    MemoryGridSource(QList<GridColumn> columns, QList<QVariantList> rows, QStringList footers = {});
    QList<GridColumn> columns() const override { return m_columns; }
    qint64 rowCount() override { return m_rows.size(); }
    bool forEachRow(const std::function<bool(const QVariantList &)> &visit) override;
    QString footerText(int column) override { return m_footers.value(column); }
    QString lastError() const override { return {}; }

private:
    QList<GridColumn> m_columns;
    QList<QVariantList> m_rows;
    QStringList m_footers;
};
