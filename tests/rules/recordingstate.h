#ifndef CHECKERS_TESTS_RULES_RECORDINGSTATE_H
#define CHECKERS_TESTS_RULES_RECORDINGSTATE_H

#include "rules/gamestate.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

// Short names that keep the test positions readable.
using Moves = std::vector<std::pair<int, int>>;
constexpr int W = CGameState::White;
constexpr int B = CGameState::Black;
constexpr int WM = CGameState::WhiteMan;
constexpr int WK = CGameState::WhiteKing;
constexpr int BM = CGameState::BlackMan;
constexpr int BK = CGameState::BlackKing;

// A position that records what the rules call back: the removed squares in
// call order, with the pending count each call saw, and every game result
// with the side to move at that moment.
class CRecordingState : public CGameState
{
public:
    struct Piece
    {
        int square;
        int code;
    };

    // The initial position.
    CRecordingState() = default;

    // An otherwise empty board holding the given pieces, counters set.
    CRecordingState(std::initializer_list<Piece> pieces, int side)
    {
        std::fill(std::begin(squares), std::end(squares), Empty);
        whiteCount = blackCount = whiteKings = blackKings = 0;
        for (const Piece &piece : pieces) {
            squares[piece.square] = piece.code;
            whiteCount += isWhite(piece.code);
            blackCount += isBlack(piece.code);
            whiteKings += piece.code == WhiteKing;
            blackKings += piece.code == BlackKing;
        }
        sideToMove = side;
    }

    void removePiece(int square) override
    {
        removed.push_back(square);
        countsSeenByRemove.push_back(pendingCaptureCount);
        CGameState::removePiece(square);
    }

    void gameOver(int result) override
    {
        results.push_back(result);
        sidesAtGameOver.push_back(sideToMove);
    }

    // Every legal (from, to) pair, squares just off the board included.
    std::vector<std::pair<int, int>> legalMoves() const
    {
        std::vector<std::pair<int, int>> moves;
        int captured;
        for (int from = -1; from <= SquareCount; ++from) {
            for (int to = -1; to <= SquareCount; ++to) {
                if (isLegalMove(from, to, captured))
                    moves.emplace_back(from, to);
            }
        }
        return moves;
    }

    bool sameFields(const CGameState &other) const
    {
        return std::equal(std::begin(squares), std::end(squares), std::begin(other.squares))
            && std::equal(std::begin(pendingCaptures), std::end(pendingCaptures),
                          std::begin(other.pendingCaptures))
            && sideToMove == other.sideToMove && whiteCount == other.whiteCount
            && blackCount == other.blackCount && whiteKings == other.whiteKings
            && blackKings == other.blackKings && pendingCaptureCount == other.pendingCaptureCount
            && lastCheckFrom == other.lastCheckFrom && lastCheckTo == other.lastCheckTo
            && lastCheckVerdict == other.lastCheckVerdict
            && pliesWithoutCapture == other.pliesWithoutCapture;
    }

    std::vector<int> removed;
    std::vector<int> countsSeenByRemove;
    std::vector<int> results;
    std::vector<int> sidesAtGameOver;
};

#endif
