// The clock's timer.
#pragma once

namespace tori {

// The one 50 ms timer, Timer1.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;
};

} // namespace tori
