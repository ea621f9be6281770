#include "randomgenerator.h"

// glibc's srand(): the state filled by a Lehmer generator, then 310 draws
// thrown away so that the seed no longer shows.
CRandomGenerator::CRandomGenerator(unsigned seed)
{
    std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    m_state[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < Degree; ++i) {
        // 16807 * word % 2147483647 without overflowing 31 bits.
        const std::int64_t hi = word / 127773;
        const std::int64_t lo = word % 127773;
        word = static_cast<std::int32_t>(16807 * lo - 2836 * hi);
        if (word < 0)
            word += 2147483647;
        m_state[i] = static_cast<std::uint32_t>(word);
    }
    for (int i = 0; i < 10 * Degree; ++i)
        next();
}
