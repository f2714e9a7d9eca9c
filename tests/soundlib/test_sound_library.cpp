// The sound library itself, opened as the game opens it, playing into SDL's
// disk driver: what the mixer would send to the speakers lands in a raw file
// of 16-bit stereo frames at 44100 Hz.

#include "tests/soundlib/library.h"
#include "tests/soundlib/wave_bytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <thread>
#include <unistd.h>

using namespace tori::testing;
namespace fs = std::filesystem;

namespace {

constexpr double bytesPerSecond = 44100 * 4;
// The mixer converts through floating point and may round a sample by a step.
constexpr int rounding = 2;

class DiskAudio : public ::testing::Test {
protected:
    const SoundApi& ds = soundApi();
    fs::path dir;
    std::string output;
    int32_t lib = 0;

    void SetUp() override
    {
        char pattern[] = "/tmp/zr-sound-XXXXXX";
        dir = mkdtemp(pattern);
        output = (dir / "out.raw").string();
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    }
    void TearDown() override
    {
        ds.dsTerminate(lib);
        fs::remove_all(dir);
    }

    uintmax_t written() const
    {
        std::error_code e;
        const uintmax_t n = fs::file_size(output, e);
        return e ? 0 : n;
    }
    // Waits until the device has taken `seconds` more of sound, however busy
    // the machine is.
    void waitFor(double seconds)
    {
        const uintmax_t target = written() + uintmax_t(seconds * bytesPerSecond);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (written() < target && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_GE(written(), target) << "the disk driver stopped writing";
    }
    // Closes the device, so that everything mixed is in the file.
    std::vector<int16_t> finish()
    {
        ds.dsTerminate(lib);
        lib = 0;
        return rawSamples(output);
    }
    int32_t create(const Bytes& wave, int32_t count)
    {
        return ds.dsCreateDSB(lib, wave.data(), int32_t(wave.size()), count);
    }
};

// 50 samples up, 50 down.
std::vector<int16_t> square(int frames)
{
    std::vector<int16_t> s(frames);
    for (int i = 0; i < frames; ++i)
        s[i] = (i % 100) < 50 ? 12000 : -12000;
    return s;
}

size_t firstNonZero(const std::vector<int16_t>& s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == 0)
        ++i;
    return i;
}

size_t lastNonZero(const std::vector<int16_t>& s)
{
    size_t i = s.size();
    while (i > 0 && s[i - 1] == 0)
        --i;
    return i; // one past
}

} // namespace

TEST_F(DiskAudio, APlayedSoundReachesTheOutputWholeAndUnchanged)
{
    lib = ds.dsInitialize(0);
    ASSERT_NE(lib, 0);
    const int32_t buffer = create(monoWave(square(11025)), 3);
    ASSERT_NE(buffer, 0);
    waitFor(0.1);
    ds.dsPlay(buffer);
    waitFor(0.6);
    const auto out = finish();

    const size_t first = firstNonZero(out);
    ASSERT_LT(first, out.size()) << "nothing was played";
    EXPECT_GT(first, 0u) << "the output should start with silence";
    EXPECT_EQ(lastNonZero(out) - first, 2u * 11025)
        << "every frame of the sound, on both channels, once";
    for (size_t i = first; i < first + 2 * 11025 && i < out.size(); ++i)
        ASSERT_NEAR(out[i], (((i - first) / 2) % 100) < 50 ? 12000 : -12000, rounding)
            << "at sample " << i;
}

TEST_F(DiskAudio, ALoopRepeatsWithoutAGapUntilStopped)
{
    lib = ds.dsInitialize(0);
    ASSERT_NE(lib, 0);
    const int32_t buffer = create(monoWave(square(4400)), 1);
    ASSERT_NE(buffer, 0);
    ds.dsPlayLooping(buffer);
    waitFor(0.4);
    ds.dsPlayLooping(buffer); // already looping: goes on without a restart
    waitFor(0.3);
    ds.dsStop(buffer);
    waitFor(0.2);
    const auto out = finish();

    const size_t first = firstNonZero(out), end = lastNonZero(out);
    ASSERT_LT(first, end);
    EXPECT_GE((end - first) / 2, 3u * 4400) << "the loop should have gone round several times";
    for (size_t i = first; i < end; ++i)
        ASSERT_NEAR(out[i], (((i - first) / 2) % 100) < 50 ? 12000 : -12000, rounding)
            << "a seam or a restart at sample " << i << " of the loop";
    EXPECT_GE(out.size() - end, size_t(0.1 * bytesPerSecond / 2))
        << "the stop should leave silence";
}

