#include "Startup.h"

#include "AppContext.h"
#include "ConnectionRecovery.h"
#include "SplashWindow.h"
#include "access/LoginDialog.h"
#include "clients/MainWindow.h"

#include <QApplication>
#include <QThread>

Startup::Startup(AppContext &context)
    : m_context(context)
{
}

Startup::~Startup() = default;

bool Startup::start()
{
    auto splash = std::make_unique<SplashWindow>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    RecoveryHooks hooks;
    hooks.status = [&splash](const QString &text) {
        if (splash)
            splash->setStatus(text);
    };
    hooks.beforeChoice = [&splash] {
        splash.reset();
    };
    hooks.afterChoice = [&splash] {
        splash = std::make_unique<SplashWindow>();
        splash->show();
        splash->repaint();
    };
    if (!connectWithRecovery(m_context, hooks)) {
        m_exitCode = 1;
        return false;
    }

    hooks.status(QStringLiteral("连接成功，正在登录 ....."));
    m_mainWindow = std::make_unique<MainWindow>(m_context);
    hooks.status(QStringLiteral("连接成功，正在登录 ..."));
    QThread::msleep(20);
    hooks.status(QStringLiteral("连接成功，正在登录 ....."));
    splash.reset();

    LoginDialog login(m_context, false);
    login.exec();
    if (login.outcome() != OperatorLogin::Outcome::SignedIn) {
        // A refused operator is a failure; giving up the login is not.
        m_exitCode = login.login().failCount() > OperatorLogin::MaxFailures ? 1 : 0;
        m_mainWindow.reset();
        return false;
    }
    m_mainWindow->applySignIn();
    return true;
}
