#include "bitboard.h"

#include "moveset.h"
#include "rules/gamestate.h"

namespace {

using Mask = CBitboard::Mask;

constexpr int SquareCount = CGameState::SquareCount;

// The board's diagonal geometry, taken once from the rules' own steps.
struct Geometry
{
    // The neighbour of a square in each direction, or -1.
    int neighbour[SquareCount][4];
    // The neighbour of a square in each direction as a bit, or none.
    Mask next[SquareCount][4];
    // Every square beyond a square in each direction, to the edge.
    Mask ray[SquareCount][4];
    // The direction that leads from one square to another along a
    // diagonal, or -1.
    int direction[SquareCount][SquareCount];
    // A man's plain steps from each square, for White and for Black.
    Mask manSteps[2][SquareCount];
};

Geometry buildGeometry()
{
    Geometry g {};
    for (int square = 0; square < SquareCount; ++square) {
        for (int d = 0; d < 4; ++d) {
            g.neighbour[square][d] = CGameState::step(square, d);
            for (int to = 0; to < SquareCount; ++to)
                g.direction[square][to] = -1;
        }
    }
    for (int square = 0; square < SquareCount; ++square) {
        for (int d = 0; d < 4; ++d) {
            const int next = g.neighbour[square][d];
            if (next == -1)
                continue;
            g.next[square][d] = Mask(1) << next;
            const int man = d < 2 ? 0 : 1;
            g.manSteps[man][square] |= Mask(1) << next;
            for (int to = next; to != -1; to = g.neighbour[to][d]) {
                g.direction[square][to] = d;
                g.ray[square][d] |= Mask(1) << to;
            }
        }
    }
    return g;
}

const Geometry geometry = buildGeometry();

Mask bit(int square)
{
    return Mask(1) << square;
}

bool has(Mask mask, int square)
{
    return mask >> square & 1;
}

int lowest(Mask mask)
{
    return __builtin_ctz(mask);
}

int highest(Mask mask)
{
    return 31 - __builtin_clz(mask);
}

bool isUpwards(int d)
{
    return d == CGameState::UpLeft || d == CGameState::UpRight;
}

// The fixed change of square number over two steps in one direction.
int twoSteps(int d)
{
    static constexpr int change[4] = { -9, -7, 7, 9 };
    return change[d];
}

// A king's reach along its two diagonals, each way up to and including the
// first occupied square or the edge, looked up rather than walked: the
// occupied squares between the king and the ends of a diagonal, times a
// number found for that diagonal, give a table index in their top bits that
// tells apart every occupation with a different reach.
struct KingLines
{
    static constexpr int IndexBits = 6;

    struct Line
    {
        // The squares whose occupation matters: the ends stop the reach
        // whether they are occupied or not.
        Mask between;
        std::uint64_t multiplier;
    };
    // The diagonals through a square: up-left with down-right, and
    // up-right with down-left.
    Line line[SquareCount][2];
    Mask reach[SquareCount][2][1 << IndexBits];
    // The square just beyond a square seen from another along a diagonal,
    // where a king that takes a piece there lands, or none.
    Mask beyond[SquareCount][SquareCount];

