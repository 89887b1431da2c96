#include "RowBufferModel.h"

#include "RowBuffer.h"
#include "core/NumberFormat.h"

#include <QLocale>

#include <cmath>

RowBufferModel::RowBufferModel(RowBuffer &buffer, QObject *parent)
    : GridModel(parent)
    , m_buffer(buffer)
{
}

void RowBufferModel::refresh()
{
    beginResetModel();
    endResetModel();
    emit footerChanged();
}

int RowBufferModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_buffer.rowCount();
}

QVariant RowBufferModel::value(int row, int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    return m_buffer.value(row, m_columns.at(column).fieldName);
}

Qt::ItemFlags RowBufferModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const GridColumn &column = m_columns.at(index.column());
    if (column.readOnly)
        return result;
    return result | (column.kind == ColumnKind::YesNo ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

std::optional<double> RowBufferModel::parseNumber(const QVariant &value)
{
    if (value.isNull())
        return 0.0;
    double number = 0;
    bool ok = false;
    if (value.metaType().id() == QMetaType::QString) {
        QString text = value.toString().trimmed();
        text.remove(u',');
        if (text.startsWith(u'￥') || text.startsWith(u'¥'))
            text = text.mid(1).trimmed();
        if (text.isEmpty())
            return 0.0;
        number = QLocale::c().toDouble(text, &ok);
    } else {
        number = value.toDouble(&ok);
    }
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

bool RowBufferModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() >= m_columns.size())
        return false;
    const GridColumn &column = m_columns.at(index.column());
    if (column.readOnly)
        return false;

    QVariant stored;
    if (column.kind == ColumnKind::YesNo) {
        if (role == Qt::CheckStateRole)
            stored = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
        else if (role == Qt::EditRole)
            stored = value.toBool();
        else
            return false;
    } else if (role != Qt::EditRole) {
        return false;
    } else if (column.kind == ColumnKind::Number) {
        const auto number = parseNumber(value);
        if (!number)
            return false;
        stored = *number;
    } else {
        stored = value;
    }
    if (!m_buffer.setValue(index.row(), column.fieldName, stored))
        return false;
    fieldChanged(index.row(), column.fieldName);
    return true;
}

bool RowBufferModel::setFieldValue(int row, const QString &field, const QVariant &value)
{
    if (!m_buffer.setValue(row, field, value))
        return false;
    fieldChanged(row, field);
    return true;
}

void RowBufferModel::fieldChanged(int row, const QString &field)
{
    for (qsizetype c = 0; c < m_columns.size(); ++c) {
        if (m_columns.at(c).fieldName.compare(field, Qt::CaseInsensitive) == 0)
            emit dataChanged(index(row, int(c)), index(row, int(c)));
    }
    emit footerChanged();
}

bool RowBufferModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row > rowCount())
        return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_buffer.insertRow(row + i, m_newRowDefaults);
    endInsertRows();
    emit footerChanged();
    return true;
}

bool RowBufferModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    for (int i = row + count - 1; i >= row; --i)
        m_buffer.removeRow(i);
    endRemoveRows();
    emit footerChanged();
    return true;
}

QString RowBufferModel::footerText(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    const GridColumn &description = m_columns.at(column);
    switch (description.footerType) {
    case FooterType::Text:
        return description.footerValue;
    case FooterType::Sum: {
        // A display total only; stored amounts are summed exactly by the money rules.
        double sum = 0;
        for (int row = 0; row < rowCount(); ++row)
            sum += value(row, column).toDouble();
        return NumberFormat::formatNumber(sum, description.displayFormat);
    }
    case FooterType::None:
        break;
    }
    return {};
}
