#include "elointerval.h"

#include <algorithm>
#include <cmath>

namespace {

// The 95% point of chi-square with one degree of freedom: 1.959964 squared.
constexpr double Critical = 3.841458820694124;
// Halvings of an interval of scores or draw rates: far below a double's
// resolution of the Elo figures printed.
constexpr int Halvings = 100;

// A count times the log of its rate, nothing for a count of none.
double term(int count, double rate)
{
    if (count == 0)
        return 0;
    return rate > 0 ? count * std::log(rate) : -HUGE_VAL;
}

} // namespace

CEloInterval::CEloInterval(int wins, int draws, int losses)
    : m_wins(wins)
    , m_draws(draws)
    , m_losses(losses)
{
    const double score = (wins + 0.5 * draws) / (wins + draws + losses);
    m_mid = elo(score);
    m_low = elo(bound(score, 0));
    m_high = elo(bound(score, 1));
}

double CEloInterval::elo(double score)
{
    if (score <= 0)
        return -HUGE_VAL;
    if (score >= 1)
        return HUGE_VAL;
    return -400 * std::log10(1 / score - 1);
}

// The deviance grows from nothing at the result's own score towards either
// end, so the bound is found by halving. At an end it reaches the critical
// value unless every game went that way.
double CEloInterval::bound(double inside, double outside) const
{
    if (deviance(outside) <= Critical)
        return outside;
    for (int i = 0; i < Halvings; ++i) {
        const double middle = (inside + outside) / 2;
        (deviance(middle) <= Critical ? inside : outside) = middle;
    }
    return inside;
}

double CEloInterval::deviance(double score) const
{
    const double games = m_wins + m_draws + m_losses;
    const double best = logLikelihood(m_wins / games, m_draws / games, m_losses / games);
    return 2 * (best - profile(score));
}

// With the mean score fixed, a draw rate d leaves wins at score - d/2 and
// losses at 1 - score - d/2. The log-likelihood is concave in d, so its
// slope, falling through nought at the best d, is found by halving.
double CEloInterval::profile(double score) const
{
    const double most = 2 * std::min(score, 1 - score);
    const auto slope = [this, score](double draws) {
        return m_draws / draws - m_wins / (2 * score - draws) - m_losses / (2 - 2 * score - draws);
    };
    double draws = 0;
    if (m_draws > 0 && m_wins + m_losses == 0) {
        draws = most;
    } else if (m_draws > 0) {
        double below = 0, above = most;
        for (int i = 0; i < Halvings; ++i) {
            const double middle = (below + above) / 2;
            (slope(middle) > 0 ? below : above) = middle;
        }
        draws = (below + above) / 2;
    }
    return logLikelihood(score - draws / 2, draws, 1 - score - draws / 2);
}

double CEloInterval::logLikelihood(double winRate, double drawRate, double lossRate) const
{
    return term(m_wins, winRate) + term(m_draws, drawRate) + term(m_losses, lossRate);
}
