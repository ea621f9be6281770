#ifndef CHECKERS_TESTS_ENGINE_RANDOMPOSITIONS_H
#define CHECKERS_TESTS_ENGINE_RANDOMPOSITIONS_H

#include "tools/position/position.h"

#include <random>
#include <vector>

// Positions for comparing the engine with the straightforward reference,
// drawn from a fixed seed so that every run sees the same ones.
class CRandomPositions
{
public:
    explicit CRandomPositions(unsigned seed);

    // Every position of a game of random legal steps from the initial one,
    // those in the middle of a capture sequence included, until the game
    // ends or plies steps have been made.
    std::vector<CPosition> game(int plies);
    // Kings only: whiteKings and blackKings of them on random squares.
    CPosition kingEndgame(int whiteKings, int blackKings);
    // A random legal step of position; false when there is none.
    bool playRandomStep(CPosition &position);

private:
    std::mt19937 m_random;
};

#endif
