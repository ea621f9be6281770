#ifndef CHECKERS_TOOLS_MATCH_MATCHPLAYER_H
#define CHECKERS_TOOLS_MATCH_MATCHPLAYER_H

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class CGameState;

// One side of a match game: the built-in search, or an engine program that
// the referee speaks to. Each job of a match plays with players of its own.
class CMatchPlayer
{
public:
    // What a player did wrong; each loses it the game.
    enum class Fault { None, Crash, Timeout, Illegal, Broken };
    using Duration = std::chrono::milliseconds;

    // The time a step may take on a clock.
    struct Time
    {
        // The time per step, or what is left on the side's clock.
        Duration limit { 0 };
        bool perStep = false;
        // Added to the clock after each whole turn.
        Duration increment { 0 };
        // How long past the limit the referee waits before it stops
        // waiting: past it, the answer has lost on time anyway.
        Duration grace { 0 };
    };
    // What a player is asked for one step: the position and the seed of its
    // search, and the time it has when the match is on a clock.
    struct Ask
    {
        const CGameState &position;
        std::uint32_t seed;
        std::optional<Time> time;
    };
    // The step, squares 0 to 31, and what the player said of it.
    struct Answer
    {
        int from = -1;
        int to = -1;
        // How long the step took, as the player timed it.
        Duration elapsed { 0 };
        // The depth searched and the score for the side to move, where the
        // player said them; a depth of 0 for none.
        int depth = 0;
        int score = 0;
        // What went wrong, in a few words, on a fault.
        std::string detail;
    };

    virtual ~CMatchPlayer() = default;

    // Chooses the step to play. The step may be illegal: the game checks it
    // against the rules. Once stop is set the answer is thrown away, so a
    // player may give up waiting for it.
    virtual Fault chooseStep(const Ask &ask, const std::atomic<bool> &stop, Answer &answer) = 0;
    // Why the player can play no more, after a fault that showed it; empty
    // while it can.
    virtual std::string goneReason() const { return {}; }
    // The player lost the game on time: a late answer of its must not reach
    // the next game.
    virtual void lostOnTime() { }
};

#endif
