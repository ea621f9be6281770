#ifndef CHECKERS_ENGINE_BITBOARD_H
#define CHECKERS_ENGINE_BITBOARD_H

#include <cstdint>

class CGameState;
class CMoveSet;

// The occupation of a position as bit masks, bit n for square n, and the
// rules that the search asks most often answered on them: the legal steps of
// the side to move, whether a side has any move, whether one piece can
// capture. The answers are those of CGameState's rules, found without
// putting squares to them one by one.
class CBitboard
{
public:
    using Mask = std::uint32_t;

    CBitboard() = default;
    explicit CBitboard(const CGameState &position);

    void generate(int side, CMoveSet &moves) const;
    bool sideHasMove(int side) const;
    bool pieceHasCapture(int square) const;

    void move(int from, int to);
    void remove(int square);
    void crown(int square);
    void markPending(int square);

    // The square between a capture's from and to that the capture takes.
    static int capturedSquare(int from, int to);

private:
    Mask own(int side) const;
    Mask enemies(int side) const;
    Mask emptySquares() const { return ~(m_white | m_black); }
    Mask manCaptureLandings(Mask men, Mask prey, int direction) const;
    Mask kingCaptureLandings(int square, Mask prey) const;
    Mask kingSlides(int square) const;

    Mask m_white = 0;
    Mask m_black = 0;
    Mask m_kings = 0;
    Mask m_pending = 0;
};

#endif
