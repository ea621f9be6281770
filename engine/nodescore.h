#ifndef CHECKERS_ENGINE_NODESCORE_H
#define CHECKERS_ENGINE_NODESCORE_H

#include "rules/gamestate.h"

class CRandomGenerator;

// What the search needs of a node once it has been searched: enough to score
// it again and again, and the first move of the line that led to it.
class CNodeScore
{
public:
    static constexpr int WinScore = 100000;

    // When non-zero, the score itself: the search's two bound nodes.
    int fixedScore = 0;
    // The game result the rules declared: 3 or 4 for a win, 0 otherwise.
    int result = 0;
    // The static value of the pieces, positive for White.
    int material = 0;
    int firstFrom = 0;
    int firstTo = 0;

    // Draws a fresh random term at every call for an undecided position.
    int evaluate(CRandomGenerator &random) const;
    // True for an undecided real position.
    bool drawsRandomTerm() const
    {
        return fixedScore == 0 && result != CGameState::WhiteWins
            && result != CGameState::BlackWins;
    }
};

#endif
