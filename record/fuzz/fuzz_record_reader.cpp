// Feeds arbitrary bytes to the record reader as a record file and checks that
// whatever it accepts replays inside the board and the hands.
#include "record/record_file.h"
#include "rules/record_entry.h"
#include "rules/rules.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace tori;

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "record reader accepted a move that %s\n", what);
        std::abort();
    }
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
        check(盤内(tc, tr), "lands outside the board");
        check(駒コード(placed) && 駒コード(record.棋譜_駒[n]), "holds a code that is no piece");
        check(g.盤[tc][tr] == captured, "captures what is not on the target");
        if (盤内(fc, fr)) {
            check(g.盤[fc][fr] == record.棋譜_駒[n], "moves a piece that is not there");
        } else {
            check(fc == MAN持駒列 || fc == COM持駒列, "comes from nowhere");
            const int slot = 持駒番号(placed);
            check(slot != 0, "drops a piece that has no hand slot");
            check((下手駒(placed) ? g.持駒_MAN[slot] : g.持駒_COM[slot]) > 0,
                "drops from an empty hand");
        }
        const double times[4] = { record.棋譜_時間1[n], record.棋譜_時間2[n], record.棋譜_時間3[n],
            record.棋譜_時間4[n] };
        for (double t : times)
            check(t >= 0 && t <= 99999, "has a time outside its field");
        再生_棋譜手(g, n);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/zr-fuzz-record-" + std::to_string(getpid()) + ".棋譜";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    GameState g;
    const 棋譜読込結果 r = 読込_棋譜(path, g);
    check(r.開けた, "(the file could not be read back)");
    check(r.手数 >= 0 && r.手数 <= 最大手数, "is beyond the record's 500 moves");
    replay(g, r.手数);

    // What was accepted is written again as the same lines.
    for (int n = 1; n <= r.手数; ++n)
        check(棋譜行(g, n).size() == 37, "is written back as a line that is not 37 characters");
    return 0;
}
