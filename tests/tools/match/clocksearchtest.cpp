#include "tools/match/clocksearch.h"
#include "engine/search.h"
#include "tests/engine/positionfromtext.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using std::chrono::milliseconds;
using Level = CClockSearch::Level;
using Iteration = CClockSearch::Iteration;

const char *const MiddleGame = ".b....bbb.bb..W..w.bw..ww.wbww.. b";

// A clock that moves on by a millisecond each time it is read: the search
// reads it every thousand nodes or so, so its time grows with its work.
CClockSearch::Clock tickingClock()
{
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    return [now] { return *now += milliseconds(1); };
}

// Every depth searched from seed 7, each also handed to also; the answer
// must be the last.
std::vector<Iteration> depths(const CClockSearch::Clock &now, const char *position,
                              const Level &level, const std::atomic<bool> &stop,
                              const std::function<void(const Iteration &)> &also = {})
{
    std::vector<Iteration> found;
    const Iteration best = CClockSearch(now).search(positionFromText(position), 7, level, stop,
                                                    [&](const Iteration &iteration) {
                                                        found.push_back(iteration);
                                                        if (also)
                                                            also(iteration);
                                                    });
    EXPECT_FALSE(found.empty());
    EXPECT_EQ(best.depth, found.back().depth);
    EXPECT_EQ(best.from * 32 + best.to, found.back().from * 32 + found.back().to);
    return found;
}

} // namespace

TEST(ClockSearch, BudgetsAMoveTimeOrAShareOfTheClock)
{
    const struct
    {
        Level level;
        milliseconds budget;
    } rows[] = {
        { { 64, milliseconds(250), {}, {} }, milliseconds(250) },
        { { 64, {}, milliseconds(60000), {} }, milliseconds(3000) },
        { { 64, {}, milliseconds(60000), milliseconds(2000) }, milliseconds(3000 + 1500) },
        // Never more than a third of what is left, however large the increment.
        { { 64, {}, milliseconds(3000), milliseconds(6000) }, milliseconds(1000) },
        { Level(), milliseconds::max() },
    };
    for (const auto &row : rows)
        EXPECT_EQ(CClockSearch::budget(row.level).count(), row.budget.count());
}

// Deeper with more time, and never past it but for depth 1.
TEST(ClockSearch, MoreTimeReachesDeeper)
{
    const std::atomic<bool> stop { false };
    int lastDepth = 0;
    for (const int time : { 0, 5, 50, 500 }) {
        const Iteration best
            = depths(tickingClock(), MiddleGame, { 64, milliseconds(time), {}, {} }, stop).back();
        EXPECT_GT(best.depth, lastDepth) << time;
        EXPECT_LE(best.time.count(), std::max(time, 1)) << time;
        lastDepth = best.depth;
    }
}

// Each depth is the search best does at that depth, from the same seed.
TEST(ClockSearch, EveryDepthIsTheFixedDepthSearch)
{
    const std::atomic<bool> stop { false };
    for (const char *position :
         { "bbbbbbbbbbbb........wwwwwwwwwwww w", MiddleGame, "bbb.bbb.w.bb....w...w...wwwww..w b",
           "....W..WW...BB...W.BB...W.....B. w" }) {
        long long nodes = 0;
        int depth = 0;
        for (const Iteration &iteration :
             depths(tickingClock(), position, { 6, {}, {}, {} }, stop)) {
            SearchStats stats;
            int from, to;
            findBestMove(positionFromText(position), ++depth, 7, from, to, &stats);
            nodes += stats.nodes;
            EXPECT_EQ(iteration.depth, depth) << position;
            EXPECT_EQ(iteration.from * 32 + iteration.to, from * 32 + to) << position << depth;
            EXPECT_EQ(iteration.score, stats.score) << position << depth;
            EXPECT_EQ(iteration.nodes, nodes) << position << depth;
        }
        EXPECT_EQ(depth, 6) << position;
    }
}

// Stop abandons the depth under way, depth 1 excepted; a position with one
// step answers at once.
TEST(ClockSearch, StopsWithTheDeepestCompletedDepth)
{
    const struct
    {
        const char *position;
        // Stop comes with the first reading of the clock after this depth
        // completed, as the next one starts; 0: before the search; -1: never.
        int stopAfter;
        int depth;
    } rows[] = {
        { MiddleGame, 0, 1 },
        { MiddleGame, 4, 4 },
        { MiddleGame, 6, 6 },
        // The only step is the king's capture 28x7.
        { "B.........b.................W... w", -1, 1 },
    };
    for (const auto &row : rows) {
        std::atomic<bool> stop { row.stopAfter == 0 };
        int reads = 0;
        int stopAt = -1;
        const CClockSearch::Clock now = [&] {
            stop = stop || ++reads == stopAt;
            return std::chrono::steady_clock::time_point();
        };
        const auto found
            = depths(now, row.position, Level(), stop, [&](const Iteration &iteration) {
                  if (iteration.depth == row.stopAfter)
                      stopAt = reads + 1;
              });
        EXPECT_EQ(found.back().depth, row.depth) << row.stopAfter;
    }
}
