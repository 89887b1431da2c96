#pragma once

#include "GridColumn.h"

#include <QAbstractTableModel>

// The base of every grid's model: a list of GridColumns shown as the table's columns, cell
// texts formatted by each column, and a footer value per column. The lazy SQL list and the
// in-memory editable rows both derive from it, so DataGrid shows either.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    const QList<GridColumn> &gridColumns() const { return m_columns; }
    // Replaces the columns (the model is reset).
    virtual void setGridColumns(const QList<GridColumn> &columns);
    // Updates what a column looks like without changing which columns there are.
    void updateGridColumn(int column, const GridColumn &description);
    int columnOf(const QString &fieldName) const; // -1 when absent; case-insensitive

    // The footer cell of a column: its fixed text, or its sum formatted by its display format.
    virtual QString footerText(int column) const = 0;

    // The raw value of a cell, as stored.
    virtual QVariant value(int row, int column) const = 0;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    void footerChanged();

protected:
    QList<GridColumn> m_columns;
};
