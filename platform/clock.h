#pragma once

// The program's one source of time. Code that waits or stamps a date asks the
// current clock, so tests can put a clock of their own in its place and move
// time on without waiting.

#include <QDateTime>
#include <QObject>
#include <cstdint>

namespace corvane {

class Clock : public QObject {
    Q_OBJECT
  public:
    ~Clock() override = default;
    // Local date and time, for stamps such as the queued time of a log entry.
    virtual QDateTime LocalNow() const = 0;
    // Milliseconds on a steady clock (never jumps with the wall clock), for timeouts.
    virtual std::int64_t ElapsedMs() const = 0;

  Q_SIGNALS:
    // Emitted by clocks whose time moves in jumps (the test clock), so that a
    // wait blocked on events can look at the time again.
    void Moved();
};

class SystemClock final : public Clock {
  public:
    QDateTime LocalNow() const override;
    std::int64_t ElapsedMs() const override;
};

// A clock that stands still until told to move; for tests.
class ManualClock final : public Clock {
  public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2008, 5, 5), QTime(14, 3, 9)));
    QDateTime LocalNow() const override;
    std::int64_t ElapsedMs() const override;
    void Advance(std::int64_t ms);

  private:
    QDateTime start_;
    std::int64_t elapsed_ms_ = 0;
};

// The clock in use; the system clock unless one was installed.
Clock& CurrentClock();
// Installs a clock (not owned) and returns the previous one; nullptr restores the system clock.
Clock* SetClock(Clock* clock);

}  // namespace corvane
