#ifndef CHECKERS_TOOLS_POSITION_H
#define CHECKERS_TOOLS_POSITION_H

#include "rules/gamestate.h"

// A position for the console tool. The rules keep no game-over state, so
// this one remembers the result they declared.
class CPosition final : public CGameState
{
public:
    static constexpr int NoResult = -1;

    void gameOver(int result) override;

    bool isGameOver() const { return m_result != NoResult; }
    int result() const { return m_result; }

private:
    int m_result = NoResult;
};

#endif
