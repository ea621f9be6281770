#ifndef CHECKERS_TOOLS_POSITION_POSITION_H
#define CHECKERS_TOOLS_POSITION_POSITION_H

#include "rules/gamestate.h"

#include <string>

// A position for the console tool. The rules keep no game-over state, so
// this one remembers the result they declared.
class CPosition final : public CGameState
{
public:
    static constexpr int NoResult = -1;
    static constexpr int MaxPieces = 12;
    // The count at which the draw rule ended the game.
    static constexpr int MaxPlies = DrawPlies + 1;

    void gameOver(int result) override;

    bool isGameOver() const { return m_result != NoResult; }
    int result() const { return m_result; }

    // Why no game could have reached this position, or empty if one could:
    // more than 12 pieces a side, a man on the row where it would have been
    // crowned, or captures pending that no capture goes on from. A finished
    // game is possible; the count of moves without a capture is bounded
    // where it is read. Squares are named from firstSquare: 0 here, 1 in a FEN.
    std::string impossibility(int firstSquare) const;
    // The result of a game that is over in this position, as the rules
    // would have declared it, or NoResult.
    int settledResult() const;

private:
    int m_result = NoResult;
};

#endif
