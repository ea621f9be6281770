#ifndef CHECKERS_TOOLS_MATCH_MATCHFAULTS_H
#define CHECKERS_TOOLS_MATCH_MATCHFAULTS_H

#include "matchplayer.h"

#include <array>
#include <string>

// The faults that lost the players games, counted per player, and the
// Termination tag that records each: "White forfeits, KIND: DETAIL" or
// "Black forfeits, ...", KIND one of crash, time, illegal step and broken
// reply, DETAIL the offending step or line, cut short.
class CMatchFaults
{
public:
    using Fault = CMatchPlayer::Fault;
    // The crashes, time-outs, illegal steps and broken replies of a player.
    using Counts = std::array<int, 4>;

    void add(bool playerA, Fault fault);
    const Counts &counts(bool playerA) const { return m_counts[playerA ? 0 : 1]; }

    // The tag's text for side (a CGameState::Side) at fault.
    static std::string termination(Fault fault, int side, const std::string &detail);
    // Reads a tag termination() writes; false for any other text.
    static bool readTermination(const std::string &text, Fault &fault, int &side);

private:
    // A's, then B's.
    std::array<Counts, 2> m_counts {};
};

#endif
