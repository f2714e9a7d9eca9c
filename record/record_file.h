// Game-record files "*.棋譜": three header lines (game name, the upper side's
// player, the lower side's player) and one 37-character fixed-column line per
// move, in Shift-JIS with CR LF.
//
// Move line columns: 1-2 from-column, 3 from-row, 4 to-column, 5 to-row,
// 6-9 code after the move, 10-13 code before it, 14-17 captured code,
// 18-22 / 23-27 / 28-32 / 33-37 the four times in whole seconds; numbers are
// right-aligned with spaces.
#pragma once

#include "rules/state.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tori {

// A record holds at most 最大手数 moves of 37 characters under three short
// header lines: a file larger than this is not a record.
inline constexpr std::uintmax_t 最大棋譜ファイルサイズ = 1 << 20;

// The text as one line of a record file: CR, LF, TAB and every other control
// character become a space. A header line with a line break in it would
// shift every move line of the record.
std::string 制御文字置換(const std::string& text);

// The move line of record entry n.
std::string 棋譜行(const GameState& g, int n);

// Writes moves 1..記録手数 under the three header lines (UTF-8; stored as
// Shift-JIS). The file is replaced only when the whole record has been written.
// A record that the reader would not load back whole (a move that does not
// follow from the starting position and the moves before it) is not written
// at all. On failure returns false with the reason in *error.
bool 書込_棋譜(const std::string& path, const std::array<std::string, 3>& header,
    const GameState& g, std::string* error);

struct 棋譜読込結果 {
    bool 開けた = false; // false: the file could not be opened or read
    bool 大きすぎる = false; // not opened because it is larger than 最大棋譜ファイルサイズ
    std::array<std::string, 3>
        見出し; // header lines as UTF-8 (invalid bytes as U+FFFD), "" when missing
    int 手数 = 0; // move lines accepted into the record
    bool 途中まで = false; // a line was refused (or more than 500 moves): the rest was not read
    int 拒否行 = 0; // the refused move's number (1-based), when 途中まで
};

// Reads a record into the record arrays of g, entries 1..手数. A record file is
// untrusted: each move line is checked field by field and against the position
// that the lines before it reach from the starting position (the piece stands
// on its from-square or is in its owner's hand, the captured code stands on the
// target, the placed code is the piece or its promotion); loading stops at the
// first bad line and at 500 moves. Trailing lines that are empty, blank or a
// DOS end-of-file mark (0x1A) are no moves. Short or non-numeric time fields
// read as 0. A file larger than 最大棋譜ファイルサイズ is not read.
// Only the record entries change; the board and the rest of g are untouched.
棋譜読込結果 読込_棋譜(const std::string& path, GameState& g);
// The same check over the lines of a record already read (UTF-8, without their
// line ends): what 読込_棋譜 does once the file has been read.
棋譜読込結果 解析_棋譜(const std::vector<std::string>& lines, GameState& g);

} // namespace tori
