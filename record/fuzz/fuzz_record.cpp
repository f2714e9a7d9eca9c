// Fuzz target of the whole road of a game record, through real files.
//
// An input that starts with a zero byte describes a record: three header
// texts and a move record, most moves played by the rules from the starting
// position, some written straight into the record arrays with any values.
// The record is written with 書込_棋譜 and read back with 読込_棋譜: the writer
// either refuses it, or it comes back whole, entry for entry, with the header
// it was given (control characters as spaces). A record played by the rules
// alone is never refused.
//
// Any other input is a record file as it may lie on a disk. Whatever the reader
// accepts replays inside the board and the hands, and writing it again and
// reading that back gives the same record.
#include "record/record_file.h"
#include "rules/record_entry.h"
#include "rules/rules.h"
#include "settings/text_file.h"
#include "support/games.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tori;
using tori::testing::指し手;
using tori::testing::指す;

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "record road: %s\n", what);
        std::abort();
    }
}

// The input's bytes read from the front as the choices that make a record;
// once they run out every choice is the smallest one.
class Choices {
public:
    Choices(const uint8_t* data, size_t size)
        : data(data)
        , size(size)
    {
    }
    size_t left() const { return size - at; }
    uint8_t byte() { return at < size ? data[at++] : 0; }
    bool flag() { return byte() & 1; }
    // lo..hi, from one byte when the range fits in one, else from two.
    int inRange(int lo, int hi)
    {
        const unsigned span = static_cast<unsigned>(hi - lo) + 1;
        unsigned v = byte();
        if (span > 256)
            v = v << 8 | byte();
        return lo + static_cast<int>(v % span);
    }
    std::string text(size_t maxLength)
    {
        const size_t length = std::min<size_t>({ byte() % (maxLength + 1), left() });
        std::string s(reinterpret_cast<const char*>(data + at), length);
        at += length;
        return s;
    }
    double real()
    {
        uint8_t bytes[sizeof(double)] {};
        for (uint8_t& b : bytes)
            b = byte();
        double v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

// A folder for the files of one fuzzing process, in memory where there is one
// (the writer syncs every file it writes), removed at exit.
struct Folder {
    std::string path
        = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/zr-fuzz-XXXXXX");
    Folder() { check(mkdtemp(path.data()) != nullptr, "no folder for the files"); }
    ~Folder() { std::filesystem::remove_all(path); }
};

const std::string& folder()
{
    static const Folder f;
    return f.path;
}

// The whole seconds the writer stores for a time.
double 秒(double t)
{
    if (!(t >= 0))
        return 0;
    return t > 99999 ? 99999 : std::floor(t);
}

bool 同じ手(const GameState& written, const GameState& read, int n)
{
    return written.棋譜_元列[n] == read.棋譜_元列[n] && written.棋譜_元段[n] == read.棋譜_元段[n]
        && written.棋譜_先列[n] == read.棋譜_先列[n] && written.棋譜_先段[n] == read.棋譜_先段[n]
        && written.棋譜_成駒[n] == read.棋譜_成駒[n] && written.棋譜_駒[n] == read.棋譜_駒[n]
        && written.棋譜_取駒[n] == read.棋譜_取駒[n]
        && 秒(written.棋譜_時間1[n]) == read.棋譜_時間1[n]
        && 秒(written.棋譜_時間2[n]) == read.棋譜_時間2[n]
        && 秒(written.棋譜_時間3[n]) == read.棋譜_時間3[n]
        && 秒(written.棋譜_時間4[n]) == read.棋譜_時間4[n];
}

// Writes record entries 1..記録手数 of `record` under `header` and reads the file
// back. Returns false when the writer refused; otherwise checks that the
// record came back whole.
bool 往復(const std::array<std::string, 3>& header, const GameState& record)
{
    const std::string path = folder() + "/往復.棋譜";
    std::remove(path.c_str());
    std::string error;
    if (!書込_棋譜(path, header, record, &error)) {
        check(!error.empty(), "the writer refused without a reason");
        check(access(path.c_str(), F_OK) != 0, "the writer refused but left a file");
        return false;
    }
    GameState read;
    const 棋譜読込結果 r = 読込_棋譜(path, read);
    const int count = std::clamp(record.記録手数, 0, 最大手数);
    check(r.開けた, "a written record cannot be opened");
    check(!r.途中まで && r.手数 == count, "a written record loads only in part");
    for (int n = 1; n <= count; ++n)
        check(同じ手(record, read, n), "a move reads back other than it was written");
    // Shift-JIS holds some characters in one form for two (¥ and \, 〜 and ～)
    // and none for others ("?"): a header line reads back as its Shift-JIS
    // form says, on its own line.
    for (int i = 0; i < 3; ++i)
        check(r.見出し[i] == shiftJisToUtf8(utf8ToShiftJis(制御文字置換(header[i]))),
            "a header line reads back changed");
    return true;
}

// Replays the accepted moves as the 進 command does and checks each one
// against the position it is played on before it is played.
void replay(const GameState& record, int count)
{
    GameState g = record;
    初期配置(g);
    for (int n = 1; n <= count; ++n) {
        const int fc = record.棋譜_元列[n], fr = record.棋譜_元段[n];
        const int tc = record.棋譜_先列[n], tr = record.棋譜_先段[n];
        const int placed = record.棋譜_成駒[n], captured = record.棋譜_取駒[n];
        check(盤内(tc, tr), "the reader accepted a move off the board");
        check(駒コード(placed) && 駒コード(record.棋譜_駒[n]), "the reader accepted a non-piece");
        check(g.盤[tc][tr] == captured, "the reader accepted a capture of what is not there");
        if (盤内(fc, fr)) {
            check(g.盤[fc][fr] == record.棋譜_駒[n], "the reader accepted a piece not there");
        } else {
            check(fc == MAN持駒列 || fc == COM持駒列, "the reader accepted a move from nowhere");
            const int slot = 持駒番号(placed);
            check(slot != 0, "the reader accepted a drop of a piece with no hand slot");
            check((下手駒(placed) ? g.持駒_MAN[slot] : g.持駒_COM[slot]) > 0,
                "the reader accepted a drop from an empty hand");
        }
        const double times[4] = { record.棋譜_時間1[n], record.棋譜_時間2[n], record.棋譜_時間3[n],
            record.棋譜_時間4[n] };
        for (double t : times)
            check(t >= 0 && t <= 99999, "the reader accepted a time outside its field");
        再生_棋譜手(g, n);
    }
}

// A record file from the disk: read, replayed, written again and read back.
void 読込から(const uint8_t* data, size_t size)
{
    const std::string path = folder() + "/読込.棋譜";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    check(f != nullptr, "the input cannot be stored");
    check(
        std::fwrite(data, 1, size, f) == size && std::fclose(f) == 0, "the input cannot be stored");

    GameState g;
    const 棋譜読込結果 r = 読込_棋譜(path, g);
    check(r.開けた == (size <= 最大棋譜ファイルサイズ),
        "a file is refused or read for its size wrongly");
    if (!r.開けた)
        return;
    check(r.手数 >= 0 && r.手数 <= 最大手数, "the reader took more than 500 moves");
    replay(g, r.手数);
    g.記録手数 = r.手数;
    check(往復(r.見出し, g), "the writer refused a record the reader accepted");
}

// One of the piece codes, or now and then any number.
int 駒値(Choices& in)
{
    static constexpr int codes[] = { 0, 燕, 鴈, 雉, 鷹, 鷹成, 鶴, 左鶉, 右鶉, 鵬 };
    if (in.inRange(0, 15) == 0)
        return in.inRange(-32768, 32767);
    const int code = codes[in.inRange(0, std::size(codes) - 1)];
    return in.flag() ? code : -code;
}

double 時間値(Choices& in)
{
    switch (in.inRange(0, 3)) {
    case 0:
        return in.real(); // NaN, infinities and all
    case 1:
        return in.inRange(-10, 100010) + in.byte() / 256.0;
    default:
        return in.inRange(0, 99999);
    }
}

// A move of the side that the rules allow, chosen by the input: a piece (or a
// hand slot) first, then one of its targets. False when the side cannot move.
bool 合法手を選ぶ(Choices& in, GameState& g, bool upper, 指し手& move)
{
    std::vector<指し手> pieces; // from-square and code; the target comes later
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            const int code = g.盤[c][r];
            if (upper ? 上手駒(code) : 下手駒(code))
                pieces.push_back({ c, r, 0, 0, code });
        }
    for (int slot = 1; slot <= 6; ++slot)
        if ((upper ? g.持駒_COM[slot] : g.持駒_MAN[slot]) > 0)
            pieces.push_back({ upper ? COM持駒列 : MAN持駒列, upper ? slot : slot + 1, 0, 0,
                upper ? 持駒種類(slot) : -持駒種類(slot) });
    if (pieces.empty())
        return false;
    調査_2燕フラグ設定(g);
    const size_t first = static_cast<size_t>(in.inRange(0, static_cast<int>(pieces.size()) - 1));
    for (size_t k = 0; k < pieces.size(); ++k) {
        const 指し手& p = pieces[(first + k) % pieces.size()];
        const bool drop = !盤内(p.元列, p.元段);
        std::vector<指し手> targets;
        for (int tc = 1; tc <= 7; ++tc)
            for (int tr = 1; tr <= 7; ++tr) {
                const int there = g.盤[tc][tr];
                const bool free = drop ? there == 空 : !(upper ? 上手駒(there) : 下手駒(there));
                if (free && 移動チェック(g, p.元列, p.元段, tc, tr, p.駒) == 1)
                    targets.push_back({ p.元列, p.元段, tc, tr, p.駒 });
            }
        if (!targets.empty()) {
            move
                = targets[static_cast<size_t>(in.inRange(0, static_cast<int>(targets.size()) - 1))];
            return true;
        }
    }
    return false;
}

// A record described by the input, written and read back.
void 書込から(Choices in)
{
    std::array<std::string, 3> header;
    for (std::string& line : header)
        line = in.text(80);

    GameState g;
    初期設定(g);
    g.MAN鵬_列 = 4;
    g.MAN鵬_段 = 7;
    bool upper = in.flag(); // who moves first
    bool byRules = true;
    while (in.left() > 0 && g.記録手数 < 最大手数 && g.勝者 == -1) {
        if (in.inRange(0, 15) == 0) {
            // Anything at all in the next record entry; the position stays.
            const int n = ++g.記録手数;
            g.棋譜_元列[n] = in.inRange(-12, 12);
            g.棋譜_元段[n] = in.inRange(-2, 10);
            g.棋譜_先列[n] = in.inRange(-2, 10);
            g.棋譜_先段[n] = in.inRange(-2, 10);
            g.棋譜_成駒[n] = 駒値(in);
            g.棋譜_駒[n] = 駒値(in);
            g.棋譜_取駒[n] = 駒値(in);
            g.棋譜_時間1[n] = 時間値(in);
            g.棋譜_時間2[n] = 時間値(in);
            g.棋譜_時間3[n] = 時間値(in);
            g.棋譜_時間4[n] = 時間値(in);
            g.最終記録手数 = n;
            byRules = false;
        } else {
            指し手 m {};
            if (!合法手を選ぶ(in, g, upper, m))
                break;
            const bool promote = in.flag();
            const bool screenRow = in.flag();
            指す(g, m, promote, 時間値(in), screenRow);
        }
        upper = !upper;
    }
    // Now and then a count that is not the number of moves stored.
    const int stored = g.記録手数;
    if (in.left() > 0 && in.inRange(0, 7) == 0) {
        g.記録手数 = in.inRange(-3, 最大手数 + 10);
        byRules = byRules && g.記録手数 <= stored;
    }
    const bool written = 往復(header, g);
    check(written || !byRules, "the writer refused a record played by the rules");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0 && data[0] == 0)
        書込から(Choices(data + 1, size - 1));
    else
        読込から(data, size);
    return 0;
}
