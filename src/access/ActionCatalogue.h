#pragma once

#include <QList>
#include <QString>

// The commands of the main window that permissions govern, in the order the permissions are
// applied: code, action name, caption and the top menu that holds it (empty: tool bars and
// pop-up menus only).
struct ActionInfo
{
    QString code;
    QString objectName;
    QString caption;
    QString menu;
};

namespace ActionCatalogue {

const QList<ActionInfo> &all();
const ActionInfo *byCode(const QString &code);

// The top menus whose visibility follows their actions.
QStringList governedMenus();

} // namespace ActionCatalogue
