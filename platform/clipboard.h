// The system clipboard, for positions passed to and from other programs.
#pragma once

#include <string>

namespace tori {

// The clipboard's plain text, UTF-8.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

} // namespace tori
