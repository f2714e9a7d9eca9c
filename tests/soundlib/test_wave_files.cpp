// The five committed wave files: their format, length and level, and the
// seam of the looping tune.

#include "tests/soundlib/wave_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tori::testing;

namespace {

struct Pcm {
    unsigned channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

// Reads the canonical 44-byte header the generator writes.
Pcm readWave(const std::string& path)
{
    const std::string b = fileBytes(path);
    Pcm p;
    if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 8, "WAVEfmt ") != 0
        || b.compare(36, 4, "data") != 0)
        return p;
    auto u16 = [&](size_t at) { return unsigned(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8)); };
    auto u32 = [&](size_t at) { return uint32_t(u16(at) | (u16(at + 2) << 16)); };
    if (u16(20) != 1 || u32(4) + 8 != b.size() || u32(40) + 44 != b.size())
        return p;
    p.channels = u16(22);
    p.rate = u32(24);
    p.bits = u16(34);
    for (size_t at = 44; at + 1 < b.size(); at += 2)
        p.samples.push_back(int16_t(u16(at)));
    return p;
}

double seconds(const Pcm& p) { return double(p.samples.size()) / p.rate; }

double peakDb(const Pcm& p)
{
    int peak = 0;
    for (const int16_t s : p.samples)
        peak = std::max(peak, std::abs(int(s)));
    return 20 * std::log10(peak / 32768.0);
}

} // namespace

TEST(WaveFiles, EachIsSixteenBitMonoOfTheRightLengthAndAnAudibleLevelWithoutClipping)
{
    struct Expect {
        const char* name;
        double shortest, longest;
    };
    for (const Expect& e : { Expect { "駒打音.wav", 0.15, 0.25 }, Expect { "禁止.wav", 0.15, 0.6 },
             Expect { "その他.wav", 0.3, 1.5 }, Expect { "BGM.wav", 20, 40 },
             Expect { "秒読み.wav", 0.03, 0.15 } }) {
        SCOPED_TRACE(e.name);
        const Pcm p = readWave(std::string(ZR_SOUND_SOURCES) + "/" + e.name);
        ASSERT_EQ(p.channels, 1u);
        EXPECT_EQ(p.rate, 44100u);
        EXPECT_EQ(p.bits, 16u);
        EXPECT_GE(seconds(p), e.shortest);
        EXPECT_LE(seconds(p), e.longest);
        EXPECT_LT(peakDb(p), -1.0);
        EXPECT_GT(peakDb(p), -20.0);
        EXPECT_EQ(fileBytes(std::string(ZR_RUNTIME_DIR) + "/" + e.name),
            fileBytes(std::string(ZR_SOUND_SOURCES) + "/" + e.name))
            << "the run-time folder holds a stale copy";
    }
}

TEST(WaveFiles, TheOneShotSoundsEndInSilence)
{
    for (const char* name : { "駒打音.wav", "禁止.wav", "その他.wav", "秒読み.wav" }) {
        const Pcm p = readWave(std::string(ZR_SOUND_SOURCES) + "/" + name);
        ASSERT_FALSE(p.samples.empty()) << name;
        EXPECT_LE(std::abs(int(p.samples.back())), 8) << name << " would end with a click";
        EXPECT_LE(std::abs(int(p.samples.front())), 8) << name << " would start with a click";
    }
}

TEST(WaveFiles, TheTuneGoesRoundWithoutASeam)
{
    const Pcm p = readWave(std::string(ZR_SOUND_SOURCES) + "/BGM.wav");
    ASSERT_GT(p.samples.size(), 1000u);
    std::vector<int> steps;
    for (size_t i = 1; i < p.samples.size(); ++i)
        steps.push_back(std::abs(p.samples[i] - p.samples[i - 1]));
    std::sort(steps.begin(), steps.end());
    const int typical = steps[steps.size() * 99 / 100];
    const int seam = std::abs(p.samples.front() - p.samples.back());
    EXPECT_LE(seam, typical) << "the jump from the last sample to the first is a click";
}
