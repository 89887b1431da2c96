#include "Session.h"

SalesmanScope Session::scope() const
{
    switch (CurEmpFlag) {
    case 1:
        return SalesmanScope::Own;
    case 2:
        return SalesmanScope::Listed;
    default:
        return SalesmanScope::All;
    }
}

QString Session::keyValue(int n) const
{
    return n >= 1 && n <= SysKeyValues.size() ? SysKeyValues.at(n - 1) : QString();
}

QStringList Session::parseSalesmanList(const QString &text)
{
    // 'a','b''c', 'd' — single-quoted names separated by commas; unquoted names are taken trimmed.
    QStringList names;
    QString current;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'\'') {
                if (i + 1 < text.size() && text.at(i + 1) == u'\'') {
                    current += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current += c;
            }
        } else if (c == u'\'') {
            if (!wasQuoted)
                current.clear(); // blanks before the opening quote
            quoted = true;
            wasQuoted = true;
        } else if (c == u',') {
            const QString name = wasQuoted ? current : current.trimmed();
            if (!name.isEmpty())
                names.append(name);
            current.clear();
            wasQuoted = false;
        } else if (!wasQuoted) {
            current += c;
        }
    }
    const QString last = wasQuoted ? current : current.trimmed();
    if (!last.isEmpty())
        names.append(last);
    return names;
}

QString Session::formatSalesmanList(const QStringList &names)
{
    QStringList quoted;
    for (QString name : names)
        quoted.append(u'\'' + name.replace(u'\'', QStringLiteral("''")) + u'\'');
    return quoted.join(u',');
}
