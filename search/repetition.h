// The keys of the positions of the game and of the search line, for finding
// a position that stood on the board before with the same side to move.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tori::search {

template <int Capacity> class KeyHistory {
public:
    void clear()
    {
        count_ = 0;
        floor_ = 0;
        std::memset(filter_, 0, sizeof filter_);
    }
    // The key of the position after a move (or of an earlier position of the game).
    void push(std::uint64_t key)
    {
        keys_[count_++] = key;
        ++filter_[key & FilterMask];
    }
    // The key of the position after a pass: no position before it can repeat
    // one after it, as the pass is not a move of the game. Returns what
    // popNull() needs.
    int pushNull(std::uint64_t key)
    {
        const int before = floor_;
        floor_ = count_;
        push(key);
        return before;
    }
    void pop() { --filter_[keys_[--count_] & FilterMask]; }
    void popNull(int before)
    {
        pop();
        floor_ = before;
    }
    int size() const { return count_; }
    // The last key pushed stood earlier, the same side to move, since the last pass.
    bool repeated() const
    {
        const std::uint64_t k = keys_[count_ - 1];
        if (filter_[k & FilterMask] < 2)
            return false;
        for (int i = count_ - 3; i >= floor_; i -= 2)
            if (keys_[i] == k)
                return true;
        return false;
    }

private:
    static constexpr int FilterMask = 4095;
    std::uint64_t keys_[Capacity];
    int count_ = 0;
    int floor_ = 0; // the index of the key after the last pass
    std::uint16_t filter_[FilterMask + 1] = {}; // how many kept keys end in these 12 bits
};

} // namespace tori::search
