// tori-perft: the move-path counts from the starting position, each side
// moving first, by the searching generator and by the rule procedures.
//
//   tori-perft [DEPTH]      prints "upper|lower DEPTH SEARCH REFERENCE" lines
//
// Exits with 1 when the two counts of some line differ. The output up to
// depth 5 is tests/search/perft.txt.
#include "reference.h"

#include "rules/rules.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    using namespace tori;
    const int maxDepth = argc > 1 ? std::atoi(argv[1]) : 5;
    int status = 0;
    std::printf("# side-to-move depth search-generator rule-procedures\n");
    for (int side = search::Upper; side <= search::Lower; ++side)
        for (int depth = 1; depth <= maxDepth; ++depth) {
            search::Position p = search::Position::start(side);
            GameState g;
            初期設定(g);
            const std::uint64_t a = testing::perft(p, depth);
            const std::uint64_t b = testing::referencePerft(g, side, depth);
            std::printf("%s %d %" PRIu64 " %" PRIu64 "\n",
                side == search::Upper ? "upper" : "lower", depth, a, b);
            std::fflush(stdout);
            if (a != b)
                status = 1;
        }
    return status;
}
