#pragma once

#include <QPointer>
#include <QWidget>

class GridModel;
class QTableView;

// The footer row under a grid: one cell per column, fixed text or the column's sum, kept under
// its column through resizing, moving and horizontal scrolling.
class GridFooter : public QWidget
{
    Q_OBJECT
public:
    explicit GridFooter(QTableView *view, QWidget *parent = nullptr);
    void setModel(GridModel *model);

    // The text of the footer cell under a model column.
    QString cellText(int column) const;
    // Where that cell is drawn, in this widget's coordinates; empty when the column is hidden.
    QRect cellRect(int column) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_view;
    QPointer<GridModel> m_model;
};
