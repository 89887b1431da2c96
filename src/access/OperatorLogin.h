#pragma once

#include "core/Session.h"

#include <QString>

#include <optional>

class AppContext;

// What the login dialog does, without its widgets: name look-up, the password check with its
// count of failures, and filling the signed-in operator's state.
class OperatorLogin
{
public:
    enum class Outcome {
        Stay, // the dialog stays open (a message was shown)
        SignedIn, // the new operator's state is in the context's session
        Cancelled, // change of operator given up: the previous operator stays
        EndProgram, // first login given up or refused
    };
    enum class Focus { Code, Password };

    OperatorLogin(AppContext &context, bool reLogin);

    bool isReLogin() const { return m_reLogin; }
    int failCount() const { return m_failCount; }
    Focus focus() const { return m_focus; }

    // The code of the operator who last signed in ([Config] CurOperCode).
    QString initialCode() const;
    // The operator's name for a code (blanks around it do not count); empty when there is none.
    QString lookupName(const QString &code);

    Outcome confirm(const QString &code, const QString &name, const QString &password);
    Outcome cancel() const;

    // Fills the session for the operator as LoadOperatorState does; false leaves it untouched.
    static bool LoadOperatorState(AppContext &context, const QString &typedCode, const QString &name);

    static constexpr int MaxFailures = 3;

private:
    struct StoredOperator
    {
        QString password;
        bool disabled = false;
    };
    std::optional<StoredOperator> readOperator(const QString &code);

    AppContext &m_context;
    bool m_reLogin;
    int m_failCount = 0;
    Focus m_focus = Focus::Code;
};
