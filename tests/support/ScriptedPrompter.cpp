#include "ScriptedPrompter.h"

int ScriptedPrompter::ShowMess(const QString &text, MessageKind kind)
{
    messages.append({text, kind});
    if (kind != MessageKind::Question)
        return 0;
    return answers.isEmpty() ? No : answers.dequeue();
}

QString ScriptedPrompter::chooseOpenFile(const QString &, const QString &, const QString &)
{
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedPrompter::chooseSaveFile(const QString &, const QString &, const QString &)
{
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedPrompter::chooseFolder(const QString &, const QString &)
{
    return files.isEmpty() ? QString() : files.dequeue();
}

bool ScriptedPrompter::askText(const QString &, const QString &, QString &text, bool)
{
    if (texts.isEmpty())
        return false;
    const std::optional<QString> answer = texts.dequeue();
    if (!answer)
        return false;
    text = *answer;
    return true;
}

QStringList ScriptedPrompter::messageTexts() const
{
    QStringList list;
    for (const Message &m : messages)
        list.append(m.text);
    return list;
}

bool ScriptedPrompter::saw(const QString &text) const
{
    return messageTexts().contains(text);
}
