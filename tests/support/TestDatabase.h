#pragma once

#include "app/AppContext.h"
#include "core/Clock.h"
#include "support/ScriptedPrompter.h"

#include <QTemporaryDir>

#include <memory>

// A fresh program home with a new database for one test: SQLite in the temporary home, or a new
// PostgreSQL database on the server libpq's environment names (VARNEL_TEST_DB=postgres), dropped
// afterwards.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    static Engine engineUnderTest();

    bool isReady() const { return m_ready; }
    const QString &error() const { return m_error; }

    AppContext &context() { return *m_context; }
    Database &database() { return m_context->database(); }
    DataServices &data() { return m_context->data(); }
    ScriptedPrompter &prompter() { return m_prompter; }
    FixedClock &clock() { return m_clock; }
    QString homeFolder() const { return m_home.path(); }

    // Another connection to the same database, as a second copy of the program would have.
    std::unique_ptr<Database> openSecond() const;

private:
    QTemporaryDir m_home;
    ScriptedPrompter m_prompter;
    FixedClock m_clock {QDateTime(QDate(2026, 12, 11), QTime(9, 30, 0))};
    QString m_pgDatabase;
    std::unique_ptr<AppContext> m_context;
    bool m_ready = false;
    QString m_error;
};

#define VARNEL_REQUIRE(db) \
    do { \
        if (!(db).isReady()) \
            QFAIL(qPrintable(QStringLiteral("test database not ready: ") + (db).error())); \
    } while (false)
