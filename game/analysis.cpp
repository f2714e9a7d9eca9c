#include "game/analysis.h"

#include "display/display.h"
#include "platform/menu_names.h"
#include "platform/translation.h"
#include "rules/record_entry.h"
#include "search/game.h"

#include <algorithm>
#include <cstdlib>

namespace tori {

using namespace search;

namespace {
    // Moves of the principal line shown beside the board and in the detail.
    constexpr int lineMoves = 8;
    constexpr int graphEdge = 2000;

    bool won(int score) { return std::abs(score) >= MateBound; }

    // The time choices of an analysis and how they are kept.
    int tenthsFromText(const std::string& text)
    {
        if (text == "0.3")
            return 3;
        if (text == "3")
            return 30;
        return 10;
    }
    std::string textFromTenths(int tenths)
    {
        return tenths == 3 ? "0.3" : tenths == 30 ? "3" : "1";
    }
} // namespace

int 下手評価(int score, int sideToMove) { return sideToMove == Lower ? score : -score; }

std::string 評価値文字(int lower)
{
    if (won(lower)) {
        // Moves of either side until the phoenix cannot escape, the winner's
        // last one included.
        const int moves = std::max(0, MateScore - std::abs(lower) - 1);
        return std::string(lower > 0 ? "+" : "-") + tr_("詰") + std::to_string(moves);
    }
    if (lower > 0)
        return "+" + std::to_string(lower);
    return std::to_string(lower);
}

int グラフ値(int lower)
{
    if (won(lower))
        return lower > 0 ? graphEdge : -graphEdge;
    return std::clamp(lower, -graphEdge, graphEdge);
}

悪手印 判定_悪手印(int before, int after, bool lowerMoved)
{
    const int sign = lowerMoved ? 1 : -1;
    const int mine = sign * before, then = sign * after;
    if (mine >= MateBound && then <= -MateBound)
        return 悪手印::大悪手;
    const int loss = グラフ値(mine) - グラフ値(then);
    if (loss >= 800)
        return 悪手印::大悪手;
    if (loss >= 300)
        return 悪手印::悪手;
    if (loss >= 150)
        return 悪手印::疑問手;
    return 悪手印::なし;
}

const char* 印文字(悪手印 mark)
{
    switch (mark) {
    case 悪手印::疑問手:
        return "疑問手";
    case 悪手印::悪手:
        return "悪手";
    case 悪手印::大悪手:
        return "大悪手";
    default:
        return "";
    }
}

const char* 印表示(悪手印 mark)
{
    switch (mark) {
    case 悪手印::疑問手:
        return tr_("疑問手");
    case 悪手印::悪手:
        return tr_("悪手");
    case 悪手印::大悪手:
        return tr_("大悪手");
    default:
        return "";
    }
}

std::string 指し手文字(const Position& p, Move m)
{
    const 探索結果 r = ゲーム着手(p, m);
    if (!r.ある)
        return {};
    if (国際表記()) {
        // As the move list writes a move in English: "S-53", "Fx44+", "S*33".
        const char how = isDrop(m) ? '*' : p.capturedBy(m) != 0 ? 'x' : '-';
        std::string text = 駒文字(r.駒) + how + std::to_string(8 - r.先列) + std::to_string(r.先段);
        if (!isDrop(m) && r.成駒 != r.駒)
            text += '+';
        return text;
    }
    const auto parts = 移動結果文字(r.先列, r.先段, r.成駒);
    std::string text = parts[0] + parts[1] + parts[2];
    if (isDrop(m))
        text += "打";
    else if (r.成駒 != r.駒)
        text += "成";
    return text;
}

int 局面手番(const GameState& g)
{
    const int n = std::clamp(g.記録手数, 0, 最大手数);
    const int last = std::clamp(std::max(g.最終記録手数, g.記録手数), 0, 最大手数);
    if (g.手番 != -1 && g.対局モード != -1 && n == last)
        return g.手番 == g.COM手番 ? Upper : Lower;
    if (n < last && g.棋譜_駒[n + 1] != 0)
        return g.棋譜_駒[n + 1] > 0 ? Upper : Lower;
    if (n >= 1 && g.棋譜_駒[n] != 0)
        return g.棋譜_駒[n] > 0 ? Lower : Upper;
    if (g.FEN手番 != 0)
        return g.FEN手番 == 1 ? Upper : Lower;
    if (g.手番 != -1)
        return g.手番 == g.COM手番 ? Upper : Lower;
    return Lower;
}

AnalysisCommands::AnalysisCommands(GameState& g, Menu& menu, Preferences& prefs,
    Clipboard& clipboard, MessageBoxes& boxes, AnalysisView& view, SearchJobs& jobs,
    MoveListCommands& list)
    : g(g)
    , menu(menu)
    , prefs(prefs)
    , clipboard(clipboard)
    , boxes(boxes)
    , view(view)
    , jobs(jobs)
    , list(list)
{
    hintLimits.timeMs = 1000;
    evaluationLimits.timeMs = 5000;
    list.annotate = [this](std::vector<MoveListEntry>& entries) { annotate(entries); };
}

AnalysisCommands::~AnalysisCommands() { list.annotate = nullptr; }

Limits AnalysisCommands::analysisLimits(int tenths) const
{
    Limits l;
    l.timeMs = tenths * 100;
    return l;
}

void AnalysisCommands::開始()
{
    menu.setChecked(menu::EVAL_SHOW, intPreference(prefs, "analysis/show_evaluation", 0, 0, 1));
}

// ---------------------------------------------------------------------------
// Jobs

void AnalysisCommands::cancelJobs()
{
    if (current != Job::None || analysing)
        jobs.cancel();
    current = Job::None;
    currentId = 0;
}

BackgroundJob AnalysisCommands::jobHere(const Limits& limits, std::uint64_t id) const
{
    BackgroundJob job;
    job.id = id;
    job.position = Position::fromGame(g, 局面手番(g));
    job.earlier.resize(MaxGameKeys);
    job.earlier.resize(static_cast<size_t>(recordKeys(g, job.earlier.data(), MaxGameKeys)));
    job.limits = limits;
    if (fixedDepth) {
        job.limits = Limits {};
        job.limits.depth = fixedDepth;
    }
    return job;
}

std::uint64_t AnalysisCommands::signature() const
{
    const Position p = Position::fromGame(g, 局面手番(g));
    return p.key() ^ (std::uint64_t(p.sideToMove() + 1) << 60)
        ^ (std::uint64_t(std::clamp(g.記録手数, 0, 最大手数)) * 0x9E3779B97F4A7C15ull);
}

void AnalysisCommands::resume()
{
    if (thinking || analysing || current != Job::None || evaluationDone
        || !menu.checked(menu::EVAL_SHOW))
        return;
    current = Job::Evaluation;
    currentId = newId();
    jobs.post(jobHere(evaluationLimits, currentId));
}

void AnalysisCommands::局面更新()
{
    if (!analysedMoves.empty() && validMoves() < static_cast<int>(analysedMoves.size())) {
        // The record on hand is another: its analysis goes, and a running one stops.
        if (analysing) {
            jobs.cancel();
            analysing = false;
            view.showProgress(0, 0);
        }
        analysedMoves.clear();
        analysed.clear();
        view.showGraph({}, -1);
        view.showDetail("");
        graphCurrent = -2;
    }
    if (!analysing && !analysed.empty()) {
        const int n = std::clamp(g.記録手数, 0, 最大手数);
        const int at = n < static_cast<int>(analysed.size()) ? n : -1;
        if (at != graphCurrent) {
            graphCurrent = at;
            showAnalysis();
        }
    }
    const std::uint64_t now = signature();
    if (now == shownSignature) {
        resume(); // after the computer's thinking
        return;
    }
    shownSignature = now;
    if (!analysing)
        cancelJobs();
    if (hintShown) {
        view.showHint("", 0, 0, 0, 0);
        hintShown = false;
    }
    evaluationDone = false;
    view.showEvaluation("");
    resume();
}

void AnalysisCommands::思考中(bool on)
{
    thinking = on;
    if (!on)
        return;
    // The person has moved: a hint for the position before is stale.
    if (hintShown) {
        view.showHint("", 0, 0, 0, 0);
        hintShown = false;
    }
    // A game is on: the computer has the processor, and a record being
    // analysed is no longer the one on hand.
    if (analysing) {
        jobs.cancel();
        analysing = false;
        analysedMoves.clear();
        analysed.clear();
        view.showProgress(0, 0);
        view.showGraph({}, -1);
        view.showDetail("");
        graphCurrent = -2;
    }
    if (current != Job::None) {
        jobs.cancel();
        current = Job::None;
        evaluationDone = false;
    }
}

void AnalysisCommands::終了()
{
    jobs.cancel();
    current = Job::None;
    analysing = false;
}

// ---------------------------------------------------------------------------
// The menu

void AnalysisCommands::HINT_Click()
{
    if (analysing || thinking)
        return;
    // On the computer's turn the computer is to move, not the person.
    if (g.対局モード == COM対局 && g.手番 == g.COM手番 && g.勝者 == -1
        && g.記録手数 >= g.最終記録手数)
        return;
    cancelJobs();
    if (hintShown) {
        view.showHint("", 0, 0, 0, 0);
        hintShown = false;
    }
    current = Job::Hint;
    currentId = newId();
    jobs.post(jobHere(hintLimits, currentId));
}

void AnalysisCommands::EVAL_SHOW_Click()
{
    const bool on = !menu.checked(menu::EVAL_SHOW);
    menu.setChecked(menu::EVAL_SHOW, on);
    prefs.setValue("analysis/show_evaluation", on ? "1" : "0");
    if (on) {
        evaluationDone = false;
        resume();
        return;
    }
    if (current == Job::Evaluation)
        cancelJobs();
    view.showEvaluation("");
}

void AnalysisCommands::KIFU_ANALYSE_Click()
{
    if (analysing)
        return;
    if (g.手番 != -1 && g.勝者 == -1 && g.対局モード != -1) {
        boxes.ok(tr_("対局中は解析できません"), tr_("解析"));
        return;
    }
    const int last = std::clamp(std::max(g.最終記録手数, g.記録手数), 0, 最大手数);
    if (last == 0) {
        boxes.ok(tr_("解析する棋譜がありません"), tr_("解析"));
        return;
    }
    const int tenths = view.chooseTenths(tenthsFromText(prefs.value("analysis/seconds", "1")));
    if (tenths <= 0)
        return;
    prefs.setValue("analysis/seconds", textFromTenths(tenths));

    cancelJobs();
    evaluationDone = false;
    // Every position of the record, from the start: the entries taken back on
    // a copy, then played again one by one.
    GameState copy = g;
    for (int n = std::clamp(g.記録手数, 0, 最大手数); n >= 1; --n)
        取消_棋譜手(copy, n);
    analysedMoves.clear();
    analysed.assign(static_cast<size_t>(last) + 1, Analysed {});
    std::vector<std::uint64_t> keys;
    analysisBase = lastId + 1;
    lastId += static_cast<std::uint64_t>(last) + 1;
    for (int k = 0; k <= last; ++k) {
        if (k >= 1) {
            再生_棋譜手(copy, k);
            analysedMoves.push_back(recorded(k));
        }
        const int side = k < last ? (g.棋譜_駒[k + 1] > 0 ? Upper : Lower)
                                  : (g.棋譜_駒[k] > 0 ? Lower : Upper);
        Analysed& a = analysed[static_cast<size_t>(k)];
        a.position = Position::fromGame(copy, side);
        BackgroundJob job;
        job.id = analysisBase + static_cast<std::uint64_t>(k);
        job.position = a.position;
        job.earlier = keys;
        job.limits = analysisLimits(tenths);
        if (fixedDepth) {
            job.limits = Limits {};
            job.limits.depth = fixedDepth;
        }
        keys.push_back(a.position.key());
        jobs.post(std::move(job));
    }
    firstMoverLower = g.棋譜_駒[1] < 0;
    analysing = true;
    analysedCount = 0;
    graphCurrent = -2;
    view.showProgress(0, last + 1);
}

void AnalysisCommands::解析中止()
{
    if (!analysing)
        return;
    jobs.cancel();
    analysing = false;
    analysedMoves.clear();
    analysed.clear();
    view.showProgress(0, 0);
    resume();
}

void AnalysisCommands::ANALYSIS_COPY_Click()
{
    const std::string text = 解析テキスト();
    if (text.empty()) {
        boxes.ok(tr_("解析がありません"), tr_("解析"));
        return;
    }
    clipboard.setText(text);
}

// ---------------------------------------------------------------------------
// Reports

void AnalysisCommands::showEvaluationOf(const BackgroundReport& r)
{
    Position p = Position::fromGame(g, 局面手番(g));
    view.showEvaluation(std::string(tr_("評価値")) + " "
        + 評価値文字(下手評価(r.score, r.sideToMove)) + "\n" + lineText(p, r.pv));
}

void AnalysisCommands::探索途中(const BackgroundReport& r)
{
    if (current == Job::Evaluation && r.id == currentId)
        showEvaluationOf(r);
}

void AnalysisCommands::探索終了(const BackgroundReport& r)
{
    if (analysing && r.id >= analysisBase && r.id < analysisBase + analysed.size()) {
        Analysed& a = analysed[static_cast<size_t>(r.id - analysisBase)];
        if (!a.done)
            ++analysedCount;
        a.done = true;
        a.lower = 下手評価(r.score, r.sideToMove);
        a.best = r.best;
        a.pv = r.pv;
        const int total = static_cast<int>(analysed.size());
        if (analysedCount < total) {
            view.showProgress(analysedCount, total);
            return;
        }
        analysing = false;
        view.showProgress(0, 0);
        if (!menu.checked(menu::KIFU_LIST))
            list.KIFU_LIST_Click();
        graphCurrent = -2;
        局面更新();
        resume();
        return;
    }
    if (current == Job::None || r.id != currentId)
        return;
    const Job was = current;
    current = Job::None;
    currentId = 0;
    if (was == Job::Evaluation) {
        showEvaluationOf(r);
        evaluationDone = true;
        return;
    }
    // The hint.
    const Position p = Position::fromGame(g, 局面手番(g));
    if (r.best != NoMove && p.isPseudoLegal(r.best)) {
        const 探索結果 m = ゲーム着手(p, r.best);
        int fromY = m.元段;
        if (m.元列 == COM持駒列)
            fromY = 7 - m.元段; // the upper hand's cells run upwards from row 6
        view.showHint(
            std::string(tr_("ﾋﾝﾄ")) + " " + 指し手文字(p, r.best), m.元列, fromY, m.先列, m.先段);
        hintShown = true;
    }
    resume();
}

// ---------------------------------------------------------------------------
// The analysis on screen

AnalysisCommands::RecordedMove AnalysisCommands::recorded(int n) const
{
    return { g.棋譜_元列[n], g.棋譜_元段[n], g.棋譜_先列[n], g.棋譜_先段[n], g.棋譜_駒[n],
        g.棋譜_成駒[n] };
}

int AnalysisCommands::validMoves() const
{
    const int last = std::clamp(std::max(g.最終記録手数, g.記録手数), 0, 最大手数);
    const int count = std::min(last, static_cast<int>(analysedMoves.size()));
    int n = 0;
    while (n < count && recorded(n + 1) == analysedMoves[static_cast<size_t>(n)])
        ++n;
    // The same moves from another position (a reversed board, a handicap)
    // are another game.
    const int shown = std::clamp(g.記録手数, 0, 最大手数);
    if (shown <= n && shown < static_cast<int>(analysed.size())
        && !(Position::fromGame(g, 局面手番(g)) == analysed[static_cast<size_t>(shown)].position))
        return 0;
    return n;
}

std::string AnalysisCommands::lineText(Position p, const std::vector<Move>& pv) const
{
    std::string text;
    int shown = 0;
    for (const Move m : pv) {
        if (shown == lineMoves || !p.isPseudoLegal(m))
            break;
        if (!text.empty())
            text += " ";
        text += 指し手文字(p, m);
        ++shown;
        const bool ends = kindOf(p.capturedBy(m)) == Phoenix;
        Undo u;
        p.make(m, u);
        if (ends)
            break;
    }
    return text;
}

std::string AnalysisCommands::moveListText(int n) const
{
    const bool upper = 上手駒(g.棋譜_成駒[n]);
    const bool firstUpper = 上手駒(g.棋譜_成駒[1]);
    return std::string(upper == firstUpper ? "▲" : "△") + 変換_棋譜手(g, n);
}

void AnalysisCommands::annotate(std::vector<MoveListEntry>& entries) const
{
    if (analysing || analysed.empty())
        return;
    const int valid = validMoves();
    for (MoveListEntry& e : entries) {
        const int n = e.number;
        if (n < 1 || n > valid)
            continue;
        const Analysed& before = analysed[static_cast<size_t>(n - 1)];
        const Analysed& after = analysed[static_cast<size_t>(n)];
        e.evaluation = 評価値文字(after.lower);
        e.mark = 印表示(判定_悪手印(before.lower, after.lower, g.棋譜_駒[n] < 0));
    }
}

void AnalysisCommands::showAnalysis()
{
    const int valid = validMoves();
    std::vector<EvaluationPoint> points;
    for (int k = 0; k <= valid; ++k) {
        EvaluationPoint point;
        point.number = k;
        point.value = グラフ値(analysed[static_cast<size_t>(k)].lower);
        if (k >= 1)
            point.mark = 印表示(判定_悪手印(analysed[static_cast<size_t>(k - 1)].lower,
                analysed[static_cast<size_t>(k)].lower, g.棋譜_駒[k] < 0));
        points.push_back(point);
    }
    const int n = std::clamp(g.記録手数, 0, 最大手数);
    view.showGraph(points, n <= valid ? n : -1);
    if (n < 1 || n > valid) {
        view.showDetail("");
        return;
    }
    const Analysed& before = analysed[static_cast<size_t>(n - 1)];
    const Analysed& after = analysed[static_cast<size_t>(n)];
    const std::string mover = moveListText(n).substr(0, std::string("▲").size());
    view.showDetail(std::to_string(n) + " " + moveListText(n) + " " + 評価値文字(after.lower) + "  "
        + tr_("最善手") + " " + mover + 指し手文字(before.position, before.best) + " "
        + 評価値文字(before.lower) + "  " + lineText(before.position, before.pv));
}

std::string AnalysisCommands::解析テキスト() const
{
    if (analysing || analysed.empty())
        return {};
    const int valid = validMoves();
    if (valid < static_cast<int>(analysedMoves.size()))
        return {};
    std::string text;
    for (int n = 1; n <= valid; ++n) {
        const Analysed& before = analysed[static_cast<size_t>(n - 1)];
        const Analysed& after = analysed[static_cast<size_t>(n)];
        const std::string move = moveListText(n);
        const std::string mover = move.substr(0, std::string("▲").size());
        text += std::to_string(n) + "\t" + move + "\t" + 評価値文字(after.lower) + "\t" + mover
            + 指し手文字(before.position, before.best) + "\t" + 評価値文字(before.lower) + "\t"
            + 印文字(判定_悪手印(before.lower, after.lower, g.棋譜_駒[n] < 0)) + "\n";
    }
    return text;
}

} // namespace tori
