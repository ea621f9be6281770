#include "nodescore.h"

#include "randomgenerator.h"
#include "rules/gamestate.h"

int CNodeScore::evaluate(CRandomGenerator &random) const
{
    if (fixedScore != 0)
        return fixedScore;
    if (result == CGameState::WhiteWins)
        return WinScore;
    if (result == CGameState::BlackWins)
        return -WinScore;
    // A fresh random term at every call lets near-equal moves vary.
    return random.next() % 7 - 3 + material;
}
