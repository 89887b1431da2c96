#include "GridFooter.h"

#include "GridModel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

GridFooter::GridFooter(QTableView *view, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
{
    setObjectName(QStringLiteral("gridFooter"));
    QHeaderView *header = view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, qOverload<>(&QWidget::update));
    connect(header, &QHeaderView::sectionMoved, this, qOverload<>(&QWidget::update));
    connect(header, &QHeaderView::geometriesChanged, this, qOverload<>(&QWidget::update));
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void GridFooter::setModel(GridModel *model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model) {
        connect(model, &GridModel::footerChanged, this, qOverload<>(&QWidget::update));
        connect(model, &QAbstractItemModel::modelReset, this, qOverload<>(&QWidget::update));
    }
    update();
}

QSize GridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 8};
}

QString GridFooter::cellText(int column) const
{
    return m_model ? m_model->footerText(column) : QString();
}

QRect GridFooter::cellRect(int column) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    if (header->isSectionHidden(column))
        return {};
    // Sections are positioned within the view's viewport, which starts after its frame and row header.
    const int origin = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    return QRect(origin + header->sectionViewportPosition(column), 0, header->sectionSize(column), height());
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_model)
        return;
    const QRect clip(mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x(), 0, m_view->viewport()->width(),
                     height());
    painter.setClipRect(clip);
    painter.setPen(palette().mid().color());
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const QRect cell = cellRect(column);
        if (cell.isEmpty())
            continue;
        painter.setPen(palette().mid().color());
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        const QString text = cellText(column);
        if (text.isEmpty())
            continue;
        painter.setPen(palette().text().color());
        painter.drawText(cell.adjusted(4, 0, -4, 0), int(m_model->gridColumns().at(column).qtAlignment()), text);
    }
}
