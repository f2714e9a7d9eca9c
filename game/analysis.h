// 検討: the hint, the evaluation of the position on the board while playing
// or stepping, and the analysis of a whole record with its marks, graph and
// clipboard text. Every search runs beside the window through SearchJobs on
// a copy of the position; the window hands the reports back here on its own
// thread, and a report of a job no longer wanted is dropped.
#pragma once

#include "platform/analysis_view.h"
#include "platform/clipboard.h"
#include "platform/menu.h"
#include "platform/message_boxes.h"
#include "platform/move_list.h"
#include "platform/preferences.h"
#include "record/move_list.h"
#include "rules/state.h"
#include "search/background.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tori {

// Where the searches run: the worker thread in the window, a test's own
// search in the tests.
class SearchJobs {
public:
    virtual ~SearchJobs() = default;
    virtual void post(search::BackgroundJob job) = 0;
    // Stops the running job and drops the waiting ones; no report of them
    // comes after it returns.
    virtual void cancel() = 0;
};

// A search's score for the side to move, from the lower side's view.
int 下手評価(int score, int sideToMove);
// A lower-side evaluation as shown: "+152", "-30", "0", or a found win in N
// moves as "+詰N" (the lower side wins) or "-詰N".
std::string 評価値文字(int lower);
// The evaluation on the graph: clamped to -2000..2000, a found win at the edge.
int グラフ値(int lower);

enum class 悪手印 { なし, 疑問手, 悪手, 大悪手 };
// The mark of a move from its mover's view: the evaluation (lower side's
// view) of the position before it, which is that of its best move, and of the
// position after it. 疑問手 loses 150 or more, 悪手 300, 大悪手 800 or turns
// a found win into a found loss.
悪手印 判定_悪手印(int before, int after, bool lowerMoved);
// "", "疑問手", "悪手", "大悪手", as the clipboard's text writes them.
const char* 印文字(悪手印 mark);
// The same in the player's language, as the move list and the graph show them.
const char* 印表示(悪手印 mark);

// The move in the words of the move list: "３三燕成", "４四燕打".
std::string 指し手文字(const search::Position& p, search::Move m);
// The side to move in the position on the board.
int 局面手番(const GameState& g);

class AnalysisCommands {
public:
    AnalysisCommands(GameState& g, Menu& menu, Preferences& prefs, Clipboard& clipboard,
        MessageBoxes& boxes, AnalysisView& view, SearchJobs& jobs, MoveListCommands& list);
    // The move list no longer asks for the analysis' marks.
    ~AnalysisCommands();
    AnalysisCommands(const AnalysisCommands&) = delete;
    AnalysisCommands& operator=(const AnalysisCommands&) = delete;

    // Start-up: the 評価値 mark as it was kept.
    void 開始();
    void HINT_Click();
    void EVAL_SHOW_Click();
    void KIFU_ANALYSE_Click();
    void ANALYSIS_COPY_Click();
    // The progress' cancel button.
    void 解析中止();

    // After every event: a new position on the board ends the hint and the
    // search of the one before and, with 評価値 on, searches the new one.
    void 局面更新();
    // The computer starts or ends its thinking: the searches beside it pause.
    void 思考中(bool on);
    // Stops every search (the window closes).
    void 終了();

    // The worker's reports, on the window's thread.
    void 探索途中(const search::BackgroundReport& r);
    void 探索終了(const search::BackgroundReport& r);

    // The analysis as text, one line per move (the clipboard's text).
    std::string 解析テキスト() const;
    // Limits of the searches: the hint's, the evaluation's, and an analysis
    // of `tenths` per position. Tests search to a fixed depth instead.
    search::Limits hintLimits, evaluationLimits;
    search::Limits analysisLimits(int tenths) const;
    // Set: every search is to this depth, whatever the times.
    int fixedDepth = 0;

private:
    // One record move as it was analysed, to tell whether the record on
    // hand still holds it.
    struct RecordedMove {
        int 元列, 元段, 先列, 先段, 駒, 成駒;
        bool operator==(const RecordedMove&) const = default;
    };
    // One position of the analysed record: before move 1 for index 0.
    struct Analysed {
        bool done = false;
        int lower = 0; // evaluation, lower side's view
        search::Position position;
        search::Move best = search::NoMove;
        std::vector<search::Move> pv;
    };
    enum class Job { None, Evaluation, Hint, Analysis };

    std::uint64_t newId() { return ++lastId; }
    void cancelJobs();
    // Starts what the position on the board asks for: the evaluation's search.
    void resume();
    search::BackgroundJob jobHere(const search::Limits& limits, std::uint64_t id) const;
    std::uint64_t signature() const;
    RecordedMove recorded(int n) const;
    // How many moves of the analysis the record on hand still holds.
    int validMoves() const;
    void annotate(std::vector<MoveListEntry>& entries) const;
    void showAnalysis();
    std::string lineText(search::Position p, const std::vector<search::Move>& pv) const;
    std::string moveListText(int n) const;
    void showEvaluationOf(const search::BackgroundReport& r);

    GameState& g;
    Menu& menu;
    Preferences& prefs;
    Clipboard& clipboard;
    MessageBoxes& boxes;
    AnalysisView& view;
    SearchJobs& jobs;
    MoveListCommands& list;

    std::uint64_t lastId = 0;
    std::uint64_t currentId = 0; // the evaluation's or hint's job
    Job current = Job::None;
    bool thinking = false;
    std::uint64_t shownSignature = 0;
    bool hintShown = false;
    bool evaluationDone = false;

    // The analysis: its jobs have ids analysisBase + index.
    std::uint64_t analysisBase = 0;
    bool analysing = false;
    std::vector<RecordedMove> analysedMoves; // 1..N at index n - 1
    std::vector<Analysed> analysed; // positions 0..N
    int analysedCount = 0;
    int firstMoverLower = 1;
    int graphCurrent = -2;
};

} // namespace tori
