#ifndef CHECKERS_TOOLS_MATCH_OPENING_H
#define CHECKERS_TOOLS_MATCH_OPENING_H

#include "tools/position/position.h"

#include <string>
#include <utility>
#include <vector>

// Where the games of a pair start: a start position, the initial one or one
// given by a FEN, and the move steps played from it, each step of a
// multi-jump one. Its games are played on from the end of the steps.
class COpening
{
public:
    using Step = std::pair<int, int>;

    // The initial position and no step.
    COpening() = default;
    // fen is empty for the initial position, else a start position that
    // CFenText reads; the steps are legal from it and leave the game going.
    COpening(std::string fen, std::vector<Step> steps);

    const std::string &fen() const { return m_fen; }
    const std::vector<Step> &steps() const { return m_steps; }
    // The start position, before the steps.
    CPosition start() const;

private:
    std::string m_fen;
    std::vector<Step> m_steps;
};

#endif
