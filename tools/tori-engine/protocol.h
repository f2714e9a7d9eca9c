// The line protocol of tori-engine: one command a line, at most one reply line
// except for the info lines a search at level 4 or 5 prints before its reply.
//
//   level N                          N = 1..5 (4 and 5: the game-tree search)  no reply
//   threads N                        the game-tree search on N threads (default 1)  no reply
//   position B1..B49 C1..C6 M1..M6   board row by row, upper hand, lower hand  no reply
//   man FC FR TC TR PLACED           a lower move as the mouse enters it
//                                    -> man mated=M winner=W | error illegal|over|full
//   go                               the computer's turn
//   go movetime MS | depth N | nodes N   the same at level 4 or 5 within the limit
//                                    (depth and nodes start with an empty table:
//                                    the same position gives the same move)
//   go wtime MS btime MS winc MS binc MS byoyomi MS   the clocks, in any order,
//                                    each optional: levels 4 and 5 spend a share of
//                                    btime (the computer is 先手) with binc and byoyomi,
//                                    at most their usual time; levels 1-3 as go
//                                    -> com FC FR TC TR PIECE PLACED SCORE mate=M winner=W
//                                     | com none | error over|full
//                                    preceded at levels 4 and 5 by one line per depth:
//                                    info depth D score S nodes N nps X time MS pv MOVE...
//                                    (S is "cp N", N in hundredths of a swallow for the
//                                    computer, or "mate N" for a win in N moves of its
//                                    own, "mate -N" for a loss in N;
//                                    MOVE as 4243, 4263+ or S*43, see search/search.h)
//   show                             -> position ... (the current state)
//   quit                             ends the session
//
// W is none, man or com. Anything else gets "error <reason>" and changes nothing.
#pragma once

#include "engine/engine.h"
#include "rules/state.h"

#include <string>
#include <string_view>

namespace tori {

class EngineSession {
public:
    EngineSession();

    // Runs one command line. Returns false after quit. reply is cleared, then
    // holds the reply lines without the last line end, or stays empty.
    bool command(std::string_view line, std::string& reply);

    const GameState& game() const { return g_; }
    const EngineState& engine() const { return e_; }

private:
    GameState g_;
    EngineState e_;
};

} // namespace tori
