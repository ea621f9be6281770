#include "nodescore.h"

#include "rules/gamestate.h"

#include <cstdlib>

int CNodeScore::evaluate() const
{
    if (fixedScore != 0)
        return fixedScore;
    if (result == CGameState::WhiteWins)
        return WinScore;
    if (result == CGameState::BlackWins)
        return -WinScore;
    // A fresh random term at every call lets near-equal moves vary.
    return std::rand() % 7 - 3 + material;
}
