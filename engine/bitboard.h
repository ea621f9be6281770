#ifndef CHECKERS_ENGINE_BITBOARD_H
#define CHECKERS_ENGINE_BITBOARD_H

#include <cstdint>

class CGameState;
class CMoveSet;

// A position as the search plays it: the occupation as bit masks, bit n for
// square n, the side to move, the value of the pieces and the game result
// the rules declared. It is a few words, so the search copies it for every
// child instead of undoing moves. Its steps and verdicts are those of
// CGameState's rules, found without putting squares to them one by one.
class CBitboard
{
public:
    using Mask = std::uint32_t;

    explicit CBitboard(const CGameState &position);

    // The legal steps of the side to move, in ascending (from, to) order.
    void generate(CMoveSet &moves) const;
    // Plays a step that generate() handed out; capture says whether it was
    // one of the captures.
    void play(int from, int to, bool capture);

    int sideToMove() const { return m_side; }
    // The static value of the pieces, positive for White; captured pieces
    // count until their sequence ends.
    int material() const { return m_material; }
    // WhiteWins or BlackWins once a step has decided the game, 0 otherwise.
    int result() const { return m_result; }
    // The piece code on a square.
    int pieceAt(int square) const;

    // The square between a capture's from and to that the capture takes.
    static int capturedSquare(int from, int to);

private:
    Mask own(int side) const;
    Mask enemies(int side) const;
    Mask emptySquares() const { return ~(m_white | m_black); }
    bool sideHasMove(int side) const;
    bool sideHasCapture(int side) const;
    bool pieceHasCapture(int square) const;
    Mask manCaptureLandings(Mask men, Mask prey, int direction) const;
    Mask kingCaptureLandings(int square, Mask prey) const;
    Mask kingSlides(int square) const;
    void removeCaptured(bool white);
    void finishMove(int to, bool white);

    Mask m_white = 0;
    Mask m_black = 0;
    Mask m_kings = 0;
    // Captured in the sequence under way: still on the board, no longer prey.
    Mask m_pending = 0;
    int m_side;
    int m_material = 0;
    int m_result = 0;
};

#endif
