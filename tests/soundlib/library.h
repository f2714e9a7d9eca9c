// The real sound library, opened from the run-time folder of the build.
#pragma once

#include <cstdint>
#include <dlfcn.h>
#include <stdexcept>
#include <string>

namespace tori::testing {

struct SoundApi {
    int32_t (*dsInitialize)(int32_t);
    int32_t (*dsCreateDSB)(int32_t, const void*, int32_t, int32_t);
    void (*dsPlay)(int32_t);
    void (*dsPlayLooping)(int32_t);
    void (*dsStop)(int32_t);
    void (*dsFree)(int32_t);
    void (*dsTerminate)(int32_t);
};

inline const std::string realLibraryPath = std::string(ZR_RUNTIME_DIR) + "/ZR鳥将棋.so";

inline const SoundApi& soundApi()
{
    static const SoundApi api = [] {
        void* module = dlopen(realLibraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module)
            throw std::runtime_error(dlerror());
        auto get = [&](const char* name) {
            void* f = dlsym(module, name);
            if (!f)
                throw std::runtime_error(std::string("missing ") + name);
            return f;
        };
        SoundApi a;
        a.dsInitialize = reinterpret_cast<decltype(a.dsInitialize)>(get("dsInitialize"));
        a.dsCreateDSB = reinterpret_cast<decltype(a.dsCreateDSB)>(get("dsCreateDSB"));
        a.dsPlay = reinterpret_cast<decltype(a.dsPlay)>(get("dsPlay"));
        a.dsPlayLooping = reinterpret_cast<decltype(a.dsPlayLooping)>(get("dsPlayLooping"));
        a.dsStop = reinterpret_cast<decltype(a.dsStop)>(get("dsStop"));
        a.dsFree = reinterpret_cast<decltype(a.dsFree)>(get("dsFree"));
        a.dsTerminate = reinterpret_cast<decltype(a.dsTerminate)>(get("dsTerminate"));
        return a;
    }();
    return api;
}

} // namespace tori::testing
