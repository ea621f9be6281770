#ifndef CHECKERS_ENGINE_GAMENODE_H
#define CHECKERS_ENGINE_GAMENODE_H

#include "bitboard.h"
#include "moveset.h"
#include "nodescore.h"
#include "rules/gamestate.h"

// One position of a game tree as the rules see it: a full game position that
// remembers the game result the rules declared for it, the first move played
// below the root on the line leading to it, and an iterator over its legal
// moves in ascending (from, to) order. The moves are those of the search's
// own position, which plays them; the rules' record follows it.
//
// A child starts with its parent's legal moves, which are still those of its
// position until its move is made. So a node's position is changed only
// through makeMove.
class CGameNode : public CGameState
{
public:
    static constexpr int WinScore = CNodeScore::WinScore;

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
    bool hasMove() const;

    int evaluate(CRandomGenerator &random) const;
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
    CNodeScore score() const;
    void copyBoard();

    CBitboard m_board;
    CMoveSet m_moves;
};

#endif
