#ifndef CHECKERS_TOOLS_MATCH_MATCHFIGURES_H
#define CHECKERS_TOOLS_MATCH_MATCHFIGURES_H

#include "matchscore.h"
#include "pentanomial.h"
#include "sprt.h"

#include <optional>

// What the games of a match, taken in game order, say in numbers: A's score
// over the games and, for a paired match, over the pairs of games 2k - 1 and
// 2k, with the sequential test after each pair. Once the test has decided,
// later games are left out, and counted as such.
class CMatchFigures
{
public:
    CMatchFigures(bool paired, const std::optional<CSprt::Settings> &sprt);

    // Game `number` gave A halfPoints half points; numbers rise from one
    // call to the next. A pair counts when its two games come one after the
    // other. Gives whether the game counts: none does after the test's stop.
    bool add(int number, int halfPoints);
    // Whether the test has decided, so that no later game counts.
    bool isDecided() const { return m_verdict != CSprt::Verdict::None; }
    // The number of the last game counted.
    int lastGame() const { return m_lastGame; }
    const CMatchScore &score() const { return m_score; }
    bool isPaired() const { return m_paired; }
    const CPentanomial &pairs() const { return m_pairs; }
    // The test's settings, if there is a test, its LLR after the last pair
    // and its verdict.
    const std::optional<CSprt::Settings> &settings() const { return m_settings; }
    double llr() const { return m_llr; }
    CSprt::Verdict verdict() const { return m_verdict; }
    // The games after the test's stop.
    int leftOut() const { return m_leftOut; }

private:
    const bool m_paired;
    const std::optional<CSprt::Settings> m_settings;
    CMatchScore m_score;
    CPentanomial m_pairs;
    // The odd-numbered game waiting for its partner, 0 for none, and what A
    // scored in it.
    int m_waiting = 0;
    int m_waitingHalfPoints = 0;
    int m_lastGame = 0;
    double m_llr = 0;
    CSprt::Verdict m_verdict = CSprt::Verdict::None;
    int m_leftOut = 0;
};

#endif
