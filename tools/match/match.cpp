// tori-match: games between two players of the computer opponent, each
// opening played twice so that both players sit on either side, and the
// result as wins, draws and losses with the Elo difference.
//
//   tori-match A B [--games N] [--first N] [--seed S] [--plies P] [--random-plies K]
//                  [--book N] [--balance CP] [--sprt ELO0 ELO1 ALPHA BETA]
//                  [--positions FILE] [--quiet] [--verbose]
//
// A player is a level, 1..5, or a search with a fixed limit: dN (depth N),
// nN (N nodes) or tN (N milliseconds a move); PATH=PLAYER runs that player in
// another tori-engine binary through its line protocol (it plays the upper
// side of the board, so the lower side's position is sent turned; it is told
// no earlier positions, so it does not see repetitions); PATH=PLAYERxN has
// that binary search on N threads (t500x2). The opening book
// (at least N openings, default 500, shuffled by the seed) holds the starting
// position (either side first), the handicaps of levels 1..7 of either side,
// and random openings of 4..K plies (default 8) from the start that a short
// search finds within CP hundredths of a swallow of even (default 150). A
// game ends when a phoenix is taken; after P plies (default 300) or when a
// position stands on the board for the fourth time it is a draw.
//
// --sprt stops the match as soon as the sequential test decides between
// ELO0 (H0) and ELO1 (H1) with error rates ALPHA and BETA, after whole pairs
// of games and twenty games at least; --games is then the most it plays.
//
// --positions writes every position in which the side to move is not in
// check and plays a quiet move, with the game's result and the score of the
// mover's search, for tori-tune.
#include "engine/engine.h"
#include "engine/turn.h"
#include "rules/rules.h"
#include "search/evaluation.h"
#include "search/game.h"
#include "search/search.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tori;
using namespace tori::search;

// Another tori-engine, spoken to through pipes.
class Binary {
public:
    bool start(const std::string& path)
    {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0)
            return false;
        pid_ = fork();
        if (pid_ < 0)
            return false;
        if (pid_ == 0) {
            dup2(toChild[0], 0);
            dup2(fromChild[1], 1);
            close(toChild[1]);
            close(fromChild[0]);
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        in_ = fdopen(fromChild[0], "r");
        out_ = fdopen(toChild[1], "w");
        return in_ && out_;
    }
    ~Binary()
    {
        if (out_) {
            std::fputs("quit\n", out_);
            std::fclose(out_);
        }
        if (in_)
            std::fclose(in_);
        if (pid_ > 0)
            waitpid(pid_, nullptr, 0);
    }
    void send(const std::string& line)
    {
        std::fputs((line + "\n").c_str(), out_);
        std::fflush(out_);
    }
    // The next line that is not an info line.
    std::string reply()
    {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, in_)) {
            std::string line(buffer);
            while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
                line.pop_back();
            if (line.rfind("info", 0) != 0)
                return line;
        }
        return "";
    }

private:
    pid_t pid_ = -1;
    std::FILE* in_ = nullptr;
    std::FILE* out_ = nullptr;
};

struct Player {
    std::string name;
    int level = 0; // 1..3: the one-ply search of com_ban
    Limits limits; // levels 4 and 5 and the fixed limits
    std::unique_ptr<Searcher> searcher;
    std::unique_ptr<Binary> binary;
    std::string go = "go"; // what the binary is asked
    double thinkMs = 0, maxMs = 0;
    long moves = 0;
};

bool parsePlayer(const std::string& text, Player& p)
{
    p.name = text;
    const size_t eq = text.find('=');
    std::string player = eq == std::string::npos ? text : text.substr(eq + 1);
    // PATH=PLAYERxN: that binary's search on N threads.
    int threads = 1;
    if (const size_t x = player.find('x'); eq != std::string::npos && x != std::string::npos) {
        threads = std::atoi(player.c_str() + x + 1);
        if (threads < 1 || threads > SearchPool::MaxThreads)
            return false;
        player.resize(x);
    }
    if (player.size() == 1 && player[0] >= '1' && player[0] <= '5') {
        p.level = player[0] - '0';
        if (p.level >= 4)
            p.limits = levelLimits(p.level);
    } else if (player.size() > 1 && (player[0] == 'd' || player[0] == 'n' || player[0] == 't')) {
        const long v = std::atol(player.c_str() + 1);
        if (v <= 0)
            return false;
        p.level = 4;
        if (player[0] == 'd')
            p.limits.depth = int(std::min(v, long(MaxPly - 2)));
        else if (player[0] == 'n')
            p.limits.nodes = std::uint64_t(v);
        else
            p.limits.timeMs = int(v);
    } else
        return false;
    if (eq == std::string::npos) {
        if (p.level >= 4)
            p.searcher = std::make_unique<Searcher>(16);
        return true;
    }
    p.binary = std::make_unique<Binary>();
    if (!p.binary->start(text.substr(0, eq)))
        return false;
    p.binary->send("level " + std::to_string(p.level));
    if (threads > 1)
        p.binary->send("threads " + std::to_string(threads));
    if (player[0] == 'd')
        p.go = "go depth " + std::to_string(p.limits.depth);
    else if (player[0] == 'n')
        p.go = "go nodes " + std::to_string(p.limits.nodes);
    else if (player[0] == 't')
        p.go = "go movetime " + std::to_string(p.limits.timeMs);
    return true;
}

