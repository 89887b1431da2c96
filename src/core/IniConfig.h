#pragma once

#include <QString>
#include <QStringList>

// config.ini: [section] lines followed by key=value lines. Sections and keys match without regard
// to case, backslashes are literal, text is UTF-8. Every write goes to the file at once; the file
// is created only when a key is first written. Comments and unknown lines are kept as they are.
class IniConfig
{
public:
    explicit IniConfig(QString path);

    const QString &path() const { return m_path; }
    void reload();

    bool contains(const QString &section, const QString &key) const;
    // The trimmed value, or the default when the key is absent.
    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // Absent or not a whole number: the default. Booleans: any number other than 0 is true.
    int intValue(const QString &section, const QString &key, int defaultValue) const;
    bool boolValue(const QString &section, const QString &key, bool defaultValue) const;

    // False when the file cannot be written; the value is then not kept either.
    bool setValue(const QString &section, const QString &key, const QString &value);
    bool setValue(const QString &section, const QString &key, int value);
    bool setBool(const QString &section, const QString &key, bool value);

    const QString &lastError() const { return m_lastError; }

private:
    struct Entry
    {
        qsizetype line = -1;
        QString value;
    };
    Entry find(const QString &section, const QString &key) const;
    bool save(const QStringList &lines);

    QString m_path;
    QStringList m_lines;
    QString m_lastError;
};
