#include "gamestate.h"

#include <initializer_list>

CGameState::CGameState()
    : squares {}
    , sideToMove(White)
    , whiteCount(0)
    , blackCount(0)
    , whiteKings(0)
    , blackKings(0)
    , pendingCaptures {}
    , pendingCaptureCount(0)
    , lastCheckFrom(0)
    , lastCheckTo(0)
    , lastCheckVerdict(NoVerdict)
    , pliesWithoutCapture(0)
{
    CGameState::reset();
}

void CGameState::reset()
{
    pendingCaptureCount = 0;
    pliesWithoutCapture = 0;
    for (int n = 0; n < SquareCount; ++n) {
        if (n < 12)
            squares[n] = BlackMan;
        else if (n < 20)
            squares[n] = Empty;
        else
            squares[n] = WhiteMan;
    }
    whiteCount = 12;
    blackCount = 12;
    whiteKings = 0;
    blackKings = 0;
    sideToMove = White;
}

void CGameState::removePiece(int square)
{
    const int piece = squares[square];
    if (isWhite(piece))
        --whiteCount;
    if (isBlack(piece))
        --blackCount;
    if (piece == WhiteKing)
        --whiteKings;
    if (piece == BlackKing)
        --blackKings;
    squares[square] = Empty;
}

// n mod 8 tells the row parity: 0..3 an even row (columns 1,3,5,7),
// 4..7 an odd row (columns 0,2,4,6).
int CGameState::stepUpLeft(int n)
{
    if (n <= 4 || n % 8 == 4)
        return -1;
    return n % 8 < 4 ? n - 4 : n - 5;
}

int CGameState::stepUpRight(int n)
{
    if (n <= 3 || n % 8 == 3)
        return -1;
    return n % 8 < 4 ? n - 3 : n - 4;
}

int CGameState::stepDownLeft(int n)
{
    if (n > 27 || n % 8 == 4)
        return -1;
    return n % 8 < 4 ? n + 4 : n + 3;
}

int CGameState::stepDownRight(int n)
{
    if (n > 26 || n % 8 == 3)
        return -1;
    return n % 8 < 4 ? n + 5 : n + 4;
}

int CGameState::step(int n, int direction)
{
    switch (direction) {
    case UpLeft:
        return stepUpLeft(n);
    case UpRight:
        return stepUpRight(n);
    case DownLeft:
        return stepDownLeft(n);
    case DownRight:
        return stepDownRight(n);
    default:
        return -1;
    }
}

bool CGameState::isBasicMove(int from, int to) const
{
    if (from < 0 || from >= SquareCount || to < 0 || to >= SquareCount)
        return false;
    const int piece = squares[from];
    if (piece == Empty || squares[to] != Empty)
        return false;
    if (isWhite(piece))
        return sideToMove == White;
    if (isBlack(piece))
        return sideToMove == Black;
    return false;
}

bool CGameState::isPendingCapture(int square) const
{
    for (int i = 0; i < pendingCaptureCount; ++i) {
        if (pendingCaptures[i] == square)
            return true;
    }
    return false;
}

bool CGameState::isSimpleMove(int from, int to) const
{
    if (!isBasicMove(from, to))
        return false;
    switch (squares[from]) {
    case WhiteMan:
        return to == stepUpLeft(from) || to == stepUpRight(from);
    case BlackMan:
        return to == stepDownLeft(from) || to == stepDownRight(from);
    case WhiteKing:
    case BlackKing:
        if (to < from - 2)
            return isPathClear(stepUpLeft(from), UpLeft, to)
                || isPathClear(stepUpRight(from), UpRight, to);
        if (to > from + 2)
            return isPathClear(stepDownLeft(from), DownLeft, to)
                || isPathClear(stepDownRight(from), DownRight, to);
        return false;
    default:
        return false;
    }
}

