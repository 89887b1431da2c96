#pragma once

#include "core/SalesmanRestriction.h"

#include <QString>
#include <QStringList>

class SqlDialect;
struct Session;

// What narrows the client list: the quick search, the industry tree, one value of a code list and
// "包含已停用". Turned into one bound statement; the window only reads its controls into it.
struct ClientFilter
{
    enum SearchField {
        NoSearch = -1,
        Name = 0,
        Code,
        City,
        Address,
        Phone,
        Fax,
        PostCode,
        LegalPerson,
        TaxNumber,
        MainProducts,
        MainContact,
        ProductName,
    };
    enum ListType { ClientType = 0, Source, Country, Province, Needs, Salesman };

    int searchField = NoSearch;
    QString searchText; // trimmed by the statement
    QString industryPath; // empty: the tree's root
    bool includeDisabled = false;
    int listType = ClientType;
    QString listValue; // empty: "全部"
};

namespace ClientQuery {

// The twelve search fields of ComboBox1, in their order.
QStringList searchFieldNames();
// The six list types of cbbListType and the code list each reads.
QStringList listTypeNames();
QString codeListOf(int listType);

// "select * from t_client where (1=1) " with the operator's restriction and every narrowing.
SqlCondition RefreshClientList(const SqlDialect &dialect, const Session &session, const ClientFilter &filter);

} // namespace ClientQuery
