#include "search/game.h"

#include "rules/record_entry.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace tori::search {

Limits levelLimits(int level)
{
    Limits l;
    if (level >= 5) {
        l.timeMs = 1800;
        l.softTimeMs = 1000;
    } else {
        l.timeMs = 250;
        l.softTimeMs = 140;
    }
    return l;
}

int recordKeys(const GameState& g, std::uint64_t* keys, int capacity)
{
    const int total = std::clamp(g.記録手数, 0, 最大手数);
    const int count = std::min(total, capacity);
    GameState back = g;
    for (int n = total, i = count - 1; i >= 0; --n, --i) {
        取消_棋譜手(back, n);
        keys[i] = Position::fromGame(back, g.棋譜_駒[n] > 0 ? Upper : Lower).key();
    }
    return count;
}

探索結果 ゲーム着手(const Position& p, Move m)
{
    探索結果 r;
    r.ある = m != NoMove;
    if (!r.ある)
        return r;
    const int to = toOf(m);
    r.先列 = colOf(to);
    r.先段 = rowOf(to);
    r.成駒 = codeFromPiece(p.movedPiece(m));
    if (isDrop(m)) {
        const bool upper = p.sideToMove() == Upper;
        r.元列 = upper ? COM持駒列 : MAN持駒列;
        r.元段 = upper ? slotOf(m) : slotOf(m) + 1;
        r.駒 = r.成駒;
    } else {
        r.元列 = colOf(fromOf(m));
        r.元段 = rowOf(fromOf(m));
        r.駒 = codeFromPiece(p.piece(fromOf(m)));
    }
    return r;
}

探索結果 探索_最善手(
    SearchPool& searcher, const GameState& g, const Limits& limits, Listener* listener)
{
    std::uint64_t keys[MaxGameKeys];
    const int count = recordKeys(g, keys, MaxGameKeys);
    const Position p = Position::fromGame(g, Upper);
    const Result result = searcher.search(p, keys, count, limits, listener);
    探索結果 r = ゲーム着手(p, result.best);
    r.詳細 = result;
    return r;
}

std::string 書出_局面行(const GameState& g)
{
    std::string line = "position";
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 7; ++c)
            line.append(" ").append(std::to_string(g.盤[c][r]));
    for (int slot = 1; slot <= 6; ++slot)
        line.append(" ").append(std::to_string(g.持駒_COM[slot]));
    for (int slot = 1; slot <= 6; ++slot)
        line.append(" ").append(std::to_string(g.持駒_MAN[slot]));
    return line;
}

void 設定_局面行(GameState& g, const int* numbers)
{
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 7; ++c)
            g.盤[c][r] = numbers[(r - 1) * 7 + (c - 1)];
    g.持駒数_COM = g.持駒数_MAN = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        g.持駒_COM[slot] = numbers[48 + slot];
        g.持駒_MAN[slot] = numbers[54 + slot];
        g.持駒数_COM += g.持駒_COM[slot];
        g.持駒数_MAN += g.持駒_MAN[slot];
    }
}

bool 読込_局面行(std::istream& words, GameState& g)
{
    int numbers[局面行数];
    for (int& x : numbers)
        if (!(words >> x))
            return false;
    設定_局面行(g, numbers);
    return true;
}

bool 読込_局面ファイル(
    const std::string& path, const std::function<bool(GameState&, std::istream& rest)>& take)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word != "position")
            continue;
        GameState g;
        if (!読込_局面行(words, g) || !take(g, words))
            return false;
    }
    return true;
}

} // namespace tori::search
