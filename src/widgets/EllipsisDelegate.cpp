#include "EllipsisDelegate.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace {

constexpr int ButtonWidth = 18;

QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

// The cell without the button: text is elided before it and an editor stops short of it.
QRect textRect(const QRect &cellRect)
{
    QRect rect = cellRect;
    rect.setRight(EllipsisDelegate::buttonRect(cellRect).left() - 1);
    return rect;
}

} // namespace

QRect EllipsisDelegate::buttonRect(const QRect &cellRect)
{
    const int width = qMin(ButtonWidth, cellRect.width());
    return QRect(cellRect.right() - width + 1, cellRect.top() + 1, width, qMax(0, cellRect.height() - 2));
}

void EllipsisDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyle *style = styleOf(option);
    // The selection or row colour runs under the button too.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, option.widget);

    QStyleOptionViewItem text = option;
    text.rect = textRect(option.rect);
    QStyledItemDelegate::paint(painter, text, index);

    QStyleOptionButton button;
    button.rect = buttonRect(option.rect);
    button.text = QStringLiteral("...");
    button.state = QStyle::State_Raised | (option.state & QStyle::State_Enabled);
    button.palette = option.palette;
    button.fontMetrics = option.fontMetrics;
    style->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
}

QSize EllipsisDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(ButtonWidth, 0);
}

void EllipsisDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    QStyleOptionViewItem narrowed = option;
    narrowed.rect = textRect(option.rect);
    QStyledItemDelegate::updateEditorGeometry(editor, narrowed, index);
}

bool EllipsisDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !buttonRect(option.rect).contains(mouse->position().toPoint()))
            break;
        if (event->type() == QEvent::MouseButtonPress && (index.flags() & Qt::ItemIsEnabled))
            emit buttonClicked(index);
        // The release and a double click on the button must not open the cell's editor.
        return true;
    }
    default:
        break;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
