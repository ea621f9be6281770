#include "normalizedelo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The 97.5% point of the standard normal distribution.
constexpr double Normal975 = 1.959963984540054;

std::string signedText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", value);
    return text;
}

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

std::string CNormalizedElo::line(const std::string &a) const
{
    if (m_pairs == 0)
        return "normalized Elo of " + a + ": none, no pair of games was complete";
    if (!hasValue())
        return "normalized Elo of " + a
            + ": none, every pair scored the same, so the scores"
              " do not spread";
    return "normalized Elo of " + a + ": " + signedText(m_value) + " (95% interval "
        + signedText(m_value - m_halfWidth) + " to " + signedText(m_value + m_halfWidth) + ") over "
        + std::to_string(m_pairs) + (m_pairs == 1 ? " pair" : " pairs");
}
