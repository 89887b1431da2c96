#include "IniConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isSectionLine(const QString &trimmed)
{
    return trimmed.startsWith(u'[') && trimmed.endsWith(u']');
}

QString sectionName(const QString &trimmed)
{
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

bool isComment(const QString &trimmed)
{
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

} // namespace

IniConfig::IniConfig(QString path)
    : m_path(std::move(path))
{
    reload();
}

void IniConfig::reload()
{
    m_lines.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_lines = text.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.constLast().isEmpty())
        m_lines.removeLast();
}

IniConfig::Entry IniConfig::find(const QString &section, const QString &key) const
{
    bool inSection = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString trimmed = m_lines.at(i).trimmed();
        if (isSectionLine(trimmed)) {
            inSection = sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || isComment(trimmed))
            continue;
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq <= 0)
            continue;
        if (trimmed.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return {i, trimmed.mid(eq + 1).trimmed()};
    }
    return {};
}

bool IniConfig::contains(const QString &section, const QString &key) const
{
    return find(section, key).line >= 0;
}

QString IniConfig::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Entry entry = find(section, key);
    return entry.line >= 0 ? entry.value : defaultValue;
}

int IniConfig::intValue(const QString &section, const QString &key, int defaultValue) const
{
    const Entry entry = find(section, key);
    if (entry.line < 0)
        return defaultValue;
    bool ok = false;
    const int number = entry.value.toInt(&ok);
    return ok ? number : defaultValue;
}

bool IniConfig::boolValue(const QString &section, const QString &key, bool defaultValue) const
{
    return intValue(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniConfig::setValue(const QString &section, const QString &key, const QString &value)
{
    QStringList lines = m_lines;
    const Entry entry = find(section, key);
    if (entry.line >= 0) {
        const QString &old = lines.at(entry.line);
        const QString writtenKey = old.left(old.indexOf(u'=')).trimmed();
        lines[entry.line] = writtenKey + u'=' + value;
    } else {
        // Append to the last block of the section, or add the section at the end.
        qsizetype insertAt = -1;
        bool inSection = false;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString trimmed = lines.at(i).trimmed();
            if (isSectionLine(trimmed)) {
                inSection = sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0;
                if (inSection)
                    insertAt = i + 1;
            } else if (inSection && !trimmed.isEmpty()) {
                insertAt = i + 1;
            }
        }
        if (insertAt < 0) {
            if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
                lines.append(QString());
            lines.append(u'[' + section + u']');
            insertAt = lines.size();
        }
        lines.insert(insertAt, key + u'=' + value);
    }
    if (!save(lines))
        return false;
    m_lines = lines;
    return true;
}

bool IniConfig::setValue(const QString &section, const QString &key, int value)
{
    return setValue(section, key, QString::number(value));
}

bool IniConfig::setBool(const QString &section, const QString &key, bool value)
{
    return setValue(section, key, value ? 1 : 0);
}

bool IniConfig::save(const QStringList &lines)
{
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        m_lastError = QStringLiteral("无法创建目录 %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_lastError = file.errorString();
        return false;
    }
    file.write(lines.join(u'\n').toUtf8());
    file.write("\n");
    if (!file.commit()) {
        m_lastError = file.errorString();
        return false;
    }
    m_lastError.clear();
    return true;
}
