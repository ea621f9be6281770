#ifndef CHECKERS_TOOLS_MATCH_MATCHFIGURES_H
#define CHECKERS_TOOLS_MATCH_MATCHFIGURES_H

#include "matchscore.h"
#include "pentanomial.h"
#include "sprt.h"

#include <optional>
#include <string>

// What the games of a match, taken in game order, say: A's score over the
// games and, for a paired match, over the pairs of games 2k - 1 and 2k, with
// the sequential test after each pair. Once the test has decided, later
// games are left out, and counted as such.
class CMatchFigures
{
public:
    CMatchFigures(bool paired, const std::optional<CSprt::Settings> &sprt);

    // Game `number` ended with result (a CGameState::Result); numbers rise
    // from one call to the next. A pair counts when its two games come one
    // after the other.
    void add(int number, int result);
    // Whether the test has decided, so that no later game counts.
    bool isDecided() const { return m_verdict != CSprt::Verdict::None; }
    // The number of the last game counted.
    int lastGame() const { return m_lastGame; }
    const CMatchScore &score() const { return m_score; }

    // The result line and A's score with the Elo difference.
    std::string scoreLines(const std::string &a, const std::string &b) const;
    // For a paired match, the pair counts and the normalized Elo, the test's
    // line "sprt LLR LOWER UPPER VERDICT" with a sentence, and the games
    // left out if any; nothing otherwise.
    std::string pairLines(const std::string &a, const std::string &b) const;

private:
    std::string sprtLines(const std::string &a, const std::string &b) const;

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
