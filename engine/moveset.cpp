#include "moveset.h"

namespace {

// The squares numbered above square, up to 31.
std::uint32_t squaresAbove(int square)
{
    if (square < 0)
        return ~std::uint32_t(0);
    return square >= 31 ? 0 : ~std::uint32_t(0) << (square + 1);
}

int lowest(std::uint32_t mask)
{
    return __builtin_ctz(mask);
}

} // namespace

void CMoveSet::clear()
{
    m_froms = 0;
    m_captures = false;
}

void CMoveSet::add(int from, std::uint32_t targets)
{
    if (targets == 0)
        return;
    const std::uint32_t bit = std::uint32_t(1) << from;
    if (!(m_froms & bit)) {
        m_froms |= bit;
        m_targets[from] = 0;
    }
    m_targets[from] |= targets;
}

bool CMoveSet::contains(int from, int to) const
{
    if (from < 0 || from > 31 || to < 0 || to > 31)
        return false;
    const std::uint32_t bit = std::uint32_t(1) << from;
    return (m_froms & bit) && (m_targets[from] >> to & 1);
}

bool CMoveSet::next(int &from, int &to) const
{
    if (from >= 0 && from <= 31 && (m_froms >> from & 1)) {
        const std::uint32_t later = m_targets[from] & squaresAbove(to);
        if (later) {
            to = lowest(later);
            return true;
        }
    }
    const std::uint32_t froms = m_froms & squaresAbove(from);
    if (!froms)
        return false;
    from = lowest(froms);
    to = lowest(m_targets[from]);
    return true;
}