TEST_F(DiskAudio, TheCountIsHowManyCopiesSoundAtOnce)
{
    lib = ds.dsInitialize(0);
    ASSERT_NE(lib, 0);
    const int32_t two = create(monoWave(constant(8000, 22050)), 2);
    const int32_t one = create(monoWave(constant(5000, 22050)), 1);
    ASSERT_NE(two, 0);
    ASSERT_NE(one, 0);
    ds.dsPlay(two);
    ds.dsPlay(two);
    ds.dsPlay(two); // the oldest copy starts again: still two
    waitFor(0.8);
    ds.dsPlay(one);
    ds.dsPlay(one);
    waitFor(0.8);
    const auto out = finish();

    // Two copies of the first sound at once, never three; one of the second.
    std::set<int> levels;
    for (const int16_t s : out)
        levels.insert((s + 50) / 100 * 100);
    EXPECT_EQ(levels, (std::set<int> { 0, 5000, 16000 }));
}

TEST_F(DiskAudio, HandlesOfNothingAreAcceptedAndDoNothing)
{
    const Bytes wave = monoWave(square(4400));
    // Before the device is open.
    ds.dsPlay(0);
    ds.dsPlayLooping(0);
    ds.dsStop(0);
    ds.dsFree(0);
    ds.dsTerminate(0);
    ds.dsPlay(77);
    ds.dsFree(77);
    ds.dsTerminate(77);
    EXPECT_EQ(ds.dsCreateDSB(0, wave.data(), int32_t(wave.size()), 1), 0);
    EXPECT_EQ(ds.dsCreateDSB(77, wave.data(), int32_t(wave.size()), 1), 0);

    lib = ds.dsInitialize(0);
    ASSERT_NE(lib, 0);
    EXPECT_EQ(ds.dsInitialize(0), lib) << "the open library is shared";
    EXPECT_EQ(create(wave, 0), 0);
    EXPECT_EQ(create(wave, 17), 0);
    EXPECT_EQ(ds.dsCreateDSB(lib + 1, wave.data(), int32_t(wave.size()), 1), 0);
    const int32_t freed = create(wave, 1);
    ASSERT_NE(freed, 0);
    ds.dsFree(freed);
    ds.dsPlay(0);
    ds.dsPlayLooping(0);
    ds.dsStop(0);
    ds.dsFree(0);
    ds.dsTerminate(0);
    ds.dsPlay(freed);
    ds.dsPlayLooping(freed);
    ds.dsPlay(freed + 100);
    const int32_t kept = create(wave, 1);
    EXPECT_NE(kept, 0) << "dsTerminate(0) must not close the library";
    EXPECT_NE(kept, freed);
    waitFor(0.3);
    ds.dsTerminate(lib);
    EXPECT_EQ(ds.dsCreateDSB(lib, wave.data(), int32_t(wave.size()), 1), 0)
        << "a closed library's handle";
    ds.dsPlay(kept);
    ds.dsFree(kept);
    lib = 0;

    const auto out = rawSamples(output);
    EXPECT_FALSE(out.empty());
    EXPECT_EQ(firstNonZero(out), out.size()) << "nothing may sound";
}