// The move of a level 1-3 player (com_ban) or of a player in another binary
// (its com reply). Both play the upper side, so the lower side's position is
// turned first and the move turned back.
Move upperSeatMove(const Position& pos, Player& p)
{
    const bool upper = pos.sideToMove() == Upper;
    static GameState g;
    static EngineState e;
    初期設定(g);
    (upper ? pos : pos.reversed()).toGame(g);
    int fc, fr, tc, tr, piece, placed;
    if (p.binary) {
        p.binary->send(書出_局面行(g));
        p.binary->send(p.go);
        if (std::sscanf(p.binary->reply().c_str(), "com %d %d %d %d %d %d", &fc, &fr, &tc, &tr,
                &piece, &placed)
            != 6)
            return NoMove;
    } else {
        g.レベル = p.level;
        g.MAN手番 = GameState::後手;
        g.COM手番 = GameState::先手;
        g.手番 = g.COM手番;
        g.対局モード = COM対局;
        e = EngineState();
        const COM着手結果 r = com_ban(g, e);
        if (r.拒否 != 着手拒否::なし)
            return NoMove;
        fc = r.元列;
        fr = r.元段;
        tc = r.先列;
        tr = r.先段;
        piece = r.駒;
        placed = r.成駒;
    }
    const auto own = [upper](int s) { return upper ? s : turned(s); };
    const int to = own(squareOf(tc, tr));
    if (fc == COM持駒列)
        return makeDrop(fr, to);
    return makeMove(own(squareOf(fc, fr)), to, placed != piece);
}

struct Opening {
    Position pos;
    std::string name;
};

// The opening book: the starting position with either side first, the
// handicaps of levels 1..7 of either side, and random openings of 4..K plies
// (K = randomPlies) from the start, kept only when a short search finds them
// roughly balanced (within `balance` hundredths of a swallow). The whole
// book is shuffled by the seed.
std::vector<Opening> openings(int count, std::mt19937_64& rng, int randomPlies, int balance)
{
    std::vector<Opening> list;
    list.push_back({ Position::start(Upper), "start, upper first" });
    list.push_back({ Position::start(Lower), "start, lower first" });
    for (int level = 1; level <= 7; ++level)
        for (int side = 0; side < 2; ++side) {
            GameState g;
            初期設定(g);
            ハンデ除去(g, side == Upper ? level : -level);
            // The side that gives the handicap moves first.
            list.push_back({ Position::fromGame(g, side ^ 1),
                std::string("handicap ") + std::to_string(level)
                    + (side == Upper ? " upper" : " lower") });
        }
    Searcher judge(4);
    Limits quick;
    quick.nodes = 4000;
    const int shortest = std::min(4, randomPlies);
    int tries = 0;
    while (int(list.size()) < count && tries++ < 50 * count) {
        Position p = Position::start(rng() % 2 ? Upper : Lower);
        const int plies = shortest + int(rng() % (randomPlies - shortest + 1));
        std::string name = "random";
        bool over = false;
        for (int i = 0; i < plies && !over; ++i) {
            MoveList moves;
            p.generate(moves);
            const Move m = moves.moves[rng() % moves.size];
            over = kindOf(p.capturedBy(m)) == Phoenix;
            char text[8];
            moveText(m, text);
            name += std::string(" ") + text;
            Undo u;
            p.make(m, u);
        }
        if (over || p.canTakePhoenix())
            continue;
        const Result r = judge.search(p, nullptr, 0, quick);
        if (std::abs(r.score) > balance)
            continue;
        list.push_back({ p, name });
    }
    std::shuffle(list.begin(), list.end(), rng);
    return list;
}

// The sequential test of a match: the log-likelihood ratio of elo1 against
// elo0 from the games so far (the generalised test on the mean score and its
// spread), and the bounds at which it decides with error rates alpha and beta.
struct Sprt {
    double elo0 = 0, elo1 = 5, alpha = 0.05, beta = 0.05;
    bool on = false;
    static double scoreOf(double elo) { return 1 / (1 + std::pow(10, -elo / 400)); }
    double llr(int wins, int draws, int losses) const
    {
        const int n = wins + draws + losses;
        if (n == 0 || wins + draws == 0 || losses + draws == 0)
            return 0;
        const double mean = (wins + 0.5 * draws) / n;
        const double var = (wins * std::pow(1 - mean, 2) + draws * std::pow(0.5 - mean, 2)
                               + losses * std::pow(mean, 2))
            / n;
        if (var <= 0)
            return 0;
        const double s0 = scoreOf(elo0), s1 = scoreOf(elo1);
        return n * (s1 - s0) * (2 * mean - s0 - s1) / (2 * var);
    }
    double lower() const { return std::log(beta / (1 - alpha)); }
    double upper() const { return std::log((1 - beta) / alpha); }
};

