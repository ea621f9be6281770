#include "gamenode.h"

// Copying the whole record and then clearing the ply count leaves the same
// fields as copying all but the ply count into a fresh position.
CGameNode::CGameNode(const CGameState &position, int fixedScore)
    : CGameState(position)
    , result(0)
    , fixedScore(fixedScore)
    , firstFrom(0)
    , firstTo(0)
    , iterMove { -1, -1 }
    , m_board(position)
{
    pliesWithoutCapture = 0;
    m_board.generate(m_moves);
}

CGameNode::CGameNode(const CGameNode &parent)
    : CGameState(parent)
    , result(0)
    , fixedScore(0)
    , firstFrom(parent.firstFrom)
    , firstTo(parent.firstTo)
    , iterMove { -1, -1 }
    , m_board(parent.m_board)
    , m_moves(parent.m_moves)
{
    pliesWithoutCapture = 0;
}

// The legal moves of the position decide, as CGameState::makeMove would.
bool CGameNode::makeMove(int from, int to)
{
    if (!m_moves.contains(from, to))
        return false;
    const bool capture = m_moves.isCapture();
    if (capture) {
        pendingCaptures[pendingCaptureCount++] = CBitboard::capturedSquare(from, to);
        pliesWithoutCapture = 0;
    } else {
        ++pliesWithoutCapture;
    }
    m_board.play(from, to, capture);
    m_board.generate(m_moves);
    copyBoard();
    // Only the root's children record: deeper nodes inherit their move.
    if (firstFrom == 0 && firstTo == 0) {
        firstFrom = from;
        firstTo = to;
    }
    return true;
}

bool CGameNode::makeMove(const int *move)
{
    return move && makeMove(move[0], move[1]);
}

// The rules' record after a step: a finished move has taken its captured
// pieces off and may have ended the game.
void CGameNode::copyBoard()
{
    whiteCount = blackCount = whiteKings = blackKings = 0;
    for (int square = 0; square < SquareCount; ++square) {
        const int piece = m_board.pieceAt(square);
        squares[square] = piece;
        whiteCount += isWhite(piece);
        blackCount += isBlack(piece);
        whiteKings += piece == WhiteKing;
        blackKings += piece == BlackKing;
    }
    if (m_board.sideToMove() == sideToMove)
        return;
    sideToMove = m_board.sideToMove();
    pendingCaptureCount = 0;
    if (m_board.result() != 0)
        gameOver(m_board.result());
}

void CGameNode::gameOver(int result)
{
    this->result = result;
}

const int *CGameNode::nextMove()
{
    int from = iterMove[0];
    int to = iterMove[1];
    if (!m_moves.next(from, to))
        return nullptr;
    iterMove[0] = from;
    iterMove[1] = to;
    return iterMove;
}

bool CGameNode::hasMove() const
{
    int from = iterMove[0];
    int to = iterMove[1];
    return m_moves.next(from, to);
}

CNodeScore CGameNode::score() const
{
    return CNodeScore(fixedScore, result, m_board.material());
}

int CGameNode::evaluate(CRandomGenerator &random) const
{
    return score().evaluate(random);
}

bool CGameNode::drawsRandomTerm() const
{
    return score().drawsRandomTerm();
}
