#include "search/table.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tori::search {

namespace {

    // data: score 16 bits, move 16, depth 8 (offset by 128), bound 8, age 8.
    std::uint64_t pack(int score, Move move, int depth, int bound, int age)
    {
        return std::uint64_t(std::uint16_t(std::int16_t(score))) | std::uint64_t(move) << 16
            | std::uint64_t(std::uint8_t(std::clamp(depth, -100, 127) + 128)) << 32
            | std::uint64_t(std::uint8_t(bound)) << 40 | std::uint64_t(std::uint8_t(age)) << 48;
    }
    int scoreOf(std::uint64_t d) { return std::int16_t(std::uint16_t(d)); }
    Move moveOf(std::uint64_t d) { return Move(d >> 16); }
    int depthOf(std::uint64_t d) { return int((d >> 32) & 0xff) - 128; }
    int boundOf(std::uint64_t d) { return int((d >> 40) & 0xff); }
    int ageOf(std::uint64_t d) { return int((d >> 48) & 0xff); }

    // Every probe lands on another part of the table: on pages of 2 MB the
    // processor finds its address without walking the page tables each time.
    constexpr std::size_t LargePage = std::size_t(2) << 20;

} // namespace

TranspositionTable::TranspositionTable(int megabytes)
{
    std::uint64_t buckets = 1;
    while (buckets * 2 * sizeof(Bucket) <= std::uint64_t(std::max(megabytes, 1)) << 20)
        buckets *= 2;
    const std::size_t bytes = buckets * sizeof(Bucket);
    const std::size_t alignment = bytes >= LargePage ? LargePage : alignof(Bucket);
    void* memory = std::aligned_alloc(alignment, (bytes + alignment - 1) / alignment * alignment);
    if (!memory)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (alignment == LargePage)
        madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    Bucket* b = static_cast<Bucket*>(memory);
    std::uninitialized_default_construct_n(b, buckets);
    buckets_ = std::unique_ptr<Bucket[], Release>(b, Release { buckets });
    mask_ = buckets - 1;
}

void TranspositionTable::Release::operator()(Bucket* b) const
{
    std::destroy_n(b, count);
    std::free(b);
}

void TranspositionTable::clear()
{
    for (std::uint64_t b = 0; b <= mask_; ++b)
        for (Slot& s : buckets_[b].entries) {
            s.data.store(0, std::memory_order_relaxed);
            s.check.store(0, std::memory_order_relaxed);
        }
    age_.store(0, std::memory_order_relaxed);
}

bool TranspositionTable::probe(std::uint64_t key, TableEntry& out) const
{
    const Bucket& bucket = buckets_[key & mask_];
    for (const Slot& s : bucket.entries) {
        const std::uint64_t d = s.data.load(std::memory_order_relaxed);
        if ((s.check.load(std::memory_order_relaxed) ^ d) == key && boundOf(d) != BoundNone) {
            out.score = scoreOf(d);
            out.move = moveOf(d);
            out.depth = depthOf(d);
            out.bound = boundOf(d);
            return true;
        }
    }
    return false;
}

void TranspositionTable::store(std::uint64_t key, int score, Move move, int depth, int bound)
{
    Bucket& bucket = buckets_[key & mask_];
    const int age = age_.load(std::memory_order_relaxed);
    // The slot of the same position, else the one worth least: shallow and old.
    Slot* target = nullptr;
    std::uint64_t old = 0;
    bool same = false;
    int worth = 1 << 30;
    for (Slot& s : bucket.entries) {
        const std::uint64_t d = s.data.load(std::memory_order_relaxed);
        if ((s.check.load(std::memory_order_relaxed) ^ d) == key) {
            target = &s;
            old = d;
            same = true;
            break;
        }
        const int w = boundOf(d) == BoundNone ? -1000 : depthOf(d) - 8 * ((age - ageOf(d)) & 0xff);
        if (w < worth) {
            worth = w;
            target = &s;
        }
    }
    if (same) {
        // Keep a deeper result of this search unless the new one is exact.
        if (bound != BoundExact && depth + 2 < depthOf(old) && ageOf(old) == age)
            return;
        if (move == NoMove)
            move = moveOf(old);
    }
    const std::uint64_t d = pack(score, move, depth, bound, age);
    target->data.store(d, std::memory_order_relaxed);
    target->check.store(key ^ d, std::memory_order_relaxed);
}

} // namespace tori::search
