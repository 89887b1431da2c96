#pragma once

#include <QWidget>

class QLabel;

// The window shown while the program connects, before the message loop runs: every change of
// its label is painted at once.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
    void setStatus(const QString &text);
    QString status() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_label;
};
