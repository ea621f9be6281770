#ifndef CHECKERS_TOOLS_MATCH_SEARCHPLAYER_H
#define CHECKERS_TOOLS_MATCH_SEARCHPLAYER_H

#include "clocksearch.h"
#include "matchplayer.h"

// The built-in computer player: at a fixed search depth, as the game plays,
// or on a clock, deepening its search up to the depth until its time for
// the step is spent.
class CSearchPlayer : public CMatchPlayer
{
public:
    explicit CSearchPlayer(int depth, CClockSearch::Clock now = std::chrono::steady_clock::now);

    Fault chooseStep(const Ask &ask, const std::atomic<bool> &stop, Answer &answer) override;

private:
    const int m_depth;
    const CClockSearch::Clock m_now;
};

#endif
