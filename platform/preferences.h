// The player's choices beyond the four lines of "ZR鳥将棋.ini": the time
// limit, the language, the piece set, the evaluation display. Kept in a file
// of their own (zr-torishogi.conf), so that the old settings file stays as
// every earlier version wrote it.
#pragma once

#include <charconv>
#include <string>

namespace tori {

class Preferences {
public:
    virtual ~Preferences() = default;
    // The value kept under `key` ("group/name"), or `fallback` when there is none.
    virtual std::string value(const std::string& key, const std::string& fallback) const = 0;
    // Keeps the value at once, so that a crash loses no choice.
    virtual void setValue(const std::string& key, const std::string& value) = 0;
};

// A whole number kept under `key`, or `fallback` when there is none, it is no
// number, or it lies outside lo..hi (a hand-edited file cannot set a clock of
// minus five minutes).
inline int intPreference(
    const Preferences& prefs, const std::string& key, int fallback, int lo, int hi)
{
    const std::string text = prefs.value(key, "");
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || n < lo
        || n > hi)
        return fallback;
    return n;
}

} // namespace tori
