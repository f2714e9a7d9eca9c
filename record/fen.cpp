#include "record/fen.h"

#include "platform/translation.h"
#include "rules/record_entry.h"
#include "rules/rules.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace tori {

namespace {

    // The letter of each unpromoted kind, upper side (lower case); the lower
    // side writes it in upper case. A promoted kind is "+" and the letter of
    // the kind it promoted from.
    struct 駒文字 {
        char letter;
        int code;
    };
    constexpr 駒文字 駒文字表[] = { { 'k', 鵬 }, { 'f', 鷹 }, { 'c', 鶴 }, { 'p', 雉 },
        { 'l', 左鶉 }, { 'r', 右鶉 }, { 's', 燕 } };

    bool 大文字(char c) { return c >= 'A' && c <= 'Z'; }
    char 小文字化(char c) { return 大文字(c) ? static_cast<char>(c - 'A' + 'a') : c; }

    // The upper-side code of a letter of either case, 0 for any other character.
    int 文字から駒(char letter)
    {
        for (const 駒文字& k : 駒文字表)
            if (k.letter == 小文字化(letter))
                return k.code;
        return 0;
    }

    // The upper-side code of the kind a piece of either side is, or promoted
    // from: 燕 for a 鴈, 鷹 for a 鷹成.
    int 成る前(int code) { return std::abs(code) == 鵬 ? 鵬 : 持駒種類(持駒番号(code)); }

    // The letter of a piece's kind, unpromoted, in its side's case.
    char 駒から文字(int code)
    {
        const int kind = 成る前(code);
        for (const 駒文字& k : 駒文字表)
            if (k.code == kind)
                return 下手駒(code) ? static_cast<char>(k.letter - 'a' + 'A') : k.letter;
        return '?';
    }

    // The whole character that starts at text[i], a UTF-8 sequence of one or
    // more bytes, for a message that names it.
    std::string 一文字(const std::string& text, size_t i)
    {
        size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        return text.substr(i, end - i);
    }

    // Spaces that look like the one between the parts but do not separate
    // them: a no-break space that a web page or a word processor put into a
    // copied string, the full-width space of Japanese input. Returns the
    // reason, or an empty text when there is none.
    std::string 特殊空白検査(const std::string& text)
    {
        const struct {
            const char* bytes;
            const char* name;
        } spaces[] = {
            { "\xC2\xA0", tr_("U+00A0（改行しない空白）") },
            { "\xE3\x80\x80", tr_("U+3000（全角の空白）") },
            { "\xE2\x80\xAF", tr_("U+202F（狭い改行しない空白）") },
            { "\xE2\x80\x8B", tr_("U+200B（幅のない空白）") },
            { "\xEF\xBB\xBF", tr_("U+FEFF（幅のない改行しない空白）") },
        };
        for (const auto& space : spaces)
            if (text.find(space.bytes) != std::string::npos)
                return withValues(
                    tr_("区切りに使えない空白 %1 があります（半角の空白で区切ります）"),
                    { space.name });
        return {};
    }

    bool 数値(const std::string& word)
    {
        if (word.empty() || word.size() > 6)
            return false;
        for (char c : word)
            if (c < '0' || c > '9')
                return false;
        return true;
    }

    // Reads the rows of the board part. Returns an empty text on success, else the reason.
    std::string 盤読込(const std::string& board, FEN局面& p)
    {
        std::vector<std::string> rows(1);
        for (char c : board) {
            if (c == '/')
                rows.emplace_back();
            else
                rows.back() += c;
        }
        if (rows.size() != 7)
            return withValues(
                tr_("盤の段の数が%1です（7段を / で区切ります）"), { std::to_string(rows.size()) });
        for (int r = 1; r <= 7; ++r) {
            const std::string& row = rows[r - 1];
            const std::string 段 = withValues(tr_("%1段目"), { std::to_string(r) });
            int c = 0;
            for (size_t i = 0; i < row.size(); ++i) {
                const char ch = row[i];
                if (ch >= '1' && ch <= '7') {
                    c += ch - '0';
                } else {
                    bool promoted = false;
                    char letter = ch;
                    if (ch == '+') {
                        if (i + 1 >= row.size())
                            return withValues(tr_("%1の + の後に駒の文字がありません"), { 段 });
                        promoted = true;
                        letter = row[++i];
                    }
                    const int base = 文字から駒(letter);
                    if (base == 0)
                        return withValues(
                            tr_("%1に駒でない文字があります: %2"), { 段, 一文字(row, i) });
                    int code = promoted ? 成駒コード(base) : base;
                    if (promoted && code == base)
                        return withValues(
                            tr_("%1の %2 は成れない駒です: +%2"), { 段, std::string(1, letter) });
                    if (大文字(letter))
                        code = -code;
                    if (++c <= 7)
                        p.盤[c][r] = code;
                }
                if (c > 7)
                    return withValues(tr_("%1の桝が7つを超えています"), { 段 });
            }
            if (c < 7)
                return withValues(
                    tr_("%1の桝が%2つしかありません（7つ必要です）"), { 段, std::to_string(c) });
        }
        return {};
    }

