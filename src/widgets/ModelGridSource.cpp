#include "ModelGridSource.h"

#include "SqlListModel.h"
#include "db/Database.h"
#include "db/SqlExec.h"

#include <QSqlQuery>
#include <QSqlRecord>

ModelGridSource::ModelGridSource(GridModel &model, QList<int> order)
    : m_model(model)
    , m_order(std::move(order))
{
}

QList<GridColumn> ModelGridSource::columns() const
{
    QList<GridColumn> list;
    for (int column : m_order)
        list.append(m_model.gridColumns().at(column));
    return list;
}

qint64 ModelGridSource::rowCount()
{
    if (auto *list = qobject_cast<SqlListModel *>(&m_model))
        return list->totalCount();
    return m_model.rowCount();
}

bool ModelGridSource::forEachRow(const std::function<bool(const QVariantList &)> &visit)
{
    auto *list = qobject_cast<SqlListModel *>(&m_model);
    if (!list) {
        for (int row = 0; row < m_model.rowCount(); ++row) {
            QVariantList values;
            for (int column : std::as_const(m_order))
                values.append(m_model.value(row, column));
            if (!visit(values))
                break;
        }
        return true;
    }
    QSqlQuery query(list->database().connection());
    query.setForwardOnly(true);
    if (!execBound(query, list->orderedStatement(), list->parameters(), &m_error))
        return false;
    QList<int> fields;
    for (int column : std::as_const(m_order))
        fields.append(query.record().indexOf(m_model.gridColumns().at(column).fieldName));
    while (query.next()) {
        QVariantList values;
        values.reserve(fields.size());
        for (int field : std::as_const(fields))
            values.append(field >= 0 ? query.value(field) : QVariant());
        if (!visit(values))
            break;
    }
    return true;
}

QString ModelGridSource::footerText(int column)
{
    return column >= 0 && column < m_order.size() ? m_model.footerText(m_order.at(column)) : QString();
}
