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
        m_state[m_front] += m_state[m_rear];
        const int value = static_cast<int>(m_state[m_front] >> 1);
        m_front = m_front + 1 == Degree ? 0 : m_front + 1;
        m_rear = m_rear + 1 == Degree ? 0 : m_rear + 1;
        return value;
    }

private:
    static constexpr int Degree = 31;
    static constexpr int Separation = 3;

    std::uint32_t m_state[Degree];
    int m_front = Separation;
    int m_rear = 0;
};

#endif
