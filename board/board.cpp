#include "board.h"

#include "board/debugline.h"
#include "board/player.h"
#include "board/square.h"

#include <QGridLayout>

namespace {

bool sideOwns(int side, int piece)
{
    if (side == CGameState::White)
        return CGameState::isWhite(piece);
    if (side == CGameState::Black)
        return CGameState::isBlack(piece);
    return false;
}

} // namespace

CBoard::CBoard(QWidget *parent)
    : QWidget(parent)
    , squareWidgets {}
    , selectedSquare(nullptr)
    , gameActive(false)
    , whitePlayer(nullptr)
    , blackPlayer(nullptr)
    , currentPlayer(nullptr)
    , plyCnt(0)
{
    // The light squares have no widgets: the board's own background is them.
    setPalette(QPalette(Qt::lightGray));
    setAutoFillBackground(true);
    applyFixedSize();
    createSquares();
}

void CBoard::createSquares()
{
    auto *grid = new QGridLayout;
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    int n = 0;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            if ((row + column) % 2 == 0)
                continue;
            auto *square = new CSquare(this, n, Empty);
            squareWidgets[n] = square;
            grid->addWidget(square, row, column);
            connect(square, &CSquare::clicked, this, &CBoard::squareClicked);
            ++n;
        }
    }
    setLayout(grid);
}

void CBoard::applyFixedSize()
{
    setFixedSize(8 * CSquare::currentSquareSize(), 8 * CSquare::currentSquareSize());
}

void CBoard::setSquareSize(int size)
{
    CSquare::setSize(size);
    applyFixedSize();
    update();
}

void CBoard::selectSquare(int number)
{
    if (static_cast<unsigned>(number) >= SquareCount)
        return;
    clearSelection();
    selectedSquare = squareWidgets[number];
    selectedSquare->setSelected(true);
}

void CBoard::clearSelection()
{
    if (!selectedSquare)
        return;
    selectedSquare->setSelected(false);
    selectedSquare = nullptr;
}

void CBoard::mousePressEvent(QMouseEvent *)
{
    clearSelection();
}

void CBoard::startGame(CPlayer *white, CPlayer *black)
{
    CGameState::reset();
    white->side = White;
    whitePlayer = white;
    currentPlayer = white;
    blackPlayer = black;
    black->side = Black;
    for (int n = 0; n < SquareCount; ++n) {
        showPiece(n);
        squareWidgets[n]->setSelected(false);
    }
    gameActive = true;
    selectedSquare = nullptr;
    currentPlayer->play();
}

bool CBoard::makeMove(int from, int to)
{
    if (!CGameState::makeMove(from, to))
        return false;
    showPiece(from);
    showPiece(to);
    ++plyCnt;
    if (gameActive) {
        // Inside a capture sequence the side, and so the player, stays.
        currentPlayer = sideToMove == White ? whitePlayer : blackPlayer;
        currentPlayer->play();
    }
    return true;
}

void CBoard::removePiece(int square)
{
    CGameState::removePiece(square);
    showPiece(square);
}

void CBoard::gameOver(int result)
{
    gameActive = false;
    CDebugLine() << "GAME OVER, " << result << " WINS!"
                 << " plyCnt: " << plyCnt;
    plyCnt = 0;
    emit sig_gameOver(result);
}

void CBoard::showPiece(int square)
{
    squareWidgets[square]->setPiece(squares[square]);
}

void CBoard::squareClicked(int number)
{
    if (!gameActive || !currentPlayer->isHuman())
        return;
    if (selectedSquare) {
        const int from = selectedSquare->squareNumber();
        selectedSquare->setSelected(false);
        selectedSquare = nullptr;
        if (makeMove(from, number))
            return;
    }
    if (sideOwns(currentPlayer->side, squares[number]))
        selectSquare(number);
}
