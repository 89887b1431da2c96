#include "access/LoginDialog.h"
#include "clients/MainWindow.h"
#include "core/ConfigKeys.h"
#include "core/Passwords.h"
#include "support/TestDatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

bool addOperator(DataServices &data, const QString &code, const QString &name, const QString &password,
                 const QString &role, bool disabled = false)
{
    return data.RunSQL(
        QStringLiteral("INSERT INTO OperList (F_Code, F_Name, F_PassWord, F_PartCode, F_Flag) VALUES (?, ?, ?, ?, ?)"),
        {code, name, password.isEmpty() ? QString() : Passwords::SavePass(password).value_or(QString()), role,
         disabled});
}

bool addRole(DataServices &data, const QString &code, const QStringList &permissions, bool disabled = false,
             int scope = 0, const QString &salesmen = {})
{
    if (!data.RunSQL(QStringLiteral(
                         "INSERT INTO PartList (F_Code, F_Name, F_Flag, F_empFlag, F_empName) VALUES (?, ?, ?, ?, ?)"),
                     {code, code, disabled, scope, salesmen}))
        return false;
    for (const QString &permission : permissions)
        if (!data.RunSQL(QStringLiteral("INSERT INTO PartLimit (F_PartCode, F_LmtCode) VALUES (?, ?)"),
                         {code, permission}))
            return false;
    return true;
}

// Types into the dialog as a user would and presses 确定.
void signIn(LoginDialog &dialog, const QString &code, const QString &password)
{
    auto *codeEdit = dialog.findChild<QLineEdit *>(QStringLiteral("edtOperCode"));
    auto *passwordEdit = dialog.findChild<QLineEdit *>(QStringLiteral("edtPassWord"));
    codeEdit->setText(code);
    emit codeEdit->editingFinished();
    passwordEdit->setText(password);
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
}

QStringList visibleGoverned(const MainWindow &window)
{
    QStringList names;
    for (QAction *action : window.findChildren<QAction *>())
        if (action->objectName().startsWith(QStringLiteral("Action")) && action->isVisible())
            names.append(action->objectName());
    names.sort();
    return names;
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
private slots:
    void superUserSeesEverything();
    void unknownOperator();
    void wrongPasswords_data();
    void wrongPasswords();
    void roleWithOnePermission();
    void disabledOperatorAndRole();
    void operatorState();
    void keys();
};

void TestLogin::superUserSeesEverything()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    LoginDialog dialog(db.context(), false);
    QCOMPARE(dialog.objectName(), QStringLiteral("frmOperLogin"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("登录窗口"));
    signIn(dialog, QStringLiteral("000"), QString());
    QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::SignedIn);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(db.prompter().messages.isEmpty());

    MainWindow window(db.context());
    window.applySignIn();
    QCOMPARE(visibleGoverned(window).size(), 57); // 56 permissions and Action31
    for (const char *caption : {"文件", "编辑", "输出", "统计", "数据"})
        QVERIFY(window.menu(QString::fromUtf8(caption))->menuAction()->isVisible());
    QVERIFY(window.action(QStringLiteral("tbLDsj"))->isVisible());
    QVERIFY(window.action(QStringLiteral("tbXSgl"))->isVisible());
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("StatusPanel1"))->text(), QStringLiteral("系统管理员"));
    QCOMPARE(db.data().GetFieldValue(QStringLiteral("SELECT F_OperType FROM LogRec")), QStringLiteral("登录成功！"));
    QCOMPARE(db.context().config().value(QStringLiteral("Config"), QStringLiteral("CurOperCode")),
             QStringLiteral("000"));
}

void TestLogin::unknownOperator()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    LoginDialog dialog(db.context(), false);
    signIn(dialog, QStringLiteral("999"), QString());
    QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::Stay);
    signIn(dialog, QStringLiteral("  "), QString());
    QCOMPARE(db.prompter().messageTexts(), (QStringList {"此操作员并不存在，请重新选择操作员！", "请选择用户！"}));
    QCOMPARE(dialog.login().failCount(), 0);
}

