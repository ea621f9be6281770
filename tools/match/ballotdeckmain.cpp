// Prints the ballot deck's table: every sequence of the deck's steps from
// the initial position that the balance rule keeps. Run once by
// scripts/make-ballot-deck.sh, which commits its output.
#include "balancerule.h"
#include "ballotdeck.h"

#include <iostream>

int main()
{
    std::vector<std::vector<COpening::Step>> kept;
    for (const auto &steps : CBallotDeck::sequences()) {
        CPosition position;
        for (const auto &[from, to] : steps)
            position.makeMove(from, to);
        if (CBalanceRule::isBalanced(position))
            kept.push_back(steps);
    }
    std::cout << CBallotDeck::table(kept);
    return std::cout.good() ? 0 : 1;
}
