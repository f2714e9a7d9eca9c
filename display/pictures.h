// The picture store: which stored picture each drawing code shows, and its
// size at 1x. The pictures themselves live in assets/images as <name>.png and,
// twice the size for HiDPI screens, <name>@2x.png.
#pragma once

#include "rules/state.h"

#include <array>

namespace tori {

struct PictureInfo {
    int code; // 0 empty square, a piece code, 1 title, 2..6 backgrounds
    const char* name; // file name without extension
    int width; // pixels at 1x
    int height;
};

inline constexpr int 題字 = 1; // the title plate
inline constexpr int 背景_緑 = 2;
inline constexpr int 背景_畳 = 3;
inline constexpr int 背景_竹 = 4;
inline constexpr int 背景_宇宙 = 5;
inline constexpr int 背景_煉瓦 = 6;

// Every stored picture, one row each.
const std::array<PictureInfo, 25>& allPictures();
// The row of a drawing code; null for a code that has no picture.
const PictureInfo* findPicture(int code);

} // namespace tori
