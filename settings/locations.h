// Where the game's files are. The files that come with the program (the sound
// library and the wave files) are found from the executable's own folder, so
// the game runs from the build, from any installation prefix and from any
// working folder. The player's files live in the home folder, following the
// XDG base directory rules: the settings under $XDG_CONFIG_HOME/zr-torishogi,
// the game records wherever the player keeps documents. Nothing is written
// into the working folder.
#pragma once

#include <string>

namespace tori {

// The file name of the sound library.
inline constexpr const char* soundLibraryName = "ZR鳥将棋.so";

struct RunTimeFolders {
    std::string library; // holds the sound library
    std::string waves; // holds the five wave files
};

// The folder of the running executable (from /proc/self/exe); "." when unknown.
std::string executableFolder();

// For an executable in `folder`: the folder itself when the sound library lies
// beside it (the build's run-time folder), else the installed folders, found
// from bin/ by the relative paths the build was configured with.
RunTimeFolders runTimeFolders(const std::string& folder);

// $HOME, else the home folder of the password database; empty when neither
// names one.
std::string homeFolder();

// $XDG_CONFIG_HOME/zr-torishogi, or ~/.config/zr-torishogi when XDG_CONFIG_HOME
// is unset, empty or relative. The folder is created (private to the player)
// when missing; when that fails the path is returned all the same, and the
// settings behave as in a read-only folder. Empty when there is no home.
std::string settingsFolder();
// The settings file "ZR鳥将棋.ini" in settingsFolder(); empty when there is no home.
std::string settingsFile();
// The second settings file "zr-torishogi.conf" in settingsFolder(), for the
// choices "ZR鳥将棋.ini" has no line for; empty when there is no home.
std::string preferencesFile();

// The folder the record panel opens first: $XDG_DOCUMENTS_DIR when it is set
// and names a folder; else the documents folder of the player's
// user-dirs.dirs when it exists; else the home folder; "/" when there is no home.
std::string recordFolder();

} // namespace tori
