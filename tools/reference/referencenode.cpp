#include "referencenode.h"

#include <cstdlib>

CReferenceNode::CReferenceNode(const CGameState &position, int fixedScore)
    : result(0)
    , fixedScore(fixedScore)
    , firstFrom(0)
    , firstTo(0)
    , iterMove { -1, -1 }
{
    copyPosition(position);
}

CReferenceNode::CReferenceNode(const CReferenceNode &parent)
    : CGameState()
    , result(0)
    , fixedScore(0)
    , firstFrom(parent.firstFrom)
    , firstTo(parent.firstTo)
    , iterMove { -1, -1 }
{
    copyPosition(parent);
}

// Everything but pliesWithoutCapture, which keeps the fresh value 0: the draw
// rule never ends a line inside the search.
void CReferenceNode::copyPosition(const CGameState &position)
{
    for (int n = 0; n < SquareCount; ++n)
        squares[n] = position.squares[n];
    sideToMove = position.sideToMove;
    whiteCount = position.whiteCount;
    blackCount = position.blackCount;
    whiteKings = position.whiteKings;
    blackKings = position.blackKings;
    for (int i = 0; i < MaxPending; ++i)
        pendingCaptures[i] = position.pendingCaptures[i];
    pendingCaptureCount = position.pendingCaptureCount;
    lastCheckFrom = position.lastCheckFrom;
    lastCheckTo = position.lastCheckTo;
    lastCheckVerdict = position.lastCheckVerdict;
}

bool CReferenceNode::makeMove(int from, int to)
{
    if (!CGameState::makeMove(from, to))
        return false;
    // Only the root's children record: deeper nodes inherit their move.
    if (firstFrom == 0 && firstTo == 0) {
        firstFrom = from;
        firstTo = to;
    }
    return true;
}

bool CReferenceNode::makeMove(const int *move)
{
    return move && makeMove(move[0], move[1]);
}

void CReferenceNode::gameOver(int result)
{
    this->result = result;
}

const int *CReferenceNode::nextMove()
{
    const bool found = sideHasKingCapture(sideToMove) ? nextKingCapture() : nextCheckedMove();
    return found ? iterMove : nullptr;
}

bool CReferenceNode::hasMove()
{
    const int from = iterMove[0];
    const int to = iterMove[1];
    const bool found = nextMove() != nullptr;
    iterMove[0] = from;
    iterMove[1] = to;
    return found;
}

// A king capture is compulsory: only squares holding a king that can capture
// need their landings tried.
bool CReferenceNode::nextKingCapture()
{
    const int king = sideToMove == White ? WhiteKing : BlackKing;
    int &from = iterMove[0];
    int &to = iterMove[1];
    int captured;
    if (from >= 0 && squares[from] == king && kingHasCapture(from)) {
        for (int t = to + 1; t < SquareCount; ++t) {
            if (kingCapture(from, t, captured)) {
                to = t;
                return true;
            }
        }
    }
    for (int f = from + 1; f < SquareCount; ++f) {
        if (squares[f] != king || !kingHasCapture(f))
            continue;
        for (int t = 0; t < SquareCount; ++t) {
            if (kingCapture(f, t, captured)) {
                from = f;
                to = t;
                return true;
            }
        }
    }
    return false;
}

bool CReferenceNode::nextCheckedMove()
{
    int &from = iterMove[0];
    int &to = iterMove[1];
    for (int t = to + 1; t < SquareCount; ++t) {
        if (checkMove(from, t)) {
            to = t;
            return true;
        }
    }
    for (int f = from + 1; f < SquareCount; ++f) {
        for (int t = 0; t < SquareCount; ++t) {
            if (checkMove(f, t)) {
                from = f;
                to = t;
                return true;
            }
        }
    }
    return false;
}

bool CReferenceNode::drawsRandomTerm() const
{
    return fixedScore == 0 && result != WhiteWins && result != BlackWins;
}

int CReferenceNode::evaluate() const
{
    if (fixedScore != 0)
        return fixedScore;
    if (result == WhiteWins)
        return WinScore;
    if (result == BlackWins)
        return -WinScore;
    // A fresh random term at every call lets near-equal moves vary.
    return std::rand() % 7 - 3 + material();
}

// A man is worth more the further it has advanced; a king less on the edge,
// least in the two corners of the long diagonal.
int CReferenceNode::material() const
{
    int sum = 0;
    for (int i = 0; i < SquareCount; ++i) {
        const int row = i / 4;
        switch (squares[i]) {
        case WhiteMan:
            sum += 200 + (7 - row) * (7 - row);
            break;
        case BlackMan:
            sum -= 200 + row * row;
            break;
        case WhiteKing:
            sum += kingValue(i);
            break;
        case BlackKing:
            sum -= kingValue(i);
            break;
        default:
            break;
        }
    }
    return sum;
}

int CReferenceNode::kingValue(int square)
{
    if (square == 3 || square == 28)
        return 250;
    const int r = square % 8;
    if (square < 4 || square > 27 || r == 3 || r == 4)
        return 300;
    return 350;
}
