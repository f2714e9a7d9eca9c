#include "settings/text_file.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace tori;
using tori::testing::bytesOf;
using tori::testing::TempDir;
namespace fs = std::filesystem;

namespace {

} // namespace

TEST(ShiftJis, ConvertsKanjiAndHalfWidthKatakanaBothWays)
{
    EXPECT_EQ(utf8ToShiftJis("背景画=緑"), "\x94\x77\x8C\x69\x89\xE6=\x97\xCE");
    EXPECT_EQ(utf8ToShiftJis("ﾃﾞ"), "\xC3\xDE");
    EXPECT_EQ(shiftJisToUtf8("\x94\x77\x8C\x69\x89\xE6=\x97\xCE"), "背景画=緑");
    EXPECT_EQ(shiftJisToUtf8("ABC"), "ABC");
}

TEST(ShiftJis, InvalidBytesBecomeReplacementCharactersAndUnmappableTextIsFlagged)
{
    EXPECT_EQ(shiftJisToUtf8("A\x81"), "A\xEF\xBF\xBD"); // a lead byte cut off
    EXPECT_EQ(shiftJisToUtf8("\xFF"
                             "B"),
        "\xEF\xBF\xBD"
        "B"); // never valid
    bool ok = true;
    EXPECT_EQ(utf8ToShiftJis("a😀b", &ok), "a?b");
    EXPECT_FALSE(ok);
    EXPECT_EQ(utf8ToShiftJis("a\xC3", &ok), "a?"); // broken UTF-8
    EXPECT_FALSE(ok);
}

TEST(TextFile, WritesShiftJisWithCrLfAndReadsItBack)
{
    TempDir dir;
    const fs::path file = dir.path / "設定.ini";
    ASSERT_TRUE(writeShiftJisLines(file, { "背景画=緑", "BGM=ON" }));
    EXPECT_EQ(bytesOf(file), "\x94\x77\x8C\x69\x89\xE6=\x97\xCE\r\nBGM=ON\r\n");
    const auto lines = readShiftJisLines(file);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string> { "背景画=緑", "BGM=ON" }));
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(TextFile, ReadsBareLineFeedsAndALastLineWithoutEnd)
{
    TempDir dir;
    const fs::path file = dir.path / "a.txt";
    std::ofstream(file, std::ios::binary) << "one\ntwo\r\nthree";
    EXPECT_EQ(*readShiftJisLines(file), (std::vector<std::string> { "one", "two", "three" }));
    EXPECT_FALSE(readShiftJisLines(dir.path / "missing.txt"));
    EXPECT_FALSE(readShiftJisLines(dir.path)); // a directory is no file of lines
}

TEST(TextFile, AWriteIntoAMissingDirectoryFailsWithAReason)
{
    std::string error;
    EXPECT_FALSE(writeShiftJisLines("/nonexistent-dir/x.txt", { "a" }, &error));
    EXPECT_NE(error.find("/nonexistent-dir/x.txt"), std::string::npos);
}

TEST(TextFile, AFailedReplaceLeavesTheTargetAndNoTemporaryFile)
{
    // A directory of the target's name cannot be replaced by a file, even by root.
    TempDir dir;
    const fs::path target = dir.path / "record.棋譜";
    fs::create_directory(target);
    fs::path inside = target / "keep";
    std::ofstream(inside) << "x";
    std::string error;
    EXPECT_FALSE(writeShiftJisLines(target, { "new" }, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_TRUE(fs::exists(inside));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(TextFile, AFileWithoutANameIsNotWrittenIntoTheWorkingFolder)
{
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path);
    std::string error;
    const bool written = writeShiftJisLines("", { "a" }, &error);
    fs::current_path(before);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_empty(dir.path));
}
