#include "pentanomial.h"

#include <numeric>

void CPentanomial::add(int halfPoints)
{
    ++m_counts.at(static_cast<std::size_t>(halfPoints));
}

int CPentanomial::pairs() const
{
    return std::accumulate(m_counts.begin(), m_counts.end(), 0);
}

std::string CPentanomial::line() const
{
    std::string text = "pairs";
    for (const int count : m_counts)
        text += ' ' + std::to_string(count);
    return text;
}
