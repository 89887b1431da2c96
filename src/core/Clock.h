#pragma once

#include <QDate>
#include <QDateTime>

// Today and now. The database's own date() is never used: SQLite's is UTC.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still at a chosen moment (tests, benchmarks).
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime moment)
        : m_moment(std::move(moment))
    {
    }
    QDateTime now() const override { return m_moment; }
    void set(QDateTime moment) { m_moment = std::move(moment); }

private:
    QDateTime m_moment;
};
