// The game's sound library "ZR鳥将棋.so", loaded by the game at run time from
// beside its executable or its installed library folder. Every handle is a 32-bit integer and 0
// means "none": every function accepts 0 and then does nothing.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Opens the audio device. `window` is not used. Returns the library handle,
// or 0 when no audio device can be opened.
int32_t dsInitialize(int32_t window);
// Makes a sound buffer from the bytes of a whole wave file (RIFF WAVE, PCM of
// 8 or 16 bits, or 32-bit float, 1 or 2 channels). The library keeps its own
// copy, so the caller may release `data` right after the call. `count` is how
// many copies of the sound may play at the same time (1 .. 16). Returns the
// buffer handle, or 0 for malformed or truncated data, a bad count or a
// library handle that is not open.
int32_t dsCreateDSB(int32_t lib, const void* data, int32_t length, int32_t count);
// Plays the sound once from its start. While `count` copies are already
// sounding, the one that started first is cut off and restarted.
void dsPlay(int32_t buffer);
// Plays the sound over and over without a gap. Does nothing while the buffer
// is already looping, so that a running tune is not restarted.
void dsPlayLooping(int32_t buffer);
// Silences every copy of the sound.
void dsStop(int32_t buffer);
void dsFree(int32_t buffer);
// Frees every buffer still held and closes the audio device.
void dsTerminate(int32_t lib);

#ifdef __cplusplus
}
#endif
