#ifndef CHECKERS_TOOLS_MATCHRUNNER_H
#define CHECKERS_TOOLS_MATCHRUNNER_H

#include "matchgame.h"

#include <cstdint>
#include <functional>

// Plays the games of a match between depths A and B, A with White in the
// odd-numbered games, several at once. Each game depends only on its
// number and the seed, so the games are the same however many run at once.
class CMatchRunner
{
public:
    using GameHandler = std::function<void(const CMatchGame &)>;
    // The number of games finished.
    using ProgressHandler = std::function<void(int)>;

    CMatchRunner(int depthA, int depthB, std::uint32_t seed);

    // Plays `games` games from number `first` on, `jobs` at a time. Hands each game to onGame in
    // game order, and reports progress at least once a second, or after
    // each game with one job; both on the calling thread.
    void run(int first, int games, int jobs, const GameHandler &onGame,
             const ProgressHandler &onProgress) const;

    // Whether A plays White in game number `game`: in the odd-numbered ones.
    static bool isWhiteA(int game);

private:
    CMatchGame play(int number) const;
    // One job: every game on the calling thread.
    void runHere(int first, int games, const GameHandler &onGame,
                 const ProgressHandler &onProgress) const;

    const int m_depthA;
    const int m_depthB;
    const std::uint32_t m_seed;
};

#endif