    std::string 持駒読込(const std::string& hand, FEN局面& p)
    {
        if (hand.empty() || hand == "-")
            return {};
        for (size_t i = 0; i < hand.size(); ++i) {
            const char ch = hand[i];
            const int code = 文字から駒(ch);
            if (code == 鵬)
                return tr_("鵬は持駒にできません");
            if (ch == '+')
                return tr_("持駒は成る前の駒の文字で書きます（+ は付けません）");
            if (code == 0)
                return withValues(tr_("持駒に駒でない文字があります: %1"), { 一文字(hand, i) });
            auto& side = 大文字(ch) ? p.持駒_MAN : p.持駒_COM;
            // More than the pieces of the game is refused below; the count stops there.
            if (side[持駒番号(code)] < 99)
                ++side[持駒番号(code)];
        }
        return {};
    }

    // What the rules of the game forbid in a position.
    std::string 局面検査(const FEN局面& p)
    {
        int upperPhoenix = 0, lowerPhoenix = 0;
        // Pieces of each kind on the board and in both hands, by hand slot.
        std::array<int, 7> total {};
        for (int c = 1; c <= 7; ++c)
            for (int r = 1; r <= 7; ++r) {
                const int code = p.盤[c][r];
                if (code == 鵬)
                    ++upperPhoenix;
                else if (code == -鵬)
                    ++lowerPhoenix;
                else if (code != 空)
                    ++total[持駒番号(code)];
            }
        if (upperPhoenix != 1 || lowerPhoenix != 1)
            return tr_("鵬は両方の側に1枚ずつ必要です（K と k）");
        for (int slot = 1; slot <= 6; ++slot)
            total[slot] += p.持駒_MAN[slot] + p.持駒_COM[slot];
        // How many of each kind the game has, both sides together.
        constexpr int 枚数[7] = { 0, 16, 4, 4, 2, 2, 2 };
        for (int slot = 1; slot <= 6; ++slot)
            if (total[slot] > 枚数[slot])
                return withValues(tr_("%1が%2枚あります（盤と持駒で合わせて%3枚まで）"),
                    { 駒名(持駒種類(slot)), std::to_string(total[slot]),
                        std::to_string(枚数[slot]) });
        for (int c = 1; c <= 7; ++c) {
            // A swallow on its side's last row could never move again.
            if (p.盤[c][1] == -燕)
                return tr_("下手（大文字）の燕が1段目にあります（燕は最後の段にいられません）");
            if (p.盤[c][7] == 燕)
                return tr_("上手（小文字）の燕が7段目にあります（燕は最後の段にいられません）");
            int lower = 0, upper = 0;
            for (int r = 1; r <= 7; ++r) {
                lower += p.盤[c][r] == -燕 ? 1 : 0;
                upper += p.盤[c][r] == 燕 ? 1 : 0;
            }
            if (lower > 2 || upper > 2)
                return lower > 2 ? tr_("一つの列に下手（大文字）の燕が3枚以上あります（2枚まで）")
                                 : tr_("一つの列に上手（小文字）の燕が3枚以上あります（2枚まで）");
        }
        return {};
    }

} // namespace

bool 調査_上手番(const GameState& g)
{
    if (g.手番 != -1)
        return g.手番 == g.COM手番;
    if (g.記録手数 >= 1 && g.記録手数 <= 最大手数)
        return 下手駒(g.棋譜_成駒[g.記録手数]);
    if (g.最終記録手数 >= 1)
        return 上手駒(g.棋譜_成駒[1]);
    return g.FEN手番 > 0;
}

