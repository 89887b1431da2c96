#pragma once

#include "GridColumn.h"

class Database;
class GridModel;

// A grid as exports and printouts read it: its columns in display order and all of its rows.
// A SQL list is read again from the database with its ORDER BY, a row at a time, so a list of a
// million clients is never held in memory; other models are read row by row.
class ModelGridSource final : public GridSource
{
public:
    // `order` lists the model columns in display order (hidden ones included).
    ModelGridSource(GridModel &model, QList<int> order);

    QList<GridColumn> columns() const override;
    qint64 rowCount() override;
    bool forEachRow(const std::function<bool(const QVariantList &values)> &visit) override;
    QString footerText(int column) override;
    QString lastError() const override { return m_error; }

private:
    GridModel &m_model;
    QList<int> m_order;
    QString m_error;
};
