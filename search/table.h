// The transposition table: what the search learned about positions, shared by
// every searcher of a pool. Buckets of four entries on one cache line; a slot is
// two 64-bit words written and read without locks: the data and the key
// exclusive-or the data, so that a slot torn by two threads writing at once
// reads as empty instead of as another position's.
#pragma once

#include "search/position.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace tori::search {

enum Bound : std::uint8_t { BoundNone = 0, BoundUpper = 1, BoundLower = 2, BoundExact = 3 };

struct TableEntry {
    int score = 0; // mate scores counted from the node that stored it
    Move move = NoMove;
    int depth = 0;
    int bound = BoundNone;
};

class TranspositionTable {
public:
    // Allocates about `megabytes` of entries (a power of two of buckets).
    explicit TranspositionTable(int megabytes = 16);
    TranspositionTable(const TranspositionTable&) = delete;
    TranspositionTable& operator=(const TranspositionTable&) = delete;

    // Forgets every position.
    void clear();
    // A new search begins: entries of earlier searches give way first.
    void newSearch()
    {
        age_.store((age_.load(std::memory_order_relaxed) + 1) & 0xff, std::memory_order_relaxed);
    }

    // The slot of the key, when one holds it.
    bool probe(std::uint64_t key, TableEntry& out) const;
    void store(std::uint64_t key, int score, Move move, int depth, int bound);
    // Starts loading the key's bucket into the cache.
    void prefetch(std::uint64_t key) const { __builtin_prefetch(&buckets_[key & mask_]); }

private:
    struct Slot {
        std::atomic<std::uint64_t> data { 0 };
        std::atomic<std::uint64_t> check { 0 }; // key ^ data
    };
    static constexpr int BucketSlots = 4;
    struct alignas(64) Bucket {
        Slot entries[BucketSlots];
    };

    // Freed as it was allocated: aligned, on large pages where the system has them.
    struct Release {
        std::uint64_t count;
        void operator()(Bucket* b) const;
    };
    std::unique_ptr<Bucket[], Release> buckets_;
    std::uint64_t mask_ = 0;
    std::atomic<int> age_ { 0 };
};

} // namespace tori::search
