#pragma once

#include "core/Desktop.h"

// The real desktop: the platform's handlers for web addresses, files and mail.
class SystemDesktop final : public Desktop
{
public:
    bool openUrl(const QString &url) override;
    bool openFile(const QString &path) override;
    bool mailTo(const QString &address) override;
    bool startCalculator() override;
    bool startEditor() override;
};
