// Where the game looks for its files: the settings and record folders under a
// home and XDG variables pointed at temporary folders, and the run-time files
// found from the executable's folder in the build and when installed.
#include "settings/locations.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sys/stat.h>

using namespace tori;
using tori::testing::TempDir;
using tori::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

// Sets the home and XDG variables for one test and puts back what was there.
class Environment : public ::testing::Test {
protected:
    void set(const char* name, const std::optional<std::string>& value)
    {
        if (!saved.count(name)) {
            const char* old = std::getenv(name);
            saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved)
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
    }

    TempDir dir;
    fs::path home = dir.path / "home";

    void SetUp() override
    {
        fs::create_directory(home);
        set("HOME", home.string());
        set("XDG_CONFIG_HOME", std::nullopt);
        set("XDG_DOCUMENTS_DIR", std::nullopt);
    }

private:
    std::map<std::string, std::optional<std::string>> saved;
};

int permissions(const fs::path& p)
{
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

} // namespace

TEST_F(Environment, SettingsLiveUnderTheConfigurationHomeInAPrivateFolder)
{
    // Without XDG_CONFIG_HOME, and with a relative one, which the rules ignore.
    for (const std::optional<std::string>& xdg : { std::optional<std::string>(), { "relative" } }) {
        set("XDG_CONFIG_HOME", xdg);
        EXPECT_EQ(settingsFile(), (home / ".config/zr-torishogi/ZR鳥将棋.ini").string());
        EXPECT_EQ(permissions(home / ".config/zr-torishogi"), 0700);
        EXPECT_EQ(permissions(home / ".config"), 0700);
    }
    const fs::path config = dir.path / "config";
    set("XDG_CONFIG_HOME", config.string());
    EXPECT_EQ(settingsFolder(), (config / "zr-torishogi").string());
    EXPECT_TRUE(fs::is_directory(config / "zr-torishogi"));
    // An existing folder is used as it is.
    fs::permissions(config / "zr-torishogi", fs::perms::owner_all | fs::perms::group_read);
    EXPECT_EQ(settingsFile(), (config / "zr-torishogi/ZR鳥将棋.ini").string());
    EXPECT_EQ(permissions(config / "zr-torishogi"), 0740);
}

TEST_F(Environment, AHomeThatCannotHoldFoldersStillNamesTheSettingsFile)
{
    // A home that is a file: no folder can be made in it, even by root.
    const fs::path file = dir.path / "not-a-folder";
    writeBytes(file, "x");
    set("HOME", file.string());
    EXPECT_EQ(settingsFile(), (file / ".config/zr-torishogi/ZR鳥将棋.ini").string());
    EXPECT_TRUE(fs::is_regular_file(file));
}

TEST_F(Environment, RecordsOpenInTheDocumentsFolderWhenThereIsOneElseInTheHome)
{
    EXPECT_EQ(recordFolder(), home.string());

    // The documents folder of xdg-user-dirs, once it exists.
    fs::create_directories(home / ".config");
    writeBytes(home / ".config/user-dirs.dirs",
        "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n");
    EXPECT_EQ(recordFolder(), home.string());
    fs::create_directory(home / "ドキュメント");
    EXPECT_EQ(recordFolder(), (home / "ドキュメント").string());

    // XDG_DOCUMENTS_DIR comes first, when it names a folder.
    const fs::path documents = dir.path / "documents";
    set("XDG_DOCUMENTS_DIR", documents.string());
    EXPECT_EQ(recordFolder(), (home / "ドキュメント").string());
    fs::create_directory(documents);
    EXPECT_EQ(recordFolder(), documents.string());
}

TEST(RunTimeFolders, BesideTheExecutableInTheBuildElseTheInstalledFolders)
{
    TempDir dir;
    const fs::path bin = dir.path / "bin";
    fs::create_directory(bin);
    const RunTimeFolders installed = runTimeFolders(bin.string());
    EXPECT_EQ(installed.waves, (dir.path / "share/zr-torishogi").string());
    EXPECT_EQ(installed.library.rfind((dir.path / "lib").string(), 0), 0u) << installed.library;
    EXPECT_EQ(fs::path(installed.library).filename(), "zr-torishogi");

    writeBytes(bin / "ZR鳥将棋.so", "");
    const RunTimeFolders build = runTimeFolders(bin.string());
    EXPECT_EQ(build.library, bin.string());
    EXPECT_EQ(build.waves, bin.string());
}

TEST(RunTimeFolders, TheExecutableFolderIsThisTestsOwn)
{
    EXPECT_TRUE(fs::exists(fs::path(executableFolder()) / "settings_tests"));
}
