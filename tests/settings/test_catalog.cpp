// The compiled catalogs: the .mo reader on files as msgfmt writes them and on
// damaged ones, the English catalog of the build, and the language choice.
#include "settings/catalog.h"
#include "settings/language.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

using namespace tori;
using namespace tori::testing;

namespace {

// A .mo file of the given texts (sorted by id, as msgfmt writes them), in
// little- or big-endian words.
std::string moFile(const std::vector<std::pair<std::string, std::string>>& texts, bool bigEndian)
{
    auto word = [bigEndian](std::string& out, std::uint32_t w) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>(
                bigEndian ? (w >> (24 - 8 * i)) & 0xff : (w >> (8 * i)) & 0xff);
    };
    const auto n = static_cast<std::uint32_t>(texts.size());
    const std::uint32_t originals = 28, translations = originals + 8 * n;
    std::uint32_t at = translations + 8 * n;
    std::string strings;
    std::string ids, strs;
    for (const auto& t : texts) {
        word(ids, static_cast<std::uint32_t>(t.first.size()));
        word(ids, at + static_cast<std::uint32_t>(strings.size()));
        strings += t.first + '\0';
    }
    for (const auto& t : texts) {
        word(strs, static_cast<std::uint32_t>(t.second.size()));
        word(strs, at + static_cast<std::uint32_t>(strings.size()));
        strings += t.second + '\0';
    }
    std::string out;
    word(out, 0x950412de);
    for (std::uint32_t w : { 0u, n, originals, translations, 0u, 0u })
        word(out, w);
    return out + ids + strs + strings;
}

const std::vector<std::pair<std::string, std::string>> sample
    = { { "", "Content-Type: text/plain; charset=UTF-8\n" }, { "対局", "Game" }, { "戻", "" },
          { "%1段目", "row %1" } };

std::string catalogFolder() { return ZR_RUNTIME_DIR; }

} // namespace

TEST(MoCatalog, ReadsEitherByteOrder)
{
    for (bool big : { false, true }) {
        MoCatalog catalog;
        std::string error;
        ASSERT_TRUE(catalog.parse(moFile(sample, big), error)) << error;
        ASSERT_NE(catalog.find("対局"), nullptr);
        EXPECT_STREQ(catalog.find("対局"), "Game");
        EXPECT_STREQ(catalog.find("%1段目"), "row %1");
        // The header and an empty translation are no texts.
        EXPECT_EQ(catalog.find(""), nullptr);
        EXPECT_EQ(catalog.find("戻"), nullptr);
        EXPECT_EQ(catalog.find("対"), nullptr);
        EXPECT_EQ(catalog.size(), 2u);
    }
}

TEST(MoCatalog, RefusesDamagedFiles)
{
    const std::string good = moFile(sample, false);
    std::string error;
    MoCatalog catalog;
    EXPECT_FALSE(catalog.parse("", error));
    EXPECT_FALSE(catalog.parse("not a catalog at all", error));
    // Cut anywhere inside the tables or strings: never read past the end.
    for (std::size_t size :
        { std::size_t(10), std::size_t(30), std::size_t(70), good.size() - 1 }) {
        EXPECT_FALSE(catalog.parse(good.substr(0, size), error)) << size;
        EXPECT_EQ(catalog.size(), 0u);
    }
    // A string table entry pointing far outside the file.
    std::string far = good;
    far[28 + 8 + 4 + 3] = '\x7f';
    EXPECT_FALSE(catalog.parse(far, error));
    // A count no file of this size could hold.
    std::string many = good;
    many[8 + 3] = '\x40';
    EXPECT_FALSE(catalog.parse(many, error));
    EXPECT_NE(error.find("room"), std::string::npos) << error;
}

TEST(MoCatalog, TheBuildsEnglishCatalog)
{
    MoCatalog english;
    std::string error;
    ASSERT_TRUE(english.read(catalogFolder() + "/" + catalogFile("en"), error)) << error;
    EXPECT_STREQ(english.find("対局"), "Game");
    EXPECT_STREQ(english.find("ｵﾌﾟｼｮﾝ"), "Options");
    EXPECT_GT(english.size(), 150u);
    EXPECT_FALSE(english.read(catalogFolder() + "/none.mo", error));
    EXPECT_EQ(english.size(), 0u);
}

TEST(Translation, ValuesInEitherOrder)
{
    EXPECT_EQ(withValues("%1段目", { "3" }), "3段目");
    EXPECT_EQ(withValues("%2 pieces of %1", { "swallow", "17" }), "17 pieces of swallow");
    EXPECT_EQ(withValues("%1 + %1 = 100%", { "50" }), "50 + 50 = 100%");
    EXPECT_EQ(withValues("%3 stays", { "a" }), "%3 stays");
}

struct LanguageTest : ::testing::Test {
    FakeMenu menu;
    FakePreferences prefs;
    ScriptedMessageBoxes boxes;
    Language language { menu, prefs, boxes };
    void SetUp() override { language.setFolder(catalogFolder()); }
};

TEST_F(LanguageTest, JapaneseWithoutAChoice)
{
    language.開始();
    EXPECT_EQ(language.current(), "ja");
    EXPECT_STREQ(tr_("対局"), "対局");
    EXPECT_TRUE(menu.checked(menu::LANG_JA));
    EXPECT_FALSE(menu.checked(menu::LANG_EN));
    EXPECT_TRUE(prefs.values.empty());
}

TEST_F(LanguageTest, KeptChoiceAndTheRunsOwn)
{
    prefs.values["ui/language"] = "en";
    language.開始();
    EXPECT_STREQ(tr_("対局"), "Game");
    EXPECT_TRUE(menu.checked(menu::LANG_EN));
    // --language ja for one run: Japanese, and the kept choice stays English.
    language.開始("ja");
    EXPECT_STREQ(tr_("対局"), "対局");
    EXPECT_TRUE(menu.checked(menu::LANG_JA));
    EXPECT_EQ(prefs.values["ui/language"], "en");
    // A value no version wrote is Japanese.
    prefs.values["ui/language"] = "fr";
    language.開始();
    EXPECT_EQ(language.current(), "ja");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LanguageTest, ChoiceIsKeptAndSwitchesAtOnce)
{
    language.開始();
    ASSERT_TRUE(language.設定("en"));
    EXPECT_EQ(prefs.values["ui/language"], "en");
    EXPECT_STREQ(tr_("あなたの勝ちです"), "You win");
    ASSERT_TRUE(language.設定("ja"));
    EXPECT_EQ(prefs.values["ui/language"], "ja");
    EXPECT_STREQ(tr_("あなたの勝ちです"), "あなたの勝ちです");
    EXPECT_FALSE(language.設定("xx"));
    EXPECT_EQ(prefs.values["ui/language"], "ja");
}

TEST_F(LanguageTest, MissingCatalogLeavesJapanese)
{
    language.setFolder(catalogFolder() + "/nowhere");
    language.開始();
    EXPECT_FALSE(language.設定("en"));
    EXPECT_EQ(language.current(), "ja");
    EXPECT_STREQ(tr_("対局"), "対局");
    EXPECT_TRUE(menu.checked(menu::LANG_JA));
    EXPECT_FALSE(menu.checked(menu::LANG_EN));
    EXPECT_EQ(prefs.values.count("ui/language"), 0u);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("en.mo"), std::string::npos) << boxes.shown[0].text;
}