void TestLogin::wrongPasswords_data()
{
    QTest::addColumn<bool>("reLogin");
    QTest::newRow("first login") << false;
    QTest::newRow("change of operator") << true;
}

void TestLogin::wrongPasswords()
{
    QFETCH(bool, reLogin);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addOperator(db.data(), QStringLiteral("007"), QStringLiteral("李四"), QStringLiteral("pw7"),
                        QStringLiteral("001")));
    if (reLogin)
        QVERIFY(OperatorLogin::LoadOperatorState(db.context(), QStringLiteral("000"), QStringLiteral("系统管理员")));

    LoginDialog dialog(db.context(), reLogin);
    for (int i = 0; i < 3; ++i) {
        signIn(dialog, QStringLiteral("007"), QStringLiteral("PW7"));
        QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::Stay);
    }
    QCOMPARE(db.prompter().messageTexts(), QStringList(3, QStringLiteral("用户名或密码不正确，请重新输入！")));
    signIn(dialog, QStringLiteral("007"), QStringLiteral("wrong"));
    const auto last = db.prompter().messages.back();
    QCOMPARE(last.kind, MessageKind::Error);
    if (reLogin) {
        QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::Cancelled);
        QCOMPARE(last.text, QStringLiteral("更换操作员失败!"));
        QCOMPARE(db.context().session().CurOperName, QStringLiteral("系统管理员")); // still signed in
        QVERIFY(
            db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM LogRec WHERE F_OperType = ? AND F_EmpName = ?"),
                                  {QStringLiteral("更换操作员失败！"), QStringLiteral("系统管理员")})
            == 1);
    } else {
        QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::EndProgram);
        QCOMPARE(last.text, QStringLiteral("非法操作员!"));
        QVERIFY(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM LogRec WHERE F_OperType = ?"),
                                      {QStringLiteral("登录失败！")})
                == 1);
    }
}

void TestLogin::roleWithOnePermission()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addRole(db.data(), QStringLiteral("005"), {QStringLiteral("408")}));
    QVERIFY(addOperator(db.data(), QStringLiteral("010"), QStringLiteral("统计员"), QString(), QStringLiteral("005")));
    LoginDialog dialog(db.context(), false);
    signIn(dialog, QStringLiteral("010"), QString());
    QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::SignedIn);

    MainWindow window(db.context());
    window.applySignIn();
    QCOMPARE(visibleGoverned(window), QStringList {"Action408"});
    QVERIFY(window.menu(QStringLiteral("统计"))->menuAction()->isVisible());
    for (const char *caption : {"文件", "编辑", "输出", "数据"})
        QVERIFY2(!window.menu(QString::fromUtf8(caption))->menuAction()->isVisible(), caption);
    // The commands that no permission governs stay.
    QVERIFY(window.menu(QStringLiteral("视图"))->menuAction()->isVisible());
    QVERIFY(window.action(QStringLiteral("actReLogin"))->isVisible());
    QVERIFY(!window.action(QStringLiteral("tbLDsj"))->isVisible());
    QVERIFY(!window.action(QStringLiteral("Action31"))->isVisible());
}

void TestLogin::disabledOperatorAndRole()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addRole(db.data(), QStringLiteral("006"), {QStringLiteral("201"), QStringLiteral("408")}, true));
    QVERIFY(addOperator(db.data(), QStringLiteral("020"), QStringLiteral("停用者"), QStringLiteral("a"),
                        QStringLiteral("001"), true));
    QVERIFY(addOperator(db.data(), QStringLiteral("021"), QStringLiteral("角色停用"), QStringLiteral("b"),
                        QStringLiteral("006")));

    LoginDialog refused(db.context(), false);
    signIn(refused, QStringLiteral("020"), QStringLiteral("a"));
    QCOMPARE(refused.outcome(), OperatorLogin::Outcome::Stay);
    QCOMPARE(db.prompter().messageTexts(), QStringList {"此操作员已被禁用，请与系统管理员联系！"});
    QCOMPARE(db.prompter().messages.front().kind, MessageKind::Warning);
    QVERIFY(db.context().session().CurOperName.isEmpty());

    LoginDialog allowed(db.context(), false);
    signIn(allowed, QStringLiteral("021"), QStringLiteral("b"));
    QCOMPARE(allowed.outcome(), OperatorLogin::Outcome::SignedIn);
    MainWindow window(db.context());
    window.applySignIn();
    QVERIFY(visibleGoverned(window).isEmpty());
}

