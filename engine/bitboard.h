#ifndef CHECKERS_ENGINE_BITBOARD_H
#define CHECKERS_ENGINE_BITBOARD_H

#include "rules/gamestate.h"

#include <cstdint>

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
    // one of the captures. Defined here, as the search plays one at every
    // node and a call would cost a good part of it.
    void play(int from, int to, bool capture)
    {
        const bool white = m_side == CGameState::White;
        const bool king = m_kings >> from & 1;
        const Mask moved = Mask(1) << from | Mask(1) << to;
        m_material += Values.value[white][king][to] - Values.value[white][king][from];
        (white ? m_white : m_black) ^= moved;
        m_kings ^= king ? moved : 0;
        if (capture && !finishCapture(from, to, white))
            return;
        // A man on the far row is crowned, and the turn passes.
        if (!king && (FarRows >> to & 1)) {
            m_kings |= Mask(1) << to;
            m_material += crowningValue(white, to);
        }
        m_side = white ? CGameState::Black : CGameState::White;
    }

    // What play() and then result() and material() would give after a plain
    // step, worked out without making it: a position that is only scored
    // needs no more. replies is replySquares() of this position.
    int materialAfterPlainStep(int from, int to) const
    {
        const bool white = m_side == CGameState::White;
        const bool king = m_kings >> from & 1;
        return m_material + Values.landed[white][king][to] - Values.value[white][king][from];
    }
    int resultAfterPlainStep(int from, int to, Mask replies) const
    {
        // The other side's pieces stay put: nearly always one of their
        // steps lands on a square still empty.
        if ((replies & (emptySquares() ^ (Mask(1) << from | Mask(1) << to))) != 0)
            return 0;
        CBitboard child = *this;
        child.play(from, to, false);
        return child.result();
    }
    // The squares the pieces of the side not to move would step onto, empty
    // or not.
    Mask replySquares() const { return stepSquares(m_side != CGameState::White); }

    int sideToMove() const { return m_side; }
    // The static value of the pieces, positive for White; captured pieces
    // count until their sequence ends.
    int material() const { return m_material; }
    // WhiteWins or BlackWins once a step has decided the game, 0 otherwise:
    // a side without a step has lost, whether it has pieces or not. Found
    // when asked, as a search that goes on below a position learns it from
    // the steps it generates anyway; nearly always a plain step answers.
    int result() const
    {
        const bool white = m_side == CGameState::White;
        if ((stepSquares(white) & emptySquares()) != 0 || sideHasCapture(m_side)
            || (m_side != CGameState::White && m_side != CGameState::Black))
            return 0;
        return white ? CGameState::BlackWins : CGameState::WhiteWins;
    }
    // The piece code on a square.
    int pieceAt(int square) const;

    // The square between a capture's from and to that the capture takes.
    static int capturedSquare(int from, int to);

private:
    // Rows alternate: squares n with n % 8 < 4 lie on columns 1, 3, 5 and
    // 7, the others on columns 0, 2, 4 and 6. A diagonal step changes the
    // square number by 4 on one kind of row and by 3 or 5 on the other.
    static constexpr Mask EvenRows = 0x0f0f0f0f;
    static constexpr Mask OddRows = ~EvenRows;
    static constexpr Mask LeftEdge = 0x10101010;
    static constexpr Mask RightEdge = 0x08080808;
    // The rows where men are crowned: White's at the top, Black's at the
    // bottom.
    static constexpr Mask FarRows = 0xf000000f;

    // Every piece of a mask moved one square up or down, either way; pieces
    // that would leave the board are dropped, over the edge columns by the
    // masks and over the top and bottom rows by the shift itself.
    static Mask shiftUp(Mask pieces)
    {
        return (pieces & EvenRows) >> 4 | (pieces & OddRows & ~LeftEdge) >> 5
            | (pieces & OddRows) >> 4 | (pieces & EvenRows & ~RightEdge) >> 3;
    }
    static Mask shiftDown(Mask pieces)
    {
        return (pieces & EvenRows) << 4 | (pieces & OddRows & ~LeftEdge) << 3
            | (pieces & OddRows) << 4 | (pieces & EvenRows & ~RightEdge) << 5;
    }

    // The squares a side's pieces would step onto, empty or not: men step
    // forward only, White's up and Black's down.
    Mask stepSquares(bool white) const
    {
        const Mask pieces = white ? m_white : m_black;
        const Mask kings = pieces & m_kings;
        return white ? shiftUp(pieces) | shiftDown(kings) : shiftDown(pieces) | shiftUp(kings);
    }
    static int crowningValue(bool white, int square)
    {
        return Values.value[white][1][square] - Values.value[white][0][square];
    }

    // The value of a piece on each square, by colour and kind.
    struct ValueTable
    {
        int value[2][2][CGameState::SquareCount];
        // The same after a plain step onto the square: a man on the far row
        // is crowned there.
        int landed[2][2][CGameState::SquareCount];
    };
    static const ValueTable Values;
    static constexpr ValueTable buildValues();
    static Mask shift(Mask pieces, int direction);

    // Takes the piece a capture jumped; false while the piece can capture
    // again and so keeps the turn.
    bool finishCapture(int from, int to, bool white);
    Mask own(int side) const;
    Mask enemies(int side) const;
    Mask emptySquares() const { return ~(m_white | m_black); }
    bool sideHasCapture(int side) const;
    bool pieceHasCapture(int square) const;
    Mask manCaptureLandings(Mask men, Mask prey, int direction) const;
    void addManCaptures(CMoveSet &moves, Mask men, Mask prey, int direction) const;
    bool menCanCapture(Mask men, Mask prey, int side) const;
    Mask kingCaptureLandings(int square, Mask prey) const;
    // A king's squares along its diagonals up to the first occupied one.
    static Mask kingReach(int square, Mask occupied);
    static Mask landingsBeyond(int square, Mask taken);

    Mask m_white = 0;
    Mask m_black = 0;
    Mask m_kings = 0;
    // Captured in the sequence under way: still on the board, no longer prey.
    Mask m_pending = 0;
    int m_side;
    int m_material = 0;
};

#endif
