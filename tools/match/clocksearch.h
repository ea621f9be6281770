#ifndef CHECKERS_TOOLS_MATCH_CLOCKSEARCH_H
#define CHECKERS_TOOLS_MATCH_CLOCKSEARCH_H

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class CGameState;

// The built-in search against time: depth 1, 2, ... each searched afresh as
// `best` searches it, until the time a step may take is spent, and the step
// of the deepest depth completed. The clock is given, so that a test can
// drive it.
class CClockSearch
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // The deepest a search goes, as `best` allows.
    static constexpr int MaxDepth = 64;
    // The share of the time left that a step spends, with no increment: the
    // moves the rest of the game is expected to take.
    static constexpr int Horizon = 20;

    // What one step may spend.
    struct Level
    {
        // 1 to MaxDepth.
        int maxDepth = MaxDepth;
        // About this long, never more.
        std::optional<std::chrono::milliseconds> moveTime;
        // Or a share of this side's clock, with the increment it gets after each turn.
        std::optional<std::chrono::milliseconds> timeLeft;
        std::chrono::milliseconds increment { 0 };
    };
    // One completed depth.
    struct Iteration
    {
        int depth = 0;
        // For the side to move, as SearchStats gives it.
        int score = 0;
        // The nodes of every depth so far, and the time since the search began.
        long long nodes = 0;
        std::chrono::milliseconds time { 0 };
        int from = -1;
        int to = -1;
    };

    explicit CClockSearch(Clock now = std::chrono::steady_clock::now);

    // The time a step may take: moveTime, or timeLeft / Horizon plus three
    // quarters of the increment, never more than a third of timeLeft; with
    // neither, no limit.
    static std::chrono::milliseconds budget(const Level &level);
    // Searches depth 1, 2, ... up to level.maxDepth, each exactly as
    // findBestMove(position, depth, seed) does, and hands each completed
    // depth to onIteration. A depth still running when the budget is spent
    // or stop is set is abandoned, so a move time is never overrun; depth 1
    // always runs to its end, so that there is a step, and a position with
    // one legal step is searched no deeper. Gives the deepest depth completed.
    Iteration search(const CGameState &position, std::uint32_t seed, const Level &level,
                     const std::atomic<bool> &stop,
                     const std::function<void(const Iteration &)> &onIteration = {});

private:
    static bool hasOneStep(const CGameState &position);

    const Clock m_now;
};

#endif
