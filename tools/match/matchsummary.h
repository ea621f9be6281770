#ifndef CHECKERS_TOOLS_MATCH_MATCHSUMMARY_H
#define CHECKERS_TOOLS_MATCH_MATCHSUMMARY_H

#include "matchfaults.h"
#include "matchfigures.h"

#include <string>
#include <vector>

// The summary that match and tally print for the games of a match, in
// English for people and in lines of words for programs: the result line,
// A's score with the Elo difference, one line of the caller's own (the time
// taken, or the games counted); for a paired match the pair counts, the
// normalized Elo and the test's verdict; and a line for each player that had
// faults. The figures it is given are numbers only.
class CMatchSummary
{
public:
    // The players' names, A first.
    CMatchSummary(std::string a, std::string b);

    std::string text(const CMatchFigures &figures, const std::string &middleLine,
                     const CMatchFaults &faults) const;

    // The middle line of match: games and move steps, and how fast.
    static std::string speedLine(int games, long long steps, double seconds);
    // The middle line of tally: the games counted of the match's.
    static std::string countLine(int games, int total);
    // How a long match stands, in one line of words for programs:
    // "status games G wins W draws D losses L elo E low LOW high HIGH", A's
    // wins, draws and losses with the Elo difference and its interval,
    // then "pairs P0 P1 P2 P3 P4" when the games are paired and
    // "llr LLR lower LOWER upper UPPER" with the test.
    static std::string statusLine(const CMatchFigures &figures);
    // The same in short, for a progress line: A's "+W =D -L", and the LLR.
    static std::vector<std::string> progressFields(const CMatchFigures &figures);

private:
    std::string resultLine(const CMatchScore &score) const;
    std::string strengthLine(const CMatchScore &score) const;
    std::string pairLines(const CMatchFigures &figures) const;
    std::string normalizedEloLine(const CPentanomial::Counts &counts) const;
    std::string sprtLines(const CMatchFigures &figures) const;
    static std::string faultLine(const std::string &name, const CMatchFaults::Counts &counts);
    static std::string eloText(double elo);
    static std::string countOf(int count, const std::string &noun);

    const std::string m_a;
    const std::string m_b;
};

#endif
