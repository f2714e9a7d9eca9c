// The game's five sounds.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tori {

// The buffers in the order they are created and released.
enum class 音 { その他 = 0, 禁止 = 1, 駒打音 = 2, BGM = 3, 秒読み = 4 };
// How many there are.
inline constexpr int 音の数 = 5;

class Sounds {
public:
    virtual ~Sounds() = default;
    // Opens the library and creates the five buffers from the wave files of the
    // program's own folders (settings/locations.h). Returns the (title, text) of every message
    // box the player should see about failures; missing pieces play silently.
    virtual std::vector<std::pair<std::string, std::string>> 開始() = 0;
    virtual void dsPlay(音 buffer) = 0;
    virtual void dsPlayLooping(音 buffer) = 0;
    virtual void dsStop(音 buffer) = 0;
    // Frees the five buffers in order, then closes the library.
    virtual void 終了() = 0;
};

} // namespace tori
