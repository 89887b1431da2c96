#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The period line of printed lists: "统计日期：自 2026年01月01日 至 记帐最后一天". A missing bound
// (an unticked date picker) reads "启用系统" for the start and "记帐最后一天" for the end.
QString MakeDateRangeText(const std::optional<QDate> &from, const std::optional<QDate> &to);
