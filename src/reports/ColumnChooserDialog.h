#pragma once

#include "widgets/GridColumn.h"

#include <QDialog>

#include <optional>

class QListWidget;

// "字段列表": ticks which columns of a grid are shown, in the grid's order.
class ColumnChooserDialog : public QDialog
{
    Q_OBJECT
public:
    ColumnChooserDialog(const QList<GridColumn> &columns, QWidget *parent = nullptr);

    // One entry per column after "确定": shown or hidden.
    QList<bool> visibility() const;
    QListWidget *list() const { return m_list; }

    // Runs the dialog; nothing when cancelled.
    static std::optional<QList<bool>> choose(const QList<GridColumn> &columns, QWidget *parent = nullptr);

private:
    QListWidget *m_list;
};
