#include "search/tables.h"

namespace tori::search {

namespace {

    struct Offset {
        int dc, dr;
    };

    // A fixed generator so that keys, and with them every node count, are the
    // same on every run and machine.
    std::uint64_t splitMix(std::uint64_t& state)
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // The single steps and jumps of a kind, for the side whose forward row
    // step is f. Slides are listed apart in addSlides.
    int stepsOf(int kind, int f, Offset* out)
    {
        int n = 0;
        auto add = [&](int dc, int dr) { out[n++] = { dc, dr }; };
        switch (kind) {
        case Swallow:
            add(0, f);
            break;
        case Goose:
            add(-2, 2 * f);
            add(2, 2 * f);
            add(0, -2 * f);
            break;
        case Pheasant:
            add(0, 2 * f);
            add(-1, -f);
            add(1, -f);
            break;
        case Falcon:
            for (int dc = -1; dc <= 1; ++dc)
                for (int dr = -1; dr <= 1; ++dr)
                    if ((dc || dr) && !(dc == 0 && dr == -f))
                        add(dc, dr);
            break;
        case Eagle:
            add(0, f);
            add(-1, 0);
            add(1, 0);
            add(-2, -2 * f);
            add(2, -2 * f);
            break;
        case Crane:
            for (int dc = -1; dc <= 1; ++dc) {
                add(dc, 1);
                add(dc, -1);
            }
            break;
        case LeftQuail:
            add(f, -f);
            break;
        case RightQuail:
            add(-f, -f);
            break;
        case Phoenix:
            for (int dc = -1; dc <= 1; ++dc)
                for (int dr = -1; dr <= 1; ++dr)
                    if (dc || dr)
                        add(dc, dr);
            break;
        default:
            break;
        }
        return n;
    }

    int direction(int dc, int dr)
    {
        for (int d = 0; d < DirectionCount; ++d)
            if (dirCol[d] == dc && dirRow[d] == dr)
                return d;
        return -1;
    }

    // The eagle slides diagonally forward and straight back; the quails slide
    // straight forward and diagonally back toward one hand.
    SlideSet slidesOf(int kind, int f)
    {
        SlideSet set;
        auto add = [&](int dc, int dr) { set.dir[set.count++] = direction(dc, dr); };
        switch (kind) {
        case Eagle:
            add(-1, f);
            add(1, f);
            add(0, -f);
            break;
        case LeftQuail:
            add(0, f);
            add(-f, -f);
            break;
        case RightQuail:
            add(0, f);
            add(f, -f);
            break;
        default:
            break;
        }
        return set;
    }

} // namespace

Tables::Tables()
    : step {}
    , reverseStep {}
    , slides {}
    , ray {}
    , neighbours {}
    , lines {}
    , pieceKey {}
    , handKey {}
    , sideKey(0)
{
    for (int s = 0; s < SquareCount; ++s) {
        const int c = colOf(s), r = rowOf(s);
        for (int d = 0; d < DirectionCount; ++d)
            for (int k = 1;; ++k) {
                const int tc = c + k * dirCol[d], tr = r + k * dirRow[d];
                if (tc < 1 || tc > 7 || tr < 1 || tr > 7)
                    break;
                ray[d][s] |= bit(squareOf(tc, tr));
                lines[s] |= bit(squareOf(tc, tr));
                if (k == 1)
                    neighbours[s] |= bit(squareOf(tc, tr));
            }
    }
    for (int side = 0; side < 2; ++side) {
        const int f = side == Upper ? 1 : -1;
        for (int kind = Swallow; kind <= Phoenix; ++kind) {
            const int piece = makePiece(side, kind);
            slides[piece] = slidesOf(kind, f);
            Offset offsets[8];
            const int n = stepsOf(kind, f, offsets);
            for (int s = 0; s < SquareCount; ++s)
                for (int i = 0; i < n; ++i) {
                    const int tc = colOf(s) + offsets[i].dc, tr = rowOf(s) + offsets[i].dr;
                    if (tc < 1 || tc > 7 || tr < 1 || tr > 7)
                        continue;
                    const int t = squareOf(tc, tr);
                    step[piece][s] |= bit(t);
                    reverseStep[piece][t] |= bit(s);
                }
        }
    }
    std::uint64_t state = 0x746F7269ull; // "tori"
    for (auto& squares : pieceKey)
        for (auto& k : squares)
            k = splitMix(state);
    for (auto& slots : handKey)
        for (auto& counts : slots)
            for (auto& k : counts)
                k = splitMix(state);
    sideKey = splitMix(state);
}

const Tables tables;

} // namespace tori::search
