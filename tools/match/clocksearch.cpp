#include "clocksearch.h"

#include "engine/bitboard.h"
#include "engine/moveset.h"
#include "engine/search.h"

#include <algorithm>
#include <utility>

using std::chrono::milliseconds;

CClockSearch::CClockSearch(Clock now)
    : m_now(std::move(now))
{ }

milliseconds CClockSearch::budget(const Level &level)
{
    if (level.moveTime)
        return *level.moveTime;
    if (!level.timeLeft)
        return milliseconds::max();
    const milliseconds left = *level.timeLeft;
    return std::min(left / Horizon + level.increment * 3 / 4, left / 3);
}

CClockSearch::Iteration
CClockSearch::search(const CGameState &position, std::uint32_t seed, const Level &level,
                     const std::atomic<bool> &stop,
                     const std::function<void(const Iteration &)> &onIteration)
{
    const auto start = m_now();
    const milliseconds limit = budget(level);
    // Measured in whole milliseconds from the start, so that no limit
    // overflows the clock.
    const std::function<bool()> abandon = [&] {
        return stop || std::chrono::duration_cast<milliseconds>(m_now() - start) >= limit;
    };
    const std::function<bool()> never;
    const int lastDepth = hasOneStep(position) ? 1 : level.maxDepth;
    Iteration best;
    long long nodes = 0;
    for (int depth = 1; depth <= lastDepth; ++depth) {
        Iteration next;
        SearchStats stats;
        // Depth 1 always runs to its end, so that there is a step to answer.
        if (!findBestMove(position, depth, seed, next.from, next.to, stats,
                          depth == 1 ? never : abandon))
            break;
        nodes += stats.nodes;
        next.depth = depth;
        next.score = stats.score;
        next.nodes = nodes;
        next.time = std::chrono::duration_cast<milliseconds>(m_now() - start);
        best = next;
        if (onIteration)
            onIteration(best);
    }
    return best;
}

bool CClockSearch::hasOneStep(const CGameState &position)
{
    CMoveSet moves;
    CBitboard(position).generate(moves);
    return moves.isSingle();
}
