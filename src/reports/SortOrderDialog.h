#pragma once

#include "widgets/GridColumn.h"

#include <QDialog>

class QTreeWidget;

// "排序对话框": a multi-column sort order built from the grid's columns.
class SortOrderDialog : public QDialog
{
    Q_OBJECT
public:
    SortOrderDialog(const QList<GridColumn> &columns, QWidget *parent = nullptr);

    // The text of the rows as they stand: "f_code ASC,f_name DESC".
    QString sortText() const;
    QTreeWidget *list() const { return m_list; }

    void moveCurrent(int step);
    void cycle(int row);

    // The sort text, or empty when cancelled or no direction was chosen.
    static QString ChooseSortOrder(const QList<GridColumn> &columns, QWidget *parent = nullptr);

private:
    QTreeWidget *m_list;
};
