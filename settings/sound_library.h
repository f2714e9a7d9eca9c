// The game's sounds through the sound library "ZR鳥将棋.so", opened at run
// time from the folder the game finds it in (settings/locations.h). Without
// the library the game is simply silent: every call still works and does
// nothing.
#pragma once

#include "platform/sounds.h"

#include <array>
#include <cstdint>
#include <string>

namespace tori {

class SoundLibrary : public Sounds {
public:
    // `folder` is where the library and the wave files are looked for.
    explicit SoundLibrary(std::string folder = ".");
    // The library in one folder, the wave files in another, as installed.
    SoundLibrary(std::string libraryFolder, std::string waveFolder);
    ~SoundLibrary() override;
    SoundLibrary(const SoundLibrary&) = delete;
    SoundLibrary& operator=(const SoundLibrary&) = delete;

    // Running again while started (start-up runs again when a record is
    // loaded) keeps the library, the buffers and a tune already looping.
    std::vector<std::pair<std::string, std::string>> 開始() override;
    void dsPlay(音 buffer) override;
    void dsPlayLooping(音 buffer) override;
    void dsStop(音 buffer) override;
    void 終了() override;

    bool libraryLoaded() const { return module != nullptr; }
    int32_t libraryHandle() const { return handle; }
    int32_t bufferHandle(音 buffer) const { return buffers[static_cast<int>(buffer)]; }

private:
    struct Api {
        int32_t (*dsInitialize)(int32_t) = nullptr;
        int32_t (*dsCreateDSB)(int32_t, const void*, int32_t, int32_t) = nullptr;
        void (*dsPlay)(int32_t) = nullptr;
        void (*dsPlayLooping)(int32_t) = nullptr;
        void (*dsStop)(int32_t) = nullptr;
        void (*dsFree)(int32_t) = nullptr;
        void (*dsTerminate)(int32_t) = nullptr;
    };

    std::string libraryFolder;
    std::string waveFolder;
    void* module = nullptr;
    Api api;
    bool started = false;
    int32_t handle = 0;
    std::array<int32_t, 音の数> buffers {};
};

} // namespace tori