std::string 書込_FEN(const GameState& g)
{
    std::string text;
    for (int r = 1; r <= 7; ++r) {
        if (r > 1)
            text += '/';
        int empty = 0;
        for (int c = 1; c <= 7; ++c) {
            const int code = g.盤[c][r];
            if (!駒コード(code)) {
                ++empty;
                continue;
            }
            if (empty > 0)
                text += static_cast<char>('0' + empty);
            empty = 0;
            if (成る前(code) != std::abs(code))
                text += '+';
            text += 駒から文字(code);
        }
        if (empty > 0)
            text += static_cast<char>('0' + empty);
    }
    std::string hands;
    for (int slot = 1; slot <= 6; ++slot)
        hands.append(std::max(g.持駒_MAN[slot], 0), 駒から文字(-持駒種類(slot)));
    for (int slot = 1; slot <= 6; ++slot)
        hands.append(std::max(g.持駒_COM[slot], 0), 駒から文字(持駒種類(slot)));
    text += '[';
    text += hands.empty() ? std::string("-") : hands;
    text += ']';
    text += 調査_上手番(g) ? " b" : " w";
    return text + " 0 1";
}

bool 読込_FEN(const std::string& text, FEN局面& out, std::string& reason)
{
    // A position takes some 60 characters; anything far longer is some other text.
    constexpr size_t 最大長 = 1000;
    if (text.size() > 最大長) {
        reason
            = withValues(tr_("FENとしては長すぎます（%1バイト）"), { std::to_string(text.size()) });
        return false;
    }
    reason = 特殊空白検査(text);
    if (!reason.empty())
        return false;
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    if (words.empty()) {
        reason = tr_("FENがありません（クリップボードが空です）");
        return false;
    }
    const std::string& first = words[0];
    const size_t open = first.find('[');
    if (open == std::string::npos && words.size() > 1 && words[1].find('[') != std::string::npos) {
        // A line break or space inside the board, or between it and the hands:
        // a board copied over two lines, say.
        const auto rows = std::count(first.begin(), first.end(), '/');
        reason = words[1].front() == '[' && rows == 6
            ? tr_("盤と持駒の欄の間に改行か空白があります（続けて書きます）")
            : withValues(
                tr_("盤の途中（%1段目のあたり）に改行か空白があります（盤は続けて書きます）"),
                { std::to_string(rows + 1) });
        return false;
    }
    if (open == std::string::npos || first.back() != ']') {
        reason = tr_("盤の後に持駒の欄 [ ] がありません");
        return false;
    }
    FEN局面 p;
    reason = 盤読込(first.substr(0, open), p);
    if (reason.empty())
        reason = 持駒読込(first.substr(open + 1, first.size() - open - 2), p);
    if (!reason.empty())
        return false;
    if (words.size() < 2 || (words[1] != "w" && words[1] != "b")) {
        reason = tr_("持駒の後に手番 w（下手の番）か b（上手の番）が必要です");
        return false;
    }
    p.上手番 = words[1] == "b";
    // After the side to move: nothing, or "- -", then nothing or two move counters.
    size_t next = 2;
    if (words.size() >= next + 2 && words[next] == "-" && words[next + 1] == "-")
        next += 2;
    if (words.size() >= next + 2 && 数値(words[next]) && 数値(words[next + 1]))
        next += 2;
    if (next != words.size()) {
        reason = withValues(tr_("手番の後が読めません: %1"), { words[next] });
        return false;
    }
    reason = 局面検査(p);
    if (!reason.empty())
        return false;
    out = p;
    return true;
}

void 設定_FEN局面(GameState& g, const FEN局面& position)
{
    g.盤 = position.盤;
    g.持駒_MAN = position.持駒_MAN;
    g.持駒_COM = position.持駒_COM;
    g.持駒数_MAN = 0;
    g.持駒数_COM = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        g.持駒数_MAN += g.持駒_MAN[slot];
        g.持駒数_COM += g.持駒_COM[slot];
    }
    g.FEN手番 = position.上手番 ? 1 : -1;
    鵬位置更新(g);
    調査_2燕フラグ設定(g);
}

} // namespace tori
