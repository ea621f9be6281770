#ifndef CHECKERS_ENGINE_RANDOMGENERATOR_H
#define CHECKERS_ENGINE_RANDOMGENERATOR_H

#include <cstdint>

// The C library's rand() as an object: after CRandomGenerator(seed), next()
// yields exactly what rand() yields after srand(seed) on glibc (its additive
// feedback generator), so each search can own its generator and still play
// the games that the shared rand() played.
class CRandomGenerator
{
public:
    explicit CRandomGenerator(unsigned seed);
    // The place is a pointer into the generator's own terms.
    CRandomGenerator(const CRandomGenerator &) = delete;
    CRandomGenerator &operator=(const CRandomGenerator &) = delete;

    // A number from 0 to RAND_MAX, as rand() gives it.
    int next()
    {
        if (m_next == m_terms + Degree + Batch)
            refill();
        return static_cast<int>(m_words[m_next++ - m_terms] >> 1);
    }
    // The terms of the next count draws, next() % 7 - 3 from -3 to 3 as the
    // evaluation draws them, worked out for the whole batch at once; up to
    // 3 at a time. skipTo() then takes those before the first not used.
    const std::int32_t *termsAhead(int count)
    {
        if (m_next + count > m_terms + Degree + Batch)
            refill();
        return m_next;
    }
    void skipTo(const std::int32_t *unused) { m_next = unused; }
    // How many draws next() and skipTo() have made since the seed.
    long long draws() const { return m_batchDraws + (m_next - m_terms) - (Degree + Batch); }

private:
    static constexpr int Degree = 31;
    static constexpr int Separation = 3;
    // Words made at a time: the search draws in bursts of a few, and a
    // tight loop makes each word for a fraction of a call's cost. Of 255,
    // 510, 1023 and 2046, 1023 was the fastest: its words and terms, 8 KiB,
    // still sit in the first-level cache.
    static constexpr int Batch = 1023;

    void refill();

    // The sequence of words laid out in a line: each is the sum of the words
    // Degree and Separation places before it, the last Degree of a batch,
    // with the few not drawn yet among them, starting the next.
    std::uint32_t m_words[Degree + Batch];
    // Each word's term, at the same place.
    std::int32_t m_terms[Degree + Batch];
    // The next term to draw: a pointer, so that the search moves on by
    // storing the one it stopped at.
    const std::int32_t *m_next = m_terms + Degree + Batch;
    // The draws up to the end of the current batch.
    long long m_batchDraws = 0;
};

#endif
