#include "GridColumn.h"

#include "core/NumberFormat.h"
#include "db/Schema.h"

#include <QDate>
#include <QDateTime>

Qt::Alignment GridColumn::qtAlignment() const
{
    switch (alignment) {
    case 1:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

bool GridColumn::isSortable() const
{
    return !fieldName.contains(QStringLiteral("mem"), Qt::CaseInsensitive);
}

namespace GridFormat {

namespace {

QString dateText(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString().left(10);
}

} // namespace

bool isEmptyDate(const QVariant &value)
{
    if (value.isNull())
        return true;
    return dateText(value) < QStringLiteral("1901-08-14");
}

QString displayText(const GridColumn &column, const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (column.kind) {
    case ColumnKind::Date:
        return isEmptyDate(value) ? QString() : dateText(value);
    case ColumnKind::YesNo:
        return value.toBool() ? QStringLiteral("✓") : QString();
    case ColumnKind::Number: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            return value.toString();
        return NumberFormat::formatNumber(number, column.displayFormat);
    }
    case ColumnKind::Text:
    case ColumnKind::Memo:
        break;
    }
    return value.toString();
}

ColumnKind kindOf(const QString &table, const QString &fieldName, const QVariant &sample)
{
    if (const TableDef *def = Schema::table(table)) {
        if (const ColumnDef *column = def->column(fieldName)) {
            switch (column->type) {
            case ColumnType::Counter:
            case ColumnType::Long:
            case ColumnType::Double:
            case ColumnType::Currency:
                return ColumnKind::Number;
            case ColumnType::Date:
                return ColumnKind::Date;
            case ColumnType::YesNo:
                return ColumnKind::YesNo;
            case ColumnType::Memo:
                return ColumnKind::Memo;
            case ColumnType::Text:
            case ColumnType::Blob:
                return ColumnKind::Text;
            }
        }
    }
    switch (sample.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return ColumnKind::Number;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return ColumnKind::Date;
    case QMetaType::Bool:
        return ColumnKind::YesNo;
    default:
        return ColumnKind::Text;
    }
}

} // namespace GridFormat

MemoryGridSource::MemoryGridSource(QList<GridColumn> columns, QList<QVariantList> rows, QStringList footers)
    : m_columns(std::move(columns))
    , m_rows(std::move(rows))
    , m_footers(std::move(footers))
{
}

bool MemoryGridSource::forEachRow(const std::function<bool(const QVariantList &)> &visit)
{
    for (const QVariantList &row : std::as_const(m_rows)) {
        if (!visit(row))
            break;
    }
    return true;
}
