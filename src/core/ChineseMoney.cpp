#include "ChineseMoney.h"

#include <QStringList>

#include <cmath>

namespace {

// The amount in cents, rounded half up from its decimal text (so 0.285 gives 29, as printed).
qint64 toCents(double magnitude)
{
    const QString text = QString::number(magnitude, 'f', 6);
    const qsizetype point = text.indexOf(u'.');
    const qint64 micros = text.left(point).toLongLong() * 1000000 + text.mid(point + 1).toLongLong();
    return (micros + 5000) / 10000;
}

} // namespace

QString MoneyToChinese(double amount)
{
    static const QString capitals = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
    static const QStringList units {
        QStringLiteral("分"), QStringLiteral("角"), QStringLiteral("元"), QStringLiteral("拾"), QStringLiteral("佰"),
        QStringLiteral("千"), QStringLiteral("万"), QStringLiteral("拾"), QStringLiteral("佰"), QStringLiteral("千"),
        QStringLiteral("亿"), QStringLiteral("拾"), QStringLiteral("佰"), QStringLiteral("千"),
    };
    const QString outOfRange = QStringLiteral("金额超出范围");
    if (!std::isfinite(amount) || std::fabs(amount) >= 1e12)
        return outOfRange;

    const qint64 cents = toCents(std::fabs(amount));
    if (cents >= qint64(100000000000000))
        return outOfRange;
    const QString digits = QString::number(cents).rightJustified(3, u'0');

    QString result;
    for (qsizetype k = 0; k < digits.size(); ++k) {
        const int digit = digits.at(digits.size() - 1 - k).digitValue();
        result.prepend(capitals.at(digit) + units.at(k));
    }
    if (digits.endsWith(QStringLiteral("00"))) {
        result.chop(4);
        result += QStringLiteral("整");
    }
    if (amount < 0 && cents > 0)
        result.prepend(QStringLiteral("负"));
    return result;
}
