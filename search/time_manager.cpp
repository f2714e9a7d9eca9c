#include "search/time_manager.h"

#include <algorithm>
#include <cstdint>

namespace tori::search {

Limits clockLimits(const Limits& usual, const ClockTimes& clock)
{
    const std::int64_t remaining = std::max(0, clock.remainingMs);
    const std::int64_t increment = std::max(0, clock.incrementMs);
    const std::int64_t byoyomi = std::max(0, clock.byoyomiMs);
    // Until the flag falls: the main time, then this move's byo-yomi.
    const std::int64_t available = remaining + byoyomi;
    // Kept back for what happens around the search: starting it, drawing the
    // move, a slow check of the clock.
    const std::int64_t margin = std::clamp<std::int64_t>(available / 20, 300, 1000);
    const std::int64_t ceiling = available > 2 * margin ? available - margin : available / 2;
    const std::int64_t share = remaining / ExpectedMovesToGo + increment * 3 / 4 + byoyomi * 3 / 4;
    const std::int64_t hard
        = std::clamp<std::int64_t>(share, 1, std::max<std::int64_t>(ceiling, 1));

    // A generous clock leaves the level's own limits as they are.
    Limits l = usual;
    if (usual.timeMs > 0 && hard >= usual.timeMs)
        return l;
    l.timeMs = static_cast<int>(hard);
    // No new depth once the share of the hard limit the level leaves to a new
    // depth is gone (a little over half without one): it would rarely finish.
    const std::int64_t permille = usual.timeMs > 0 && usual.softTimeMs > 0
        ? std::int64_t(usual.softTimeMs) * 1000 / usual.timeMs
        : 550;
    l.softTimeMs = static_cast<int>(std::max<std::int64_t>(1, hard * permille / 1000));
    return l;
}

} // namespace tori::search
