#include "Schema.h"

namespace {

QList<TableDef> buildTables()
{
    return {
        {QStringLiteral("t_client"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_code"), ColumnType::Text, 50},
             {QStringLiteral("F_name"), ColumnType::Text, 100},
             {QStringLiteral("F_type"), ColumnType::Text, 100},
             {QStringLiteral("F_hangye"), ColumnType::Text, 255},
             {QStringLiteral("F_laiyuan"), ColumnType::Text, 50},
             {QStringLiteral("F_country"), ColumnType::Text, 50},
             {QStringLiteral("F_province"), ColumnType::Text, 50},
             {QStringLiteral("F_city"), ColumnType::Text, 50},
             {QStringLiteral("F_address"), ColumnType::Text, 255},
             {QStringLiteral("F_postcode"), ColumnType::Text, 50},
             {QStringLiteral("F_phone"), ColumnType::Text, 50},
             {QStringLiteral("F_fax"), ColumnType::Text, 50},
             {QStringLiteral("F_homepage"), ColumnType::Text, 50},
             {QStringLiteral("F_email"), ColumnType::Text, 50},
             {QStringLiteral("F_enrol"), ColumnType::Text, 50},
             {QStringLiteral("F_khbank"), ColumnType::Text, 50},
             {QStringLiteral("F_bankcode"), ColumnType::Text, 50},
             {QStringLiteral("F_good"), ColumnType::Text, 255},
             {QStringLiteral("F_xuqiu"), ColumnType::Text, 255},
             {QStringLiteral("F_shuihao"), ColumnType::Text, 50},
             {QStringLiteral("F_mem"), ColumnType::Memo},
             {QStringLiteral("F_useFlag"), ColumnType::YesNo},
             {QStringLiteral("F_empName"), ColumnType::Text, 50},
             {QStringLiteral("F_editdate"), ColumnType::Date},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_movephone"), ColumnType::Text, 50},
             {QStringLiteral("F_QQ"), ColumnType::Text, 50},
             {QStringLiteral("F_ZF1"), ColumnType::Text, 50},
             {QStringLiteral("F_ZF2"), ColumnType::Text, 50},
             {QStringLiteral("F_ZF3"), ColumnType::Text, 50},
             {QStringLiteral("F_ZF4"), ColumnType::Text, 50},
             {QStringLiteral("F_ZF5"), ColumnType::Text, 50},
             {QStringLiteral("F_SZ1"), ColumnType::Double},
             {QStringLiteral("F_SZ2"), ColumnType::Double},
             {QStringLiteral("F_SZ3"), ColumnType::Double},
             {QStringLiteral("F_RQ1"), ColumnType::Date},
             {QStringLiteral("F_RQ2"), ColumnType::Date},
             {QStringLiteral("F_RQ3"), ColumnType::Date},
             {QStringLiteral("F_LXRname"), ColumnType::Text, 50},
             {QStringLiteral("F_LXRdept"), ColumnType::Text, 50},
             {QStringLiteral("F_LXRduty"), ColumnType::Text, 50},
             {QStringLiteral("F_LXRphone"), ColumnType::Text, 255},
             {QStringLiteral("F_LXRqq"), ColumnType::Text, 50},
             {QStringLiteral("F_LXRemail"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_linkman"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_code"), ColumnType::Text, 50},
             {QStringLiteral("F_name"), ColumnType::Text, 50},
             {QStringLiteral("F_IFkey"), ColumnType::YesNo},
             {QStringLiteral("F_dept"), ColumnType::Text, 50},
             {QStringLiteral("F_duty"), ColumnType::Text, 50},
             {QStringLiteral("F_officePhone"), ColumnType::Text, 50},
             {QStringLiteral("F_homePhone"), ColumnType::Text, 50},
             {QStringLiteral("F_handPhone"), ColumnType::Text, 50},
             {QStringLiteral("F_Email"), ColumnType::Text, 50},
             {QStringLiteral("F_Fax"), ColumnType::Text, 50},
             {QStringLiteral("F_Address"), ColumnType::Text, 50},
             {QStringLiteral("F_birthday"), ColumnType::Date},
             {QStringLiteral("F_shihao"), ColumnType::Text, 255},
             {QStringLiteral("F_mem"), ColumnType::Memo},
             {QStringLiteral("F_QQ"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_LXrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_caption"), ColumnType::Text, 255},
             {QStringLiteral("F_empName"), ColumnType::Text, 50},
             {QStringLiteral("F_mode"), ColumnType::Text, 50},
             {QStringLiteral("F_mem"), ColumnType::Memo},
             {QStringLiteral("F_ZJmem"), ColumnType::Text, 50},
             {QStringLiteral("F_IFgj"), ColumnType::YesNo},
             {QStringLiteral("F_awokeDate"), ColumnType::Date},
             {QStringLiteral("F_OperName"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_BJrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_billcode"), ColumnType::Text, 255},
             {QStringLiteral("F_GDcode"), ColumnType::Text, 50},
             {QStringLiteral("F_GDname"), ColumnType::Text, 50},
             {QStringLiteral("F_type"), ColumnType::Text, 200},
             {QStringLiteral("F_spec"), ColumnType::Text, 200},
             {QStringLiteral("F_unit"), ColumnType::Text, 50},
             {QStringLiteral("F_price"), ColumnType::Currency},
             {QStringLiteral("F_amount"), ColumnType::Double},
             {QStringLiteral("F_totalPrice"), ColumnType::Double},
             {QStringLiteral("F_filepath"), ColumnType::Text, 255},
             {QStringLiteral("F_mem"), ColumnType::Memo},
             {QStringLiteral("F_name"), ColumnType::Text, 255},
             {QStringLiteral("F_awokeDate"), ColumnType::Date},
             {QStringLiteral("F_OperName"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_HTrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_HTcode"), ColumnType::Text, 50},
             {QStringLiteral("F_HTname"), ColumnType::Text, 255},
             {QStringLiteral("F_empName"), ColumnType::Text, 50},
             {QStringLiteral("F_HTprice"), ColumnType::Double},
             {QStringLiteral("F_YFprice"), ColumnType::Double},
             {QStringLiteral("F_HTstatus"), ColumnType::Text, 50},
             {QStringLiteral("F_filePath"), ColumnType::Text, 255},
             {QStringLiteral("F_HTmem"), ColumnType::Memo},
             {QStringLiteral("F_mem"), ColumnType::Memo},
             {QStringLiteral("F_operName"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_XSrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_code"), ColumnType::Text, 50},
             {QStringLiteral("F_oldcode"), ColumnType::Text, 50},
             {QStringLiteral("F_FHemp"), ColumnType::Text, 50},
             {QStringLiteral("F_FHdate"), ColumnType::Date},
             {QStringLiteral("F_SHemp"), ColumnType::Text, 50},
             {QStringLiteral("F_SHdate"), ColumnType::Date},
             {QStringLiteral("F_SHphone"), ColumnType::Text, 50},
             {QStringLiteral("F_SHaddress"), ColumnType::Text, 255},
             {QStringLiteral("F_FHfilePath"), ColumnType::Text, 255},
             {QStringLiteral("F_totalPrice"), ColumnType::Double},
             {QStringLiteral("F_memo1"), ColumnType::Memo},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_makedate"), ColumnType::Date},
             {QStringLiteral("F_operName"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_XSdetail"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_code"), ColumnType::Text, 50},
             {QStringLiteral("F_GDcode"), ColumnType::Text, 50},
             {QStringLiteral("F_GDname"), ColumnType::Text, 255},
             {QStringLiteral("F_type"), ColumnType::Text, 255},
             {QStringLiteral("F_spec"), ColumnType::Text, 50},
             {QStringLiteral("F_unit"), ColumnType::Text, 50},
             {QStringLiteral("F_rate"), ColumnType::Double},
             {QStringLiteral("F_price"), ColumnType::Double},
             {QStringLiteral("F_amount"), ColumnType::Double},
             {QStringLiteral("F_totalPrice"), ColumnType::Double},
             {QStringLiteral("F_memo1"), ColumnType::Memo},
         }},
        {QStringLiteral("t_HFrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_empName"), ColumnType::Text, 50},
             {QStringLiteral("F_mem1"), ColumnType::Memo},
             {QStringLiteral("F_mem2"), ColumnType::Memo},
         }},
        {QStringLiteral("t_TSrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_EmpName"), ColumnType::Text, 50},
             {QStringLiteral("F_mem1"), ColumnType::Memo},
             {QStringLiteral("F_mem2"), ColumnType::Memo},
             {QStringLiteral("F_CLempName"), ColumnType::Text, 50},
             {QStringLiteral("F_CLdate"), ColumnType::Date},
         }},
        {QStringLiteral("t_GooDrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_editdate"), ColumnType::Date},
             {QStringLiteral("F_GDcode"), ColumnType::Text, 50},
             {QStringLiteral("F_GDname"), ColumnType::Text, 50},
             {QStringLiteral("F_type"), ColumnType::Text, 255},
             {QStringLiteral("F_spec"), ColumnType::Text, 50},
             {QStringLiteral("F_unit"), ColumnType::Text, 50},
             {QStringLiteral("F_price"), ColumnType::Double},
             {QStringLiteral("F_BuildAmount"), ColumnType::Text, 50},
             {QStringLiteral("F_EnterAmount"), ColumnType::Text, 50},
             {QStringLiteral("F_mem"), ColumnType::Memo},
             {QStringLiteral("F_name"), ColumnType::Text, 255},
         }},
        {QStringLiteral("t_TXrec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_AwokeDate"), ColumnType::Date},
             {QStringLiteral("F_AwokeTime"), ColumnType::Text, 50},
             {QStringLiteral("F_Caption"), ColumnType::Text, 255},
             {QStringLiteral("F_Mem1"), ColumnType::Memo},
             {QStringLiteral("F_editDate"), ColumnType::Text, 50},
             {QStringLiteral("F_OperName"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_CJrec"),
         {
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_date"), ColumnType::Date},
         }},
        {QStringLiteral("LdCltRec"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_cltID"), ColumnType::Long},
             {QStringLiteral("F_date"), ColumnType::Date},
             {QStringLiteral("F_CLTcode"), ColumnType::Text, 50},
             {QStringLiteral("F_CLTname"), ColumnType::Text, 255},
             {QStringLiteral("F_LDmem"), ColumnType::Memo},
             {QStringLiteral("F_LDtype"), ColumnType::Text, 50},
             {QStringLiteral("F_LDdate"), ColumnType::Date},
             {QStringLiteral("F_CLtype"), ColumnType::Text, 50},
             {QStringLiteral("F_mem"), ColumnType::Memo},
             {QStringLiteral("F_operName"), ColumnType::Text, 50},
         }},
        {QStringLiteral("t_goods"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_code"), ColumnType::Text, 50},
             {QStringLiteral("F_name"), ColumnType::Text, 50},
             {QStringLiteral("F_type"), ColumnType::Text, 255},
             {QStringLiteral("F_spec"), ColumnType::Text, 50},
             {QStringLiteral("F_unit"), ColumnType::Text, 50},
             {QStringLiteral("F_price"), ColumnType::Double},
             {QStringLiteral("F_price1"), ColumnType::Double},
             {QStringLiteral("F_price2"), ColumnType::Double},
             {QStringLiteral("F_memo1"), ColumnType::Memo},
             {QStringLiteral("F_Flag"), ColumnType::YesNo},
         }},
        {QStringLiteral("t_employee"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_code"), ColumnType::Text, 50},
             {QStringLiteral("F_name"), ColumnType::Text, 50},
             {QStringLiteral("F_sex"), ColumnType::Text, 50},
             {QStringLiteral("F_dept"), ColumnType::Text, 50},
             {QStringLiteral("F_duty"), ColumnType::Text, 50},
             {QStringLiteral("F_xueLI"), ColumnType::Text, 50},
             {QStringLiteral("F_phone"), ColumnType::Text, 50},
             {QStringLiteral("F_birthday"), ColumnType::Text, 50},
             {QStringLiteral("F_SFZcode"), ColumnType::Text, 50},
             {QStringLiteral("F_email"), ColumnType::Text, 50},
             {QStringLiteral("F_address"), ColumnType::Text, 50},
             {QStringLiteral("F_ZZmm"), ColumnType::Text, 50},
             {QStringLiteral("F_memo1"), ColumnType::Text, 50},
             {QStringLiteral("F_flag"), ColumnType::YesNo},
             {QStringLiteral("F_imagePath"), ColumnType::Text, 255},
             {QStringLiteral("F_empImage"), ColumnType::Blob},
         }},
        {QStringLiteral("t_code"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_type"), ColumnType::Text, 50, true},
             {QStringLiteral("F_name"), ColumnType::Text, 255},
         }},
        {QStringLiteral("t_treecode"),
         {
             {QStringLiteral("F_code"), ColumnType::Text, 50},
             {QStringLiteral("F_name"), ColumnType::Text, 50},
             {QStringLiteral("F_likecode"), ColumnType::Text, 255},
             {QStringLiteral("F_flag"), ColumnType::Text, 50, true},
         }},
        {QStringLiteral("OperList"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_Code"), ColumnType::Text, 50},
             {QStringLiteral("F_Name"), ColumnType::Text, 50},
             {QStringLiteral("F_PassWord"), ColumnType::Text, 255},
             {QStringLiteral("F_PartCode"), ColumnType::Text, 50},
             {QStringLiteral("F_Mem"), ColumnType::Text, 255},
             {QStringLiteral("F_Flag"), ColumnType::YesNo},
         }},
        {QStringLiteral("PartList"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_Code"), ColumnType::Text, 50},
             {QStringLiteral("F_Name"), ColumnType::Text, 50},
             {QStringLiteral("F_Mem"), ColumnType::Text, 255},
             {QStringLiteral("F_Flag"), ColumnType::YesNo},
             {QStringLiteral("F_empFlag"), ColumnType::Long},
             {QStringLiteral("F_empName"), ColumnType::Text, 255},
         }},
        {QStringLiteral("Limits"),
         {
             {QStringLiteral("F_Code"), ColumnType::Text, 50},
             {QStringLiteral("F_Name"), ColumnType::Text, 50},
             {QStringLiteral("F_Flag"), ColumnType::YesNo},
         }},
        {QStringLiteral("PartLimit"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_PartCode"), ColumnType::Text, 50},
             {QStringLiteral("F_LmtCode"), ColumnType::Text, 50},
         }},
        {QStringLiteral("SysInfo"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_Code"), ColumnType::Text, 50},
             {QStringLiteral("F_Name"), ColumnType::Text, 10},
             {QStringLiteral("F_Manager"), ColumnType::Text, 50},
             {QStringLiteral("F_Phone"), ColumnType::Text, 50},
             {QStringLiteral("F_HandPhone"), ColumnType::Text, 50},
             {QStringLiteral("F_Homepage"), ColumnType::Text, 255},
             {QStringLiteral("F_Email"), ColumnType::Text, 255},
             {QStringLiteral("F_Enroler"), ColumnType::Text, 50},
             {QStringLiteral("F_Mem"), ColumnType::Text, 255},
             {QStringLiteral("F_BakPath"), ColumnType::Text, 255},
         }},
        {QStringLiteral("KeyValue"),
         {
             {QStringLiteral("F_ID"), ColumnType::Counter},
             {QStringLiteral("F_Value"), ColumnType::Text, 255},
         }},
        {QStringLiteral("cfg_Grid"),
         {
             {QStringLiteral("F_name"), ColumnType::Text, 50, true},
             {QStringLiteral("F_fieldname"), ColumnType::Text, 50, true},
             {QStringLiteral("F_Caption"), ColumnType::Text, 255},
             {QStringLiteral("F_Width"), ColumnType::Long},
             {QStringLiteral("F_Visible"), ColumnType::Long},
             {QStringLiteral("F_ReadOnly"), ColumnType::Long},
             {QStringLiteral("F_Order"), ColumnType::Long},
             {QStringLiteral("F_Alignment"), ColumnType::Long},
             {QStringLiteral("F_DisplayFormat"), ColumnType::Text, 255},
             {QStringLiteral("F_FooterValue"), ColumnType::Text, 255},
             {QStringLiteral("F_FooterType"), ColumnType::Long},
         }},
        {QStringLiteral("cfg_import"),
         {
             {QStringLiteral("F_tablename"), ColumnType::Text, 50, true},
             {QStringLiteral("F_iFlag"), ColumnType::Long},
             {QStringLiteral("S_Field"), ColumnType::Text, 50, true},
             {QStringLiteral("F_FieldName"), ColumnType::Text, 50},
             {QStringLiteral("F_Field"), ColumnType::Text, 255},
         }},
        {QStringLiteral("LogRec"),
         {
             {QStringLiteral("F_EmpName"), ColumnType::Text, 50},
             {QStringLiteral("F_OperType"), ColumnType::Text, 255},
             {QStringLiteral("F_OperDate"), ColumnType::Text, 50},
             {QStringLiteral("F_OperTime"), ColumnType::Text, 50},
         }},
        {QStringLiteral("tempCode"),
         {
             {QStringLiteral("F_code"), ColumnType::Text, 50},
         }},
    };
}

// Tables whose rows belong to a client through F_cltID.
const QStringList &clientLinkedTables()
{
    static const QStringList names {
        QStringLiteral("t_linkman"), QStringLiteral("t_LXrec"), QStringLiteral("t_BJrec"),  QStringLiteral("t_HTrec"),
        QStringLiteral("t_XSrec"),   QStringLiteral("t_HFrec"), QStringLiteral("t_TSrec"),  QStringLiteral("t_GooDrec"),
        QStringLiteral("t_TXrec"),   QStringLiteral("t_CJrec"), QStringLiteral("LdCltRec"),
    };
    return names;
}

QList<IndexDef> buildIndexes()
{
    QList<IndexDef> list;
    for (const QString &table : clientLinkedTables())
        list.append({QStringLiteral("ix_%1_cltid").arg(table.toLower()), table, {QStringLiteral("F_cltID")}});

    // Client numbers are unique once given; imported rows wait with 0 until they get theirs.
    list.append({QStringLiteral("ux_t_client_cltid"),
                 QStringLiteral("t_client"),
                 {QStringLiteral("F_cltID")},
                 true,
                 QStringLiteral("F_cltID <> 0")});
    list.append({QStringLiteral("ix_t_client_code"), QStringLiteral("t_client"), {QStringLiteral("F_code")}});
    list.append({QStringLiteral("ix_t_client_name"), QStringLiteral("t_client"), {QStringLiteral("F_name")}});
    list.append({QStringLiteral("ux_t_xsrec_code"), QStringLiteral("t_XSrec"), {QStringLiteral("F_code")}, true});
    list.append({QStringLiteral("ix_t_xsdetail_code"), QStringLiteral("t_XSdetail"), {QStringLiteral("F_code")}});
    list.append({QStringLiteral("ux_t_goods_code"), QStringLiteral("t_goods"), {QStringLiteral("F_code")}, true});

    // Date columns that the lists narrow by ranges.
    const QList<QPair<QString, QString>> dated {
        {QStringLiteral("t_LXrec"), QStringLiteral("F_date")},
        {QStringLiteral("t_LXrec"), QStringLiteral("F_awokeDate")},
        {QStringLiteral("t_BJrec"), QStringLiteral("F_date")},
        {QStringLiteral("t_HTrec"), QStringLiteral("F_date")},
        {QStringLiteral("t_XSrec"), QStringLiteral("F_date")},
        {QStringLiteral("t_HFrec"), QStringLiteral("F_date")},
        {QStringLiteral("t_TSrec"), QStringLiteral("F_date")},
        {QStringLiteral("t_TXrec"), QStringLiteral("F_AwokeDate")},
        {QStringLiteral("t_CJrec"), QStringLiteral("F_date")},
        {QStringLiteral("LdCltRec"), QStringLiteral("F_LDdate")},
        {QStringLiteral("t_client"), QStringLiteral("F_editdate")},
    };
    for (const auto &[table, column] : dated)
        list.append({QStringLiteral("ix_%1_%2").arg(table.toLower(), column.toLower()), table, {column}});

    list.append({QStringLiteral("ix_t_code_type"), QStringLiteral("t_code"), {QStringLiteral("F_type")}});
    list.append({QStringLiteral("ix_t_treecode_flag_code"),
                 QStringLiteral("t_treecode"),
                 {QStringLiteral("F_flag"), QStringLiteral("F_code")}});
    list.append({QStringLiteral("ix_cfg_grid_name"), QStringLiteral("cfg_Grid"), {QStringLiteral("F_name")}});
    list.append({QStringLiteral("ix_partlimit_part"),
                 QStringLiteral("PartLimit"),
                 {QStringLiteral("F_PartCode"), QStringLiteral("F_LmtCode")}});
    list.append({QStringLiteral("ix_operlist_code"), QStringLiteral("OperList"), {QStringLiteral("F_Code")}});
    return list;
}

} // namespace

const ColumnDef *TableDef::column(const QString &columnName) const
{
    for (const ColumnDef &c : columns) {
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

namespace Schema {

const QList<TableDef> &tables()
{
    static const QList<TableDef> all = buildTables();
    return all;
}

const QList<IndexDef> &indexes()
{
    static const QList<IndexDef> all = buildIndexes();
    return all;
}

const TableDef *table(const QString &name)
{
    for (const TableDef &t : tables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

int textSize(const QString &tableName, const QString &columnName)
{
    const TableDef *t = table(tableName);
    const ColumnDef *c = t ? t->column(columnName) : nullptr;
    return c && c->type == ColumnType::Text ? c->size : 0;
}

} // namespace Schema
