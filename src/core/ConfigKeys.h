#pragma once

#include <QString>

// Every key of config.ini, with its section as the readers spell it (sections match without
// regard to case, so "config" and "Config" are one section).
namespace ConfigKeys {

struct Key
{
    const char16_t *section;
    const char16_t *name;
    QString sectionName() const { return QString::fromUtf16(section); }
    QString keyName() const { return QString::fromUtf16(name); }
};

inline constexpr Key DatabaseFolder {u"config", u"ds"};
inline constexpr Key BackupAtExit {u"config", u"ibak"};
inline constexpr Key LastOperatorCode {u"Config", u"CurOperCode"};
inline constexpr Key InputMethod {u"Config", u"CurImeName"};
inline constexpr Key AutoClientCode {u"sys", u"bZDcode"};
inline constexpr Key PrintRows {u"sys", u"iPrintNum"};
inline constexpr Key ReminderAtStart {u"set", u"awokeflag"};
inline constexpr Key ReminderDays {u"set", u"awokeday"};

// A team database on a PostgreSQL server. The password is never kept here: libpq reads it from
// PGPASSWORD or ~/.pgpass.
inline constexpr Key DbDriver {u"db", u"driver"};
inline constexpr Key DbHost {u"db", u"host"};
inline constexpr Key DbPort {u"db", u"port"};
inline constexpr Key DbName {u"db", u"name"};
inline constexpr Key DbUser {u"db", u"user"};

inline constexpr int DefaultPrintRows = 10;

} // namespace ConfigKeys
