#pragma once

#include "OperatorLogin.h"

#include <QDialog>

class AppContext;
class QLabel;
class QLineEdit;
class QPushButton;

// The sign-in dialog, for the first login at start and for a change of operator.
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    LoginDialog(AppContext &context, bool reLogin, QWidget *parent = nullptr);

    OperatorLogin::Outcome outcome() const { return m_outcome; }
    const OperatorLogin &login() const { return m_login; }

    // Runs the dialog modally; the outcome tells what happened.
    static OperatorLogin::Outcome ShowLogin(AppContext &context, bool reLogin, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refreshName();
    void confirm();
    void cancel();
    void finish(OperatorLogin::Outcome outcome);

    OperatorLogin m_login;
    OperatorLogin::Outcome m_outcome = OperatorLogin::Outcome::Stay;
    QLineEdit *m_code;
    QLineEdit *m_name;
    QLineEdit *m_password;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    bool m_closing = false;
};
