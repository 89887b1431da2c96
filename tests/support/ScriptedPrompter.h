#pragma once

#include "core/Prompter.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <optional>

// A prompter for tests: records every message and answers from queues. A question with no queued
// answer is answered No, so an unexpected question never does anything destructive.
class ScriptedPrompter final : public Prompter
{
public:
    struct Message
    {
        QString text;
        MessageKind kind;
    };

    int ShowMess(const QString &text, MessageKind kind) override;
    QString chooseOpenFile(const QString &title, const QString &folder, const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &folder, const QString &filter) override;
    QString chooseFolder(const QString &title, const QString &folder) override;
    bool askText(const QString &title, const QString &label, QString &text, bool password) override;

    QQueue<int> answers;
    QQueue<QString> files;
    QQueue<std::optional<QString>> texts; // nullopt = cancelled
    QList<Message> messages;

    QStringList messageTexts() const;
    bool saw(const QString &text) const;
    void clear() { messages.clear(); }
};
