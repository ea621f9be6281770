#include "balancerule.h"

#include "engine/gamenode.h"

#include <algorithm>

namespace {

// More than any count of pieces: a side without a move has lost.
constexpr int Lost = 100;

} // namespace

bool CBalanceRule::isBalanced(const CGameState &position)
{
    return search(position, Depth, -Lost, Lost) == 0;
}

int CBalanceRule::search(const CGameState &position, int depth, int alpha, int beta)
{
    CGameNode node(position, 0);
    const int side = node.sideToMove;
    const bool capturing = node.pendingCaptureCount > 0 || node.sideHasManCapture(side)
        || node.sideHasKingCapture(side);
    if (depth <= 0 && !capturing) {
        const int own = side == CGameState::White ? node.whiteCount : node.blackCount;
        const int other = side == CGameState::White ? node.blackCount : node.whiteCount;
        return own - other;
    }
    if (!node.hasMove())
        return -Lost;
    int best = -Lost;
    while (const int *move = node.nextMove()) {
        CGameNode child(node);
        child.makeMove(move);
        // A multi-jump goes on with the same side to move.
        const bool sameSide = child.sideToMove == side;
        const int value = child.result != 0 ? (child.result == side ? Lost : -Lost)
            : sameSide                      ? search(child, depth - 1, alpha, beta)
                                            : -search(child, depth - 1, -beta, -alpha);
        best = std::max(best, value);
        alpha = std::max(alpha, value);
        if (alpha >= beta)
            break;
    }
    return best;
}
