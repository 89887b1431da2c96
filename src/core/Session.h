#pragma once

#include <QString>
#include <QStringList>

// The program's fixed names.
namespace AppInfo {
inline const QString AppName = QStringLiteral("Varnel客户管理软件 ");
inline const QString AppVersion = QStringLiteral("v2.53(企业版) ");
inline const QString MakerName = QStringLiteral("Varnel软件工作室");
inline const QString ApplicationTitle = QStringLiteral("Varnel客户管理软件(企业版)");
} // namespace AppInfo

// Whose clients an operator sees.
enum class SalesmanScope { All = 0, Own = 1, Listed = 2 };

// The signed-in operator's state: set at sign-in and by the settings windows, read everywhere.
struct Session
{
    QString CurOperCode;
    QString CurOperName;
    QString CurPartCode;
    int CurEmpFlag = 0;
    // The role's salesmen, already split into names (the role stores them as a quoted list).
    QStringList CurEmpNames;
    QString CompanyName;
    QStringList SysKeyValues = QStringList(15); // settings 1..15 at indexes 0..14
    QString AmountFormat;
    QString PriceFormat;
    QString TotalFormat;
    bool bZDcode = false;
    int iPrintNum = 10;
    QString CurImeName;
    // The role is disabled: its operators sign in without any governed command.
    bool roleDisabled = false;

    SalesmanScope scope() const;
    // Setting n (1..15), empty when absent.
    QString keyValue(int n) const;

    // The role's F_empName text ('张三','李四') as names; quotes doubled inside a name are undone.
    static QStringList parseSalesmanList(const QString &text);
    static QString formatSalesmanList(const QStringList &names);
};
