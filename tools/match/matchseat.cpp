#include "matchseat.h"

#include "rules/gamestate.h"

CMatchSeat::CMatchSeat(int game)
    : m_aIsWhite(game % 2 == 1)
{ }

bool CMatchSeat::isA(int side) const
{
    return (side == CGameState::White) == m_aIsWhite;
}

int CMatchSeat::halfPointsOfA(int result) const
{
    if (result == CGameState::Draw)
        return 1;
    return isA(result == CGameState::WhiteWins ? CGameState::White : CGameState::Black) ? 2 : 0;
}
