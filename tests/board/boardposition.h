#ifndef CHECKERS_TESTS_BOARD_BOARDPOSITION_H
#define CHECKERS_TESTS_BOARD_BOARDPOSITION_H

#include "board/board.h"
#include "board/square.h"

#include <initializer_list>

struct Placement
{
    int square;
    int piece;
};

// Replaces the position of a game in progress by the given pieces and shows
// it; the side to move stays as it is.
inline void setBoardPosition(CBoard &board, std::initializer_list<Placement> pieces)
{
    for (int &square : board.squares)
        square = CGameState::Empty;
    board.whiteCount = board.blackCount = board.whiteKings = board.blackKings = 0;
    for (const Placement &placement : pieces) {
        board.squares[placement.square] = placement.piece;
        const bool white = CGameState::isWhite(placement.piece);
        ++(white ? board.whiteCount : board.blackCount);
        if (placement.piece == CGameState::WhiteKing)
            ++board.whiteKings;
        if (placement.piece == CGameState::BlackKing)
            ++board.blackKings;
    }
    for (int n = 0; n < CGameState::SquareCount; ++n)
        board.squareWidget(n)->setPiece(board.squares[n]);
}

// The legal step a person who always takes the first one in (from, to)
// order would choose; false when there is none.
inline bool firstLegalStep(const CBoard &board, int &from, int &to)
{
    int captured = -1;
    for (from = 0; from < CGameState::SquareCount; ++from) {
        for (to = 0; to < CGameState::SquareCount; ++to) {
            if (board.isLegalMove(from, to, captured))
                return true;
        }
    }
    return false;
}

#endif
