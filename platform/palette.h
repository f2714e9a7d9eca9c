// The classic 16-colour palette that every colour index of the game names, and
// the names of the entries the game draws in.
#pragma once

#include <array>
#include <cstdint>

namespace tori {

struct Rgb {
    std::uint8_t r, g, b;
};

inline constexpr std::array<Rgb, 16> パレット { {
    { 0, 0, 0 }, // 0 black
    { 0, 0, 128 }, // 1 blue
    { 0, 128, 0 }, // 2 green, the window and the square outlines
    { 0, 128, 128 }, // 3 cyan
    { 128, 0, 0 }, // 4 red
    { 128, 0, 128 }, // 5 magenta
    { 128, 128, 0 }, // 6 olive
    { 192, 192, 192 }, // 7 light grey
    { 128, 128, 128 }, // 8 dark grey
    { 0, 0, 255 }, // 9 light blue
    { 0, 255, 0 }, // 10 light green
    { 0, 255, 255 }, // 11 light cyan
    { 255, 0, 0 }, // 12 light red, the selection and the hand counts
    { 255, 0, 255 }, // 13 light magenta
    { 255, 255, 0 }, // 14 yellow, the board labels
    { 255, 255, 255 }, // 15 white
} };

// The entries by their colour.
inline constexpr int 黒 = 0; // the shadow under a text
inline constexpr int 明赤 = 12; // the selection and the hand counts
inline constexpr int 黄 = 14; // the board labels
inline constexpr int 白 = 15;

// The entries by what they colour.
inline constexpr int 窓背景色 = 2; // the window's own ground, green
inline constexpr int 桝枠色 = 2; // the normal square outline, the board ground colour
inline constexpr int 選択色 = 明赤; // the outline of the selected square

inline constexpr bool パレット色(int colour) { return colour >= 0 && colour < 16; }

} // namespace tori
