#include "moveset.h"
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
