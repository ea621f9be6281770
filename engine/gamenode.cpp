#include "gamenode.h"

namespace {

constexpr int kingValue(int square)
{
    if (square == 3 || square == 28)
        return 250;
    const int r = square % 8;
    if (square < 4 || square > 27 || r == 3 || r == 4)
        return 300;
    return 350;
}

// A man is worth more the further it has advanced; a king less on the edge,
// least in the two corners of the long diagonal.
constexpr int valueOf(int piece, int square)
{
    const int row = square / 4;
    switch (piece) {
    case CGameState::WhiteMan:
        return 200 + (7 - row) * (7 - row);
    case CGameState::BlackMan:
        return -(200 + row * row);
    case CGameState::WhiteKing:
        return kingValue(square);
    case CGameState::BlackKing:
        return -kingValue(square);
    default:
        return 0;
    }
}

// Every piece code's value on every square, looked up at each move.
struct ValueTable
{
    int value[CGameState::BlackKing + 1][CGameState::SquareCount] {};
};

constexpr ValueTable buildValueTable()
{
    ValueTable table;
    for (int piece = 0; piece <= CGameState::BlackKing; ++piece) {
        for (int square = 0; square < CGameState::SquareCount; ++square)
            table.value[piece][square] = valueOf(piece, square);
    }
    return table;
}

constexpr ValueTable Values = buildValueTable();

int pieceValue(int piece, int square)
{
    return Values.value[piece][square];
}

} // namespace

// Copying the whole record and then clearing the ply count leaves the same
// fields as copying all but the ply count into a fresh position.
CGameNode::CGameNode(const CGameState &position, int fixedScore)
    : CGameState(position)
    , result(0)
    , fixedScore(fixedScore)
    , firstFrom(0)
    , firstTo(0)
    , iterMove { -1, -1 }
{
    pliesWithoutCapture = 0;
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
    , m_material(parent.m_material)
    , m_boardKnown(parent.m_boardKnown)
    , m_movesKnown(parent.m_movesKnown)
    , m_materialKnown(parent.m_materialKnown)
{
    pliesWithoutCapture = 0;
}

CBitboard &CGameNode::board()
{
    if (!m_boardKnown) {
        m_board = CBitboard(*this);
        m_boardKnown = true;
    }
    return m_board;
}

const CMoveSet &CGameNode::moves()
{
    if (!m_movesKnown) {
        board().generate(sideToMove, m_moves);
        m_movesKnown = true;
    }
    return m_moves;
}

// The legal moves of the position decide, as CGameState::makeMove would.
bool CGameNode::makeMove(int from, int to)
{
    if (!moves().contains(from, to))
        return false;
    play(from, to, m_moves.isCapture());
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

// The step of CGameState::makeMove, for a move already known to be legal.
void CGameNode::play(int from, int to, bool capture)
{
    m_movesKnown = false;
    // Known from here on, the material follows every change of a square.
    material();
    CBitboard &bits = board();
    if (capture) {
        const int captured = CBitboard::capturedSquare(from, to);
        pendingCaptures[pendingCaptureCount++] = captured;
        bits.markPending(captured);
        pliesWithoutCapture = 0;
    } else {
        ++pliesWithoutCapture;
    }
    m_material += pieceValue(squares[from], to) - pieceValue(squares[from], from);
    squares[to] = squares[from];
    squares[from] = Empty;
    bits.move(from, to);
    if (capture && bits.pieceHasCapture(to))
        return;
    finishMove(to);
}

void CGameNode::finishMove(int to)
{
    while (pendingCaptureCount > 0) {
        --pendingCaptureCount;
        const int square = pendingCaptures[pendingCaptureCount];
        m_material -= pieceValue(squares[square], square);
        removePiece(square);
        m_board.remove(square);
    }
    sideToMove = sideToMove == White ? Black : White;
    if (to <= 3 && squares[to] == WhiteMan) {
        m_material += pieceValue(WhiteKing, to) - pieceValue(WhiteMan, to);
        squares[to] = WhiteKing;
        ++whiteKings;
        m_board.crown(to);
    }
    if (to >= 28 && squares[to] == BlackMan) {
        m_material += pieceValue(BlackKing, to) - pieceValue(BlackMan, to);
        squares[to] = BlackKing;
        ++blackKings;
        m_board.crown(to);
    }
    decideGameEnd();
}

void CGameNode::decideGameEnd()
{
    if (whiteCount == 0)
        gameOver(BlackWins);
    else if (blackCount == 0)
        gameOver(WhiteWins);
    else if (!m_board.sideHasMove(sideToMove))
        gameOver(sideToMove == White ? BlackWins : WhiteWins);
    else if (pliesWithoutCapture > DrawPlies)
        gameOver(Draw);
}

void CGameNode::gameOver(int result)
{
    this->result = result;
}

const int *CGameNode::nextMove()
{
    int from = iterMove[0];
    int to = iterMove[1];
    if (!moves().next(from, to))
        return nullptr;
    iterMove[0] = from;
    iterMove[1] = to;
    return iterMove;
}

bool CGameNode::hasMove()
{
    int from = iterMove[0];
    int to = iterMove[1];
    return moves().next(from, to);
}

int CGameNode::material() const
{
    if (!m_materialKnown) {
        int sum = 0;
        for (int square = 0; square < SquareCount; ++square)
            sum += pieceValue(squares[square], square);
        m_material = sum;
        m_materialKnown = true;
    }
    return m_material;
}

CNodeScore CGameNode::score() const
{
    CNodeScore score;
    score.fixedScore = fixedScore;
    score.result = result;
    score.material = material();
    score.firstFrom = firstFrom;
    score.firstTo = firstTo;
    return score;
}

int CGameNode::evaluate(CRandomGenerator &random) const
{
    return score().evaluate(random);
}

bool CGameNode::drawsRandomTerm() const
{
    return score().drawsRandomTerm();
}
