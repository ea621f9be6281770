#include "randomgenerator.h"

// glibc's srand(): the state filled by a Lehmer generator, then 310 draws
// thrown away so that the seed no longer shows. glibc keeps the state in a
// ring whose front, where the next word goes, starts Separation words in.
CRandomGenerator::CRandomGenerator(unsigned seed)
{
    std::uint32_t ring[Degree];
    std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    ring[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < Degree; ++i) {
        // 16807 * word % 2147483647 without overflowing 31 bits.
        const std::int64_t hi = word / 127773;
        const std::int64_t lo = word % 127773;
        word = static_cast<std::int32_t>(16807 * lo - 2836 * hi);
        if (word < 0)
            word += 2147483647;
        ring[i] = static_cast<std::uint32_t>(word);
    }
    for (int i = 0; i < Degree; ++i)
        m_words[Batch + i] = ring[(Separation + i) % Degree];
    for (int i = 0; i < 10 * Degree; ++i)
        next();
    m_batchDraws -= draws();
}

void CRandomGenerator::refill()
{
    for (int i = 0; i < Degree; ++i) {
        m_words[i] = m_words[Batch + i];
        m_terms[i] = m_terms[Batch + i];
    }
    // Three runs of sums that do not wait on one another, the last word of
    // each in a register: read back from memory, words stored a moment
    // before stall the processor.
    static_assert(Separation == 3 && Batch % 3 == 0, "three runs, in whole steps");
    std::uint32_t first = m_words[Degree - 3];
    std::uint32_t second = m_words[Degree - 2];
    std::uint32_t third = m_words[Degree - 1];
    for (int i = Degree; i < Degree + Batch; i += 3) {
        first += m_words[i - Degree];
        second += m_words[i + 1 - Degree];
        third += m_words[i + 2 - Degree];
        m_words[i] = first;
        m_words[i + 1] = second;
        m_words[i + 2] = third;
    }
    for (int i = Degree; i < Degree + Batch; ++i) {
        // rand() % 7: the quotient by 7 as a product shifted down, exact for
        // 31-bit numbers, with no correction step.
        const std::uint32_t value = m_words[i] >> 1;
        const auto quotient
            = static_cast<std::uint32_t>((std::uint64_t(value) * 0x92492493u) >> 34);
        m_terms[i] = static_cast<std::int32_t>(value - 7 * quotient) - 3;
    }
    m_next -= Batch;
    m_batchDraws += Batch;
}
