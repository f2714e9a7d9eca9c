// Times the computer's turn at levels 1-3 over a corpus of positions from
// real games, and 詰めかCOM after the human move that led to each of them;
// runs the game-tree search of levels 4 and 5 for a fixed time on every
// 20th position and from the start; counts every operator new while the
// engine runs.
//
//   tori-bench [CORPUS] [--rounds N] [--limit N] [--search-ms MS]
//   tori-bench --signature [EXPECTED]
//
// Each position is timed N rounds (default 5) and its fastest round kept, so
// that another process on the machine does not count as engine time; the
// median and the maximum over the positions are printed. The search runs MS
// milliseconds a position (default 1000; 0 leaves it out) and reports nodes
// per second and the depth it completed.
//
// --signature prints the total nodes of a fixed-depth search over every 20th
// corpus position, a fingerprint of the search and the evaluation; with
// EXPECTED it exits with 1 when the total differs.
#include "engine/engine.h"
#include "engine/turn.h"
#include "rules/rules.h"
#include "search/game.h"
#include "search/search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<long> allocations { 0 };

} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace tori;
using Clock = std::chrono::steady_clock;

struct Corpus {
    std::vector<GameState> positions;
};

bool readCorpus(const std::string& path, Corpus& corpus)
{
    return search::読込_局面ファイル(path, [&](GameState& g, std::istream& rest) {
        int extra;
        if (rest >> extra)
            return false;
        corpus.positions.push_back(g);
        return true;
    });
}

struct Figures {
    double median = 0, max = 0; // milliseconds
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    Figures f;
    if (ms.empty())
        return f;
    const size_t n = ms.size();
    f.median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    f.max = ms.back();
    return f;
}

double elapsedMs(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Every 20th position: about 20 positions of every stage of a game.
std::vector<size_t> sample(size_t n)
{
    std::vector<size_t> picked;
    for (size_t i = 0; i < n; i += 20)
        picked.push_back(i);
    return picked;
}

constexpr int SignatureDepth = 6;

std::uint64_t signature(const Corpus& corpus, search::Searcher& searcher)
{
    std::uint64_t total = 0;
    search::Limits limits;
    limits.depth = SignatureDepth;
    for (const size_t i : sample(corpus.positions.size())) {
        searcher.clear();
        const search::Position p = search::Position::fromGame(corpus.positions[i], search::Upper);
        total += searcher.search(p, nullptr, 0, limits).nodes;
    }
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    std::string path = ZR_BENCH_CORPUS;
    int rounds = 5;
    size_t limit = 0;
    int searchMs = 1000;
    bool signatureOnly = false;
    std::uint64_t expected = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--signature") {
            signatureOnly = true;
            if (i + 1 < argc)
                expected = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--search-ms" && i + 1 < argc)
            searchMs = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--limit" && i + 1 < argc)
            limit = std::strtoul(argv[++i], nullptr, 10);
        else
            path = arg;
    }
    Corpus corpus;
    if (!readCorpus(path, corpus) || corpus.positions.empty()) {
        std::fprintf(stderr, "cannot read the corpus %s\n", path.c_str());
        return 2;
    }
    // Every state the engine touches lives here, made before the clock runs.
    static GameState g;
    static EngineState e;
    static search::Searcher searcher(16);

    if (signatureOnly) {
        const std::uint64_t total = signature(corpus, searcher);
        std::printf("bench signature: %llu nodes at depth %d over %zu positions\n",
            static_cast<unsigned long long>(total), SignatureDepth,
            sample(corpus.positions.size()).size());
        return expected && total != expected ? 1 : 0;
    }
    // --limit shortens the timed turns; the search keeps its sample of the whole corpus.
    const std::vector<size_t> searched = sample(corpus.positions.size());
    const size_t n = limit ? std::min(limit, corpus.positions.size()) : corpus.positions.size();
    std::vector<double> best(n);
    long allocated = 0;

    std::printf("%zu positions, fastest of %d rounds each\n", n, rounds);
    for (int level = 1; level <= 3; ++level) {
        std::fill(best.begin(), best.end(), 1e300);
        for (int round = 0; round < rounds; ++round)
            for (size_t i = 0; i < n; ++i) {
                g = corpus.positions[i];
                g.レベル = level;
                e = EngineState();
                const long before = allocations.load();
                const auto start = Clock::now();
                const COM着手結果 r = com_ban(g, e);
                const double ms = elapsedMs(start);
                allocated += allocations.load() - before;
                if (r.拒否 != 着手拒否::なし && r.拒否 != 着手拒否::指手なし) {
                    std::fprintf(stderr, "position %zu refused\n", i);
                    return 2;
                }
                best[i] = std::min(best[i], ms);
            }
        const Figures f = figures(best);
        std::printf(
            "level %d computer turn: median %.3f ms, max %.3f ms\n", level, f.median, f.max);
    }

    // 詰めかCOM as the mouse handler asks it: the human has just moved into
    // the corpus position, which is surveyed, then the computer's mate is tested.
    std::fill(best.begin(), best.end(), 1e300);
    int checks = 0;
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < n; ++i) {
            g = corpus.positions[i];
            e = EngineState();
            const long before = allocations.load();
            const auto start = Clock::now();
            勢力調査(g, e);
            const bool inCheck = e.MAN勢力[g.COM鵬_列][g.COM鵬_段] > 0;
            詰めかCOM(g, e);
            const double ms = elapsedMs(start);
            allocated += allocations.load() - before;
            if (round == 0 && inCheck)
                ++checks;
            best[i] = std::min(best[i], ms);
        }
    const Figures f = figures(best);
    std::printf("詰めかCOM after a human move (%d in check): median %.4f ms, max %.4f ms\n", checks,
        f.median, f.max);
    // The game-tree search: a fixed time on the sampled positions, then from
    // the start with the upper side to move.
    if (searchMs > 0) {
        search::Limits limits;
        limits.timeMs = searchMs;
        std::vector<int> depths;
        std::uint64_t nodes = 0;
        double ms = 0;
        // Processor time too: with other processes on the machine the search
        // gets less than its wall-clock time, and its own speed is nodes per
        // second of processor time.
        const std::clock_t cpuStart = std::clock();
        for (const size_t i : searched) {
            searcher.clear();
            const search::Position p
                = search::Position::fromGame(corpus.positions[i], search::Upper);
            const long before = allocations.load();
            const search::Result r = searcher.search(p, nullptr, 0, limits);
            allocated += allocations.load() - before;
            depths.push_back(r.depth);
            nodes += r.nodes;
            ms += r.ms;
        }
        const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        std::sort(depths.begin(), depths.end());
        std::printf("search, %d ms a position over %zu positions: %.0f nodes/s (%.0f a second of "
                    "processor time), depth median %d, least %d, most %d\n",
            searchMs, depths.size(), nodes * 1000.0 / ms, nodes / cpuSeconds,
            depths[depths.size() / 2], depths.front(), depths.back());
        searcher.clear();
        const long before = allocations.load();
        const std::clock_t startCpu = std::clock();
        const search::Result r
            = searcher.search(search::Position::start(search::Upper), nullptr, 0, limits);
        allocated += allocations.load() - before;
        const double startSeconds = double(std::clock() - startCpu) / CLOCKS_PER_SEC;
        std::printf("search from the start, %d ms: depth %d, %.0f nodes/s (%.0f a second of "
                    "processor time)\n",
            searchMs, r.depth, r.nodes * 1000.0 / r.ms, r.nodes / startSeconds);
    }
    std::printf("operator new calls while the engine ran: %ld\n", allocated);
    return allocated == 0 ? 0 : 1;
}
