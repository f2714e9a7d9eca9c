// The sound library on SDL2_mixer. One audio device, opened by dsInitialize;
// each buffer owns `count` mixer channels, so that up to `count` copies of its
// sound can overlap. The mixer loops a chunk sample for sample, which keeps a
// looping tune free of gaps and clicks as long as the wave's end joins its
// start.

#include "soundlib/sound_library_api.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <map>
#include <vector>

namespace {

constexpr int32_t maxCopies = 16;

struct Buffer {
    Mix_Chunk* chunk = nullptr;
    std::vector<int> channels;
};

struct Channel {
    int32_t owner = 0; // buffer handle, 0 when free
    bool looping = false;
    uint64_t started = 0; // order of the last start, to find the oldest copy
};

struct Library {
    int32_t handle = 0; // 0 while the device is closed
    int32_t lastHandle = 0;
    int32_t lastBuffer = 0;
    uint64_t starts = 0;
    std::map<int32_t, Buffer> buffers;
    std::vector<Channel> channels;
};

Library lib;

uint32_t le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t le16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }

// A strict check of a RIFF WAVE file held in memory: every chunk must lie
// inside the bytes given, the format must be one the mixer plays, and the
// sample data must be a whole number of frames. SDL itself would accept a
// truncated file and play what is there; a damaged sound file should rather
// be refused than play as a burst of noise.
bool validWave(const unsigned char* data, size_t length)
{
    if (length < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    const uint64_t riffEnd = uint64_t(le32(data + 4)) + 8;
    if (riffEnd > length || riffEnd < 12)
        return false;
    bool haveFormat = false;
    unsigned blockAlign = 0;
    size_t at = 12;
    while (at + 8 <= riffEnd) {
        const unsigned char* chunk = data + at;
        const uint64_t size = le32(chunk + 4);
        if (at + 8 + size > riffEnd)
            return false;
        const unsigned char* body = chunk + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16)
                return false;
            unsigned tag = le16(body);
            const unsigned channels = le16(body + 2);
            const uint32_t rate = le32(body + 4);
            blockAlign = le16(body + 12);
            const unsigned bits = le16(body + 14);
            if (tag == 0xFFFE) { // WAVE_FORMAT_EXTENSIBLE: the real tag opens the sub-format GUID
                if (size < 40)
                    return false;
                tag = le16(body + 24);
            }
            const bool pcm = tag == 1 && (bits == 8 || bits == 16);
            const bool floating = tag == 3 && bits == 32;
            if (!(pcm || floating) || channels < 1 || channels > 2 || rate < 4000 || rate > 192000
                || blockAlign != channels * bits / 8)
                return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            return haveFormat && size > 0 && size % blockAlign == 0;
        }
        at += 8 + size + (size & 1);
    }
    return false; // no data chunk
}

Buffer* find(int32_t handle)
{
    if (handle == 0 || lib.handle == 0)
        return nullptr;
    const auto it = lib.buffers.find(handle);
    return it == lib.buffers.end() ? nullptr : &it->second;
}

// The channel for a new copy of the sound: a silent one of the buffer's, else
// the one whose copy started first.
int channelFor(const Buffer& b)
{
    int oldest = b.channels.front();
    for (const int ch : b.channels) {
        if (!Mix_Playing(ch))
            return ch;
        if (lib.channels[ch].started < lib.channels[oldest].started)
            oldest = ch;
    }
    return oldest;
}

void start(int32_t handle, bool looping)
{
    Buffer* b = find(handle);
    if (!b)
        return;
    if (looping) {
        for (const int ch : b->channels)
            if (lib.channels[ch].looping && Mix_Playing(ch))
                return;
    }
    const int ch = channelFor(*b);
    Mix_HaltChannel(ch);
    lib.channels[ch].looping = looping;
    lib.channels[ch].started = ++lib.starts;
    Mix_PlayChannel(ch, b->chunk, looping ? -1 : 0);
}

void release(Buffer& b)
{
    for (const int ch : b.channels) {
        Mix_HaltChannel(ch);
        lib.channels[ch] = Channel {};
    }
    Mix_FreeChunk(b.chunk);
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t dsInitialize(int32_t /*window*/)
{
    if (lib.handle != 0)
        return lib.handle;
    // The game's window owns Ctrl+C and the close of the program, not SDL.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(0);
    lib.channels.clear();
    lib.handle = ++lib.lastHandle;
    return lib.handle;
}

__attribute__((visibility("default"))) int32_t dsCreateDSB(
    int32_t handle, const void* data, int32_t length, int32_t count)
{
    if (handle == 0 || handle != lib.handle || data == nullptr || length <= 0 || count < 1
        || count > maxCopies)
        return 0;
    if (!validWave(static_cast<const unsigned char*>(data), size_t(length)))
        return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(data, length), 1);
    if (!chunk)
        return 0;
    Buffer b;
    b.chunk = chunk;
    for (int ch = 0; ch < int(lib.channels.size()) && int(b.channels.size()) < count; ++ch)
        if (lib.channels[ch].owner == 0)
            b.channels.push_back(ch);
    const int missing = count - int(b.channels.size());
    if (missing > 0) {
        const int first = int(lib.channels.size());
        if (Mix_AllocateChannels(first + missing) != first + missing) {
            Mix_FreeChunk(chunk);
            return 0;
        }
        lib.channels.resize(first + missing);
        for (int ch = first; ch < first + missing; ++ch)
            b.channels.push_back(ch);
    }
    const int32_t id = ++lib.lastBuffer;
    for (const int ch : b.channels)
        lib.channels[ch].owner = id;
    lib.buffers[id] = b;
    return id;
}

__attribute__((visibility("default"))) void dsPlay(int32_t buffer) { start(buffer, false); }

__attribute__((visibility("default"))) void dsPlayLooping(int32_t buffer) { start(buffer, true); }

__attribute__((visibility("default"))) void dsStop(int32_t buffer)
{
    if (Buffer* b = find(buffer))
        for (const int ch : b->channels)
            Mix_HaltChannel(ch);
}

__attribute__((visibility("default"))) void dsFree(int32_t buffer)
{
    if (Buffer* b = find(buffer)) {
        release(*b);
        lib.buffers.erase(buffer);
    }
}

__attribute__((visibility("default"))) void dsTerminate(int32_t handle)
{
    if (handle == 0 || handle != lib.handle)
        return;
    for (auto& [id, b] : lib.buffers)
        release(b);
    lib.buffers.clear();
    lib.channels.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    lib.handle = 0;
}

} // extern "C"
