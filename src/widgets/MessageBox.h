#pragma once

#include "core/Prompter.h"

class QWidget;

// The real prompter: Qt message boxes and dialogs with Chinese captions and buttons, modal over
// the active window.
class MessageBoxPrompter final : public Prompter
{
public:
    int ShowMess(const QString &text, MessageKind kind) override;
    QString chooseOpenFile(const QString &title, const QString &folder, const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &folder, const QString &filter) override;
    QString chooseFolder(const QString &title, const QString &folder) override;
    bool askText(const QString &title, const QString &label, QString &text, bool password) override;

private:
    static QWidget *owner();
};
