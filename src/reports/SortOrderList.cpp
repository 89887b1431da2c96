#include "SortOrderList.h"

#include <QStringList>

void SortOrderList::addColumn(const QString &field, const QString &title)
{
    m_rows.append({field.toLower(), title, Direction::None});
}

void SortOrderList::cycle(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row].direction = next(m_rows.at(row).direction);
}

void SortOrderList::setDirection(int row, Direction direction)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].direction = direction;
}

int SortOrderList::moveUp(int row)
{
    if (row <= 0 || row >= m_rows.size())
        return row;
    m_rows.swapItemsAt(row, row - 1);
    return row - 1;
}

int SortOrderList::moveDown(int row)
{
    if (row < 0 || row >= m_rows.size() - 1)
        return row;
    m_rows.swapItemsAt(row, row + 1);
    return row + 1;
}

void SortOrderList::move(int from, int to)
{
    if (from < 0 || from >= m_rows.size() || to < 0 || to >= m_rows.size())
        return;
    m_rows.move(from, to);
}

QString SortOrderList::sortText() const
{
    QStringList parts;
    for (const Row &row : m_rows) {
        if (row.direction == Direction::Ascending)
            parts.append(row.field + QStringLiteral(" ASC"));
        else if (row.direction == Direction::Descending)
            parts.append(row.field + QStringLiteral(" DESC"));
    }
    return parts.join(u',');
}

SortOrderList::Direction SortOrderList::next(Direction direction)
{
    switch (direction) {
    case Direction::None:
        return Direction::Ascending;
    case Direction::Ascending:
        return Direction::Descending;
    case Direction::Descending:
        break;
    }
    return Direction::None;
}

QString SortOrderList::directionText(Direction direction)
{
    switch (direction) {
    case Direction::Ascending:
        return QStringLiteral("升序");
    case Direction::Descending:
        return QStringLiteral("降序");
    case Direction::None:
        break;
    }
    return {};
}

SortOrderList::Direction SortOrderList::directionFromText(const QString &text)
{
    if (text == QStringLiteral("升序"))
        return Direction::Ascending;
    if (text == QStringLiteral("降序"))
        return Direction::Descending;
    return Direction::None;
}
