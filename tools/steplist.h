#ifndef CHECKERS_TOOLS_STEPLIST_H
#define CHECKERS_TOOLS_STEPLIST_H

#include "rules/gamestate.h"

#include <cstdint>

// The legal move steps of a position, by ascending from-square and then
// ascending to-square: exactly the pairs isLegalMove accepts. Only squares a
// piece could reach along its diagonals are put to the rules, which keeps
// deep move counts fast.
class CStepList
{
public:
    struct Step
    {
        int from;
        int to;
    };

    explicit CStepList(const CGameState &position);

    int size() const { return m_size; }
    const Step *begin() const { return m_steps; }
    const Step *end() const { return m_steps + m_size; }

private:
    // What the side to move must do this step; isLegalMove decides the same
    // way, once per pair.
    enum class Duty { KingCapture, ManCapture, Free };

    // Twelve kings that each reach the 13 squares of two long diagonals.
    static constexpr int MaxSteps = 12 * 13;

    void addStepsFrom(const CGameState &position, int from, Duty duty);
    // One bit per square.
    static std::uint32_t reachableSquares(int piece, int from);
    static bool isStep(const CGameState &position, int from, int to, Duty duty);

    Step m_steps[MaxSteps];
    int m_size = 0;
};

#endif
