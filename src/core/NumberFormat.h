#pragma once

#include <QString>
#include <QStringList>

// Display formats of the kind "0.##", "0.", "￥,0.00", "￥,0.00##", ",0.00##;-,0.00##":
// '0' a digit always shown, '#' a digit shown when not a trailing zero, ',' thousands separators,
// '.' the decimal point (not shown without decimals), other characters literal; sections for
// positive;negative;zero values, a negative value in a one-section format gets a leading '-'.
namespace NumberFormat {

// Kind 1: "0." + n times '#' (quantities). Kinds 2 and 3: "￥,0." + n characters, the first two
// '0' and the rest '#' (prices, money). Other kinds: empty.
QString MakeNumberFormat(int decimals, int kind);

// One section of a format as read: literal text before and after the number, digits shown and the
// thousands separator.
struct Section
{
    QString prefix;
    QString suffix;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool thousands = false;
    bool hasDigits = false; // a section of text only ("零") shows no number
};

Section parseSection(const QString &text);

// The sections of a format: split at ';' outside quotes.
QStringList splitSections(const QString &format);

// The value as the format shows it; an empty format gives the plain number.
QString formatNumber(double value, const QString &format);

} // namespace NumberFormat
