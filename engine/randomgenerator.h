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

    // A number from 0 to RAND_MAX, as rand() gives it.
    int next()
    {
        if (m_next == Degree)
            refill();
        return static_cast<int>(m_state[m_next++] >> 1);
    }
    // next() % 7 - 3, the evaluation's random term from -3 to 3; worked out
    // ahead for a whole refill, where the compiler does several at once.
    int nextTerm()
    {
        if (m_next == Degree)
            refill();
        return m_terms[m_next++];
    }

private:
    static constexpr int Degree = 31;
    static constexpr int Separation = 3;

    void refill();

    // The last Degree values of the sequence, oldest first, and their terms;
    // next() and nextTerm() hand them out from m_next on, and then refill()
    // works out the following Degree in one pass.
    std::uint32_t m_state[Degree];
    int m_next = Degree;
    int m_terms[Degree];
};

#endif
