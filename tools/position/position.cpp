#include "position.h"

namespace {

const char *sideName(int side)
{
    return side == CGameState::White ? "white" : "black";
}

} // namespace

void CPosition::gameOver(int result)
{
    m_result = result;
}

std::string CPosition::impossibility(int firstSquare) const
{
    for (int side : { White, Black }) {
        const int count = side == White ? whiteCount : blackCount;
        if (count > MaxPieces)
            return std::string(sideName(side)) + " has " + std::to_string(count)
                + " pieces, at most " + std::to_string(MaxPieces) + " allowed";
    }
    for (int square = 0; square < SquareCount; ++square) {
        const int piece = squares[square];
        if ((piece == WhiteMan && square <= 3) || (piece == BlackMan && square >= 28))
            return std::string("a ") + sideName(piece) + " man on "
                + std::to_string(square + firstSquare) + " would have been crowned there";
    }
    if (pendingCaptureCount > 0 && !sideHasKingCapture(sideToMove)
        && !sideHasManCapture(sideToMove))
        return "captures are pending, but no capture goes on from them";
    return "";
}

int CPosition::settledResult() const
{
    if (!sideHasMove(sideToMove))
        return sideToMove == White ? BlackWins : WhiteWins;
    if (pliesWithoutCapture > DrawPlies)
        return Draw;
    return NoResult;
}
