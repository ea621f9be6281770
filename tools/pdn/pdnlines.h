#ifndef CHECKERS_TOOLS_PDN_PDNLINES_H
#define CHECKERS_TOOLS_PDN_PDNLINES_H

#include "pdnmove.h"
#include "tools/position/position.h"

#include <array>
#include <cstdint>
#include <vector>

// The main line of a game and the variations open around the move being
// read. A variation replaces the last move of the line it opens in, so it
// starts from the position before that move; when it closes, that line goes
// on where it was.
//
// Variations nest to any depth without recursion. Each open one keeps
// only the move it replaced, packed in a few bytes, and its start position
// only when that differs from the start of the line around it. Each start
// kept is then one move further along a single line of play, which the draw
// rule and the pieces to capture end within about a thousand moves, so the
// starts stay few however deep the nesting.
class CPdnLines
{
public:
    explicit CPdnLines(const CPosition &start = CPosition());

    // The position the next move is played on.
    const CPosition &current() const { return m_current; }
    int depth() const { return static_cast<int>(m_levels.size()); }
    // after is current() with path played on it.
    void played(const CPosition &after, const CPdnMove::Path &path);
    // False when the line has no move yet for the variation to replace.
    bool open();
    // False when no variation is open.
    bool close();

private:
    // A position without the verdict memo, the counters it implies or the
    // result the rules declared, which no position before a move has.
    struct Packed
    {
        std::array<std::uint8_t, CGameState::SquareCount / 2> squares;
        std::array<std::uint8_t, CGameState::MaxPending> pending;
        std::uint8_t pendingCount;
        std::uint8_t sideToMove;
        std::int32_t pliesWithoutCapture;
    };
    // The longest move lands after each of twelve captures.
    using PackedPath = std::array<std::uint8_t, CGameState::MaxPending + 2>;
    struct Level
    {
        PackedPath replaced;
        // Whether this variation's start was pushed on m_starts.
        bool ownStart;
    };

    static Packed pack(const CGameState &position);
    static CPosition unpack(const Packed &packed);
    static PackedPath packPath(const CPdnMove::Path &path);
    static CPosition replay(CPosition position, const PackedPath &path);

    CPosition m_current;
    CPosition m_before;
    PackedPath m_last {};
    // 0, 1, or 2 for more: whether m_before is this line's start.
    int m_moves = 0;
    std::vector<Packed> m_starts;
    std::vector<Level> m_levels;
};

#endif
