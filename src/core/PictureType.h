#pragma once

#include <QString>

// The kind of a photograph file by its extension: 1 .bmp, 2 .jpg or .jpeg, 3 .gif, 0 anything else.
int GetPictureType(const QString &fileName);
