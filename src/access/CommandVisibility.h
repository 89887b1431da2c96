#pragma once

#include <QSet>
#include <QString>

#include <optional>

class DataServices;
struct Session;

// Which governed commands and menus of the main window the signed-in operator sees.
struct CommandVisibility
{
    QSet<QString> actions; // action and tool button names: "Action101", "Action31", "tbLDsj", …
    QSet<QString> menus; // top menu captions: "文件", "编辑", …

    bool action(const QString &name) const { return actions.contains(name); }
    bool menu(const QString &caption) const { return menus.contains(caption); }
};

// The operator typed "000": every command. Otherwise the granted codes, then the derived rules:
// Action31 follows Action301, tbLDsj Action217, tbXSgl Action214, a menu is visible when one of
// its actions is.
CommandVisibility SetLimits(const QString &typedCode, const QSet<QString> &grantedCodes);

// The permission codes the session's role holds; none for a disabled role. Nothing when the read
// failed (already reported).
std::optional<QSet<QString>> grantedCodes(DataServices &data, const Session &session);
