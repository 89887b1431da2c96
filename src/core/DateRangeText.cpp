#include "DateRangeText.h"

QString MakeDateRangeText(const std::optional<QDate> &from, const std::optional<QDate> &to)
{
    const QString format = QStringLiteral("yyyy年MM月dd日");
    return QStringLiteral("统计日期：自 ") + (from ? from->toString(format) : QStringLiteral("启用系统"))
        + QStringLiteral(" 至 ") + (to ? to->toString(format) : QStringLiteral("记帐最后一天"));
}
