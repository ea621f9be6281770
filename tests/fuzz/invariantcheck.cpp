#include "invariantcheck.h"

#include "tools/position/positiontext.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A side starts with twelve pieces and never gains one.
constexpr int MaxPieces = 12;

bool belongsTo(int piece, int side)
{
    return side == CGameState::White ? CGameState::isWhite(piece) : CGameState::isBlack(piece);
}

std::string pendingViolation(const CGameState &position)
{
    if (position.pendingCaptureCount < 0 || position.pendingCaptureCount > CGameState::MaxPending)
        return "pendingCaptureCount is " + std::to_string(position.pendingCaptureCount);
    const int victim
        = position.sideToMove == CGameState::White ? CGameState::Black : CGameState::White;
    for (int i = 0; i < position.pendingCaptureCount; ++i) {
        const int square = position.pendingCaptures[i];
        const std::string entry
            = "pending entry " + std::to_string(i) + " (" + std::to_string(square);
        if (square < 0 || square >= CGameState::SquareCount)
            return entry + ") is off the board";
        for (int j = 0; j < i; ++j) {
            if (position.pendingCaptures[j] == square)
                return entry + ") is listed twice";
        }
        if (!belongsTo(position.squares[square], victim))
            return entry + ") holds no piece of the side not to move";
    }
    return {};
}

} // namespace

std::string CInvariantCheck::violation(const CGameState &position)
{
    if (position.sideToMove != CGameState::White && position.sideToMove != CGameState::Black)
        return "sideToMove is " + std::to_string(position.sideToMove);
    int white = 0, black = 0, whiteKings = 0, blackKings = 0;
    for (int n = 0; n < CGameState::SquareCount; ++n) {
        const int piece = position.squares[n];
        switch (piece) {
        case CGameState::Empty:
        case CGameState::WhiteMan:
        case CGameState::BlackMan:
        case CGameState::WhiteKing:
        case CGameState::BlackKing:
            break;
        default:
            return "square " + std::to_string(n) + " holds code " + std::to_string(piece);
        }
        white += CGameState::isWhite(piece);
        black += CGameState::isBlack(piece);
        whiteKings += piece == CGameState::WhiteKing;
        blackKings += piece == CGameState::BlackKing;
    }
    if (white != position.whiteCount || black != position.blackCount
        || whiteKings != position.whiteKings || blackKings != position.blackKings)
        return "counters " + std::to_string(position.whiteCount) + "/"
            + std::to_string(position.blackCount) + "/" + std::to_string(position.whiteKings) + "/"
            + std::to_string(position.blackKings) + " but the squares hold " + std::to_string(white)
            + "/" + std::to_string(black) + "/" + std::to_string(whiteKings) + "/"
            + std::to_string(blackKings);
    if (white > MaxPieces || black > MaxPieces)
        return "more than 12 pieces of a side";
    if (position.pliesWithoutCapture < 0)
        return "pliesWithoutCapture is " + std::to_string(position.pliesWithoutCapture);
    return pendingViolation(position);
}

std::string CInvariantCheck::difference(const CGameState &a, const CGameState &b)
{
    for (int n = 0; n < CGameState::SquareCount; ++n) {
        if (a.squares[n] != b.squares[n])
            return "squares[" + std::to_string(n) + "]";
    }
    for (int i = 0; i < CGameState::MaxPending; ++i) {
        if (a.pendingCaptures[i] != b.pendingCaptures[i])
            return "pendingCaptures[" + std::to_string(i) + "]";
    }
    const std::pair<const char *, int CGameState::*> fields[] = {
        { "sideToMove", &CGameState::sideToMove },
        { "whiteCount", &CGameState::whiteCount },
        { "blackCount", &CGameState::blackCount },
        { "whiteKings", &CGameState::whiteKings },
        { "blackKings", &CGameState::blackKings },
        { "pendingCaptureCount", &CGameState::pendingCaptureCount },
        { "lastCheckFrom", &CGameState::lastCheckFrom },
        { "lastCheckTo", &CGameState::lastCheckTo },
        { "lastCheckVerdict", &CGameState::lastCheckVerdict },
        { "pliesWithoutCapture", &CGameState::pliesWithoutCapture },
    };
    for (const auto &[name, field] : fields) {
        if (a.*field != b.*field)
            return name;
    }
    return {};
}

bool CInvariantCheck::sameMemo(const CGameState &a, const CGameState &b)
{
    return a.lastCheckFrom == b.lastCheckFrom && a.lastCheckTo == b.lastCheckTo
        && a.lastCheckVerdict == b.lastCheckVerdict;
}

void CInvariantCheck::require(bool holds, const std::string &message)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", message.c_str());
    std::abort();
}

void CInvariantCheck::require(bool holds, const std::string &message, const CGameState &position)
{
    if (holds)
        return;
    // The text form shows only valid codes; the raw squares follow it.
    std::string raw;
    for (int piece : position.squares)
        raw += ' ' + std::to_string(piece);
    require(false, message + "\nposition: " + CPositionText::format(position) + "\nsquares:" + raw);
}

void CInvariantCheck::requireSound(const CGameState &position, const std::string &context)
{
    const std::string broken = violation(position);
    require(broken.empty(), context + ": " + broken, position);
}
