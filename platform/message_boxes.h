// The message boxes the game shows and asks with.
#pragma once

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

} // namespace tori
