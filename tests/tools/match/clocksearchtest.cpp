#include "tools/match/clocksearch.h"
#include "engine/search.h"
#include "tests/engine/positionfromtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using std::chrono::milliseconds;
using Level = CClockSearch::Level;
using Iteration = CClockSearch::Iteration;

const char *const Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";
const char *const MiddleGame = ".b....bbb.bb..W..w.bw..ww.wbww.. b";

// A clock that moves on by a millisecond each time it is read: the search
// reads it every thousand nodes or so, so its time grows with its work.
CClockSearch::Clock tickingClock()
{
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    return [now] { return *now += milliseconds(1); };
}

Level moveTime(milliseconds time)
{
    Level level;
    level.moveTime = time;
    return level;
}

Level onTheClock(milliseconds left, milliseconds increment)
{
    Level level;
    level.timeLeft = left;
    level.increment = increment;
    return level;
}

// Every depth the search completes, each also handed to also; best is the
// answer.
std::vector<Iteration> iterations(const CClockSearch::Clock &now, const std::string &position,
                                  const Level &level, const std::atomic<bool> &stop,
                                  Iteration &best,
                                  const std::function<void(const Iteration &)> &also = {})
{
    std::vector<Iteration> found;
    best = CClockSearch(now).search(positionFromText(position), 7, level, stop,
                                    [&](const Iteration &iteration) {
                                        found.push_back(iteration);
                                        if (also)
                                            also(iteration);
                                    });
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
        { moveTime(milliseconds(250)), milliseconds(250) },
        { onTheClock(milliseconds(60000), milliseconds(0)), milliseconds(3000) },
        { onTheClock(milliseconds(60000), milliseconds(2000)), milliseconds(3000 + 1500) },
        // Never more than a third of what is left, however large the increment.
        { onTheClock(milliseconds(3000), milliseconds(6000)), milliseconds(1000) },
        { Level(), milliseconds::max() },
    };
    for (const auto &row : rows)
        EXPECT_EQ(CClockSearch::budget(row.level).count(), row.budget.count());
}

TEST(ClockSearch, MoreTimeReachesDeeper)
{
    const std::atomic<bool> stop { false };
    int lastDepth = 0;
    for (const milliseconds time :
         { milliseconds(0), milliseconds(5), milliseconds(50), milliseconds(500) }) {
        Iteration best;
        iterations(tickingClock(), MiddleGame, moveTime(time), stop, best);
        EXPECT_GT(best.depth, lastDepth) << time.count();
        EXPECT_LE(best.time, std::max(time, milliseconds(1))) << time.count();
        lastDepth = best.depth;
    }
}

// Each depth is the search best does at that depth, from the same seed: its
// step, its score and its nodes.
TEST(ClockSearch, EveryDepthIsTheFixedDepthSearch)
{
    const std::atomic<bool> stop { false };
    for (const char *position : { Initial, MiddleGame, "bbb.bbb.w.bb....w...w...wwwww..w b",
                                  "....W..WW...BB...W.BB...W.....B. w" }) {
        Iteration best;
        const std::vector<Iteration> found = iterations(
            tickingClock(), position, Level { 6, {}, {}, milliseconds(0) }, stop, best);
        ASSERT_EQ(found.size(), 6u) << position;
        long long nodes = 0;
        for (const Iteration &iteration : found) {
            SearchStats stats;
            int from, to;
            findBestMove(positionFromText(position), iteration.depth, 7, from, to, &stats);
            EXPECT_EQ(iteration.depth, &iteration - found.data() + 1) << position;
            EXPECT_EQ(iteration.from, from) << position << ' ' << iteration.depth;
            EXPECT_EQ(iteration.to, to) << position << ' ' << iteration.depth;
            EXPECT_EQ(iteration.score, stats.score) << position << ' ' << iteration.depth;
            nodes += stats.nodes;
            EXPECT_EQ(iteration.nodes, nodes) << position << ' ' << iteration.depth;
        }
        EXPECT_EQ(best.depth, 6);
        EXPECT_EQ(best.from, found.back().from);
    }
}

// Stop abandons the depth under way and answers the deepest completed, depth
// 1 at least; a position with one step answers at once.
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
        // The reading at which stop comes: the first after that depth's.
        int stopAt = -1;
        int reads = 0;
        const CClockSearch::Clock now = [&] {
            if (++reads == stopAt)
                stop = true;
            return std::chrono::steady_clock::time_point();
        };
        Iteration best;
        const std::vector<Iteration> found
            = iterations(now, row.position, Level(), stop, best, [&](const Iteration &iteration) {
                  if (iteration.depth == row.stopAfter)
                      stopAt = reads + 1;
              });
        EXPECT_EQ(best.depth, row.depth) << row.stopAfter;
        ASSERT_EQ(found.size(), static_cast<std::size_t>(row.depth)) << row.stopAfter;
        EXPECT_EQ(best.from, found.back().from) << row.stopAfter;
        EXPECT_EQ(best.to, found.back().to) << row.stopAfter;
    }
}
