#ifndef CHECKERS_TOOLS_MATCH_MATCHCLOCK_H
#define CHECKERS_TOOLS_MATCH_MATCHCLOCK_H

#include "timecontrol.h"

#include <array>
#include <optional>
#include <string>

// The referee's clocks of one game: the time each side has left, charged
// with what each of its steps took as the player timed it, the increment
// added after each whole turn. A side whose clock runs out, or whose step
// overruns the time per step, by more than the margin loses on time. It
// keeps no time itself, so that the accounting is the same on any clock.
class CMatchClock
{
public:
    using Duration = CTimeControl::Duration;

    CMatchClock(const CTimeControl &control, Duration margin);

    // What side, a CGameState::Side, may spend on its next step: the time
    // per step, or what is left on its clock.
    Duration limit(int side) const;
    bool isMoveTime() const { return m_control.isMoveTime(); }
    Duration increment() const { return m_control.increment(); }
    // How long past a limit a player is waited for: past the margin the
    // step has lost on time anyway.
    Duration grace() const;
    // Charges side with a step that took elapsed. Gives how far it went
    // over its limit when that is past the margin: the side has lost.
    std::optional<Duration> charge(int side, Duration elapsed);
    // Ends side's turn: adds the increment. Gives the turn's comment for the
    // PDN, "[%clk H:MM:SS.ss] [%emt S]", the clock left and the time the
    // turn took, or "[%emt S]" alone for a time per step; depth and score
    // first, as "+SCORE/DEPTH", when the player said them.
    std::string endTurn(int side, int depth, int score);

    // Seconds with three decimals, as a loss on time is told.
    static std::string secondsText(Duration duration);

private:
    static std::size_t indexOf(int side);
    static std::string clockText(Duration left);

    const CTimeControl m_control;
    const Duration m_margin;
    std::array<Duration, 2> m_left;
    std::array<Duration, 2> m_turn {};
};

#endif