inline constexpr int MinSprtGames = 20;

bool verbose = false;

// A position for tori-tune and what the mover's search made of it, for the
// upper side in hundredths of a swallow (NoScore when the mover did not search
// here or found a won or lost game).
struct Sample {
    Position pos;
    int score;
};
inline constexpr int NoScore = MateScore;

// 1 when the upper side wins, 0 for a draw, -1 when the lower side wins.
int playGame(Player& upper, Player& lower, const Position& start, int maxPlies,
    std::vector<Sample>* samples, int& plies)
{
    Position pos = start;
    std::vector<std::uint64_t> keys;
    keys.reserve(maxPlies + 1);
    for (plies = 0; plies < maxPlies; ++plies) {
        Player& p = pos.sideToMove() == Upper ? upper : lower;
        const auto t0 = std::chrono::steady_clock::now();
        Move m;
        Result r;
        if (p.binary || p.level <= 3)
            m = upperSeatMove(pos, p);
        else {
            r = p.searcher->search(pos, keys.data(), int(keys.size()), p.limits);
            m = r.best;
        }
        const double ms
            = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                  .count();
        p.thinkMs += ms;
        p.maxMs = std::max(p.maxMs, ms);
        ++p.moves;
        if (verbose) {
            char text[8];
            moveText(m, text);
            std::printf("  %3d %s %-6s %s score %d depth %d eval %d\n", plies + 1,
                pos.sideToMove() == Upper ? "upper" : "lower", text, p.name.c_str(), r.score,
                r.depth, evaluate(pos));
        }
        if (m == NoMove || !pos.isPseudoLegal(m)) {
            std::fprintf(stderr, "%s found no legal move\n", p.name.c_str());
            return pos.sideToMove() == Upper ? -1 : 1;
        }
        if (samples && !pos.inCheck() && pos.capturedBy(m) == 0 && !isPromotion(m)) {
            int score = NoScore;
            if (r.best == m && std::abs(r.score) < MateBound)
                score = pos.sideToMove() == Upper ? r.score : -r.score;
            samples->push_back({ pos, score });
        }
        if (kindOf(pos.capturedBy(m)) == Phoenix) {
            ++plies;
            return pos.sideToMove() == Upper ? 1 : -1;
        }
        keys.push_back(pos.key());
        Undo u;
        pos.make(m, u);
        if (std::count(keys.begin(), keys.end(), pos.key()) >= 3)
            return 0; // the fourth time on the board
    }
    return 0;
}

