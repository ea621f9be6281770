#include "matchgame.h"

#include "matchfaults.h"
#include "splitmix64.h"
#include "tools/position/position.h"

// The rules end every game: captures are finite and the draw rule bounds
// the moves between them. A step the rules refuse loses the game for the
// player that chose it, so that no player can make a game loop.
CMatchGame::CMatchGame(int number, const COpening &opening, CMatchPlayer &a, CMatchPlayer &b,
                       std::uint32_t seed, const std::atomic<bool> &stop,
                       std::optional<CMatchClock> clock)
    : m_number(number)
    , m_seat(number)
    , m_fen(opening.fen())
    , m_steps(opening.steps())
    , m_comments(m_steps.size())
    , m_clock(std::move(clock))
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
        CMatchPlayer::Answer answer;
        const CMatchPlayer::Fault fault
            = playStep(position, player, searchSeed(seed, number, static_cast<int>(m_steps.size())),
                       stop, answer);
        if (stop)
            break;
        if (fault != CMatchPlayer::Fault::None) {
            forfeit(side, fault, answer.detail, wholeMoves);
            m_goneReason = player.goneReason();
            return;
        }
        m_steps.emplace_back(answer.from, answer.to);
        const bool turnEnds = position.isGameOver() || position.sideToMove != side;
        m_comments.push_back(
            m_clock && turnEnds ? m_clock->endTurn(side, answer.depth, answer.score) : "");
    }
    m_result = position.result();
}

// Asks the player for a step on its clock, if any, and plays it.
CMatchPlayer::Fault CMatchGame::playStep(CPosition &position, CMatchPlayer &player,
                                         std::uint32_t seed, const std::atomic<bool> &stop,
                                         CMatchPlayer::Answer &answer)
{
    const int side = position.sideToMove;
    std::optional<CMatchPlayer::Time> time;
    if (m_clock)
        time = CMatchPlayer::Time { m_clock->limit(side), m_clock->isMoveTime(),
                                    m_clock->increment(), m_clock->grace() };
    CMatchPlayer::Fault fault = player.chooseStep({ position, seed, time }, stop, answer);
    const bool timed = fault == CMatchPlayer::Fault::None || fault == CMatchPlayer::Fault::Timeout;
    if (m_clock && timed) {
        if (const auto over = m_clock->charge(side, answer.elapsed)) {
            player.lostOnTime();
            answer.detail = "out of time by " + CMatchClock::secondsText(*over) + " s";
            return CMatchPlayer::Fault::Timeout;
        }
    }
    if (fault == CMatchPlayer::Fault::None && !position.makeMove(answer.from, answer.to)) {
        fault = CMatchPlayer::Fault::Illegal;
        answer.detail = std::to_string(answer.from + 1) + '-' + std::to_string(answer.to + 1);
    }
    return fault;
}

// The move text ends on a whole move, so that the game reads back as one
// its players ended.
void CMatchGame::forfeit(int side, CMatchPlayer::Fault fault, const std::string &detail,
                         std::size_t wholeMoves)
{
    m_steps.resize(wholeMoves);
    m_comments.resize(wholeMoves);
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
