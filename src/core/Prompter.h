#pragma once

#include <QString>

// The four kinds of message box the program shows.
enum class MessageKind { Information = 0, Question = 1, Warning = 2, Error = 3 };

// Everything that asks the user something. Windows get it from AppContext; tests script it,
// so no test ever blocks on a modal box.
class Prompter
{
public:
    static constexpr int Yes = 1;
    static constexpr int No = 2;

    virtual ~Prompter() = default;

    // Questions return exactly Yes or No (Esc and the close box answer No); other kinds return 0.
    virtual int ShowMess(const QString &text, MessageKind kind) = 0;

    // Empty text when cancelled.
    virtual QString chooseOpenFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString chooseSaveFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString chooseFolder(const QString &title, const QString &folder) = 0;

    // False when cancelled; the text is left as it was then.
    virtual bool askText(const QString &title, const QString &label, QString &text, bool password = false) = 0;
};
