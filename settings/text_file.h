// Shift-JIS text files with CR LF line ends, as the settings file and the game
// records are stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tori {

// UTF-8 to Shift-JIS (code page 932). Characters without a Shift-JIS form
// become '?' and make *ok false.
std::string utf8ToShiftJis(const std::string& utf8, bool* ok = nullptr);
// Shift-JIS to UTF-8; bytes that are not valid Shift-JIS become U+FFFD.
std::string shiftJisToUtf8(const std::string& sjis);

// The game's text files are small; a larger file is not read at all.
inline constexpr std::uintmax_t 最大テキストファイルサイズ = 1 << 20;

// The lines of a Shift-JIS file as UTF-8, without their CR LF (a lone LF ends
// a line too); nullopt when the file cannot be opened or read, when it is no
// regular file (a directory, a pipe, a device), or when it holds more than
// maxBytes bytes: its size is checked before anything is read into memory,
// and *tooLarge says which of these it was.
std::optional<std::vector<std::string>> readShiftJisLines(const std::string& path,
    std::uintmax_t maxBytes = 最大テキストファイルサイズ, bool* tooLarge = nullptr);
// Writes the lines in Shift-JIS, each ended by CR LF, to a temporary file in
// the same directory and renames it over `path`, so that a failure never
// leaves a half-written file behind. On failure returns false and says why in
// *error (in Japanese, for a message box).
bool writeShiftJisLines(
    const std::string& path, const std::vector<std::string>& lines, std::string* error = nullptr);

} // namespace tori
