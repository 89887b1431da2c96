#include "ActionCatalogue.h"

namespace {

QList<ActionInfo> build()
{
    const QList<std::pair<int, const char16_t *>> table {
        {101, u"公司信息"},
        {102, u"更改密码"},
        {103, u"用户权限"},
        {104, u"选项..."},
        {105, u"行业类别"},
        {106, u"自定义设置"},
        {201, u"新增"},
        {202, u"修改"},
        {203, u"删除"},
        {204, u"排序..."},
        {205, u"显示字段选择"},
        {206, u"保存当前网格"},
        {207, u"复制"},
        {208, u"更改所选当前客户类型"},
        {209, u"货品资料"},
        {210, u"职员档案"},
        {211, u"业务活动"},
        {212, u"商品报价"},
        {213, u"合同管理"},
        {214, u"销售管理"},
        {215, u"售后回访"},
        {216, u"投诉反馈"},
        {217, u"来电管理"},
        {218, u"更改所选客户业务人员"},
        {301, u"导出"},
        {302, u"报表设计"},
        {303, u"当前客户详细报表"},
        {304, u"当前客户业务活动"},
        {305, u"当前客户商品报价"},
        {306, u"当前客户合同管理"},
        {307, u"当前客户销售管理"},
        {308, u"当前客户售后回访"},
        {309, u"当前客户投诉反馈"},
        {310, u"当前客户统计列表"},
        {311, u"当前客户信封打印"},
        {312, u"客户信封标签打印"},
        {313, u"导出客户电子信箱"},
        {401, u"统计"},
        {402, u"业务提醒"},
        {403, u"业务活动统计列表"},
        {404, u"商品报价统计列表"},
        {405, u"合同管理统计列表"},
        {406, u"销售管理统计列表"},
        {407, u"售后回访统计列表"},
        {408, u"投诉反馈统计列表"},
        {501, u"导入客户资料"},
        {502, u"系统数据清理"},
        {503, u"数据备份恢复"},
        {504, u"压缩修复数据库"},
        {505, u"连接网络数据库"},
        {901, u"新增"},
        {902, u"修改"},
        {903, u"删除"},
        {904, u"排序..."},
        {905, u"显示字段选择"},
        {906, u"保存当前网格"},
    };
    QList<ActionInfo> list;
    for (const auto &[code, caption] : table) {
        QString menu;
        if (code < 200)
            menu = QStringLiteral("文件");
        else if (code < 300)
            menu = code == 218 ? QString() : QStringLiteral("编辑");
        else if (code < 400)
            menu = QStringLiteral("输出");
        else if (code < 500)
            menu = QStringLiteral("统计");
        else if (code < 600)
            menu = QStringLiteral("数据");
        list.append({QString::number(code), QStringLiteral("Action%1").arg(code), QString::fromUtf16(caption), menu});
    }
    return list;
}

} // namespace

namespace ActionCatalogue {

const QList<ActionInfo> &all()
{
    static const QList<ActionInfo> list = build();
    return list;
}

const ActionInfo *byCode(const QString &code)
{
    for (const ActionInfo &info : all()) {
        if (info.code == code)
            return &info;
    }
    return nullptr;
}

QStringList governedMenus()
{
    return {QStringLiteral("文件"), QStringLiteral("编辑"), QStringLiteral("输出"), QStringLiteral("统计"),
            QStringLiteral("数据")};
}

} // namespace ActionCatalogue
