// A stand-in for "ZR鳥将棋.so" that records every call, so that the tests can
// see what the game asks of its sound library and in which order. dsInitialize
// answers $ZR_RECORDING_INIT (5 when unset); dsCreateDSB answers 100 plus the
// order of the call, or 0 for data that reads "bad".

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
std::string calls;
int32_t created = 0;
void record(const std::string& line) { calls += line + "\n"; }
} // namespace

extern "C" {

const char* recordedCalls() { return calls.c_str(); }
void clearRecordedCalls()
{
    calls.clear();
    created = 0;
}

int32_t dsInitialize(int32_t window)
{
    record("dsInitialize " + std::to_string(window));
    const char* answer = std::getenv("ZR_RECORDING_INIT");
    return answer ? std::atoi(answer) : 5;
}

int32_t dsCreateDSB(int32_t lib, const void* data, int32_t length, int32_t count)
{
    const std::string bytes(static_cast<const char*>(data), length);
    record("dsCreateDSB " + std::to_string(lib) + " " + bytes + " " + std::to_string(count));
    ++created;
    return bytes == "bad" ? 0 : 100 + created;
}

void dsPlay(int32_t b) { record("dsPlay " + std::to_string(b)); }
void dsPlayLooping(int32_t b) { record("dsPlayLooping " + std::to_string(b)); }
void dsStop(int32_t b) { record("dsStop " + std::to_string(b)); }
void dsFree(int32_t b) { record("dsFree " + std::to_string(b)); }
void dsTerminate(int32_t lib) { record("dsTerminate " + std::to_string(lib)); }

} // extern "C"
