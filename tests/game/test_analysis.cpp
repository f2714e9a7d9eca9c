// 検討 over a search run here at a fixed depth: the marks and evaluations of
// an analysed record, its clipboard text, the hint, and positions changing
// under the searches without a stale report shown.
#include "table.h"

#include "game/analysis.h"
#include "support/games.h"

#include <deque>

namespace tori::testing {
namespace {

    // The jobs wait until the test runs them, each with a fresh searcher, so
    // that a test decides when a report arrives and what is stale by then.
    class QueuedJobs : public SearchJobs {
    public:
        void post(search::BackgroundJob job) override { waiting.push_back(std::move(job)); }
        void cancel() override
        {
            waiting.clear();
            ++cancels;
        }

        // Runs the first waiting job and returns its reports (iterations, then
        // the result last) without handing them on.
        std::vector<search::BackgroundReport> runOne()
        {
            search::BackgroundJob job = std::move(waiting.front());
            waiting.pop_front();
            struct Collect : search::Listener {
                const search::BackgroundJob& job;
                std::vector<search::BackgroundReport> reports;
                explicit Collect(const search::BackgroundJob& j)
                    : job(j)
                {
                }
                void iteration(const search::Iteration& it) override
                {
                    search::BackgroundReport r;
                    r.id = job.id;
                    r.sideToMove = job.position.sideToMove();
                    r.depth = it.depth;
                    r.score = it.score;
                    r.pv.assign(it.pv, it.pv + it.pvLength);
                    r.best = r.pv.empty() ? search::NoMove : r.pv.front();
                    reports.push_back(r);
                }
            } collect(job);
            search::Searcher searcher(1);
            const search::Result result = searcher.search(job.position, job.earlier.data(),
                static_cast<int>(job.earlier.size()), job.limits, &collect);
            search::BackgroundReport last
                = collect.reports.empty() ? search::BackgroundReport {} : collect.reports.back();
            last.id = job.id;
            last.sideToMove = job.position.sideToMove();
            last.best = result.best;
            last.score = result.score;
            last.depth = result.depth;
            if (last.pv.empty() || last.pv.front() != result.best)
                last.pv.assign(1, result.best);
            collect.reports.push_back(last);
            return collect.reports;
        }
        // Runs every waiting job, reporting to `to` as the window would.
        void runAll(AnalysisCommands& to)
        {
            while (!waiting.empty()) {
                auto reports = runOne();
                for (size_t i = 0; i + 1 < reports.size(); ++i)
                    to.探索途中(reports[i]);
                to.探索終了(reports.back());
            }
        }

        std::deque<search::BackgroundJob> waiting;
        int cancels = 0;
    };

    // A record of three moves on a sparse board:
    //  1 ▲ the lower falcon steps in front of an upper swallow, which can take
    //      it for nothing;
    //  2 △ the upper phoenix steps where a lower swallow takes it;
    //  3 ▲ the lower side, able to take the phoenix (its swallow takes it
    //      and promotes), steps its own phoenix
    //      where an upper swallow takes it: a won game turned into a lost one.
    void playRecord(GameState& g)
    {
        setBoard(g,
            "......K"
            "......."
            "......s"
            "..S...."
            "......."
            ".Sf...."
            "k......");
        g.持駒_MAN.fill(0);
        g.持駒_COM.fill(0);
        g.持駒数_MAN = g.持駒数_COM = 0;
        g.記録手数 = g.最終記録手数 = g.手数 = 0;
        指す(g, { 3, 6, 3, 5, -鷹 }, false, 1);
        指す(g, { 7, 1, 7, 2, 鵬 }, false, 1);
        指す(g, { 1, 7, 2, 7, -鵬 }, false, 1);
        g.手番 = -1;
        g.対局モード = -1;
        g.勝者 = -1;
    }

    struct Analysis : ::testing::Test {
        Table t;
        FakeAnalysisView view;
        QueuedJobs jobs;
        AnalysisCommands kentou { t.g, t.menu, t.preferences, t.clipboard, t.boxes, view, jobs,
            t.game.moveList() };
        void SetUp() override
        {
            t.game.Form_Load();
            t.boxes.shown.clear();
            kentou.fixedDepth = 3;
        }
        // What the window does after every event.
        void afterEvent()
        {
            t.game.moveList().描画_棋譜一覧();
            kentou.局面更新();
        }
    };

    TEST_F(Analysis, EvaluationsAsShogiProgramsShowThem)
    {
        EXPECT_EQ(評価値文字(152), "+152");
        EXPECT_EQ(評価値文字(-30), "-30");
        EXPECT_EQ(評価値文字(0), "0");
        // A win found in five moves for the lower side, a loss in three.
        EXPECT_EQ(評価値文字(search::MateScore - 6), "+詰5");
        EXPECT_EQ(評価値文字(-(search::MateScore - 4)), "-詰3");
        EXPECT_EQ(下手評価(120, search::Upper), -120);
        EXPECT_EQ(グラフ値(2500), 2000);
        EXPECT_EQ(グラフ値(-(search::MateScore - 9)), -2000);
        EXPECT_EQ(グラフ値(-1999), -1999);
    }

