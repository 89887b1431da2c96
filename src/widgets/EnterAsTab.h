#pragma once

#include <QObject>

// Makes Enter move the focus on, as Tab does, in every control of a window except multi-line
// editors. Install it on the window; it watches the window's children.
class EnterAsTab : public QObject
{
    Q_OBJECT
public:
    explicit EnterAsTab(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
