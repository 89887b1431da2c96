#include "RelatedKinds.h"

#include "db/RecordValues.h"

#include <QDate>

namespace {

QList<GridColumn> columns(const QStringList &pairs)
{
    QList<GridColumn> list;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
        list.append({pairs.at(i), pairs.at(i + 1)});
    return list;
}

QList<RelatedKind> build()
{
    QList<RelatedKind> kinds;
    auto add = [&kinds](QString entry, QString layout, QString table, QString orderBy, QString action, QString sheet,
                        QString noClient, QString empty, QList<GridColumn> designed) {
        RelatedKind kind;
        kind.number = int(kinds.size()) + 1;
        kind.entry = std::move(entry);
        kind.layout = std::move(layout);
        kind.table = std::move(table);
        kind.orderBy = std::move(orderBy);
        kind.actionCode = std::move(action);
        kind.sheetTitle = std::move(sheet);
        kind.noClientMessage = std::move(noClient);
        kind.emptyMessage = std::move(empty);
        kind.designed = std::move(designed);
        kinds.append(kind);
    };
    add(QStringLiteral("业务活动"), QStringLiteral("detail2"), QStringLiteral("t_LXrec"), QStringLiteral("F_date"),
        QStringLiteral("211"), QStringLiteral("业务联系记录"), QStringLiteral("请先选择要增加业务活动记录的客户！"),
        QStringLiteral("此表为空，没有业务活动记录需要修改！"),
        columns({"F_date", "日期", "F_caption", "主题", "F_EmpName", "跟进人", "f_Mode", "洽谈方式", "F_mem",
                 "活动描述", "F_ZJmem", "活动总结", "F_IFgj", "是否再次跟进"}));
    add(QStringLiteral("联 系 人"), QStringLiteral("detail3"), QStringLiteral("t_linkman"), QStringLiteral("F_ID"),
        QString(), QStringLiteral("联系人"), QStringLiteral("请先选择要增加联系人的客户！"),
        QStringLiteral("此表为空，没有联系人记录需要修改！"),
        columns({"F_name",      "姓名",     "F_IFkey",       "主联系人", "F_dept",      "部门",
                 "F_duty",      "职务",     "F_officePhone", "办公电话", "F_handPhone", "移动电话",
                 "F_homePhone", "家里电话", "F_Email",       "电子信箱", "F_Fax",       "传真",
                 "F_Address",   "家庭地址", "F_birthday",    "出生日期", "F_mem",       "备注"}));
    add(QStringLiteral("商品报价"), QStringLiteral("detail4"), QStringLiteral("t_BJrec"), QStringLiteral("F_date"),
        QStringLiteral("212"), QStringLiteral("商品报价记录"), QStringLiteral("请先选择要增加商品报价记录的客户！"),
        QStringLiteral("此表为空，没有商品报价记录需要修改！"),
        columns({"F_date",   "报价日期",   "F_GDcode",     "货品编号",   "F_GDname", "货品名称", "F_type",
                 "类型",     "F_spec",     "规格",         "F_unit",     "单位",     "F_amount", "数量",
                 "F_price",  "单价",       "F_totalPrice", "金额",       "F_mem",    "备注",     "F_billcode",
                 "报价单号", "F_filepath", "报价文件路径", "F_OperName", "录入人员"}));
    add(QStringLiteral("合同管理"), QStringLiteral("detail5"), QStringLiteral("t_HTrec"), QStringLiteral("F_date"),
        QStringLiteral("213"), QStringLiteral("合同管理记录"), QStringLiteral("请先选择要增加合同档案的客户！"),
        QStringLiteral("此表为空，没有合同记录需要修改！"),
        columns({"F_date",    "签订日期", "F_HTcode",  "合同编号", "F_HTname",   "合同名称", "F_empName",  "经手人",
                 "F_HTprice", "合同金额", "F_YFprice", "已付金额", "F_HTstatus", "合同状态", "F_filePath", "文件路径",
                 "F_HTmem",   "主要内容", "F_mem",     "备注",     "F_operName", "录入人员"}));
    add(QStringLiteral("销售管理"), QStringLiteral("detail6"), QStringLiteral("t_XSrec"), QStringLiteral("F_ID"),
        QStringLiteral("214"), QStringLiteral("销售管理记录"), QStringLiteral("请先选择要增加销售管理记录的客户！"),
        QStringLiteral("此表为空，没有销售管理记录需要修改！"),
        columns({"F_code",      "销售单号",   "F_oldcode",    "原始单号",   "F_FHemp",      "发货人",    "F_FHdate",
                 "发货日期",    "F_SHemp",    "收货人",       "F_SHdate",   "收货日期",     "F_SHphone", "收货电话",
                 "F_SHaddress", "收货地址",   "F_FHfilePath", "文件路径",   "F_totalprice", "金额",      "F_memo1",
                 "备注",        "F_makedate", "制单日期",     "F_operName", "制单人"}));
    add(QStringLiteral("售后回访"), QStringLiteral("detail7"), QStringLiteral("t_HFrec"), QStringLiteral("F_date"),
        QStringLiteral("215"), QStringLiteral("售后回访记录"), QStringLiteral("请先选择要增加售后回访记录的客户！"),
        QStringLiteral("此表为空，没有售后回访记录需要修改！"),
        columns({"F_date", "回访日期", "F_empname", "回访人员", "F_mem1", "回访内容", "F_mem2", "回访成果"}));
    add(QStringLiteral("投诉反馈"), QStringLiteral("detail8"), QStringLiteral("t_TSrec"), QStringLiteral("F_ID"),
        QStringLiteral("216"), QStringLiteral("投诉反馈记录"), QStringLiteral("请先选择要增加投诉记录的客户！"),
        QStringLiteral("此表为空，没有客户投诉记录需要修改！"),
        columns({"F_date", "投诉日期", "F_mem1", "投诉内容", "F_mem2", "处理结果", "F_empname", "接待人员",
                 "F_CLempname", "处理人员", "F_CLdate", "处理日期"}));
    add(QStringLiteral("客户产品"), QStringLiteral("detail9"), QStringLiteral("t_GooDrec"), QStringLiteral("F_ID"),
        QString(), QStringLiteral("客户产品记录"), QStringLiteral("请先选择要增加产品记录的客户！"),
        QStringLiteral("此表为空，没有客户产品记录需要修改！"),
        columns({"F_GDcode",      "编号",     "F_GDname", "名称",    "F_type",     "类型",          "F_spec",
                 "规格",          "F_unit",   "单位",     "F_price", "单价",       "F_buildAmount", "生产能力(年)",
                 "F_enterAmount", "年进货量", "F_mem",    "备注",    "F_editdate", "日期"}));
    add(QStringLiteral("事务提醒"), QStringLiteral("detail10"), QStringLiteral("t_TXrec"), QStringLiteral("F_editDate"),
        QString(), QStringLiteral("事务提醒记录"), QStringLiteral("请先选择要增加成交记录的客户！"),
        QStringLiteral("此表为空，没有事务提醒记录需要修改！"),
        columns({"F_awokeDate", "提醒日期", "F_awokeTime", "提醒时间", "F_caption", "事务主题", "F_mem1", "详细描述",
                 "F_editDate", "录入日期", "F_operName", "录入人员"}));
    return kinds;
}

QString text(const QVariantMap &values, const QString &field)
{
    const QVariant value = recordValue(values, field);
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString();
}

} // namespace

