// The check marks of the menu.
#pragma once

#include <string>

namespace tori {

// Check marks of the menu entries, by control name (platform/menu_names.h).
// The marks are the authoritative state of the options.
class Menu {
public:
    virtual ~Menu() = default;
    virtual bool checked(const std::string& name) const = 0;
    virtual void setChecked(const std::string& name, bool on) = 0;
};

} // namespace tori
