#include "settings/sound_library.h"

#include "platform/translation.h"
#include "settings/locations.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tori {

namespace {

    const char* boxTitle() { return tr_("ZR鳥将棋.dll"); }

    struct WaveFile {
        const char* name;
        int32_t count; // copies that may sound at once
    };
    // In the order of 音.
    const WaveFile waveFiles[] = { { "その他.wav", 3 }, { "禁止.wav", 3 }, { "駒打音.wav", 3 },
        { "BGM.wav", 1 }, { "秒読み.wav", 2 } };
    static_assert(std::size(waveFiles) == 音の数);

    enum class Read { ok, missing, failed };

    // Reads a whole file; on failure says why in *error.
    Read readWhole(const std::string& path, std::vector<char>& bytes, std::string* error)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT)
                return Read::missing;
            *error = std::strerror(errno);
            return Read::failed;
        }
        bytes.clear();
        char block[65536];
        for (;;) {
            const ssize_t n = ::read(fd, block, sizeof block);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                *error = std::strerror(errno);
                ::close(fd);
                return Read::failed;
            }
            if (n == 0)
                break;
            bytes.insert(bytes.end(), block, block + n);
            if (bytes.size() > 0x7FFFFFFF) {
                *error = std::strerror(EFBIG);
                ::close(fd);
                return Read::failed;
            }
        }
        ::close(fd);
        return Read::ok;
    }

    template <typename F> bool bind(void* module, const char* name, F& f)
    {
        f = reinterpret_cast<F>(dlsym(module, name));
        return f != nullptr;
    }

} // namespace

SoundLibrary::SoundLibrary(std::string folder)
    : SoundLibrary(folder, folder)
{
}

SoundLibrary::SoundLibrary(std::string libraryFolder, std::string waveFolder)
    : libraryFolder(std::move(libraryFolder))
    , waveFolder(std::move(waveFolder))
{
}

SoundLibrary::~SoundLibrary()
{
    終了();
    if (module)
        dlclose(module);
}

std::vector<std::pair<std::string, std::string>> SoundLibrary::開始()
{
    std::vector<std::pair<std::string, std::string>> boxes;
    if (started)
        return boxes;
    started = true;

    // No library file: the player has chosen a quiet game (or has none), and
    // a box at every start would only nag. A file that is there but cannot
    // be used is a damaged installation, and that is said.
    if (!module) {
        const std::string path = libraryFolder + "/" + soundLibraryName;
        struct stat st;
        if (::stat(path.c_str(), &st) != 0)
            return boxes;
        module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* why = dlerror();
            boxes.emplace_back(boxTitle(),
                withValues(tr_("%1 を読み込めません。\n%2"), { soundLibraryName, why ? why : "" }));
            return boxes;
        }
        Api a;
        if (!(bind(module, "dsInitialize", a.dsInitialize)
                && bind(module, "dsCreateDSB", a.dsCreateDSB) && bind(module, "dsPlay", a.dsPlay)
                && bind(module, "dsPlayLooping", a.dsPlayLooping)
                && bind(module, "dsStop", a.dsStop) && bind(module, "dsFree", a.dsFree)
                && bind(module, "dsTerminate", a.dsTerminate))) {
            dlclose(module);
            module = nullptr;
            boxes.emplace_back(
                boxTitle(), withValues(tr_("%1 は音の再生に使えません。"), { soundLibraryName }));
            return boxes;
        }
        api = a;
    }

    handle = api.dsInitialize(0);
    if (handle == 0)
        boxes.emplace_back(boxTitle(), tr_("Direct Soundインターフェースが作成できません。"));

    for (int i = 0; i < 音の数; ++i) {
        buffers[i] = 0;
        if (handle == 0)
            continue;
        std::vector<char> bytes;
        std::string error;
        const std::string name = waveFiles[i].name;
        switch (readWhole(waveFolder + "/" + name, bytes, &error)) {
        case Read::missing:
            break;
        case Read::failed:
            boxes.emplace_back(
                boxTitle(), withValues(tr_("%1 を読み込めません。\n%2"), { name, error }));
            break;
        case Read::ok:
            buffers[i] = api.dsCreateDSB(
                handle, bytes.data(), static_cast<int32_t>(bytes.size()), waveFiles[i].count);
            if (buffers[i] == 0)
                boxes.emplace_back(boxTitle(),
                    withValues(tr_("%1 は再生できる音声ファイルではありません。"), { name }));
            break;
        }
    }
    return boxes;
}

void SoundLibrary::dsPlay(音 buffer)
{
    if (module)
        api.dsPlay(bufferHandle(buffer));
}

void SoundLibrary::dsPlayLooping(音 buffer)
{
    if (module)
        api.dsPlayLooping(bufferHandle(buffer));
}

void SoundLibrary::dsStop(音 buffer)
{
    if (module)
        api.dsStop(bufferHandle(buffer));
}

void SoundLibrary::終了()
{
    if (!started)
        return;
    started = false;
    if (module) {
        for (int32_t& b : buffers) {
            api.dsFree(b);
            b = 0;
        }
        if (handle != 0)
            api.dsTerminate(handle);
    }
    handle = 0;
}

} // namespace tori
