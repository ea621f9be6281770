#ifndef CHECKERS_TOOLS_MATCH_BALLOTDECK_H
#define CHECKERS_TOOLS_MATCH_BALLOTDECK_H

#include "opening.h"

#include <vector>

// The built-in deck of openings, in the manner of the three-move ballot:
// sequences of the first Steps move steps from the initial position, each
// step of a multi-jump one, that CBalanceRule judges balanced. The deck is
// a table generated once by scripts/make-ballot-deck.sh and committed, in
// the order in which the steps are listed, so that it is the same on every
// run and every machine.
class CBallotDeck
{
public:
    static constexpr int Steps = 3;

    static std::vector<COpening> openings();
    // Every sequence of Steps steps from the initial position, balanced or
    // not, in the deck's order.
    static std::vector<std::vector<COpening::Step>> sequences();
    // The table's source text for the given sequences: one row each, the
    // squares numbered 1 to 32.
    static std::string table(const std::vector<std::vector<COpening::Step>> &sequences);

private:
    static void extend(const CGameState &position, std::vector<COpening::Step> &line,
                       std::vector<std::vector<COpening::Step>> &sequences);
};

#endif