void writeSample(std::FILE* out, const Sample& s, int result)
{
    // The position as tori-engine reads it, then the side to move, the
    // game's result for the upper side (1, 0.5 or 0) and the search's score.
    GameState g;
    s.pos.toGame(g);
    std::fprintf(out, "%s side %d result %.1f", 書出_局面行(g).c_str(), s.pos.sideToMove(),
        (result + 1) / 2.0);
    if (s.score != NoScore)
        std::fprintf(out, " score %d", s.score);
    std::fputc('\n', out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr,
            "usage: tori-match A B [--games N] [--first N] [--seed S] [--plies P] "
            "[--random-plies K] [--book N] [--balance CP] [--sprt ELO0 ELO1 ALPHA BETA] "
            "[--positions FILE] [--quiet] [--verbose]\n");
        return 2;
    }
    Player a, b;
    if (!parsePlayer(argv[1], a) || !parsePlayer(argv[2], b)) {
        std::fprintf(stderr, "a player is 1..5, dN, nN or tN\n");
        return 2;
    }
    int games = 100, first = 0, maxPlies = 300, randomPlies = 8, bookSize = 500, balance = 150;
    Sprt sprt;
    unsigned long long seed = 1;
    bool quiet = false;
    std::FILE* positions = nullptr;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool more = i + 1 < argc;
        if (arg == "--games" && more)
            games = std::max(2, std::atoi(argv[++i]));
        else if (arg == "--first" && more)
            first = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--seed" && more)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--plies" && more)
            maxPlies = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--random-plies" && more)
            randomPlies = std::max(2, std::atoi(argv[++i]));
        else if (arg == "--book" && more)
            bookSize = std::max(16, std::atoi(argv[++i]));
        else if (arg == "--balance" && more)
            balance = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--sprt" && i + 4 < argc) {
            sprt.on = true;
            sprt.elo0 = std::atof(argv[++i]);
            sprt.elo1 = std::atof(argv[++i]);
            sprt.alpha = std::atof(argv[++i]);
            sprt.beta = std::atof(argv[++i]);
            if (!(sprt.elo1 > sprt.elo0) || !(sprt.alpha > 0 && sprt.alpha < 0.5)
                || !(sprt.beta > 0 && sprt.beta < 0.5)) {
                std::fprintf(
                    stderr, "--sprt elo0 elo1 alpha beta: elo0 < elo1, 0 < alpha, beta < 0.5\n");
                return 2;
            }
        } else if (arg == "--positions" && more) {
            positions = std::fopen(argv[++i], "w");
            if (!positions) {
                std::fprintf(stderr, "cannot write %s\n", argv[i]);
                return 2;
            }
        } else if (arg == "--verbose")
            verbose = true;
        else if (arg == "--quiet")
            quiet = true;
        else {
            std::fprintf(stderr, "unknown argument %s\n", arg.c_str());
            return 2;
        }
    }

    std::mt19937_64 rng(seed);
    const std::vector<Opening> book
        = openings(std::max(bookSize, (first + games + 1) / 2), rng, randomPlies, balance);
    if (!quiet)
        std::printf("book: %zu openings\n", book.size());
    int wins = 0, draws = 0, losses = 0;
    const char* decision = nullptr;
    std::vector<Sample> samples;
    for (int game = first; game < first + games; ++game) {
        const Opening& opening = book[(game / 2) % book.size()];
        const bool aUpper = game % 2 == 0;
        Player& upper = aUpper ? a : b;
        Player& lower = aUpper ? b : a;
        samples.clear();
        int plies = 0;
        const int r
            = playGame(upper, lower, opening.pos, maxPlies, positions ? &samples : nullptr, plies);
        const int forA = aUpper ? r : -r;
        wins += forA > 0;
        draws += forA == 0;
        losses += forA < 0;
        if (positions) {
            for (const Sample& sample : samples)
                writeSample(positions, sample, r);
            std::fflush(positions);
        }
        if (!quiet) {
            std::printf("game %d: %s upper, %s lower, %s: %s in %d plies   (%s: +%d =%d -%d)\n",
                game + 1, upper.name.c_str(), lower.name.c_str(), opening.name.c_str(),
                r > 0       ? "upper wins"
                    : r < 0 ? "lower wins"
                            : "draw",
                plies, a.name.c_str(), wins, draws, losses);
            std::fflush(stdout);
        }
        // The test decides after whole pairs, both players having had each seat,
        // and not before twenty games: the spread of fewer games is no measure
        // (seven wins and a draw in eight games looked decided).
        if (sprt.on && game % 2 == 1 && wins + draws + losses >= MinSprtGames) {
            const double llr = sprt.llr(wins, draws, losses);
            if (!quiet)
                std::printf("sprt: llr %.2f (%.2f, %.2f)\n", llr, sprt.lower(), sprt.upper());
            if (llr >= sprt.upper())
                decision = "H1 accepted";
            else if (llr <= sprt.lower())
                decision = "H0 accepted";
            if (decision)
                break;
        }
    }

    const int n = wins + draws + losses;
    const double score = (wins + 0.5 * draws) / n;
    // The spread of one game's result gives the error of the mean; the Elo
    // interval is the 95 % interval of the score carried through the curve.
    const double var = (wins * std::pow(1 - score, 2) + draws * std::pow(0.5 - score, 2)
                           + losses * std::pow(score, 2))
        / n;
    const double sd = std::sqrt(var / n);
    auto elo = [](double s) {
        s = std::clamp(s, 1e-4, 1 - 1e-4);
        return -400 * std::log10(1 / s - 1);
    };
    const double lo = elo(score - 1.96 * sd), hi = elo(score + 1.96 * sd);
    std::printf("%s vs %s: %d games, +%d =%d -%d, score %.1f %%, Elo %+.0f +- %.0f\n",
        a.name.c_str(), b.name.c_str(), n, wins, draws, losses, 100 * score, elo(score),
        (hi - lo) / 2);
    if (sprt.on)
        std::printf("sprt [%.1f, %.1f] alpha %.3f beta %.3f: llr %.2f (%.2f, %.2f), %s\n",
            sprt.elo0, sprt.elo1, sprt.alpha, sprt.beta, sprt.llr(wins, draws, losses),
            sprt.lower(), sprt.upper(), decision ? decision : "undecided");
    for (const Player* p : { &a, &b })
        if (p->moves)
            std::printf("%s: %ld moves, %.1f ms a move on average, %.1f ms at most\n",
                p->name.c_str(), p->moves, p->thinkMs / p->moves, p->maxMs);
    if (positions)
        std::fclose(positions);
    return 0;
}
