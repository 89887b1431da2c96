#include "app/AppContext.h"
#include "app/ConsolePrompter.h"
#include "app/Startup.h"
#include "app/SystemDesktop.h"
#include "clients/MainWindow.h"
#include "core/Session.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstdio>
#include <memory>

namespace {

struct Options
{
    QString home;
    bool init = false;
};

// The command line is read before any window system is touched, so --help and --init work on a
// machine without a display.
Options parseOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(AppInfo::ApplicationTitle);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption homeOption(QStringLiteral("home"),
                                        QStringLiteral("程序目录（config.ini、data/client.db 所在的目录）。"),
                                        QStringLiteral("DIR"));
    const QCommandLineOption initOption(QStringLiteral("init"),
                                        QStringLiteral("建立程序目录和数据库（含全部基础数据）后退出，不打开窗口；"
                                                       "已有的程序目录保持不变。"));
    parser.addOption(homeOption);
    parser.addOption(initOption);
    parser.process(arguments);
    return {parser.value(homeOption), parser.isSet(initOption)};
}

int provision(const QString &home)
{
    ConsolePrompter prompter;
    SystemClock clock;
    AppContext context(home, prompter, clock);
    QString error;
    if (!context.connect(&error)) {
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("无法连接数据库 %1：%2")
                         .arg(context.database().settings().describe(), error)
                         .toLocal8Bit()
                         .constData());
        return 1;
    }
    std::fprintf(stdout, "%s\n",
                 QStringLiteral("程序目录已就绪：%1")
                     .arg(QDir::toNativeSeparators(context.home().folder()))
                     .toLocal8Bit()
                     .constData());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    Options options;
    QString home;
    {
        QCoreApplication probe(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("varnel-crm"));
        QCoreApplication::setApplicationVersion(AppInfo::AppVersion.trimmed());
        options = parseOptions(QCoreApplication::arguments());
        home = ProgramHome::resolve(options.home, qEnvironmentVariable("VARNEL_HOME"),
                                    QCoreApplication::applicationDirPath());
        if (options.init)
            return provision(home);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varnel-crm"));
    QApplication::setApplicationDisplayName(AppInfo::ApplicationTitle);
    QApplication::setQuitOnLastWindowClosed(false);

    MessageBoxPrompter prompter;
    SystemClock clock;
    SystemDesktop desktop;
    AppContext context(home, prompter, clock, &desktop);
    Startup startup(context);
    if (!startup.start())
        return startup.exitCode();

    MainWindow *window = startup.mainWindow();
    QObject::connect(window, &QObject::destroyed, &app, &QCoreApplication::quit);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    QObject::connect(qApp, &QApplication::lastWindowClosed, &app, &QCoreApplication::quit);
    return app.exec();
}
