// tori-tune: fits the evaluation's weights to the results of the engine's own
// games (Texel's method). Each position of the games, written by
// tori-match --positions, is turned into the evaluation's counts; the weights
// are moved so that a logistic curve of the score predicts the game's result
// for the upper side as well as it can.
//
//   tori-tune DATA... [--iterations N] [--rate R] [--lambda L] [--pull P] [--scalars-only]
//             [--out FILE]
//
// --lambda L below 1 fits L times the game's result and 1 - L times the
// search's score of the position (written by tori-match) through the curve
// fitted to the results. --scalars-only keeps the tables (piece-square terms, offsets to the
// phoenixes) as they are and fits the rest, which a few thousand games are
// enough for. --pull is how hard every weight is drawn back toward its
// starting value (default 1e-11). Every tenth position is kept out of the fit
// and its error printed beside the fitted one: when the two part, the weights
// learn the games rather than the game.
// Starts from the weights compiled in, prints the error before and after, and
// writes the new table as a source file (default search/weights.cpp under the
// current folder) in the layout of search/evaluation.h.
#include "search/evaluation.h"
#include "search/game.h"
#include "search/position.h"

#include "rules/state.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tori;
using namespace tori::search;

struct Sample {
    int first, count; // range in the shared lists of terms
    double result; // 1 the upper side won, 0.5 a draw, 0 it lost; then what is fitted
    int searchScore; // the mover's search for the upper side, or NoScore
};
inline constexpr int NoScore = 1 << 30;

struct Data {
    std::vector<std::int16_t> index;
    std::vector<std::int16_t> count;
    std::vector<Sample> samples;
    std::vector<Sample> checks; // every tenth position, not fitted: shows overfitting
};

// Lines without the side and the result are passed over.
bool readData(const std::string& path, Data& data)
{
    int counts[param::Count];
    return 読込_局面ファイル(path, [&](GameState& g, std::istream& rest) {
        std::string sideWord, resultWord;
        int side = 0;
        double result = 0;
        if (!(rest >> sideWord >> side >> resultWord >> result))
            return true;
        std::string scoreWord;
        int searchScore = NoScore;
        if (!(rest >> scoreWord >> searchScore) || scoreWord != "score")
            searchScore = NoScore;
        const Position p = Position::fromGame(g, side);
        evaluationCounts(p, counts);
        Sample s { int(data.index.size()), 0, result, searchScore };
        for (int i = 0; i < param::Count; ++i)
            if (counts[i]) {
                data.index.push_back(std::int16_t(i));
                data.count.push_back(std::int16_t(counts[i]));
                ++s.count;
            }
        data.samples.push_back(s);
        return true;
    });
}

double score(const Data& d, const Sample& s, const std::vector<double>& w)
{
    double e = 0;
    for (int j = s.first; j < s.first + s.count; ++j)
        e += w[d.index[j]] * d.count[j];
    return e;
}

double sigmoid(double k, double e) { return 1 / (1 + std::exp(-k * e)); }

double meanError(
    const Data& d, const std::vector<Sample>& samples, const std::vector<double>& w, double k)
{
    double sum = 0;
    for (const Sample& s : samples) {
        const double diff = s.result - sigmoid(k, score(d, s, w));
        sum += diff * diff;
    }
    return samples.empty() ? 0 : sum / samples.size();
}

