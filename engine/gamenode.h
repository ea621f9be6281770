#ifndef CHECKERS_ENGINE_GAMENODE_H
#define CHECKERS_ENGINE_GAMENODE_H

#include "rules/gamestate.h"

// One position of the computer's search tree: a full game position that
// remembers the game result the rules declared for it, the first move played
// below the search root on the line leading to it, and an iterator over its
// legal moves in ascending (from, to) order.
class CGameNode : public CGameState
{
public:
    static constexpr int WinScore = 100000;

    CGameNode(const CGameState &position, int fixedScore);
    CGameNode(const CGameNode &parent);
    virtual ~CGameNode() = default;
    CGameNode &operator=(const CGameNode &) = delete;

    bool makeMove(int from, int to) override;
    // Plays a move handed out by nextMove(); a null move is refused.
    bool makeMove(const int *move);
    void gameOver(int result) override;

    // The next legal move as {from, to}, or null once there is none left.
    const int *nextMove();
    // Whether nextMove() would return a move now; the iterator stays put.
    bool hasMove();

    int evaluate() const;
    // Whether evaluate() draws a random term: true for undecided real positions.
    bool drawsRandomTerm() const;

    int iterFrom() const { return iterMove[0]; }
    int iterTo() const { return iterMove[1]; }

    int result;
    int fixedScore;
    int firstFrom;
    int firstTo;
    // The move nextMove() returned last, {-1, -1} before the first.
    int iterMove[2];

private:
    void copyPosition(const CGameState &position);
    bool nextKingCapture();
    bool nextCheckedMove();
    int material() const;
    static int kingValue(int square);
};

#endif
