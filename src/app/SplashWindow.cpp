#include "SplashWindow.h"

#include "core/Session.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(470, 294);
    m_label = new QLabel(tr("系统正在启动，请稍候 ....."), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setStyleSheet(QStringLiteral("color: white;"));
    m_label->setGeometry(18, 258, 430, 22);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::setStatus(const QString &text)
{
    m_label->setText(text);
    m_label->repaint();
}

QString SplashWindow::status() const
{
    return m_label->text();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
    gradient.setColorAt(0, QColor(18, 62, 120));
    gradient.setColorAt(1, QColor(70, 140, 205));
    painter.fillRect(rect(), gradient);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 80, width(), 50), Qt::AlignCenter, AppInfo::ApplicationTitle);
    font.setPointSize(11);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 132, width(), 30), Qt::AlignCenter, AppInfo::AppVersion.trimmed());
}
