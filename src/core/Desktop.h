#pragma once

#include <QString>

// What the program asks of the desktop around it. Tests record the calls instead.
class Desktop
{
public:
    virtual ~Desktop() = default;
    virtual bool openUrl(const QString &url) = 0;
    virtual bool openFile(const QString &path) = 0;
    virtual bool mailTo(const QString &address) = 0;
    virtual bool startCalculator() = 0;
    virtual bool startEditor() = 0;
};
