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
