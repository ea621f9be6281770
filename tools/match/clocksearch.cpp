#include "clocksearch.h"

#include "engine/search.h"

CClockSearch::CClockSearch(Clock now)
    : m_now(std::move(now))
{ }

std::chrono::milliseconds CClockSearch::budget(const Level &level)
{
    if (level.moveTime)
        return *level.moveTime;
    const auto left = level.timeLeft.value_or(std::chrono::milliseconds(0));
    return std::min(left / 20 + level.increment * 3 / 4, left / 3);
}

CClockSearch::Iteration CClockSearch::search(const CGameState &position, std::uint32_t seed,
                                             const Level &level, const std::atomic<bool> &stop,
                                             const std::function<void(const Iteration &)> &)
{
    const auto start = m_now();
    Iteration deepest;
    for (int depth = 1; depth <= level.maxDepth; ++depth) {
        Iteration it;
        it.depth = depth;
        findBestMove(position, depth, seed, it.from, it.to);
        deepest = it;
        if (stop || m_now() - start > budget(level) / 4)
            break;
    }
    return deepest;
}
