#include "OperatorLogin.h"

#include "app/AppContext.h"
#include "core/ConfigKeys.h"
#include "core/NumberFormat.h"
#include "core/OperatorLog.h"
#include "core/Passwords.h"
#include "core/Prompter.h"

#include <QSqlQuery>

namespace {

// Decimals from a settings row; a missing or broken row means 2, as a new database has.
int decimals(const Session &session, int n)
{
    bool ok = false;
    const int value = session.keyValue(n).trimmed().toInt(&ok);
    return ok && value >= 0 && value <= 8 ? value : 2;
}

} // namespace

OperatorLogin::OperatorLogin(AppContext &context, bool reLogin)
    : m_context(context)
    , m_reLogin(reLogin)
{
}

QString OperatorLogin::initialCode() const
{
    using namespace ConfigKeys;
    return m_context.config().value(LastOperatorCode.sectionName(), LastOperatorCode.keyName());
}

QString OperatorLogin::lookupName(const QString &code)
{
    if (code.trimmed().isEmpty())
        return {};
    return m_context.data()
        .GetFieldValue(QStringLiteral("SELECT F_Name FROM OperList WHERE F_Code = ? ORDER BY F_ID"), {code.trimmed()})
        .value_or(QString());
}

std::optional<OperatorLogin::StoredOperator> OperatorLogin::readOperator(const QString &code)
{
    QSqlQuery query(m_context.database().connection());
    query.setForwardOnly(true);
    if (!m_context.data().OpenQuery(
            query, QStringLiteral("SELECT F_PassWord, F_Flag FROM OperList WHERE F_Code = ? ORDER BY F_ID"),
            {code.trimmed()}))
        return std::nullopt;
    if (!query.next())
        return std::nullopt;
    return StoredOperator {query.value(0).toString(), query.value(1).toBool()};
}

OperatorLogin::Outcome OperatorLogin::confirm(const QString &code, const QString &name, const QString &password)
{
    Prompter &prompter = m_context.prompter();
    if (code.trimmed().isEmpty()) {
        prompter.ShowMess(QStringLiteral("请选择用户！"), MessageKind::Information);
        m_focus = Focus::Code;
        return Outcome::Stay;
    }
    if (name.trimmed().isEmpty()) {
        prompter.ShowMess(QStringLiteral("此操作员并不存在，请重新选择操作员！"), MessageKind::Information);
        m_focus = Focus::Code;
        return Outcome::Stay;
    }
    const auto stored = readOperator(code);
    if (stored && Passwords::VerifyPass(stored->password, password)) {
        if (stored->disabled) {
            prompter.ShowMess(QStringLiteral("此操作员已被禁用，请与系统管理员联系！"), MessageKind::Warning);
            m_focus = Focus::Code;
            return Outcome::Stay;
        }
        if (!LoadOperatorState(m_context, code, name))
            return Outcome::Stay;
        return Outcome::SignedIn;
    }

    ++m_failCount;
    m_focus = Focus::Password;
    if (m_failCount <= MaxFailures) {
        prompter.ShowMess(QStringLiteral("用户名或密码不正确，请重新输入！"), MessageKind::Information);
        return Outcome::Stay;
    }
    if (!m_reLogin) {
        WriteLog(m_context.database(), m_context.session(), m_context.clock(), QStringLiteral("登录失败！"));
        prompter.ShowMess(QStringLiteral("非法操作员!"), MessageKind::Error);
        return Outcome::EndProgram;
    }
    WriteLog(m_context.database(), m_context.session(), m_context.clock(), QStringLiteral("更换操作员失败！"));
    prompter.ShowMess(QStringLiteral("更换操作员失败!"), MessageKind::Error);
    return Outcome::Cancelled;
}

OperatorLogin::Outcome OperatorLogin::cancel() const
{
    return m_reLogin ? Outcome::Cancelled : Outcome::EndProgram;
}

bool OperatorLogin::LoadOperatorState(AppContext &context, const QString &typedCode, const QString &name)
{
    DataServices &data = context.data();
    Session next;
    next.CurOperCode = typedCode;
    next.CurOperName = name;
    next.CurImeName = context.session().CurImeName;

    const auto company = data.GetFieldValue(QStringLiteral("SELECT F_Code FROM SysInfo ORDER BY F_ID"));
    if (!company)
        return false;
    next.CompanyName = *company;

    QSqlQuery query(context.database().connection());
    query.setForwardOnly(true);
    if (!data.OpenQuery(query,
                        QStringLiteral("SELECT o.F_PartCode, p.F_empFlag, p.F_empName, p.F_Flag, p.F_ID "
                                       "FROM OperList o LEFT JOIN PartList p ON o.F_PartCode = p.F_Code "
                                       "WHERE o.F_Code = ? ORDER BY o.F_ID, p.F_ID"),
                        {typedCode.trimmed()}))
        return false;
    if (query.next()) {
        next.CurPartCode = query.value(0).toString();
        next.CurEmpFlag = query.value(1).toInt();
        next.CurEmpNames = Session::parseSalesmanList(query.value(2).toString());
        next.roleDisabled = !query.value(4).isNull() && query.value(3).toBool();
    }
    query.finish();

    if (!data.OpenQuery(query, QStringLiteral("SELECT F_Value FROM KeyValue ORDER BY F_ID")))
        return false;
    for (int n = 0; n < next.SysKeyValues.size() && query.next(); ++n)
        next.SysKeyValues[n] = query.value(0).toString();
    query.finish();

    next.AmountFormat = NumberFormat::MakeNumberFormat(decimals(next, 12), 1);
    next.PriceFormat = NumberFormat::MakeNumberFormat(decimals(next, 13), 2);
    next.TotalFormat = NumberFormat::MakeNumberFormat(decimals(next, 14), 3);

    using namespace ConfigKeys;
    IniConfig &config = context.config();
    next.bZDcode = config.boolValue(AutoClientCode.sectionName(), AutoClientCode.keyName(), false);
    next.iPrintNum = config.intValue(PrintRows.sectionName(), PrintRows.keyName(), DefaultPrintRows);

    context.session() = next;
    config.setValue(LastOperatorCode.sectionName(), LastOperatorCode.keyName(), typedCode);
    WriteLog(context.database(), context.session(), context.clock(), QStringLiteral("登录成功！"));
    return true;
}