bool CGameState::isPathClear(int square, int direction, int target) const
{
    const bool upwards = direction == UpLeft || direction == UpRight;
    const bool downwards = direction == DownLeft || direction == DownRight;
    for (;;) {
        if (square == -1 || squares[square] != Empty)
            return false;
        if (square == target)
            return true;
        // Square numbers grow downwards: once the walk has passed the target's
        // number it cannot reach it any more.
        if ((upwards && square < target) || (downwards && square > target)
            || (!upwards && !downwards))
            return false;
        square = step(square, direction);
    }
}

bool CGameState::isEnemy(int piece, int ownPiece) const
{
    return isWhite(ownPiece) ? isBlack(piece) : isWhite(piece);
}

bool CGameState::hasEnemyAt(int square, int ownPiece) const
{
    return square != -1 && isEnemy(squares[square], ownPiece);
}

bool CGameState::manCapture(int from, int to, int &captured) const
{
    if (!isBasicMove(from, to))
        return false;
    const int piece = squares[from];
    int first, second;
    if (piece == WhiteMan) {
        first = UpLeft;
        second = UpRight;
    } else if (piece == BlackMan) {
        first = DownLeft;
        second = DownRight;
    } else {
        return false;
    }
    for (int direction : { first, second }) {
        const int b = step(from, direction);
        if (hasEnemyAt(b, piece) && step(b, direction) == to && !isPendingCapture(b)) {
            captured = b;
            return true;
        }
    }
    return false;
}

// The king on from travels in direction and takes the enemy on d, the square
// just before its landing; every square between the king and d must be empty.
bool CGameState::kingCaptureAlong(int from, int d, int direction, int &captured) const
{
    const int king = squares[from];
    if (!hasEnemyAt(d, king))
        return false;
    const int first = step(from, direction);
    const int back = 3 - direction;
    if (first != d && !isPathClear(first, direction, step(d, back)))
        return false;
    if (isPendingCapture(d))
        return false;
    captured = d;
    return true;
}

bool CGameState::kingCapture(int from, int to, int &captured) const
{
    if (!isBasicMove(from, to))
        return false;
    const int king = squares[from];
    if (king != WhiteKing && king != BlackKing)
        return false;
    // Two squares along a diagonal are 7 or 9 apart, so a capture moves the
    // king by more than 6.
    if (to < from - 6)
        return kingCaptureAlong(from, stepDownRight(to), UpLeft, captured)
            || kingCaptureAlong(from, stepDownLeft(to), UpRight, captured);
    if (to > from + 6)
        return kingCaptureAlong(from, stepUpRight(to), DownLeft, captured)
            || kingCaptureAlong(from, stepUpLeft(to), DownRight, captured);
    return false;
}

bool CGameState::manHasCapture(int square) const
{
    int captured;
    switch (squares[square]) {
    case WhiteMan:
        return manCapture(square, square - 7, captured) || manCapture(square, square - 9, captured);
    case BlackMan:
        return manCapture(square, square + 7, captured) || manCapture(square, square + 9, captured);
    default:
        return false;
    }
}

bool CGameState::kingHasCapture(int square) const
{
    int captured;
    for (int direction = UpLeft; direction <= DownRight; ++direction) {
        const int next = step(square, direction);
        if (next == -1)
            continue;
        for (int landing = step(next, direction); landing != -1;
             landing = step(landing, direction)) {
            if (kingCapture(square, landing, captured))
                return true;
        }
    }
    return false;
}

bool CGameState::pieceHasCapture(int square) const
{
    switch (squares[square]) {
    case WhiteMan:
    case BlackMan:
        return manHasCapture(square);
    case WhiteKing:
    case BlackKing:
        return kingHasCapture(square);
    default:
        return false;
    }
}

bool CGameState::sideHasManCapture(int side) const
{
    // Men on the last two rows before their far row have no room to jump.
    int first, last;
    if (side == White) {
        first = 8;
        last = 31;
    } else if (side == Black) {
        first = 0;
        last = 23;
    } else {
        return false;
    }
    for (int n = first; n <= last; ++n) {
        if (squares[n] == side && manHasCapture(n))
            return true;
    }
    return false;
}

