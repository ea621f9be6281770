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

    void add(bool playerA, Fault fault);
    // A line "faults NAME crashes C timeouts T illegal I broken B" for each
    // player that had a fault, A first.
    std::string lines(const std::string &a, const std::string &b) const;

    // The tag's text for side (a CGameState::Side) at fault.
    static std::string termination(Fault fault, int side, const std::string &detail);
    // Reads a tag termination() writes; false for any other text.
    static bool readTermination(const std::string &text, Fault &fault, int &side);

private:
    static std::string line(const std::string &name, const std::array<int, 4> &counts);

    // For A and B, the crashes, time-outs, illegal steps and broken replies.
    std::array<std::array<int, 4>, 2> m_counts {};
};

#endif
