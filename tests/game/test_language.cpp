// The game in English: what is drawn on the board and what the boxes say hold
// no Japanese character; the same handler's box in each language.
#include "table.h"

#include <algorithm>

using namespace tori;
using namespace tori::testing;

namespace {

// Kana, kanji, and the full- and half-width forms, as UTF-8 lead bytes.
bool japanese(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c == 0xe3 || (c >= 0xe4 && c <= 0xe9) || (c == 0xef && next >= 0xbc && next <= 0xbf))
            return true;
    }
    return false;
}

struct EnglishTable : Table {
    EnglishTable()
    {
        game.language().setFolder(ZR_RUNTIME_DIR);
        game.Form_Load();
    }
};

} // namespace

TEST(Language, TheTestSeesJapanese)
{
    EXPECT_TRUE(japanese("ｵﾌﾟｼｮﾝ"));
    EXPECT_TRUE(japanese("手目"));
    EXPECT_TRUE(japanese("あ"));
    EXPECT_TRUE(japanese("７"));
    EXPECT_FALSE(japanese("▲S-74 → Start position"));
}

TEST(Language, OneBoxInEachLanguage)
{
    EnglishTable t;
    t.press(3, 3); // no game yet
    t.game.LANG_EN_Click();
    t.press(3, 3);
    t.game.LANG_JA_Click();
    t.press(3, 3);
    EXPECT_EQ(t.boxes.texts(),
        (std::vector<std::string> { "「対局」で始めて下さい", "Start a game from the \"Game\" menu",
            "「対局」で始めて下さい" }));
    EXPECT_EQ(t.boxes.titles(), (std::vector<std::string> { "開始", "Start", "開始" }));
}

TEST(Language, EverythingDrawnInEnglish)
{
    EnglishTable t;
    t.game.LANG_EN_Click();
    ASSERT_TRUE(t.menu.checked(menu::LANG_EN));
    t.surface.clear(); // start-up drew in Japanese
    t.game.records().LBEL_UP_Click(); // a handicap caption
    t.game.LEVEL1_Click();
    t.game.SENTE_Click();
    t.move(3, 5, 3, 4); // the computer answers
    t.move(4, 5, 4, 4);
    ASSERT_GE(t.g.記録手数, 3);
    t.game.options().TATAMI_Click(); // a full redraw
    auto texts = t.surface.texts();
    // Back to Japanese and to English again: the redraw is English too.
    t.game.LANG_JA_Click();
    t.surface.clear();
    t.game.LANG_EN_Click();
    const auto redrawn = t.surface.texts();
    EXPECT_TRUE(t.surface.drewText(国際棋譜手(t.g, t.g.記録手数)));
    texts.insert(texts.end(), redrawn.begin(), redrawn.end());

    const auto drew = [&](const std::string& start) {
        return std::any_of(texts.begin(), texts.end(),
            [&](const auto& call) { return call.text.rfind(start, 0) == 0; });
    };
    EXPECT_TRUE(drew("Thinking"));
    EXPECT_TRUE(drew("moves"));
    EXPECT_TRUE(drew("Handicap: "));
    for (const auto& call : texts)
        EXPECT_FALSE(japanese(call.text)) << call.text;
    for (const auto& box : t.boxes.shown) {
        EXPECT_FALSE(japanese(box.text)) << box.text;
        EXPECT_FALSE(japanese(box.title)) << box.title;
    }
    for (const auto& entry : 棋譜一覧項目(t.g))
        EXPECT_FALSE(japanese(entry.text)) << entry.text;
}