void TestLogin::operatorState()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addRole(db.data(), QStringLiteral("003"), {}, false, 2, QStringLiteral("'O''Hara','王五'")));
    QVERIFY(addOperator(db.data(), QStringLiteral("030"), QStringLiteral("业务主管"), QStringLiteral(" 秘密 "),
                        QStringLiteral("003")));
    // Broken decimals settings fall back to 2; the captions are read as they are.
    QVERIFY(db.data().RunSQL(QStringLiteral("UPDATE KeyValue SET F_Value = ? WHERE F_ID = 13"), {QStringLiteral("x")}));
    QVERIFY(db.data().RunSQL(QStringLiteral("DELETE FROM KeyValue WHERE F_ID >= 14")));
    QVERIFY(db.data().RunSQL(QStringLiteral("UPDATE KeyValue SET F_Value = ? WHERE F_ID = 12"), {QStringLiteral("3")}));
    QVERIFY(db.data().RunSQL(QStringLiteral("UPDATE SysInfo SET F_Code = ?"), {QStringLiteral("华信公司")}));
    using namespace ConfigKeys;
    db.context().config().setValue(AutoClientCode.sectionName(), AutoClientCode.keyName(), 1);
    db.context().config().setValue(PrintRows.sectionName(), PrintRows.keyName(), 15);

    LoginDialog dialog(db.context(), false);
    signIn(dialog, QStringLiteral(" 030 "), QStringLiteral("秘密"));
    QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::SignedIn);
    const Session &session = db.context().session();
    QCOMPARE(session.CurOperCode, QStringLiteral(" 030 ")); // kept as typed
    QCOMPARE(db.context().config().value(QStringLiteral("config"), QStringLiteral("curopercode")),
             QStringLiteral("030"));
    QCOMPARE(session.CurOperName, QStringLiteral("业务主管"));
    QCOMPARE(session.CurPartCode, QStringLiteral("003"));
    QCOMPARE(session.CurEmpFlag, 2);
    QCOMPARE(session.CurEmpNames, (QStringList {"O'Hara", "王五"}));
    QCOMPARE(session.CompanyName, QStringLiteral("华信公司"));
    QCOMPARE(session.keyValue(1), QStringLiteral("字符项一"));
    QCOMPARE(session.AmountFormat, QStringLiteral("0.###"));
    QCOMPARE(session.PriceFormat, QStringLiteral("￥,0.00"));
    QCOMPARE(session.TotalFormat, QStringLiteral("￥,0.00"));
    QVERIFY(session.bZDcode);
    QCOMPARE(session.iPrintNum, 15);
}

void TestLogin::keys()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    LoginDialog dialog(db.context(), false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *code = dialog.findChild<QLineEdit *>(QStringLiteral("edtOperCode"));
    auto *password = dialog.findChild<QLineEdit *>(QStringLiteral("edtPassWord"));
    code->setFocus();
    QTest::keyClicks(code, QStringLiteral("000"));
    QTest::keyClick(code, Qt::Key_Return); // Enter moves on and looks the name up
    QTRY_VERIFY(password->hasFocus());
    QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("edtOperName"))->text(), QStringLiteral("系统管理员"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);

    // Neither Esc nor Alt+F4 nor the window manager closes it; only its buttons do.
    QTest::keyClick(password, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_F4, Qt::AltModifier);
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::Stay);
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.outcome(), OperatorLogin::Outcome::EndProgram);
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