    TEST_F(Analysis, MarksFromTheMoversView)
    {
        // The lower side moved: its loss is the fall of the evaluation.
        EXPECT_EQ(判定_悪手印(100, -49, true), 悪手印::なし);
        EXPECT_EQ(判定_悪手印(100, -50, true), 悪手印::疑問手);
        EXPECT_EQ(判定_悪手印(100, -200, true), 悪手印::悪手);
        EXPECT_EQ(判定_悪手印(100, -700, true), 悪手印::大悪手);
        // The upper side moved: a rise of the lower side's evaluation is its loss.
        EXPECT_EQ(判定_悪手印(-100, 200, false), 悪手印::悪手);
        EXPECT_EQ(判定_悪手印(-100, -400, false), 悪手印::なし);
        // A found win thrown into a found loss, and a slower win that is no mistake.
        EXPECT_EQ(
            判定_悪手印(search::MateScore - 3, -(search::MateScore - 2), true), 悪手印::大悪手);
        EXPECT_EQ(判定_悪手印(search::MateScore - 3, search::MateScore - 9, true), 悪手印::なし);
    }

    TEST_F(Analysis, ARecordAnalysedGetsItsMarksGraphAndClipboardText)
    {
        playRecord(t.g);
        kentou.ANALYSIS_COPY_Click();
        EXPECT_EQ(t.lastBoxTitle(), "解析");
        EXPECT_EQ(t.clipboard.contents, "");

        view.answer = 3;
        kentou.KIFU_ANALYSE_Click();
        EXPECT_EQ(t.preferences.values["analysis/seconds"], "0.3");
        ASSERT_EQ(jobs.waiting.size(), 4u); // the start and the position after each move
        EXPECT_EQ(view.total, 4);
        jobs.runAll(kentou);
        EXPECT_EQ(view.total, 0); // the progress is gone
        EXPECT_TRUE(t.menu.checked(menu::KIFU_LIST)); // the list shows the marks
        afterEvent();

        ASSERT_EQ(t.moveList.entries.size(), 4u);
        const auto& e = t.moveList.entries;
        EXPECT_EQ(e[1].text, "▲５五鷹");
        EXPECT_TRUE(e[1].mark == "悪手" || e[1].mark == "大悪手") << e[1].mark;
        EXPECT_EQ(e[2].mark, "大悪手");
        EXPECT_EQ(e[2].evaluation, "+詰0"); // the lower side takes the phoenix next
        EXPECT_EQ(e[3].mark, "大悪手");
        EXPECT_EQ(e[3].evaluation, "-詰0");

        ASSERT_EQ(view.points.size(), 4u);
        EXPECT_EQ(view.points[2].value, 2000);
        EXPECT_EQ(view.points[3].value, -2000);
        EXPECT_EQ(view.points[3].mark, "大悪手");
        EXPECT_EQ(view.current, 3);
        EXPECT_NE(view.detail.find("最善手 ▲１二鴈成 +詰0"), std::string::npos) << view.detail;

        kentou.ANALYSIS_COPY_Click();
        const std::string& text = t.clipboard.contents;
        std::vector<std::string> lines;
        for (size_t at = 0; at < text.size();) {
            const size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        ASSERT_EQ(lines.size(), 3u);
        // Move 1: the falcon is lost; the evaluation after it is the upper
        // side's gain, and the best move kept it.
        EXPECT_EQ(lines[0].rfind("1\t▲５五鷹\t-", 0), 0u) << lines[0];
        EXPECT_TRUE(lines[0].ends_with("\t悪手") || lines[0].ends_with("\t大悪手")) << lines[0];
        EXPECT_EQ(lines[1], "2\t△１二鵬\t+詰0\t△５五燕\t" + e[1].evaluation + "\t大悪手");
        EXPECT_EQ(lines[2], "3\t▲６七鵬\t-詰0\t▲１二鴈成\t+詰0\t大悪手");

        // Stepping back moves the graph's mark and the detail to that move.
        t.game.moveList().List1_Click(1);
        afterEvent();
        EXPECT_EQ(view.current, 1);
        EXPECT_EQ(view.detail.rfind("1 ▲５五鷹 -", 0), 0u) << view.detail;
    }

    TEST_F(Analysis, AnotherRecordDropsTheAnalysisAndStopsOneRunning)
    {
        playRecord(t.g);
        kentou.KIFU_ANALYSE_Click();
        jobs.runOne(); // the start position's report is lost with the cancel below
        const int cancels = jobs.cancels;
        // A new game: the record on hand is no longer the one being analysed.
        t.game.START_Click();
        afterEvent();
        EXPECT_GT(jobs.cancels, cancels);
        EXPECT_EQ(view.total, 0);
        EXPECT_TRUE(view.points.empty());
        kentou.ANALYSIS_COPY_Click();
        EXPECT_EQ(t.lastBoxTitle(), "解析");
    }

    TEST_F(Analysis, NoAnalysisDuringAGameNorOfAnEmptyRecord)
    {
        kentou.KIFU_ANALYSE_Click();
        EXPECT_EQ(t.lastBoxText(), "解析する棋譜がありません");
        t.game.START_Click();
        t.move(1, 5, 1, 4);
        kentou.KIFU_ANALYSE_Click();
        EXPECT_EQ(t.lastBoxText(), "対局中は解析できません");
        EXPECT_TRUE(jobs.waiting.empty());
    }

    TEST_F(Analysis, TheHintShowsTheBestMoveWithoutPlayingIt)
    {
        playRecord(t.g);
        t.game.moveList().List1_Click(2); // the lower side can take the phoenix
        afterEvent();
        const GameState before = t.g;
        kentou.HINT_Click();
        ASSERT_EQ(jobs.waiting.size(), 1u);
        jobs.runAll(kentou);
        EXPECT_EQ(view.hint, "ﾋﾝﾄ １二鴈成");
        EXPECT_EQ(view.hintCells, (std::array<int, 4> { 7, 3, 7, 2 }));
        EXPECT_EQ(t.g.盤, before.盤);
        EXPECT_EQ(t.g.記録手数, 2);
        // The next position ends it.
        t.game.moveList().List1_Click(3);
        afterEvent();
        EXPECT_EQ(view.hint, "");
        // So does the computer starting to think after the person's move.
        kentou.HINT_Click();
        jobs.runAll(kentou);
        ASSERT_NE(view.hint, "");
        kentou.思考中(true);
        EXPECT_EQ(view.hint, "");
    }

    TEST_F(Analysis, NoHintOnTheComputersTurn)
    {
        t.game.GOTE_Click(); // the computer moves first, and has moved
        t.g.手番 = t.g.COM手番; // as while it thinks
        kentou.HINT_Click();
        EXPECT_TRUE(jobs.waiting.empty());
    }

    TEST_F(Analysis, AReportOfAPositionLeftBehindIsNeverShown)
    {
        playRecord(t.g);
        kentou.EVAL_SHOW_Click();
        EXPECT_EQ(t.preferences.values["analysis/show_evaluation"], "1");
        afterEvent();
        ASSERT_EQ(jobs.waiting.size(), 1u);
        // The search of move 3's position runs while the player steps back.
        auto stale = jobs.runOne();
        t.game.records().REPLAY_Click();
        afterEvent();
        EXPECT_EQ(view.evaluation, "");
        for (const auto& r : stale)
            kentou.探索途中(r);
        kentou.探索終了(stale.back());
        EXPECT_EQ(view.evaluation, "") << "the evaluation of another position";
        // The position on the board gets its own.
        ASSERT_EQ(jobs.waiting.size(), 1u);
        jobs.runAll(kentou);
        EXPECT_EQ(view.evaluation.rfind("評価値 +詰0", 0), 0u) << view.evaluation;

        // A hint asked and then left behind by a step shows nothing either.
        kentou.HINT_Click();
        auto staleHint = jobs.runOne();
        t.game.records().REPLAY_Click();
        afterEvent();
        kentou.探索終了(staleHint.back());
        EXPECT_EQ(view.hint, "");
        jobs.runAll(kentou);
        EXPECT_NE(view.evaluation, "");

        // Switched off, it is kept off and shows nothing.
        kentou.EVAL_SHOW_Click();
        EXPECT_EQ(t.preferences.values["analysis/show_evaluation"], "0");
        EXPECT_EQ(view.evaluation, "");
    }

    TEST_F(Analysis, TheEvaluationPausesWhileTheComputerThinks)
    {
        t.preferences.values["analysis/show_evaluation"] = "1";
        kentou.開始();
        EXPECT_TRUE(t.menu.checked(menu::EVAL_SHOW));
        playRecord(t.g);
        afterEvent();
        ASSERT_EQ(jobs.waiting.size(), 1u);
        kentou.思考中(true);
        EXPECT_TRUE(jobs.waiting.empty());
        afterEvent();
        EXPECT_TRUE(jobs.waiting.empty());
        kentou.思考中(false);
        afterEvent();
        EXPECT_EQ(jobs.waiting.size(), 1u);
    }

} // namespace
} // namespace tori::testing
