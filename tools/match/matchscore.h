#ifndef CHECKERS_TOOLS_MATCH_MATCHSCORE_H
#define CHECKERS_TOOLS_MATCH_MATCHSCORE_H

// The wins, draws and losses of side A of a match.
class CMatchScore
{
public:
    // Adds a game in which A scored halfPoints half points: 0, 1 or 2.
    void add(int halfPoints);

    int winsA() const { return m_winsA; }
    int winsB() const { return m_winsB; }
    int draws() const { return m_draws; }
    int games() const { return m_winsA + m_winsB + m_draws; }
    // From 0 to 1: a win counts 1, a draw a half.
    double score() const;

private:
    int m_winsA = 0;
    int m_winsB = 0;
    int m_draws = 0;
};

#endif
