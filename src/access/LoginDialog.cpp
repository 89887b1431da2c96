#include "LoginDialog.h"

#include "app/AppContext.h"
#include "widgets/EnterAsTab.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The banner across the top of the dialog.
class Banner : public QWidget
{
public:
    explicit Banner(QWidget *parent)
        : QWidget(parent)
    {
        setFixedHeight(64);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().topRight());
        gradient.setColorAt(0, QColor(22, 76, 140));
        gradient.setColorAt(1, QColor(90, 160, 220));
        painter.fillRect(rect(), gradient);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPointSize(15);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(rect().adjusted(18, 0, -12, 0), Qt::AlignVCenter | Qt::AlignLeft, AppInfo::ApplicationTitle);
    }
};

} // namespace

LoginDialog::LoginDialog(AppContext &context, bool reLogin, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_login(context, reLogin)
{
    setObjectName(QStringLiteral("frmOperLogin"));
    setWindowTitle(tr("登录窗口"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(new Banner(this));

    auto *hint = new QLabel(tr("请输入正确的操作员编号及密码，系统超级用户编号“000”，系统初始密码为空："), this);
    hint->setWordWrap(true);
    hint->setContentsMargins(14, 6, 14, 0);
    layout->addWidget(hint);

    auto *group = new QGroupBox(this);
    auto *form = new QFormLayout(group);
    m_code = new QLineEdit(group);
    m_code->setObjectName(QStringLiteral("edtOperCode"));
    m_name = new QLineEdit(group);
    m_name->setObjectName(QStringLiteral("edtOperName"));
    m_name->setReadOnly(true);
    m_name->setFocusPolicy(Qt::NoFocus);
    m_password = new QLineEdit(group);
    m_password->setObjectName(QStringLiteral("edtPassWord"));
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(tr("编  号："), m_code);
    form->addRow(tr("姓  名："), m_name);
    form->addRow(tr("密  码："), m_password);
    auto *groupMargin = new QHBoxLayout;
    groupMargin->setContentsMargins(14, 0, 14, 0);
    groupMargin->addWidget(group);
    layout->addLayout(groupMargin);

    m_ok = new QPushButton(tr("确定"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setAutoDefault(false);
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addSpacing(14);
    layout->addLayout(buttons);

    new EnterAsTab(this);
    connect(m_code, &QLineEdit::editingFinished, this, &LoginDialog::refreshName);
    connect(m_ok, &QPushButton::clicked, this, &LoginDialog::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &LoginDialog::cancel);

    m_code->setText(m_login.initialCode());
    m_name->setText(m_login.lookupName(m_code->text()));
    (m_code->text().isEmpty() ? m_code : m_password)->setFocus();
    setFixedSize(420, sizeHint().height());
}

void LoginDialog::refreshName()
{
    m_name->setText(m_login.lookupName(m_code->text()));
}

void LoginDialog::confirm()
{
    refreshName();
    const OperatorLogin::Outcome outcome = m_login.confirm(m_code->text(), m_name->text(), m_password->text());
    if (outcome != OperatorLogin::Outcome::Stay) {
        finish(outcome);
        return;
    }
    if (m_login.focus() == OperatorLogin::Focus::Code) {
        m_code->setFocus();
        m_code->selectAll();
    } else {
        m_password->setFocus();
        m_password->selectAll();
    }
}

void LoginDialog::cancel()
{
    finish(m_login.cancel());
}

void LoginDialog::finish(OperatorLogin::Outcome outcome)
{
    m_outcome = outcome;
    m_closing = true;
    done(outcome == OperatorLogin::Outcome::SignedIn ? QDialog::Accepted : QDialog::Rejected);
}

void LoginDialog::closeEvent(QCloseEvent *event)
{
    // Only the two buttons close the dialog (Alt+F4 and the window manager are ignored).
    if (!m_closing)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void LoginDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || (event->key() == Qt::Key_F4 && event->modifiers() & Qt::AltModifier)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

OperatorLogin::Outcome LoginDialog::ShowLogin(AppContext &context, bool reLogin, QWidget *parent)
{
    LoginDialog dialog(context, reLogin, parent);
    dialog.exec();
    return dialog.outcome();
}
