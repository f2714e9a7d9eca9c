#include "settings/locations.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tori {

namespace fs = std::filesystem;

namespace {

    const char* const settingsName = "ZR鳥将棋.ini";
    const char* const folderName = "zr-torishogi";

    // The value of an environment variable; empty when unset.
    std::string environment(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? value : "";
    }

    bool isFolder(const std::string& path)
    {
        std::error_code error;
        return !path.empty() && fs::is_directory(path, error);
    }

    // $XDG_CONFIG_HOME when it is an absolute path (the rules say a relative
    // one is to be ignored), else ~/.config; empty when there is no home.
    std::string configHome()
    {
        const std::string xdg = environment("XDG_CONFIG_HOME");
        if (!xdg.empty() && xdg.front() == '/')
            return xdg;
        const std::string home = homeFolder();
        return home.empty() ? "" : home + "/.config";
    }

    // Creates a folder and its missing parents with the permissions 0700 that
    // the XDG rules ask for; true when it exists afterwards.
    bool makeFolders(const fs::path& folder)
    {
        if (isFolder(folder.string()))
            return true;
        if (folder.has_parent_path() && folder.parent_path() != folder)
            makeFolders(folder.parent_path());
        return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
    }

    // The XDG_DOCUMENTS_DIR line of user-dirs.dirs, as xdg-user-dirs writes it:
    // XDG_DOCUMENTS_DIR="$HOME/Documents" or an absolute path in quotes.
    std::string documentsOfUserDirs(const std::string& home)
    {
        const std::string config = configHome();
        if (config.empty())
            return {};
        std::ifstream in(config + "/user-dirs.dirs");
        const std::string key = "XDG_DOCUMENTS_DIR=\"";
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(key, 0) != 0)
                continue;
            const std::size_t end = line.find('"', key.size());
            if (end == std::string::npos)
                return {};
            std::string value = line.substr(key.size(), end - key.size());
            if (value.rfind("$HOME", 0) == 0)
                value = home + value.substr(5);
            return value.empty() || value.front() != '/' ? "" : value;
        }
        return {};
    }

} // namespace

std::string executableFolder()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error || !self.has_parent_path() ? "." : self.parent_path().string();
}

RunTimeFolders runTimeFolders(const std::string& folder)
{
    std::error_code error;
    if (fs::exists(fs::path(folder) / soundLibraryName, error))
        return { folder, folder };
    return { (fs::path(folder) / ZR_LIBRARY_FROM_BIN).lexically_normal().string(),
        (fs::path(folder) / ZR_DATA_FROM_BIN).lexically_normal().string() };
}

std::string homeFolder()
{
    const std::string home = environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return {};
}

std::string settingsFolder()
{
    const std::string config = configHome();
    if (config.empty())
        return {};
    const std::string folder = config + "/" + folderName;
    makeFolders(folder);
    return folder;
}

std::string settingsFile()
{
    const std::string folder = settingsFolder();
    return folder.empty() ? "" : folder + "/" + settingsName;
}

std::string preferencesFile()
{
    const std::string folder = settingsFolder();
    return folder.empty() ? "" : folder + "/zr-torishogi.conf";
}

std::string recordFolder()
{
    const std::string documents = environment("XDG_DOCUMENTS_DIR");
    if (isFolder(documents))
        return documents;
    const std::string home = homeFolder();
    if (home.empty())
        return "/";
    const std::string named = documentsOfUserDirs(home);
    if (isFolder(named))
        return named;
    return home;
}

} // namespace tori