namespace RelatedKinds {

const QList<RelatedKind> &all()
{
    static const QList<RelatedKind> kinds = build();
    return kinds;
}

const RelatedKind &kind(int number)
{
    return all().at(std::clamp(number, 1, int(all().size())) - 1);
}

QString deletionQuestion(int number, const QVariantMap &values)
{
    auto date = [&values](const char *field) {
        return text(values, QString::fromLatin1(field)).left(10);
    };
    switch (number) {
    case 1:
        return QStringLiteral("真的要删除当前") + date("F_date") + QStringLiteral("日的业务联系记录吗？");
    case 2:
        return QStringLiteral("真的要删除当前联系人") + text(values, QStringLiteral("F_name")) + QStringLiteral("吗？");
    case 3:
        return QStringLiteral("真的要删除当前商品") + text(values, QStringLiteral("F_GDname")) + QStringLiteral("的")
            + date("F_date") + QStringLiteral("日报价记录吗？");
    case 4:
        return QStringLiteral("真的要删除当前合同 ") + text(values, QStringLiteral("F_HTname"))
            + QStringLiteral(" 吗？");
    case 5:
        return QStringLiteral("真的要删除销售单号为 ") + text(values, QStringLiteral("F_code"))
            + QStringLiteral(" 的销售记录吗？");
    case 6:
        return QStringLiteral("真的要删除当前") + date("F_date") + QStringLiteral("日的售后回访记录吗？");
    case 7:
        return QStringLiteral("真的要删除当前") + date("F_date") + QStringLiteral("日的用户投诉记录吗？");
    case 8:
        return QStringLiteral("真的要删除当前客户产品 ") + text(values, QStringLiteral("F_GDname"))
            + QStringLiteral(" 吗？");
    case 9:
        return QStringLiteral("真的要删除当前") + text(values, QStringLiteral("F_editDate"))
            + QStringLiteral("日的事务提醒记录吗？");
    default:
        return {};
    }
}

QList<GridColumn> salesLineColumns()
{
    return columns({"F_GDcode", "货品编号", "F_GDname",     "货品名称", "F_type",  "类型",    "F_spec",
                    "规格",     "F_unit",   "单位",         "F_amount", "数量",    "F_price", "单价",
                    "F_rate",   "折扣",     "F_totalPrice", "金额",     "F_memo1", "备注"});
}

} // namespace RelatedKinds
