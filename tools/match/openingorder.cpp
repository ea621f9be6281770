#include "openingorder.h"

#include "splitmix64.h"

#include <algorithm>
#include <numeric>

COpeningOrder::COpeningOrder(bool shuffled, std::uint32_t seed, int start)
    : m_shuffled(shuffled)
    , m_seed(seed)
    , m_start(start)
{ }

std::vector<int> COpeningOrder::places(int count) const
{
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    if (m_shuffled) {
        const std::uint64_t base = CSplitMix64::mix(m_seed);
        for (std::size_t i = order.size(); i-- > 1;)
            std::swap(order[i], order[CSplitMix64::mix(base + i) % (i + 1)]);
    }
    std::rotate(order.begin(), order.begin() + (m_start - 1), order.end());
    return order;
}
