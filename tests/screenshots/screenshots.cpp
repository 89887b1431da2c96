// Renders the program's windows to PNG files on a throwaway home, under the offscreen platform.
#include "access/LoginDialog.h"
#include "access/OperatorLogin.h"
#include "app/AppContext.h"
#include "app/SplashWindow.h"
#include "clients/ClientListPanel.h"
#include "clients/MainWindow.h"
#include "support/ClientGenerator.h"
#include "support/ScriptedPrompter.h"
#include "widgets/DataGrid.h"
#include "widgets/SqlListModel.h"

#include <QApplication>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget &widget, const QString &folder, const QString &name)
{
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        return false;
    QTest::qWait(50);
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool ok = widget.grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);

    QTemporaryDir home;
    ScriptedPrompter prompter;
    FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
    AppContext context(home.path(), prompter, clock);
    QString error;
    if (!context.connect(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    bool ok = true;
    SplashWindow splash;
    ok &= save(splash, folder, QStringLiteral("splash"));
    splash.close();

    LoginDialog login(context, false);
    ok &= save(login, folder, QStringLiteral("login"));
    login.hide();

    OperatorLogin::LoadOperatorState(context, QStringLiteral("000"), QStringLiteral("系统管理员"));
    MainWindow empty(context);
    empty.applySignIn();
    ok &= save(empty, folder, QStringLiteral("main-window-empty"));
    empty.hide();

    // A workspace with clients and their records.
    if (!generateClients(context.database(), 500, 20261211, &error)
        || !generateClientRecords(context.database(), 4000, 20, 7, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    MainWindow window(context);
    window.applySignIn();
    window.resize(1280, 800);
    window.show();
    ok &= QTest::qWaitForWindowExposed(&window);
    window.clients()->grid()->view()->setCurrentIndex(window.clients()->model()->index(2, 1));
    window.clients()->refreshTotals();
    ok &= save(window, folder, QStringLiteral("main-window"));
    window.hide();
    return ok ? 0 : 1;
}
