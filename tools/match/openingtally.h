#ifndef CHECKERS_TOOLS_MATCH_OPENINGTALLY_H
#define CHECKERS_TOOLS_MATCH_OPENINGTALLY_H

#include "matchfigures.h"
#include "opening.h"

#include <array>
#include <map>
#include <string>
#include <vector>

// The games of a match counted by the opening they started from: for each,
// its pairs from A's side, and its games won by White, drawn and won by
// Black, whoever had White, so that an opening that favours a colour or a
// player shows.
class COpeningTally
{
public:
    // The openings in the order the pairs took them, and the place of each
    // in the deck or the file, from 0.
    COpeningTally(std::vector<COpening> openings, std::vector<int> places);

    // Game `round`, in rising order from one call to the next, gave A
    // halfPoints half points.
    void add(int round, int halfPoints);
    // One line for each opening played, in the order of their places:
    // "opening K P0 P1 P2 P3 P4 W D L STEPS", K its place from 1, STEPS its
    // moves as the openings command writes them, "-" for none.
    std::string text() const;

private:
    struct Counts
    {
        CMatchFigures figures;
        // White's wins, draws, Black's wins.
        std::array<int, 3> results;
    };

    static std::string steps(const COpening &opening);

    const std::vector<COpening> m_openings;
    const std::vector<int> m_places;
    // By place in the deck or the file.
    std::map<int, Counts> m_counts;
};

#endif
