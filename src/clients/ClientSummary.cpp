#include "ClientSummary.h"

#include "db/RecordValues.h"

#include <QStringList>

QString ShowClientSummary(const QVariantMap &client)
{
    static const QList<std::pair<const char16_t *, const char *>> lines {
        {u"  客户编号:", "F_code"},     {u"  客户名称:", "F_name"},    {u"  客户类型:", "F_type"},
        {u"  行业类别:", "F_hangye"},   {u"  客户来源:", "F_laiyuan"}, {u"  国    家:", "F_country"},
        {u"  省    份:", "F_province"}, {u"  城    市:", "F_city"},    {u"  邮    编:", "F_postcode"},
        {u"  地    址:", "F_address"},  {u"  电    话:", "F_phone"},   {u"  传    真:", "F_fax"},
        {u"  网    址:", "F_homepage"}, {u"  电子信箱:", "F_email"},   {u"  法人代表:", "F_enrol"},
        {u"  主营产品:", "F_good"},     {u"  客户需求:", "F_xuqiu"},   {u"  业 务 员:", "F_empName"},
        {u"  备注信息:", "F_mem"},
    };
    QStringList text {QString()};
    for (const auto &[label, field] : lines)
        text.append(QString::fromUtf16(label) + recordValue(client, QString::fromLatin1(field)).toString());
    return text.join(u'\n');
}
