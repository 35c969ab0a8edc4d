#include "platform/clock.h"

#include <QElapsedTimer>

namespace corvane {

QDateTime SystemClock::LocalNow() const {
    return QDateTime::currentDateTime();
}

std::int64_t SystemClock::ElapsedMs() const {
    static const QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return started.elapsed();
}

ManualClock::ManualClock(QDateTime start) : start_(std::move(start)) {}

QDateTime ManualClock::LocalNow() const {
    return start_.addMSecs(elapsed_ms_);
}

std::int64_t ManualClock::ElapsedMs() const {
    return elapsed_ms_;
}

void ManualClock::Advance(std::int64_t ms) {
    elapsed_ms_ += ms;
    Q_EMIT Moved();
}

namespace {
Clock*& Installed() {
    static Clock* clock = nullptr;
    return clock;
}
}  // namespace

Clock& CurrentClock() {
    static SystemClock system;
    Clock* installed = Installed();
    return installed != nullptr ? *installed : system;
}

Clock* SetClock(Clock* clock) {
    Clock* previous = Installed();
    Installed() = clock;
    return previous;
}

}  // namespace corvane
