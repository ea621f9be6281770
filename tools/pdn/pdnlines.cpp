#include "pdnlines.h"

namespace {

// The piece codes 1, 3, 4, 6 and 8 fit a nibble.
constexpr int NibbleBits = 4;
constexpr std::uint8_t NibbleMask = 0xf;
constexpr std::uint8_t EndOfPath = 0xff;

} // namespace

CPdnLines::CPdnLines(const CPosition &start)
    : m_current(start)
    , m_before(start)
    , m_starts { pack(start) }
{ }

void CPdnLines::played(const CPosition &after, const CPdnMove::Path &path)
{
    m_before = m_current;
    m_current = after;
    m_last = packPath(path);
    m_moves = std::min(m_moves + 1, 2);
}

bool CPdnLines::open()
{
    if (m_moves == 0)
        return false;
    const bool ownStart = m_moves > 1;
    if (ownStart)
        m_starts.push_back(pack(m_before));
    m_levels.push_back({ m_last, ownStart });
    m_current = m_before;
    m_moves = 0;
    return true;
}

bool CPdnLines::close()
{
    if (m_levels.empty())
        return false;
    const Level level = m_levels.back();
    m_levels.pop_back();
    m_before = unpack(m_starts.back());
    if (level.ownStart)
        m_starts.pop_back();
    m_last = level.replaced;
    m_current = replay(m_before, m_last);
    m_moves = level.ownStart ? 2 : 1;
    return true;
}

CPdnLines::Packed CPdnLines::pack(const CGameState &position)
{
    Packed packed {};
    for (int square = 0; square < CGameState::SquareCount; ++square) {
        const int shift = (square % 2) * NibbleBits;
        packed.squares[square / 2] |= static_cast<std::uint8_t>(position.squares[square] << shift);
    }
    for (int i = 0; i < position.pendingCaptureCount; ++i)
        packed.pending[i] = static_cast<std::uint8_t>(position.pendingCaptures[i]);
    packed.pendingCount = static_cast<std::uint8_t>(position.pendingCaptureCount);
    packed.sideToMove = static_cast<std::uint8_t>(position.sideToMove);
    packed.pliesWithoutCapture = position.pliesWithoutCapture;
    return packed;
}

CPosition CPdnLines::unpack(const Packed &packed)
{
    CPosition position;
    position.whiteCount = position.blackCount = 0;
    position.whiteKings = position.blackKings = 0;
    for (int square = 0; square < CGameState::SquareCount; ++square) {
        const int shift = (square % 2) * NibbleBits;
        const int piece = (packed.squares[square / 2] >> shift) & NibbleMask;
        position.squares[square] = piece;
        position.whiteCount += CGameState::isWhite(piece);
        position.blackCount += CGameState::isBlack(piece);
        position.whiteKings += piece == CGameState::WhiteKing;
        position.blackKings += piece == CGameState::BlackKing;
    }
    for (int i = 0; i < packed.pendingCount; ++i)
        position.pendingCaptures[i] = packed.pending[i];
    position.pendingCaptureCount = packed.pendingCount;
    position.sideToMove = packed.sideToMove;
    position.pliesWithoutCapture = packed.pliesWithoutCapture;
    return position;
}

CPdnLines::PackedPath CPdnLines::packPath(const CPdnMove::Path &path)
{
    PackedPath packed;
    packed.fill(EndOfPath);
    for (std::size_t i = 0; i < path.size() && i < packed.size(); ++i)
        packed[i] = static_cast<std::uint8_t>(path[i]);
    return packed;
}

// The path was played on this position before, so every step is legal.
CPosition CPdnLines::replay(CPosition position, const PackedPath &path)
{
    for (std::size_t i = 1; i < path.size() && path[i] != EndOfPath; ++i)
        position.makeMove(path[i - 1], path[i]);
    return position;
}
