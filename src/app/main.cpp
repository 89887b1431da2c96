#include "app/AppContext.h"
#include "app/ConsolePrompter.h"
#include "core/Session.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

void printLine(const QString &text)
{
    std::fprintf(stdout, "%s\n", text.toLocal8Bit().constData());
}

void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnel-crm"));
    QCoreApplication::setApplicationVersion(AppInfo::AppVersion.trimmed());

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
    parser.process(app);

    const QString home = ProgramHome::resolve(parser.value(homeOption), qEnvironmentVariable("VARNEL_HOME"),
                                              QCoreApplication::applicationDirPath());
    ConsolePrompter prompter;
    SystemClock clock;
    AppContext context(home, prompter, clock);

    QString error;
    if (!context.connect(&error)) {
        printError(QStringLiteral("无法连接数据库 %1：%2").arg(context.database().settings().describe(), error));
        return 1;
    }
    if (parser.isSet(initOption)) {
        printLine(QStringLiteral("程序目录已就绪：%1").arg(QDir::toNativeSeparators(context.home().folder())));
        return 0;
    }
    printLine(QStringLiteral("数据库已就绪：%1").arg(context.database().settings().describe()));
    printLine(QStringLiteral("登录窗口和主窗口将在下一版本提供；目前程序只建立程序目录和数据库。"));
    return 0;
}