TEST_F(DiskAudio, MalformedOrTruncatedWaveDataIsRefused)
{
    lib = ds.dsInitialize(0);
    ASSERT_NE(lib, 0);
    const Bytes good = monoWave(square(1000));

    const Bytes cut(good.begin(), good.end() - 100); // the file ends in the middle of its samples
    const Bytes cutHeader(good.begin(), good.begin() + 30);
    Bytes notRiff = good;
    notRiff[0] = 'X';
    Bytes notWave = good;
    notWave[8] = 'X';
    Bytes riffTooBig = good; // the RIFF size claims more bytes than there are
    riffTooBig[4] += 2;
    Bytes dataTooBig = good; // the data chunk runs past the RIFF end
    dataTooBig[40] += 2;
    Bytes halfFrame = riff({ fmtChunk(1, 16), dataChunk(square(10)) });
    halfFrame[4] -= 1; // 19 bytes of 16-bit samples: the RIFF and data sizes agree
    halfFrame[40] -= 1;
    halfFrame.pop_back();
    Bytes dataFirst = riff({ dataChunk(square(100)), fmtChunk(1, 16) });
    Bytes noData = riff({ fmtChunk(1, 16) });
    Bytes emptyData = riff({ fmtChunk(1, 16), dataChunk({}) });
    Bytes twentyFour = riff({ fmtChunk(1, 24), dataChunk(square(99)) });
    Bytes sixChannels = riff({ fmtChunk(6, 16), dataChunk(square(600)) });
    Bytes compressed = riff({ fmtChunk(1, 16, 44100, 2), dataChunk(square(100)) });
    Bytes zeroRate = riff({ fmtChunk(1, 16, 0), dataChunk(square(100)) });
    Bytes text = { 'B', 'G', 'M' };

    const std::pair<const char*, const Bytes*> bad[] = {
        { "cut", &cut },
        { "cutHeader", &cutHeader },
        { "notRiff", &notRiff },
        { "notWave", &notWave },
        { "riffTooBig", &riffTooBig },
        { "dataTooBig", &dataTooBig },
        { "halfFrame", &halfFrame },
        { "dataFirst", &dataFirst },
        { "noData", &noData },
        { "emptyData", &emptyData },
        { "twentyFour", &twentyFour },
        { "sixChannels", &sixChannels },
        { "compressed", &compressed },
        { "zeroRate", &zeroRate },
        { "text", &text },
    };
    for (const auto& [name, bytes] : bad) {
        // An exact-size copy, so that reading past the end shows under the
        // address sanitizer.
        std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes->size()]);
        std::memcpy(copy.get(), bytes->data(), bytes->size());
        EXPECT_EQ(ds.dsCreateDSB(lib, copy.get(), int32_t(bytes->size()), 1), 0) << name;
    }
    EXPECT_EQ(ds.dsCreateDSB(lib, nullptr, 100, 1), 0);
    EXPECT_EQ(ds.dsCreateDSB(lib, good.data(), -1, 1), 0);
    EXPECT_EQ(ds.dsCreateDSB(lib, good.data(), 0, 1), 0);

    // What a well-made file may also hold is accepted.
    Bytes list;
    putTag(list, "LIST");
    put32(list, 5);
    list.insert(list.end(), { 'I', 'N', 'F', 'O', 'x', 0 }); // odd size, padded
    Bytes trailing = good;
    trailing.insert(trailing.end(), 7, 0xAB); // bytes after the RIFF end
    const Bytes stereo8 = [] {
        Bytes d;
        putTag(d, "data");
        put32(d, 8);
        d.insert(d.end(), { 0x80, 0x80, 0xC0, 0x40, 0x80, 0x80, 0xC0, 0x40 });
        return riff({ fmtChunk(2, 8, 22050), d });
    }();
    const std::pair<const char*, Bytes> fine[] = {
        { "good", good },
        { "list", riff({ list, fmtChunk(1, 16), dataChunk(square(100)) }) },
        { "trailing", trailing },
        { "stereo8", stereo8 },
    };
    for (const auto& [name, bytes] : fine)
        EXPECT_NE(ds.dsCreateDSB(lib, bytes.data(), int32_t(bytes.size()), 1), 0) << name;
}

TEST_F(DiskAudio, NoAudioDeviceGivesALibraryHandleOfNothing)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(ds.dsInitialize(0), 0);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    lib = ds.dsInitialize(0);
    EXPECT_NE(lib, 0) << "a failed start must not spoil the next one";
}

TEST_F(DiskAudio, TheGamesOwnWaveFilesAreAccepted)
{
    lib = ds.dsInitialize(0);
    ASSERT_NE(lib, 0);
    for (const char* name : { "その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav" }) {
        const std::string bytes = fileBytes(std::string(ZR_RUNTIME_DIR) + "/" + name);
        ASSERT_FALSE(bytes.empty()) << name << " is missing from the run-time folder";
        EXPECT_NE(ds.dsCreateDSB(lib, bytes.data(), int32_t(bytes.size()), 1), 0) << name;
    }
}