bool CGameState::sideHasKingCapture(int side) const
{
    int count, king;
    if (side == White) {
        count = whiteKings;
        king = WhiteKing;
    } else if (side == Black) {
        count = blackKings;
        king = BlackKing;
    } else {
        return false;
    }
    if (count == 0)
        return false;
    int seen = 0;
    for (int n = 0; n < SquareCount; ++n) {
        if (squares[n] != king)
            continue;
        if (kingHasCapture(n))
            return true;
        if (++seen == count)
            return false;
    }
    return false;
}

bool CGameState::isLegalMove(int from, int to, int &captured) const
{
    if (!isBasicMove(from, to))
        return false;
    if (sideHasKingCapture(sideToMove))
        return kingCapture(from, to, captured);
    if (sideHasManCapture(sideToMove))
        return manCapture(from, to, captured);
    return isSimpleMove(from, to);
}

bool CGameState::checkMove(int from, int to)
{
    if (lastCheckVerdict != NoVerdict && lastCheckFrom == from && lastCheckTo == to)
        return lastCheckVerdict == Legal;
    lastCheckFrom = from;
    lastCheckTo = to;
    int captured;
    const bool legal = isLegalMove(from, to, captured);
    lastCheckVerdict = legal ? Legal : Illegal;
    return legal;
}

bool CGameState::pieceHasStep(int square) const
{
    int first, last;
    switch (squares[square]) {
    case WhiteMan:
        first = UpLeft;
        last = UpRight;
        break;
    case BlackMan:
        first = DownLeft;
        last = DownRight;
        break;
    case WhiteKing:
    case BlackKing:
        first = UpLeft;
        last = DownRight;
        break;
    default:
        return false;
    }
    for (int direction = first; direction <= last; ++direction) {
        const int next = step(square, direction);
        if (next != -1 && squares[next] == Empty)
            return true;
    }
    return false;
}

bool CGameState::sideHasMove(int side) const
{
    if (sideHasKingCapture(side) || sideHasManCapture(side))
        return true;
    int count;
    if (side == White)
        count = whiteCount;
    else if (side == Black)
        count = blackCount;
    else
        return false;
    int seen = 0;
    for (int n = 0; n < SquareCount && seen < count; ++n) {
        const int piece = squares[n];
        const bool own = side == White ? isWhite(piece) : isBlack(piece);
        if (!own)
            continue;
        if (pieceHasStep(n))
            return true;
        ++seen;
    }
    return false;
}

bool CGameState::makeMove(int from, int to)
{
    int captured = -1;
    if (!isLegalMove(from, to, captured))
        return false;
    if (captured != -1) {
        pendingCaptures[pendingCaptureCount++] = captured;
        pliesWithoutCapture = 0;
        squares[to] = squares[from];
        squares[from] = Empty;
        if (pieceHasCapture(to))
            return true;
    } else {
        ++pliesWithoutCapture;
        squares[to] = squares[from];
        squares[from] = Empty;
    }
    finishMove(to);
    return true;
}

// The move is complete: captured pieces leave the board last-taken first,
// the turn passes, the mover is crowned and the game may end.
void CGameState::finishMove(int to)
{
    while (pendingCaptureCount > 0) {
        --pendingCaptureCount;
        removePiece(pendingCaptures[pendingCaptureCount]);
    }
    sideToMove = sideToMove == White ? Black : White;
    if (to <= 3 && squares[to] == WhiteMan) {
        squares[to] = WhiteKing;
        ++whiteKings;
    }
    if (to >= 28 && squares[to] == BlackMan) {
        squares[to] = BlackKing;
        ++blackKings;
    }
    decideGameEnd();
}

void CGameState::decideGameEnd()
{
    if (whiteCount == 0)
        gameOver(BlackWins);
    else if (blackCount == 0)
        gameOver(WhiteWins);
    else if (sideToMove == White && !sideHasMove(White))
        gameOver(BlackWins);
    else if (sideToMove == Black && !sideHasMove(Black))
        gameOver(WhiteWins);
    else if (pliesWithoutCapture > DrawPlies)
        gameOver(Draw);
}
