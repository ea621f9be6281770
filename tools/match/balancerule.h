#ifndef CHECKERS_TOOLS_MATCH_BALANCERULE_H
#define CHECKERS_TOOLS_MATCH_BALANCERULE_H

class CGameState;

// The rule that keeps an opening in the ballot deck: neither side wins
// material by force within Depth more move steps. A full-width search of
// Depth steps, each step of a multi-jump one, goes on past that depth for
// as long as a capture is under way or to be made, since the rules force
// it, and scores the end positions by the pieces each side has left, a king
// as a man. The opening is balanced when, both sides playing their best,
// that count comes out even. There is no evaluation and no random term,
// so the verdict never changes with the engine.
class CBalanceRule
{
public:
    static constexpr int Depth = 6;

    static bool isBalanced(const CGameState &position);

private:
    // The pieces the side to move will have more than the other, with
    // alpha and beta bounding what matters.
    static int search(const CGameState &position, int depth, int alpha, int beta);
};

#endif
