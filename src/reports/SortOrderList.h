#pragma once

#include <QList>
#include <QString>

// The rows of the sort dialog: one per grid column, in the grid's order, each keeping its own
// field (two columns with the same title sort by their own fields) and a direction.
class SortOrderList
{
public:
    enum class Direction { None, Ascending, Descending };
    struct Row
    {
        QString field;
        QString title;
        Direction direction = Direction::None;
    };

    void addColumn(const QString &field, const QString &title);
    const QList<Row> &rows() const { return m_rows; }

    // empty → 升序 → 降序 → empty
    void cycle(int row);
    void setDirection(int row, Direction direction);
    // Swap with the neighbour; returns the row's new position.
    int moveUp(int row);
    int moveDown(int row);
    void move(int from, int to);

    // "f_code ASC,f_name DESC" from the rows with a direction, top to bottom; empty when none.
    QString sortText() const;

    static Direction next(Direction direction);
    static QString directionText(Direction direction);
    static Direction directionFromText(const QString &text);

private:
    QList<Row> m_rows;
};
