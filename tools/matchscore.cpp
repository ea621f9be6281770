#include "matchscore.h"

#include "rules/gamestate.h"

#include <cmath>
#include <cstdio>

namespace {

// Two-sided 95% of the normal distribution.
constexpr double Z95 = 1.959964;

} // namespace

void CMatchScore::add(int result, bool aIsWhite)
{
    if (result == CGameState::Draw)
        ++m_draws;
    else if ((result == CGameState::WhiteWins) == aIsWhite)
        ++m_winsA;
    else
        ++m_winsB;
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

// When one side won every game the spread of the results is nil, and the
// exact binomial bound of a clean sweep takes the place of the normal one.
std::string CMatchScore::strengthLine(const std::string &a, const std::string &b) const
{
    const double s = score();
    double low = s - margin();
    double high = s + margin();
    const double sweep = std::pow((1 - 0.95) / 2, 1.0 / games());
    if (m_winsA == games())
        low = sweep;
    if (m_winsB == games())
        high = 1 - sweep;
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.1f%%", 100 * s);
    return a + " scored " + percent + " against " + b + ": Elo difference " + eloText(elo(s))
        + " (95% interval " + eloText(elo(low)) + " to " + eloText(elo(high)) + ')';
}

double CMatchScore::elo(double score)
{
    if (score <= 0)
        return -HUGE_VAL;
    if (score >= 1)
        return HUGE_VAL;
    return -400 * std::log10(1 / score - 1);
}

// Each game scores 1, 1/2 or 0; their variance about the mean score, over
// the number of games, is the variance of the mean.
double CMatchScore::margin() const
{
    const double s = score();
    const double variance
        = (m_winsA * (1 - s) * (1 - s) + m_draws * (0.5 - s) * (0.5 - s) + m_winsB * s * s)
        / games();
    return Z95 * std::sqrt(variance / games());
}

std::string CMatchScore::eloText(double elo)
{
    if (std::isinf(elo))
        return elo > 0 ? "+inf" : "-inf";
    const long rounded = std::lround(elo);
    return (rounded > 0 ? "+" : "") + std::to_string(rounded);
}
