#include "normalizedelo.h"

#include <algorithm>
#include <cmath>

namespace {

// The 97.5% point of the standard normal distribution.
constexpr double Normal975 = 1.959963984540054;

} // namespace

CNormalizedElo::CNormalizedElo(const CPentanomial::Counts &counts)
{
    double sum = 0, squares = 0;
    int filled = 0;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin) {
        filled += counts[bin] > 0;
        const double score = bin / 4.0;
        m_pairs += counts[bin];
        sum += counts[bin] * score;
        squares += counts[bin] * score * score;
    }
    // Rounding could leave a spread of pairs that all scored alike.
    if (filled < 2)
        return;
    const double mean = sum / m_pairs;
    m_sigma = std::sqrt(std::max(0.0, squares / m_pairs - mean * mean));
    m_value = (mean - 0.5) / (std::sqrt(2.0) * m_sigma) * scale();
    m_halfWidth = Normal975 * scale() / std::sqrt(2.0 * m_pairs);
}

double CNormalizedElo::scale()
{
    return 800 / std::log(10.0);
}
