#pragma once

#include "GridColumn.h"

#include <QWidget>

#include <memory>

class DataServices;
class EllipsisDelegate;
class GridFooter;
class GridModel;
class GridSource;
class QTableView;
class SqlListModel;

// The grid every list of the program uses: a table over a GridModel (a lazy SQL list or editable
// rows in memory), a footer row, title-click sorting, several selected rows, saved layouts, the
// column chooser and the sort dialog.
class DataGrid : public QWidget
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    QTableView *view() const { return m_view; }
    GridFooter *footer() const { return m_footer; }
    void setModel(GridModel *model);
    GridModel *model() const { return m_model; }
    SqlListModel *listModel() const;

    // The columns the window was designed with; used whenever no saved layout exists.
    void setDesignedColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &designedColumns() const { return m_designed; }
    // Shows exactly these columns in this order.
    void setColumns(const QList<GridColumn> &columns);
    // The columns as the user sees them now: display order, widths, visibility.
    QList<GridColumn> columns() const;
    QList<int> displayOrder() const;

    // Loads the saved layout `name`, or the designed columns when it has no rows. False when the
    // read failed (reported); the grid keeps its columns then.
    bool loadLayout(DataServices &services, const QString &name);
    bool saveLayout(DataServices &services, const QString &name);

    // Title click: no mark or descending → ascending, ascending → descending. Memo columns only
    // change their mark.
    void clickTitle(int column);
    // A sort text from the sort dialog ("f_code ASC,f_name DESC"); empty removes the sort.
    void setSortText(const QString &text);

    // Runs the list again keeping the current and the selected rows (by F_ID); then the totals,
    // unless the caller computes them later (a list refreshed on every keystroke).
    enum class Totals { Now, Later };
    bool refresh(Totals totals = Totals::Now);
    qint64 currentId() const;
    QList<qint64> selectedIds() const;
    void selectIds(const QList<qint64> &ids, qint64 current);

    // Column chooser and sort dialog on this grid; false when cancelled.
    bool chooseColumns();
    // Shows or hides the columns in display order, as the column chooser returns them.
    void applyVisibility(const QList<bool> &visible);
    bool chooseSortOrder();

    // Everything the list holds, for exports and printouts.
    std::unique_ptr<GridSource> makeSource();

    // Editable rows (a RowBufferModel): cells open for editing, Enter moves to the next editable
    // cell (to the next row after the last) and tells the window through enterPressed.
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }
    // An always-visible "..." button on a column (a picker opens from its buttonClicked).
    EllipsisDelegate *setButtonColumn(int column);

signals:
    void rowActivated(int row);
    void refreshFailed(const QString &error);
    void enterPressed(const QModelIndex &index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyHeader();
    void moveToNextEditable();

    QTableView *m_view;
    GridFooter *m_footer;
    GridModel *m_model = nullptr;
    QList<GridColumn> m_designed;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_editable = false;
};