    static int index(Mask occupied, const Line &line)
    {
        return static_cast<int>((occupied & line.between) * line.multiplier >> (64 - IndexBits));
    }
};

constexpr int LineDirections[2][2] = { { CGameState::UpLeft, CGameState::DownRight },
                                       { CGameState::UpRight, CGameState::DownLeft } };

Mask walkedReach(int square, int line, Mask occupied)
{
    Mask reach = 0;
    for (int d : LineDirections[line]) {
        for (int to = geometry.neighbour[square][d]; to != -1; to = geometry.neighbour[to][d]) {
            reach |= Mask(1) << to;
            if (occupied >> to & 1)
                break;
        }
    }
    return reach;
}

// A fixed sequence of numbers with few bits set (xorshift, three draws
// and-ed), so that the search for the multipliers ends the same way on
// every start.
std::uint64_t sparseNumber(std::uint64_t &state)
{
    std::uint64_t number = ~std::uint64_t(0);
    for (int i = 0; i < 3; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        number &= state;
    }
    return number;
}

// Tries multipliers until every occupation of the squares between lands on
// an index of its own or of one with the same reach.
void fillLine(KingLines &lines, int square, int line, std::uint64_t &state)
{
    KingLines::Line &l = lines.line[square][line];
    Mask *reach = lines.reach[square][line];
    for (const int d : LineDirections[line]) {
        const Mask ray = geometry.ray[square][d];
        if (ray)
            l.between |= ray & ~bit(isUpwards(d) ? lowest(ray) : highest(ray));
    }
    for (;;) {
        l.multiplier = sparseNumber(state);
        bool fits = true;
        bool used[1 << KingLines::IndexBits] = {};
        Mask occupied = 0;
        do {
            const int i = KingLines::index(occupied, l);
            const Mask walked = walkedReach(square, line, occupied);
            fits = !used[i] || reach[i] == walked;
            used[i] = true;
            reach[i] = walked;
            occupied = (occupied - l.between) & l.between;
        } while (fits && occupied != 0);
        if (fits)
            return;
    }
}

KingLines buildKingLines()
{
    KingLines lines {};
    std::uint64_t state = 0x9e3779b97f4a7c15u;
    for (int square = 0; square < SquareCount; ++square) {
        for (int line = 0; line < 2; ++line)
            fillLine(lines, square, line, state);
        for (int to = 0; to < SquareCount; ++to) {
            const int d = geometry.direction[square][to];
            if (d != -1)
                lines.beyond[square][to] = geometry.next[to][d];
        }
    }
    return lines;
}

const KingLines kingLines = buildKingLines();

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

constexpr int pieceCode(bool white, bool king)
{
    if (white)
        return king ? CGameState::WhiteKing : CGameState::WhiteMan;
    return king ? CGameState::BlackKing : CGameState::BlackMan;
}

} // namespace

constexpr CBitboard::ValueTable CBitboard::buildValues()
{
    ValueTable table {};
    for (int white = 0; white < 2; ++white) {
        for (int king = 0; king < 2; ++king) {
            for (int square = 0; square < SquareCount; ++square)
                table.value[white][king][square] = valueOf(pieceCode(white, king), square);
        }
        for (int square = 0; square < SquareCount; ++square) {
            const bool crowned = FarRows >> square & 1;
            table.landed[white][0][square] = table.value[white][crowned][square];
            table.landed[white][1][square] = table.value[white][1][square];
        }
    }
    return table;
}

const CBitboard::ValueTable CBitboard::Values = buildValues();

CBitboard::CBitboard(const CGameState &position)
    : m_side(position.sideToMove)
{
    for (int square = 0; square < SquareCount; ++square) {
        const int piece = position.squares[square];
        if (piece == CGameState::Empty)
            continue;
        if (CGameState::isWhite(piece))
            m_white |= bit(square);
        if (CGameState::isBlack(piece))
            m_black |= bit(square);
        if (piece == CGameState::WhiteKing || piece == CGameState::BlackKing)
            m_kings |= bit(square);
        m_material += valueOf(piece, square);
    }
    for (int i = 0; i < position.pendingCaptureCount; ++i)
        m_pending |= bit(position.pendingCaptures[i]);
}

int CBitboard::pieceAt(int square) const
{
    if (!has(m_white | m_black, square))
        return CGameState::Empty;
    return pieceCode(has(m_white, square), has(m_kings, square));
}

CBitboard::Mask CBitboard::own(int side) const
{
    if (side == CGameState::White)
        return m_white;
    return side == CGameState::Black ? m_black : 0;
}

CBitboard::Mask CBitboard::enemies(int side) const
{
    return side == CGameState::White ? m_black : m_white;
}

// Every piece of a mask moved one square in a direction; pieces that would
// leave the board are dropped, over the edge columns by the masks and over
// the top and bottom rows by the shift itself.
inline CBitboard::Mask CBitboard::shift(Mask pieces, int d)
{
    switch (d) {
    case CGameState::UpLeft:
        return (pieces & EvenRows) >> 4 | (pieces & OddRows & ~LeftEdge) >> 5;
    case CGameState::UpRight:
        return (pieces & OddRows) >> 4 | (pieces & EvenRows & ~RightEdge) >> 3;
    case CGameState::DownLeft:
        return (pieces & EvenRows) << 4 | (pieces & OddRows & ~LeftEdge) << 3;
    default:
        return (pieces & OddRows) << 4 | (pieces & EvenRows & ~RightEdge) << 5;
    }
}

