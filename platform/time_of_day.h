// The wall clock the game reads for its clock and its busy waits.
#pragma once

namespace tori {

class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    // Seconds since midnight, with fractions.
    virtual double 秒() = 0;
};

} // namespace tori
