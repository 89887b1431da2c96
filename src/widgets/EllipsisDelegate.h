#pragma once

#include <QStyledItemDelegate>

// The cells of one column of a table with an always visible "..." button at their right, for a
// picker (the goods picker on a sales line's goods name). Install it with
// QAbstractItemView::setItemDelegateForColumn(); a click on the button emits buttonClicked() and
// does not open the cell's editor.
class EllipsisDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Where the button sits in a cell.
    static QRect buttonRect(const QRect &cellRect);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

signals:
    void buttonClicked(const QModelIndex &index);
};