void writeWeights(const std::string& path, const std::vector<double>& w)
{
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
    auto row = [&](const char* comment, int first, int count, int perLine) {
        std::fprintf(out, "    // %s\n", comment);
        for (int i = 0; i < count; i += perLine) {
            std::fprintf(out, "   ");
            for (int j = i; j < std::min(count, i + perLine); ++j)
                std::fprintf(out, " %ld,", std::lround(w[first + j]));
            std::fprintf(out, "\n");
        }
    };
    std::fprintf(out,
        "// The evaluation's weights, in hundredths of a swallow, laid out as\n"
        "// search/evaluation.h describes. Written by tori-tune; see docs/engine.md.\n"
        "#include \"search/evaluation.h\"\n\nnamespace tori::search {\n\n// clang-format off\n"
        "const int weights[param::Count] = {\n");
    row("board: swallow goose pheasant falcon eagle crane left-quail right-quail", param::Board, 8,
        8);
    row("hand: swallow pheasant crane falcon left-quail right-quail", param::Hand, 6, 6);
    static const char* names[9] = { "swallow", "goose", "pheasant", "falcon", "eagle", "crane",
        "left quail", "right quail", "phoenix" };
    for (int k = 0; k < 9; ++k) {
        const std::string comment
            = std::string("square: ") + names[k] + ", row by row as its own side sees the board";
        row(comment.c_str(), param::Square + k * SquareCount, SquareCount, 7);
    }
    row("mobility: swallow goose pheasant falcon eagle crane left-quail right-quail phoenix",
        param::Mobility, 9, 9);
    row("phoenix: attacked neighbours, shelter, holes x enemy hand, holes, enemies near",
        param::PhoenixAttackedNeighbours, 5, 5);
    row("swallows: pairs in a column, defended", param::SwallowPair, 2, 2);
    row("hanging: side to move, other side; tempo", param::HangingToMove, 3, 3);
    for (int which = 0; which < 2; ++which) {
        const int base = which == 0 ? param::OwnPhoenixOffset : param::EnemyPhoenixOffset;
        const std::string phoenix = which == 0 ? "own phoenix" : "enemy phoenix";
        for (int k = 0; k < 6; ++k) {
            const std::string comment
                = phoenix + ": " + names[k] + ", rows -6..6 ahead of it, columns 0..6 apart";
            row(comment.c_str(), base + k * param::SymmetricOffsets, param::SymmetricOffsets, 7);
        }
        const std::string comment = phoenix
            + ": left quail (right quail mirrored), rows -6..6 ahead of it, columns -6..6";
        row(comment.c_str(), base + 6 * param::SymmetricOffsets, param::QuailOffsets, 13);
    }
    row("hand against the enemy phoenix's unguarded holes: swallow pheasant crane falcon "
        "left-quail right-quail",
        param::HandAgainstHoles, 6, 6);
    row("phoenix danger, levels 0..15", param::PhoenixDanger, param::DangerLevels, 8);
    std::fprintf(out, "};\n// clang-format on\n\n} // namespace tori::search\n");
    std::fclose(out);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> files;
    int iterations = 400;
    double rate = 1.0;
    bool scalarsOnly = false;
    double pull = 1e-11;
    double lambda = 1.0;
    std::string outPath = "search/weights.cpp";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--iterations" && i + 1 < argc)
            iterations = std::atoi(argv[++i]);
        else if (arg == "--rate" && i + 1 < argc)
            rate = std::atof(argv[++i]);
        else if (arg == "--lambda" && i + 1 < argc)
            lambda = std::atof(argv[++i]);
        else if (arg == "--pull" && i + 1 < argc)
            pull = std::atof(argv[++i]);
        else if (arg == "--scalars-only")
            scalarsOnly = true;
        else if (arg == "--out" && i + 1 < argc)
            outPath = argv[++i];
        else
            files.push_back(arg);
    }
    Data data;
    for (const std::string& f : files)
        if (!readData(f, data)) {
            std::fprintf(stderr, "cannot read %s\n", f.c_str());
            return 2;
        }
    if (data.samples.empty()) {
        std::fprintf(stderr, "usage: tori-tune DATA... [--iterations N] [--out FILE]\n");
        return 2;
    }
    {
        std::vector<Sample> fitted;
        for (std::size_t i = 0; i < data.samples.size(); ++i)
            (i % 10 == 9 ? data.checks : fitted).push_back(data.samples[i]);
        data.samples = std::move(fitted);
    }
    const std::vector<double> start(weights, weights + param::Count);
    std::vector<double> w = start;

    // The curve's steepness that fits the starting weights best.
    double k = 0.004, bestErr = meanError(data, data.samples, w, k);
    for (double step = 0.002; step > 1e-6; step /= 2)
        for (double trial : { k - step, k + step })
            if (trial > 0) {
                const double e = meanError(data, data.samples, w, trial);
                if (e < bestErr) {
                    bestErr = e;
                    k = trial;
                }
            }
    // What is fitted: the game's result, or with --lambda below 1 that much of
    // it and the rest the search's score through the same curve.
    int scored = 0;
    for (std::vector<Sample>* list : { &data.samples, &data.checks })
        for (Sample& s : *list)
            if (s.searchScore != NoScore) {
                s.result = lambda * s.result + (1 - lambda) * sigmoid(k, s.searchScore);
                ++scored;
            }
    if (lambda < 1)
        bestErr = meanError(data, data.samples, w, k);
    std::printf("%zu positions fitted, %zu kept to check (%d with a search score, lambda %.2f), "
                "K %.6f, error %.6f, on the others %.6f\n",
        data.samples.size(), data.checks.size(), scored, lambda, k, bestErr,
        meanError(data, data.checks, w, k));

    // Adam over the whole data set; a small pull toward the starting weights
    // keeps rarely seen squares where they were.
    std::vector<double> m(param::Count, 0), v(param::Count, 0), grad(param::Count);
    const double beta1 = 0.9, beta2 = 0.999;
    const auto isTable = [](int i) {
        return (i >= param::Square && i < param::Mobility)
            || (i >= param::OwnPhoenixOffset && i < param::HandAgainstHoles);
    };
    for (int it = 1; it <= iterations; ++it) {
        std::fill(grad.begin(), grad.end(), 0.0);
        for (const Sample& s : data.samples) {
            const double p = sigmoid(k, score(data, s, w));
            const double g = -2 * (s.result - p) * p * (1 - p) * k;
            for (int j = s.first; j < s.first + s.count; ++j)
                grad[data.index[j]] += g * data.count[j];
        }
        for (int i = 0; i < param::Count; ++i) {
            if (scalarsOnly && isTable(i))
                continue;
            const double gi = grad[i] / data.samples.size() + pull * (w[i] - start[i]);
            m[i] = beta1 * m[i] + (1 - beta1) * gi;
            v[i] = beta2 * v[i] + (1 - beta2) * gi * gi;
            const double mh = m[i] / (1 - std::pow(beta1, it));
            const double vh = v[i] / (1 - std::pow(beta2, it));
            w[i] -= rate * mh / (std::sqrt(vh) + 1e-16);
        }
        if (it % 50 == 0 || it == iterations) {
            std::printf("iteration %d: error %.6f, on the others %.6f\n", it,
                meanError(data, data.samples, w, k), meanError(data, data.checks, w, k));
            std::fflush(stdout);
        }
    }
    writeWeights(outPath, w);
    std::printf("wrote %s\n", outPath.c_str());
    return 0;
}
