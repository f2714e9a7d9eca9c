// The rest of what the game's handlers need from the platform: message boxes
// and the clock timer. The window provides Qt versions; tests
// use scripted ones that record what was asked and answer from a script.
#pragma once

#include "display/ports.h"

#include <string>

namespace tori {

class MessageBoxes {
public:
    enum class Icon { None, Exclamation };
    virtual ~MessageBoxes() = default;
    // A box with one OK button.
    virtual void ok(const std::string& text, const std::string& title, Icon icon = Icon::None) = 0;
    // A box with Yes and No buttons; true for Yes.
    virtual bool yesNo(const std::string& text, const std::string& title) = 0;
};

// The one 50 ms timer, Timer1.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;
};

} // namespace tori
