#ifndef CHECKERS_TOOLS_MATCH_MATCHSCORE_H
#define CHECKERS_TOOLS_MATCH_MATCHSCORE_H

#include <string>

// The score of side A of a match and what it says about the difference in
// strength: the Elo difference with its 95% interval (see CEloInterval).
class CMatchScore
{
public:
    // Adds a game that ended with result (a CGameState::Result).
    void add(int result, bool aIsWhite);
    // What A scored in such a game, in half points: 0, 1 or 2.
    static int halfPoints(int result, bool aIsWhite);

    int winsA() const { return m_winsA; }
    int winsB() const { return m_winsB; }
    int draws() const { return m_draws; }
    int games() const { return m_winsA + m_winsB + m_draws; }
    // From 0 to 1: a win counts 1, a draw a half.
    double score() const;

    // "result A B WINS_A WINS_B DRAWS".
    std::string resultLine(const std::string &a, const std::string &b) const;
    // A's score in percent and the Elo difference with its interval.
    std::string strengthLine(const std::string &a, const std::string &b) const;

private:
    static std::string eloText(double elo);

    int m_winsA = 0;
    int m_winsB = 0;
    int m_draws = 0;
};

#endif
