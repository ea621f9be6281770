#ifndef CHECKERS_TOOLS_MATCH_CLOCKSEARCH_H
#define CHECKERS_TOOLS_MATCH_CLOCKSEARCH_H

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class CGameState;

class CClockSearch
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    struct Level
    {
        int maxDepth = 64;
        std::optional<std::chrono::milliseconds> moveTime;
        std::optional<std::chrono::milliseconds> timeLeft;
        std::chrono::milliseconds increment { 0 };
    };
    struct Iteration
    {
        int depth = 0;
        int score = 0;
        long long nodes = 0;
        std::chrono::milliseconds time { 0 };
        int from = -1;
        int to = -1;
    };
    explicit CClockSearch(Clock now = std::chrono::steady_clock::now);
    static std::chrono::milliseconds budget(const Level &level);
    Iteration search(const CGameState &position, std::uint32_t seed, const Level &level,
                     const std::atomic<bool> &stop,
                     const std::function<void(const Iteration &)> &onIteration = {});

private:
    Clock m_now;
};

#endif
