#include "PictureType.h"

#include <QFileInfo>

int GetPictureType(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("bmp"))
        return 1;
    if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg"))
        return 2;
    if (suffix == QStringLiteral("gif"))
        return 3;
    return 0;
}
