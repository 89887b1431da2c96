#include "ClientQuery.h"

#include "core/Session.h"
#include "db/SqlDialect.h"

namespace ClientQuery {

QStringList searchFieldNames()
{
    return {QStringLiteral("客户名称"), QStringLiteral("客户编号"), QStringLiteral("城    市"),
            QStringLiteral("地    址"), QStringLiteral("电    话"), QStringLiteral("传    真"),
            QStringLiteral("邮    编"), QStringLiteral("法人代表"), QStringLiteral("税    号"),
            QStringLiteral("主营产品"), QStringLiteral("主联系人"), QStringLiteral("品    名")};
}

QStringList listTypeNames()
{
    return {QStringLiteral("客户类型"), QStringLiteral("客户来源"), QStringLiteral("国    家"),
            QStringLiteral("省    份"), QStringLiteral("客户需求"), QStringLiteral("业 务 员")};
}

QString codeListOf(int listType)
{
    static const QStringList lists {QStringLiteral("clttype"),  QStringLiteral("laiyuan"), QStringLiteral("country"),
                                    QStringLiteral("province"), QStringLiteral("xuqiu"),   QStringLiteral("empname")};
    return lists.value(listType);
}

namespace {

struct SearchRule
{
    const char *column;
    bool anywhere; // contains the text, or starts with it
};

// The client column each search field looks in; the last two look in the client's contacts and
// products.
const SearchRule SearchRules[] = {
    {"F_name", true}, {"F_code", false},     {"F_city", false},  {"F_address", true},  {"F_phone", false},
    {"F_fax", false}, {"F_postcode", false}, {"F_enrol", false}, {"F_shuihao", false}, {"F_good", true},
};

const char *const ListColumns[] = {"F_type", "F_laiyuan", "F_country", "F_province", "F_xuqiu", "F_empName"};

} // namespace

SqlCondition RefreshClientList(const SqlDialect &dialect, const Session &session, const ClientFilter &filter)
{
    SqlCondition statement {QStringLiteral("select * from t_client where (1=1) "), {}};
    auto append = [&statement](const SqlCondition &part) {
        statement.sql += part.sql;
        statement.params += part.params;
    };
    append(salesmanRestriction(session));

    const QString text = filter.searchText.trimmed();
    if (filter.searchField >= ClientFilter::Name && filter.searchField <= ClientFilter::MainProducts) {
        const SearchRule &rule = SearchRules[filter.searchField];
        append({QStringLiteral("and ") + dialect.likeIgnoreCase(QString::fromLatin1(rule.column)) + u' ',
                {rule.anywhere ? SqlDialect::likeContains(text) : SqlDialect::likeStartsWith(text)}});
    } else if (filter.searchField == ClientFilter::MainContact) {
        append({QStringLiteral("and F_cltID in (select F_cltID from t_linkman where ")
                    + dialect.likeIgnoreCase(QStringLiteral("F_name")) + QStringLiteral(") "),
                {SqlDialect::likeStartsWith(text)}});
    } else if (filter.searchField == ClientFilter::ProductName) {
        append({QStringLiteral("and F_cltID in (select F_cltID from t_GooDrec where ")
                    + dialect.likeIgnoreCase(QStringLiteral("F_GDname")) + QStringLiteral(") "),
                {SqlDialect::likeContains(text)}});
    }

    // The chosen category and its subtree: the path itself, or the path and a further level.
    if (!filter.industryPath.isEmpty() && filter.industryPath != QStringLiteral("\\\\")) {
        append({QStringLiteral("and (F_hangye = ? or ") + dialect.likeIgnoreCase(QStringLiteral("F_hangye"))
                    + QStringLiteral(") "),
                {filter.industryPath, SqlDialect::likeStartsWith(filter.industryPath + u'\\')}});
    }
    if (!filter.includeDisabled)
        append({QStringLiteral("and F_useFlag = ? "), {false}});
    if (!filter.listValue.isEmpty() && filter.listType >= 0 && filter.listType < int(std::size(ListColumns)))
        append(
            {QStringLiteral("and %1 = ? ").arg(QString::fromLatin1(ListColumns[filter.listType])), {filter.listValue}});
    return statement;
}

} // namespace ClientQuery
