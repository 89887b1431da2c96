#include "SystemDesktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

bool startFirstOf(const QStringList &programs)
{
    for (const QString &program : programs) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    return false;
}

} // namespace

bool SystemDesktop::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

bool SystemDesktop::openFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool SystemDesktop::mailTo(const QString &address)
{
    return QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + address + QStringLiteral("?subject")));
}

bool SystemDesktop::startCalculator()
{
    return startFirstOf({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
                         QStringLiteral("xcalc")});
}

bool SystemDesktop::startEditor()
{
    return startFirstOf({QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
                         QStringLiteral("mousepad"), QStringLiteral("xed")});
}
