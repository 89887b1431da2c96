#pragma once

#include "RelatedKinds.h"

#include <QHash>
#include <QVariantMap>
#include <QWidget>

class AppContext;
class DataGrid;
class QListWidget;
class QStackedWidget;
class QToolBar;
class SqlListModel;
struct CommandVisibility;

// The lower half of the main window: the selected client's records of nine kinds, one page each,
// opened only when their kind is chosen and following the selected client; the sales documents
// with their lines.
class RelatedRecordsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit RelatedRecordsPanel(AppContext &context, QWidget *parent = nullptr);

    QToolBar *toolBar() const { return m_toolBar; }
    // The kind list: the kinds whose permission is held (once, when the window is shown).
    void buildKinds(const CommandVisibility &visibility);
    void loadLayouts();

    // The client whose records are shown; 0 for none.
    void setClient(qint64 clientNumber);
    qint64 client() const { return m_client; }
    void chooseKind(int kind);
    int currentKind() const { return m_kind; }
    QList<int> kinds() const;

    DataGrid *grid(int kind) const { return m_grids.value(kind); }
    DataGrid *currentGrid() const { return grid(m_kind); }
    DataGrid *linesGrid() const { return m_lines; }
    SqlListModel *model(int kind) const;
    QVariantMap currentRecord() const;

    // "删除": asks the kind's question and deletes the current record.
    void deleteCurrent();
    // Opens the kind's records again for the current client (after an editor saved).
    bool reload(int kind);

private:
    void refreshLines();

    AppContext &m_context;
    QListWidget *m_kindList;
    QStackedWidget *m_pages;
    QToolBar *m_toolBar;
    QHash<int, DataGrid *> m_grids;
    QHash<int, bool> m_stale;
    DataGrid *m_lines = nullptr;
    SqlListModel *m_linesModel = nullptr;
    qint64 m_client = 0;
    int m_kind = 0;
};
