#include "NumberFormat.h"

#include <QStringList>

#include <cmath>

namespace {

QString render(double magnitude, const NumberFormat::Section &section)
{
    if (!section.hasDigits)
        return section.prefix + section.suffix;
    QString digits = QString::number(magnitude, 'f', section.maxDecimals);
    QString integer = digits;
    QString decimals;
    const qsizetype point = digits.indexOf(u'.');
    if (point >= 0) {
        integer = digits.left(point);
        decimals = digits.mid(point + 1);
    }
    while (decimals.size() > section.minDecimals && decimals.endsWith(u'0'))
        decimals.chop(1);
    if (integer == QStringLiteral("0") && section.minInteger == 0 && !decimals.isEmpty())
        integer.clear();
    while (integer.size() < section.minInteger)
        integer.prepend(u'0');
    if (section.thousands) {
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, u',');
    }
    QString result = section.prefix + integer;
    if (!decimals.isEmpty())
        result += u'.' + decimals;
    return result + section.suffix;
}

bool roundsToZero(double magnitude, int decimals)
{
    return QString::number(magnitude, 'f', decimals).remove(u'.').remove(u'0').isEmpty();
}

} // namespace

namespace NumberFormat {

Section parseSection(const QString &text)
{
    Section section;
    bool inNumber = false;
    bool afterNumber = false;
    bool inDecimals = false;
    QChar quote;
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (afterNumber ? section.suffix : section.prefix) += c;
            continue;
        }
        const bool placeholder = c == u'0' || c == u'#';
        if (!afterNumber && (placeholder || c == u',' || c == u'.')) {
            inNumber = true;
            section.hasDigits = section.hasDigits || placeholder;
            if (c == u',') {
                section.thousands = true;
            } else if (c == u'.') {
                inDecimals = true;
            } else if (inDecimals) {
                ++section.maxDecimals;
                if (c == u'0')
                    section.minDecimals = section.maxDecimals;
            } else if (c == u'0') {
                ++section.minInteger;
            }
            continue;
        }
        if (inNumber)
            afterNumber = true;
        if (c == u'"' || c == u'\'')
            quote = c;
        else
            (afterNumber ? section.suffix : section.prefix) += c;
    }
    return section;
}

QStringList splitSections(const QString &format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            current += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            current += c;
        } else if (c == u';') {
            sections.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    sections.append(current);
    return sections;
}

QString MakeNumberFormat(int decimals, int kind)
{
    decimals = std::max(decimals, 0);
    if (kind == 1)
        return QStringLiteral("0.") + QString(decimals, u'#');
    if (kind == 2 || kind == 3) {
        const int zeros = std::min(decimals, 2);
        return QStringLiteral("￥,0.") + QString(zeros, u'0') + QString(decimals - zeros, u'#');
    }
    return {};
}

QString formatNumber(double value, const QString &format)
{
    if (!std::isfinite(value))
        return {};
    if (format.trimmed().isEmpty())
        return QString::number(value, 'g', 15);

    const QStringList texts = splitSections(format);
    const Section positive = parseSection(texts.at(0));
    const double magnitude = std::fabs(value);

    if (roundsToZero(magnitude, positive.maxDecimals) || value == 0) {
        if (texts.size() >= 3 && !texts.at(2).isEmpty())
            return render(0, NumberFormat::parseSection(texts.at(2)));
        return render(0, positive);
    }
    if (value < 0) {
        if (texts.size() >= 2 && !texts.at(1).isEmpty())
            return render(magnitude, NumberFormat::parseSection(texts.at(1)));
        return u'-' + render(magnitude, positive);
    }
    return render(magnitude, positive);
}

} // namespace NumberFormat
