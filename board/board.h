#ifndef CHECKERS_BOARD_BOARD_H
#define CHECKERS_BOARD_BOARD_H

#include "rules/gamestate.h"

#include <QWidget>

class CPlayer;
class CSquare;

// The live game: the widget that shows the board and, through its
// CGameState base, the position the game is played on. It hands the turn to
// the player of the side to move and turns a person's clicks into moves.
class CBoard : public QWidget, public CGameState
{
    Q_OBJECT

public:
    explicit CBoard(QWidget *parent = nullptr);

    virtual void startGame(CPlayer *white, CPlayer *black);
    bool makeMove(int from, int to) override;
    void removePiece(int square) override;
    void gameOver(int result) override;

    // The one highlight of the board; the computer player shows its move
    // with these too.
    void selectSquare(int number);
    void clearSelection();

    void setSquareSize(int size);

    CSquare *squareWidget(int number) const { return squareWidgets[number]; }
    CSquare *selection() const { return selectedSquare; }
    bool isGameActive() const { return gameActive; }
    int plyCount() const { return plyCnt; }

signals:
    void sig_gameOver(int winner);

public slots:
    void squareClicked(int number);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void applyFixedSize();
    void createSquares();
    void showPiece(int square);

    CSquare *squareWidgets[SquareCount];
    CSquare *selectedSquare;
    bool gameActive;
    CPlayer *whitePlayer;
    CPlayer *blackPlayer;
    CPlayer *currentPlayer;
    int plyCnt;
};

#endif