// Kings capture first, then men; only a side that cannot capture moves
// plainly.
void CBitboard::generate(CMoveSet &moves) const
{
    const int side = m_side;
    moves.clear();
    const Mask pieces = own(side);
    const Mask kings = pieces & m_kings;
    const Mask men = pieces & ~m_kings;
    const Mask prey = enemies(side) & ~m_pending;
    for (Mask k = kings; k; k &= k - 1)
        moves.add(lowest(k), kingCaptureLandings(lowest(k), prey));
    if (moves.isEmpty() && men) {
        // Each direction by name, so that its shifts are fixed.
        if (side == CGameState::White) {
            addManCaptures(moves, men, prey, CGameState::UpLeft);
            addManCaptures(moves, men, prey, CGameState::UpRight);
        } else {
            addManCaptures(moves, men, prey, CGameState::DownLeft);
            addManCaptures(moves, men, prey, CGameState::DownRight);
        }
    }
    if (!moves.isEmpty()) {
        moves.setCaptures(true);
        return;
    }
    const Mask empty = emptySquares();
    if (men) {
        // The men with an empty square ahead: the empty squares seen one
        // step backwards.
        const Mask movers = side == CGameState::White ? shiftDown(empty) : shiftUp(empty);
        const int man = side == CGameState::White ? 0 : 1;
        moves.addManSteps(men & movers, geometry.manSteps[man], empty);
    }
    for (Mask k = kings; k; k &= k - 1)
        moves.add(lowest(k), kingReach(lowest(k), ~empty) & empty);
}

inline void CBitboard::addManCaptures(CMoveSet &moves, Mask men, Mask prey, int d) const
{
    for (Mask l = manCaptureLandings(men, prey, d); l; l &= l - 1)
        moves.add(lowest(l) - twoSteps(d), bit(lowest(l)));
}

// Whether men of a side can capture, in either direction towards their far
// row.
inline bool CBitboard::menCanCapture(Mask men, Mask prey, int side) const
{
    if (side == CGameState::White)
        return (manCaptureLandings(men, prey, CGameState::UpLeft)
                | manCaptureLandings(men, prey, CGameState::UpRight))
            != 0;
    return (manCaptureLandings(men, prey, CGameState::DownLeft)
            | manCaptureLandings(men, prey, CGameState::DownRight))
        != 0;
}

bool CBitboard::sideHasCapture(int side) const
{
    const Mask pieces = own(side);
    const Mask prey = enemies(side) & ~m_pending;
    if (menCanCapture(pieces & ~m_kings, prey, side))
        return true;
    for (Mask k = pieces & m_kings; k; k &= k - 1) {
        if (kingCaptureLandings(lowest(k), prey))
            return true;
    }
    return false;
}

bool CBitboard::pieceHasCapture(int square) const
{
    const int side = has(m_white, square) ? CGameState::White : CGameState::Black;
    const Mask prey = enemies(side) & ~m_pending;
    if (has(m_kings, square))
        return kingCaptureLandings(square, prey) != 0;
    return menCanCapture(bit(square), prey, side);
}

inline CBitboard::Mask CBitboard::manCaptureLandings(Mask men, Mask prey, int d) const
{
    return shift(shift(men, d) & prey, d) & emptySquares();
}

// A king takes the first piece along a diagonal if it is prey and lands on
// the square just beyond it, which must be empty.
CBitboard::Mask CBitboard::kingCaptureLandings(int square, Mask prey) const
{
    const Mask empty = emptySquares();
    return landingsBeyond(square, kingReach(square, ~empty) & prey) & empty;
}

// The squares just beyond the pieces a king on square would take.
inline CBitboard::Mask CBitboard::landingsBeyond(int square, Mask taken)
{
    Mask landings = 0;
    for (; taken; taken &= taken - 1)
        landings |= kingLines.beyond[square][lowest(taken)];
    return landings;
}

inline CBitboard::Mask CBitboard::kingReach(int square, Mask occupied)
{
    const KingLines::Line *line = kingLines.line[square];
    return kingLines.reach[square][0][KingLines::index(occupied, line[0])]
        | kingLines.reach[square][1][KingLines::index(occupied, line[1])];
}

// The pieces a finished capture sequence took leave the board; a piece that
// can capture again goes on.
bool CBitboard::finishCapture(int from, int to, bool white)
{
    m_pending |= bit(capturedSquare(from, to));
    if (pieceHasCapture(to))
        return false;
    for (Mask p = m_pending; p; p &= p - 1)
        m_material -= Values.value[!white][has(m_kings, lowest(p))][lowest(p)];
    m_white &= ~m_pending;
    m_black &= ~m_pending;
    m_kings &= ~m_pending;
    m_pending = 0;
    return true;
}

int CBitboard::capturedSquare(int from, int to)
{
    const int d = geometry.direction[from][to];
    return geometry.neighbour[to][3 - d];
}
