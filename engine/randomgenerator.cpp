#include "randomgenerator.h"

// glibc's srand(): the state filled by a Lehmer generator, then 310 draws
// thrown away so that the seed no longer shows.
CRandomGenerator::CRandomGenerator(unsigned seed)
{
    std::uint32_t seeded[Degree];
    std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    seeded[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < Degree; ++i) {
        // 16807 * word % 2147483647 without overflowing 31 bits.
        const std::int64_t hi = word / 127773;
        const std::int64_t lo = word % 127773;
        word = static_cast<std::int32_t>(16807 * lo - 2836 * hi);
        if (word < 0)
            word += 2147483647;
        seeded[i] = static_cast<std::uint32_t>(word);
    }
    // glibc's first new value replaces the word Separation places in,
    // which makes that word the oldest.
    for (int i = 0; i < Degree; ++i)
        m_state[i] = seeded[(i + Separation) % Degree];
    for (int i = 0; i < 10; ++i)
        refill();
    m_next = Degree;
}

// Each value is the sum of the ones Degree and Separation places before it.
void CRandomGenerator::refill()
{
    for (int i = 0; i < Separation; ++i)
        m_state[i] += m_state[i + Degree - Separation];
    for (int i = Separation; i < Degree; ++i)
        m_state[i] += m_state[i - Separation];
    for (int i = 0; i < Degree; ++i)
        m_terms[i] = static_cast<int>((m_state[i] >> 1) % 7) - 3;
    m_next = 0;
}
