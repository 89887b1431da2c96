#pragma once

#include "core/Prompter.h"

// Messages to the terminal, for runs without windows (--init). Questions are answered No, so
// nothing is ever done that the user did not ask for.
class ConsolePrompter final : public Prompter
{
public:
    int ShowMess(const QString &text, MessageKind kind) override;
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    bool askText(const QString &, const QString &, QString &, bool) override { return false; }
};
