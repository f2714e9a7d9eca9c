// Wave files built in memory for the sound tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tori::testing {

using Bytes = std::vector<unsigned char>;

inline void put32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back((v >> (8 * i)) & 0xFF);
}
inline void put16(Bytes& b, unsigned v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
inline void putTag(Bytes& b, const char* t)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(t[i]));
}

inline Bytes fmtChunk(unsigned channels, unsigned bits, uint32_t rate = 44100, unsigned tag = 1)
{
    Bytes b;
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * bits / 8);
    put16(b, channels * bits / 8);
    put16(b, bits);
    return b;
}

inline Bytes dataChunk(const std::vector<int16_t>& samples)
{
    Bytes b;
    putTag(b, "data");
    put32(b, uint32_t(samples.size() * 2));
    for (const int16_t s : samples)
        put16(b, uint16_t(s));
    return b;
}

// "RIFF" size "WAVE" and the chunks as given.
inline Bytes riff(const std::vector<Bytes>& chunks)
{
    Bytes body;
    putTag(body, "WAVE");
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    putTag(b, "RIFF");
    put32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// 16-bit mono at 44100 Hz.
inline Bytes monoWave(const std::vector<int16_t>& samples)
{
    return riff({ fmtChunk(1, 16), dataChunk(samples) });
}

inline std::vector<int16_t> constant(int16_t value, int frames)
{
    return std::vector<int16_t>(frames, value);
}

inline std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The 16-bit samples of a raw little-endian file, as the disk audio driver writes them.
inline std::vector<int16_t> rawSamples(const std::string& path)
{
    const std::string bytes = fileBytes(path);
    std::vector<int16_t> s(bytes.size() / 2);
    std::memcpy(s.data(), bytes.data(), s.size() * 2);
    return s;
}

} // namespace tori::testing
