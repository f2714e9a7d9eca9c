// A recording Sounds for tests: every call is logged as a line such as
// "dsPlay 禁止", "dsPlayLooping BGM", "dsStop BGM", "開始" or "終了".
#pragma once

#include "platform/sounds.h"

#include <string>
#include <utility>
#include <vector>

namespace tori::testing {

inline const char* soundName(音 buffer)
{
    switch (buffer) {
    case 音::その他:
        return "その他";
    case 音::禁止:
        return "禁止";
    case 音::駒打音:
        return "駒打音";
    case 音::BGM:
        return "BGM";
    }
    return "?";
}

class FakeSounds : public Sounds {
public:
    std::vector<std::string> log;
    // What 開始 reports, for tests of the message boxes at start-up.
    std::vector<std::pair<std::string, std::string>> startMessages;

    std::vector<std::pair<std::string, std::string>> 開始() override
    {
        log.push_back("開始");
        return startMessages;
    }
    void dsPlay(音 buffer) override { log.push_back(std::string("dsPlay ") + soundName(buffer)); }
    void dsPlayLooping(音 buffer) override
    {
        log.push_back(std::string("dsPlayLooping ") + soundName(buffer));
    }
    void dsStop(音 buffer) override { log.push_back(std::string("dsStop ") + soundName(buffer)); }
    void 終了() override { log.push_back("終了"); }
};

} // namespace tori::testing
