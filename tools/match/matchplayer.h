#ifndef CHECKERS_TOOLS_MATCH_MATCHPLAYER_H
#define CHECKERS_TOOLS_MATCH_MATCHPLAYER_H

#include <atomic>
#include <cstdint>
#include <string>

class CGameState;

// One side of a match game: the built-in search, or an engine program that
// the referee speaks to. Each job of a match plays with players of its own.
class CMatchPlayer
{
public:
    // What a player did wrong; each loses it the game.
    enum class Fault { None, Crash, Timeout, Illegal, Broken };

    virtual ~CMatchPlayer() = default;

    // Chooses the step to play in position, from the seed of that step.
    // The step may be illegal: the game checks it against the rules. On a
    // fault detail says in a few words what happened. Once stop is set the
    // answer is thrown away, so a player may give up waiting for it.
    virtual Fault chooseStep(const CGameState &position, std::uint32_t seed,
                             const std::atomic<bool> &stop, int &from, int &to, std::string &detail)
        = 0;
    // Why the player can play no more, after a fault that showed it; empty
    // while it can.
    virtual std::string goneReason() const { return {}; }
};

#endif
