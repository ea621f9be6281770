#include "matchscore.h"

void CMatchScore::add(int halfPoints)
{
    ++(halfPoints == 2 ? m_winsA : halfPoints == 1 ? m_draws : m_winsB);
}

double CMatchScore::score() const
{
    return (m_winsA + 0.5 * m_draws) / games();
}
