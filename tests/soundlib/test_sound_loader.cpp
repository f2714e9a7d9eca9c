// SoundLibrary: the game's side of the sound library, opened from the folder
// the game runs in.

#include "settings/sound_library.h"
#include "tests/soundlib/library.h"
#include "tests/soundlib/wave_bytes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <unistd.h>

using namespace tori;
using namespace tori::testing;
namespace fs = std::filesystem;

namespace {

using Boxes = std::vector<std::pair<std::string, std::string>>;
const char* const waveNames[] = { "その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "秒読み.wav" };
const 音 allSounds[] = { 音::その他, 音::禁止, 音::駒打音, 音::BGM, 音::秒読み };

class GameFolder : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override
    {
        char pattern[] = "/tmp/zr-loader-XXXXXX";
        dir = mkdtemp(pattern);
        unsetenv("ZR_RECORDING_INIT");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (dir / "out.raw").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("ZR_RECORDING_INIT");
        fs::remove_all(dir);
    }
    void put(const std::string& name, const std::string& bytes)
    {
        std::ofstream out(dir / name, std::ios::binary);
        out << bytes;
    }
    void linkLibrary(const std::string& target) { fs::create_symlink(target, dir / "ZR鳥将棋.so"); }
    void copyGameWaves()
    {
        for (const char* name : waveNames)
            fs::copy_file(fs::path(ZR_RUNTIME_DIR) / name, dir / name);
    }
};

// The calls the recording library has seen since the last look.
std::vector<std::string> recorded()
{
    void* module = dlopen(RECORDING_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    if (!module)
        return { "(the recording library is not loaded)" };
    auto calls = reinterpret_cast<const char* (*)()>(dlsym(module, "recordedCalls"));
    auto clear = reinterpret_cast<void (*)()>(dlsym(module, "clearRecordedCalls"));
    std::vector<std::string> lines;
    std::string all = calls();
    for (size_t at = 0, end; (end = all.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(all.substr(at, end - at));
    clear();
    dlclose(module);
    return lines;
}

using Lines = std::vector<std::string>;

} // namespace

TEST_F(GameFolder, WithoutTheLibraryTheGameIsQuietAndEveryCallStillWorks)
{
    copyGameWaves();
    SoundLibrary sounds(dir.string());
    EXPECT_TRUE(sounds.開始().empty()) << "a missing library is not worth a box at every start";
    EXPECT_FALSE(sounds.libraryLoaded());
    EXPECT_EQ(sounds.libraryHandle(), 0);
    for (const 音 s : allSounds) {
        EXPECT_EQ(sounds.bufferHandle(s), 0);
        sounds.dsPlay(s);
        sounds.dsPlayLooping(s);
        sounds.dsStop(s);
    }
    sounds.終了();
    EXPECT_TRUE(sounds.開始().empty());
    sounds.dsPlay(音::駒打音);
    sounds.終了();
    sounds.終了();
}

TEST_F(GameFolder, TheBuffersAreMadeInOrderAndFreedInOrderBeforeTheLibraryCloses)
{
    linkLibrary(RECORDING_LIBRARY);
    for (const char* name : waveNames)
        put(name, std::string("<") + name + ">");
    {
        SoundLibrary sounds(dir.string());
        EXPECT_TRUE(sounds.開始().empty());
        EXPECT_EQ(recorded(),
            (Lines { "dsInitialize 0", "dsCreateDSB 5 <その他.wav> 3", "dsCreateDSB 5 <禁止.wav> 3",
                "dsCreateDSB 5 <駒打音.wav> 3", "dsCreateDSB 5 <BGM.wav> 1",
                "dsCreateDSB 5 <秒読み.wav> 2" }));
        EXPECT_TRUE(sounds.開始().empty());
        EXPECT_TRUE(recorded().empty()) << "a second start keeps what is open";

        sounds.dsPlay(音::禁止);
        sounds.dsPlay(音::駒打音);
        sounds.dsPlay(音::その他);
        sounds.dsPlayLooping(音::BGM);
        sounds.dsStop(音::BGM);
        sounds.dsPlay(音::秒読み);
        sounds.終了();
        EXPECT_EQ(recorded(),
            (Lines { "dsPlay 102", "dsPlay 103", "dsPlay 101", "dsPlayLooping 104", "dsStop 104",
                "dsPlay 105", "dsFree 101", "dsFree 102", "dsFree 103", "dsFree 104", "dsFree 105",
                "dsTerminate 5" }));
        sounds.終了();
        EXPECT_TRUE(recorded().empty());

        EXPECT_TRUE(sounds.開始().empty());
        EXPECT_EQ(recorded().size(), 6u) << "after 終了 a start opens everything again";
    }
    EXPECT_EQ(recorded(),
        (Lines { "dsFree 101", "dsFree 102", "dsFree 103", "dsFree 104", "dsFree 105",
            "dsTerminate 5" }))
        << "the game closing without 終了 still releases the sound";
}

TEST_F(GameFolder, AMissingWaveIsSilentAnUnreadableOneIsReported)
{
    linkLibrary(RECORDING_LIBRARY);
    put("その他.wav", "<その他>");
    fs::create_directory(dir / "禁止.wav");
    put("駒打音.wav", "bad");
    SoundLibrary sounds(dir.string());
    EXPECT_EQ(sounds.開始(),
        (Boxes { { "ZR鳥将棋.dll",
                     std::string("禁止.wav を読み込めません。\n") + std::strerror(EISDIR) },
            { "ZR鳥将棋.dll", "駒打音.wav は再生できる音声ファイルではありません。" } }));
    EXPECT_EQ(recorded(),
        (Lines { "dsInitialize 0", "dsCreateDSB 5 <その他> 3", "dsCreateDSB 5 bad 3" }));
    EXPECT_EQ(sounds.bufferHandle(音::その他), 101);
    EXPECT_EQ(sounds.bufferHandle(音::禁止), 0);
    EXPECT_EQ(sounds.bufferHandle(音::駒打音), 0);
    EXPECT_EQ(sounds.bufferHandle(音::BGM), 0);
    sounds.dsPlay(音::禁止);
    sounds.dsPlayLooping(音::BGM);
    sounds.終了();
    EXPECT_EQ(recorded(),
        (Lines { "dsPlay 0", "dsPlayLooping 0", "dsFree 101", "dsFree 0", "dsFree 0", "dsFree 0",
            "dsFree 0", "dsTerminate 5" }));
}

TEST_F(GameFolder, ALibraryWithoutADeviceSaysSoAndMakesNoBuffers)
{
    linkLibrary(RECORDING_LIBRARY);
    copyGameWaves();
    setenv("ZR_RECORDING_INIT", "0", 1);
    SoundLibrary sounds(dir.string());
    EXPECT_EQ(sounds.開始(),
        (Boxes { { "ZR鳥将棋.dll", "Direct Soundインターフェースが作成できません。" } }));
    sounds.dsPlay(音::駒打音);
    sounds.終了();
    EXPECT_EQ(recorded(),
        (Lines { "dsInitialize 0", "dsPlay 0", "dsFree 0", "dsFree 0", "dsFree 0", "dsFree 0",
            "dsFree 0" }))
        << "no dsTerminate for a library handle of 0";
}

TEST_F(GameFolder, ADamagedLibraryFileIsReportedAndTheGameStaysQuiet)
{
    put("ZR鳥将棋.so", "not a library");
    SoundLibrary sounds(dir.string());
    const Boxes boxes = sounds.開始();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, "ZR鳥将棋.dll");
    EXPECT_EQ(boxes[0].second.rfind("ZR鳥将棋.so を読み込めません。", 0), 0u) << boxes[0].second;
    EXPECT_FALSE(sounds.libraryLoaded());
    sounds.dsPlay(音::禁止);
    sounds.終了();
}

TEST_F(GameFolder, TheRealLibraryPlaysTheGamesSoundsIntoTheDevice)
{
    linkLibrary(realLibraryPath);
    copyGameWaves();
    SoundLibrary sounds(dir.string());
    EXPECT_TRUE(sounds.開始().empty());
    ASSERT_NE(sounds.libraryHandle(), 0);
    std::set<int32_t> handles;
    for (const 音 s : allSounds)
        handles.insert(sounds.bufferHandle(s));
    EXPECT_EQ(handles.size(), std::size(allSounds));
    EXPECT_EQ(handles.count(0), 0u);

    sounds.dsPlay(音::駒打音);
    const fs::path out = dir / "out.raw";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::error_code e;
    while ((fs::file_size(out, e) < uintmax_t(0.5 * 44100 * 4) || e)
        && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sounds.終了();
    EXPECT_EQ(sounds.libraryHandle(), 0);
    EXPECT_EQ(sounds.bufferHandle(音::駒打音), 0);

    const auto samples = rawSamples(out.string());
    int peak = 0;
    for (const int16_t s : samples)
        peak = std::max(peak, std::abs(int(s)));
    // The clack as it is in its file: mono to both channels, unchanged.
    const std::string wave = fileBytes((dir / "駒打音.wav").string());
    int wavePeak = 0;
    for (size_t i = 44; i + 1 < wave.size(); i += 2)
        wavePeak = std::max(
            wavePeak, std::abs(int(int16_t(uint8_t(wave[i]) | (uint8_t(wave[i + 1]) << 8)))));
    EXPECT_GT(wavePeak, 0);
    EXPECT_NEAR(peak, wavePeak, 2); // the mixer's conversion may round by a step
}

TEST_F(GameFolder, TheRealLibraryWithoutADeviceGivesTheGamesMessage)
{
    linkLibrary(realLibraryPath);
    copyGameWaves();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundLibrary sounds(dir.string());
    EXPECT_EQ(sounds.開始(),
        (Boxes { { "ZR鳥将棋.dll", "Direct Soundインターフェースが作成できません。" } }));
    for (const 音 s : allSounds)
        EXPECT_EQ(sounds.bufferHandle(s), 0);
    sounds.dsPlayLooping(音::BGM);
    sounds.終了();
}
