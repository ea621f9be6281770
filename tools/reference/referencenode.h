#ifndef CHECKERS_TOOLS_REFERENCE_REFERENCENODE_H
#define CHECKERS_TOOLS_REFERENCE_REFERENCENODE_H

#include "rules/gamestate.h"

// The search node written the straightforward way, kept as the yardstick
// for the engine's CGameNode: its moves are found by putting every from/to
// pair to checkMove (king captures by trying every landing of every king that
// can capture), and every evaluation counts the material again.
class CReferenceNode : public CGameState
{
public:
    static constexpr int WinScore = 100000;

    CReferenceNode(const CGameState &position, int fixedScore);
    CReferenceNode(const CReferenceNode &parent);
    virtual ~CReferenceNode() = default;
    CReferenceNode &operator=(const CReferenceNode &) = delete;

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
