#pragma once

#include "ClientQuery.h"

#include <QVariantMap>
#include <QWidget>

#include <memory>

class AppContext;
class DataGrid;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class SqlListModel;
struct TreeNode;

// The upper half of the main window: the quick search, the industry tree and the code-list
// filter beside the client grid with its count.
class ClientListPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ClientListPanel(AppContext &context, QWidget *parent = nullptr);
    ~ClientListPanel() override;

    DataGrid *grid() const { return m_grid; }
    SqlListModel *model() const { return m_model; }
    QWidget *navigation() const;

    // The narrowing controls as they stand.
    ClientFilter filter() const;
    // Rebuilds the list from the narrowing controls, keeping the selected clients.
    bool RefreshClientList();
    // The count and sums of the list, which follow a refresh once typing pauses.
    bool refreshTotals();
    void loadTree();
    void fillListType(int type);
    // Saved layout, custom captions and number formats of the client grid.
    void loadLayout();

    // The selected client's number (0 when the list is empty) and row.
    qint64 currentClientNumber() const;
    QVariantMap currentClient() const;
    bool isEmpty() const;

signals:
    void currentClientChanged();

private:
    void buildSearchPanel();
    void buildNavigation();
    void addTreeItems(QTreeWidgetItem *parent, const TreeNode &node);
    void searchFieldChanged();

    AppContext &m_context;
    SqlListModel *m_model;
    DataGrid *m_grid;
    QCheckBox *m_includeDisabled = nullptr;
    QComboBox *m_searchField = nullptr;
    QLineEdit *m_searchText = nullptr;
    QTabWidget *m_navigation = nullptr;
    QTreeWidget *m_tree = nullptr;
    QTableWidget *m_list = nullptr;
    QComboBox *m_listType = nullptr;
    QLabel *m_count = nullptr;
    QWidget *m_searchPanel = nullptr;
    QTimer *m_totals = nullptr;
    bool m_filling = false;
};
