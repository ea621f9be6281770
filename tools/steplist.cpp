#include "steplist.h"

CStepList::CStepList(const CGameState &position)
{
    const int side = position.sideToMove;
    Duty duty = Duty::Free;
    if (position.sideHasKingCapture(side))
        duty = Duty::KingCapture;
    else if (position.sideHasManCapture(side))
        duty = Duty::ManCapture;
    for (int from = 0; from < CGameState::SquareCount; ++from) {
        const int piece = position.squares[from];
        if (side == CGameState::White ? CGameState::isWhite(piece) : CGameState::isBlack(piece))
            addStepsFrom(position, from, duty);
    }
}

void CStepList::addStepsFrom(const CGameState &position, int from, Duty duty)
{
    const std::uint32_t targets = reachableSquares(position.squares[from], from);
    for (int to = 0; to < CGameState::SquareCount; ++to) {
        if ((targets >> to & 1) != 0 && isStep(position, from, to, duty))
            m_steps[m_size++] = { from, to };
    }
}

// Every square the piece could step or jump to along its own directions: a
// man two squares forward, a king to the edge of the board.
std::uint32_t CStepList::reachableSquares(int piece, int from)
{
    int first = CGameState::UpLeft;
    int last = CGameState::DownRight;
    int reach = CGameState::SquareCount;
    if (piece == CGameState::WhiteMan) {
        last = CGameState::UpRight;
        reach = 2;
    } else if (piece == CGameState::BlackMan) {
        first = CGameState::DownLeft;
        reach = 2;
    } else if (piece != CGameState::WhiteKing && piece != CGameState::BlackKing) {
        return 0;
    }
    std::uint32_t targets = 0;
    for (int direction = first; direction <= last; ++direction) {
        int square = CGameState::step(from, direction);
        for (int distance = 1; square != -1 && distance <= reach; ++distance) {
            targets |= std::uint32_t(1) << square;
            square = CGameState::step(square, direction);
        }
    }
    return targets;
}

bool CStepList::isStep(const CGameState &position, int from, int to, Duty duty)
{
    int captured;
    switch (duty) {
    case Duty::KingCapture:
        return position.kingCapture(from, to, captured);
    case Duty::ManCapture:
        return position.manCapture(from, to, captured);
    case Duty::Free:
        break;
    }
    return position.isSimpleMove(from, to);
}
