#include "matchscore.h"

#include "elointerval.h"
#include "rules/gamestate.h"

#include <cmath>
#include <cstdio>

void CMatchScore::add(int result, bool aIsWhite)
{
    const int points = halfPoints(result, aIsWhite);
    ++(points == 2 ? m_winsA : points == 1 ? m_draws : m_winsB);
}

int CMatchScore::halfPoints(int result, bool aIsWhite)
{
    if (result == CGameState::Draw)
        return 1;
    return (result == CGameState::WhiteWins) == aIsWhite ? 2 : 0;
}

double CMatchScore::score() const
{
    return (m_winsA + 0.5 * m_draws) / games();
}

std::string CMatchScore::resultLine(const std::string &a, const std::string &b) const
{
    return "result " + a + ' ' + b + ' ' + std::to_string(m_winsA) + ' ' + std::to_string(m_winsB)
        + ' ' + std::to_string(m_draws);
}

std::string CMatchScore::strengthLine(const std::string &a, const std::string &b) const
{
    const CEloInterval interval(m_winsA, m_draws, m_winsB);
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.1f%%", 100 * score());
    return a + " scored " + percent + " against " + b + ": Elo difference "
        + eloText(interval.mid()) + " (95% interval " + eloText(interval.low()) + " to "
        + eloText(interval.high()) + ')';
}

std::string CMatchScore::eloText(double elo)
{
    if (std::isinf(elo))
        return elo > 0 ? "+inf" : "-inf";
    const long rounded = std::lround(elo);
    return (rounded > 0 ? "+" : "") + std::to_string(rounded);
}
