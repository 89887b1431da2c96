#pragma once

#include <QString>

// An amount in Chinese capital numerals, as printed on sales documents: every place is written
// (壹佰零拾零元整), thousands as 千. A negative amount gets 负 in front; amounts of 10^12 or more
// cannot be written and give "金额超出范围".
QString MoneyToChinese(double amount);
