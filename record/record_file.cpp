#include "record/record_file.h"

#include "platform/translation.h"
#include "rules/record_entry.h"
#include "settings/text_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace tori {

namespace {

    // Right-aligns the decimal text of v in `width` columns. Values are clamped to
    // what the field can hold, so that a line is always exactly 37 characters and
    // the fixed-column reader finds every field where it was written.
    std::string field(long v, int width, long lo, long hi)
    {
        v = std::clamp(v, lo, hi);
        std::string text = std::to_string(v);
        return std::string(width - text.size(), ' ') + text;
    }

    long seconds(double t)
    {
        if (!(t >= 0)) // negative or NaN
            return 0;
        if (t > 99999)
            return 99999;
        return static_cast<long>(t);
    }

    // The text of columns [from, from + width) (1-based); shorter when the line is.
    std::string columns(const std::string& line, int from, int width)
    {
        const size_t start = static_cast<size_t>(from - 1);
        if (start >= line.size())
            return {};
        return line.substr(start, static_cast<size_t>(width));
    }

    // A square or code field: leading spaces, an optional minus sign and at least
    // one digit, nothing else. Anything else is no number at all.
    std::optional<int> strictNumber(const std::string& text)
    {
        size_t i = 0;
        while (i < text.size() && text[i] == ' ')
            ++i;
        bool negative = false;
        if (i < text.size() && text[i] == '-') {
            negative = true;
            ++i;
        }
        if (i == text.size())
            return std::nullopt;
        int value = 0;
        for (; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            value = value * 10 + (text[i] - '0'); // at most 4 digits: no overflow
        }
        return negative ? -value : value;
    }

    // A time field reads as far as it holds digits; a short, empty, negative or
    // non-numeric field is 0 seconds.
    double timeField(const std::string& text)
    {
        size_t i = 0;
        while (i < text.size() && text[i] == ' ')
            ++i;
        double value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    }

    // Codes that can stand in a hand and be dropped again.
    bool 持駒になる(int code) { return code != 0 && 持駒種類(持駒番号(code)) == std::abs(code); }

    struct 手 {
        int 元列, 元段, 先列, 先段, 成駒, 駒, 取駒;
        double 時間[4];
    };

    // Parses the fields of a move line; nullopt when a square or a code field is
    // not a number in its range.
    std::optional<手> parse(const std::string& line)
    {
        const auto 元列 = strictNumber(columns(line, 1, 2));
        const auto 元段 = strictNumber(columns(line, 3, 1));
        const auto 先列 = strictNumber(columns(line, 4, 1));
        const auto 先段 = strictNumber(columns(line, 5, 1));
        const auto 成駒 = strictNumber(columns(line, 6, 4));
        const auto 駒 = strictNumber(columns(line, 10, 4));
        const auto 取駒 = strictNumber(columns(line, 14, 4));
        if (!元列 || !元段 || !先列 || !先段 || !成駒 || !駒 || !取駒)
            return std::nullopt;
        手 m { *元列, *元段, *先列, *先段, *成駒, *駒, *取駒, {} };
        for (int i = 0; i < 4; ++i)
            m.時間[i] = timeField(columns(line, 18 + 5 * i, 5));
        return m;
    }

    // True when move m fits the position p that the lines before it reached
    // from the starting position: the piece stands on its from-square or is in
    // its owner's hand, the captured code stands on the target, and the placed
    // code is the piece or its promotion.
    bool 適合(const GameState& p, const 手& m)
    {
        if (!盤内(m.先列, m.先段) || !駒コード(m.駒) || !駒コード(m.成駒))
            return false;
        const bool upper = 上手駒(m.駒);
        if (上手駒(m.成駒) != upper)
            return false;
        if (m.成駒 != m.駒 && m.成駒 != 成駒コード(m.駒))
            return false;
        const int target = p.盤[m.先列][m.先段];
        if (m.取駒 != target)
            return false;
        if (target != 0 && 上手駒(target) == upper) // nobody takes his own piece
            return false;

        if (盤内(m.元列, m.元段))
            return !(m.元列 == m.先列 && m.元段 == m.先段) && p.盤[m.元列][m.元段] == m.駒;
        if (m.元列 != MAN持駒列 && m.元列 != COM持駒列)
            return false;
        // A drop: an unpromoted hand piece of the hand's owner onto an empty
        // square. The lower hand records slot + 1; the upper hand the slot (the
        // computer) or the screen row 7 - slot (the mouse).
        if (m.成駒 != m.駒 || target != 0 || !持駒になる(m.駒))
            return false;
        const int slot = 持駒番号(m.駒);
        if (m.元列 == MAN持駒列)
            return !upper && m.元段 == slot + 1 && p.持駒_MAN[slot] >= 1;
        return upper && (m.元段 == slot || m.元段 == 7 - slot) && p.持駒_COM[slot] >= 1;
    }

