// What the window shows of 検討: the evaluation line and the hint beside the
// board, the progress of an analysis, and the evaluation graph of a game.
#pragma once

#include <string>
#include <vector>

namespace tori {

// One position of an analysed game on the graph: the number of moves played
// to reach it, its evaluation from the lower side's view clamped to
// -2000..2000 (a found win at the edge), and the mark of the move that led
// to it ("" for none, or the translated 疑問手, 悪手, 大悪手).
struct EvaluationPoint {
    int number = 0;
    int value = 0;
    std::string mark;
    bool operator==(const EvaluationPoint&) const = default;
};

class AnalysisView {
public:
    virtual ~AnalysisView() = default;
    // The text beside the board: the evaluation, and its line on a line of
    // its own ("評価値 +152\n３三燕 ..."); empty hides it.
    virtual void showEvaluation(const std::string& text) = 0;
    // The hint: its text beside the board and the outlines of the cell the
    // piece comes from (a hand's cell for a drop) and of its destination, as
    // grid cells like BoardView's. An empty text hides the hint.
    virtual void showHint(const std::string& text, int fromX, int fromY, int toX, int toY) = 0;
    // An analysis has searched `done` of `total` positions; total 0 hides the
    // progress. The player may cancel it (the window then asks the game).
    virtual void showProgress(int done, int total) = 0;
    // The graph of an analysed game and the position shown on the board (an
    // index into points, -1 for none); no points hide it.
    virtual void showGraph(const std::vector<EvaluationPoint>& points, int current) = 0;
    // The analysis of the move shown on the board: the best move in the
    // position before it, its evaluation and its line. Empty hides it.
    virtual void showDetail(const std::string& text) = 0;
    // Asks how long an analysis searches each position: tenths of a second
    // (3, 10 or 30), `current` chosen first; 0 when the player cancels.
    virtual int chooseTenths(int current) = 0;
};

} // namespace tori
