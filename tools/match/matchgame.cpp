#include "matchgame.h"

#include "matchfaults.h"
#include "splitmix64.h"
#include "tools/position/position.h"

// The rules end every game: captures are finite and the draw rule bounds
// the moves between them. A step the rules refuse loses the game for the
// player that chose it, so that no player can make a game loop.
CMatchGame::CMatchGame(int number, const COpening &opening, CMatchPlayer &a, CMatchPlayer &b,
                       std::uint32_t seed, const std::atomic<bool> &stop)
    : m_number(number)
    , m_seat(number)
    , m_fen(opening.fen())
    , m_steps(opening.steps())
{
    CPosition position = opening.start();
    for (const auto &[from, to] : m_steps)
        position.makeMove(from, to);
    std::size_t wholeMoves = m_steps.size();
    while (!position.isGameOver() && !stop) {
        if (position.pendingCaptureCount == 0)
            wholeMoves = m_steps.size();
        const int side = position.sideToMove;
        CMatchPlayer &player = m_seat.isA(side) ? a : b;
        int from = -1, to = -1;
        std::string detail;
        CMatchPlayer::Fault fault = player.chooseStep(
            position, searchSeed(seed, number, static_cast<int>(m_steps.size())), stop, from, to,
            detail);
        if (stop)
            break;
        if (fault == CMatchPlayer::Fault::None && !position.makeMove(from, to)) {
            fault = CMatchPlayer::Fault::Illegal;
            detail = std::to_string(from + 1) + '-' + std::to_string(to + 1);
        }
        if (fault != CMatchPlayer::Fault::None) {
            forfeit(side, fault, detail, wholeMoves);
            m_goneReason = player.goneReason();
            return;
        }
        m_steps.emplace_back(from, to);
    }
    m_result = position.result();
}

// The move text ends on a whole move, so that the game reads back as one
// its players ended.
void CMatchGame::forfeit(int side, CMatchPlayer::Fault fault, const std::string &detail,
                         std::size_t wholeMoves)
{
    m_steps.resize(wholeMoves);
    m_result = side == CGameState::White ? CGameState::BlackWins : CGameState::WhiteWins;
    m_fault = fault;
    m_faultOfA = m_seat.isA(side);
    m_termination = CMatchFaults::termination(fault, side, detail);
}

std::uint32_t CMatchGame::searchSeed(std::uint32_t seed, int number, int ply)
{
    const auto mix = CSplitMix64::mix;
    return static_cast<std::uint32_t>(
        mix(mix(mix(seed) + static_cast<std::uint64_t>(number)) + static_cast<std::uint64_t>(ply)));
}