    // A trailing line that holds nothing: empty, blanks, or the DOS end-of-file
    // mark 0x1A that old editors put after the last line.
    bool 空行(const std::string& line)
    {
        return line.find_first_not_of(" \t\r\x1a") == std::string::npos;
    }

    // Stores move m as record entry n of g.
    void 記録(GameState& g, int n, const 手& m)
    {
        g.棋譜_元列[n] = m.元列;
        g.棋譜_元段[n] = m.元段;
        g.棋譜_先列[n] = m.先列;
        g.棋譜_先段[n] = m.先段;
        g.棋譜_成駒[n] = m.成駒;
        g.棋譜_駒[n] = m.駒;
        g.棋譜_取駒[n] = m.取駒;
        g.棋譜_時間1[n] = m.時間[0];
        g.棋譜_時間2[n] = m.時間[1];
        g.棋譜_時間3[n] = m.時間[2];
        g.棋譜_時間4[n] = m.時間[3];
    }

    // The lines of the record file for moves 1..記録手数 of g under the three
    // header lines (their control characters as spaces).
    std::vector<std::string> 棋譜ファイル行(
        const std::array<std::string, 3>& header, const GameState& g)
    {
        std::vector<std::string> lines;
        for (const std::string& line : header)
            lines.push_back(制御文字置換(line));
        const int count = std::clamp(g.記録手数, 0, 最大手数);
        for (int n = 1; n <= count; ++n)
            lines.push_back(棋譜行(g, n));
        return lines;
    }

} // namespace

std::string 棋譜行(const GameState& g, int n)
{
    if (n < 1 || n > 最大手数)
        return {};
    std::string line;
    line += field(g.棋譜_元列[n], 2, -9, 99);
    line += field(g.棋譜_元段[n], 1, 0, 9);
    line += field(g.棋譜_先列[n], 1, 0, 9);
    line += field(g.棋譜_先段[n], 1, 0, 9);
    line += field(g.棋譜_成駒[n], 4, -999, 9999);
    line += field(g.棋譜_駒[n], 4, -999, 9999);
    line += field(g.棋譜_取駒[n], 4, -999, 9999);
    line += field(seconds(g.棋譜_時間1[n]), 5, 0, 99999);
    line += field(seconds(g.棋譜_時間2[n]), 5, 0, 99999);
    line += field(seconds(g.棋譜_時間3[n]), 5, 0, 99999);
    line += field(seconds(g.棋譜_時間4[n]), 5, 0, 99999);
    return line;
}

std::string 制御文字置換(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += ' ';
        } else if (byte == 0xC2 && i + 1 < text.size()
            && static_cast<unsigned char>(text[i + 1]) >= 0x80
            && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out += ' '; // U+0080..U+009F, the second set of control characters
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool 書込_棋譜(const std::string& path, const std::array<std::string, 3>& header,
    const GameState& g, std::string* error)
{
    const std::vector<std::string> lines = 棋譜ファイル行(header, g);
    // The reader's own check on the lines as they will be read back: the header
    // holds no line break any more, so the file splits into exactly these lines.
    GameState scratch;
    const 棋譜読込結果 back = 解析_棋譜(lines, scratch);
    if (back.途中まで || back.手数 != std::clamp(g.記録手数, 0, 最大手数)) {
        if (error)
            *error = withValues(tr_("%1手目が初期配置からの手順に合いません。このままでは読み込めな"
                                    "い棋譜になります"),
                { std::to_string(back.拒否行) });
        return false;
    }
    return writeShiftJisLines(path, lines, error);
}

棋譜読込結果 解析_棋譜(const std::vector<std::string>& lines, GameState& g)
{
    棋譜読込結果 result;
    result.開けた = true;
    for (size_t i = 0; i < 3 && i < lines.size(); ++i)
        result.見出し[i] = lines[i];

    size_t end = lines.size();
    while (end > 3 && 空行(lines[end - 1]))
        --end;

    // The moves are played on a scratch state from the starting position;
    // only their record entries are copied into g at the end.
    GameState position;
    初期配置(position);
    int count = 0;
    for (size_t i = 3; i < end; ++i) {
        const int number = static_cast<int>(i - 2);
        if (number > 最大手数) {
            result.途中まで = true;
            result.拒否行 = number;
            break;
        }
        const auto m = parse(lines[i]);
        if (!m || !適合(position, *m)) {
            result.途中まで = true;
            result.拒否行 = number;
            break;
        }
        記録(position, number, *m);
        再生_棋譜手(position, number);
        count = number;
    }

    for (int n = 1; n <= count; ++n)
        複写_棋譜手(g, position, n);
    result.手数 = count;
    return result;
}

棋譜読込結果 読込_棋譜(const std::string& path, GameState& g)
{
    棋譜読込結果 result;
    const auto lines = readShiftJisLines(path, 最大棋譜ファイルサイズ, &result.大きすぎる);
    if (!lines)
        return result;
    return 解析_棋譜(*lines, g);
}

} // namespace tori
