#include "matchgame.h"

#include "engine/search.h"
#include "tools/position/position.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::uint64_t splitmix64(std::uint64_t z)
{
    z += 0x9e3779b97f4a7c15;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
}

} // namespace

// The rules end every game: captures are finite and the draw rule bounds
// the moves between them. A side without a step has already lost, so a
// search that offers an illegal one is a fault, which must not loop.
CMatchGame::CMatchGame(int number, const COpening &opening, int whiteDepth, int blackDepth,
                       std::uint32_t seed, const std::atomic<bool> &stop)
    : m_number(number)
    , m_fen(opening.fen())
    , m_steps(opening.steps())
{
    CPosition position = opening.start();
    for (const auto &[from, to] : m_steps)
        position.makeMove(from, to);
    while (!position.isGameOver() && !stop) {
        const int depth = position.sideToMove == CGameState::White ? whiteDepth : blackDepth;
        int from, to;
        findBestMove(position, depth, searchSeed(seed, number, static_cast<int>(m_steps.size())),
                     from, to);
        if (!position.makeMove(from, to)) {
            std::fprintf(stderr, "checkers-cli: the search chose the illegal step %d-%d\n", from,
                         to);
            std::abort();
        }
        m_steps.emplace_back(from, to);
    }
    m_result = position.result();
}

std::uint32_t CMatchGame::searchSeed(std::uint32_t seed, int number, int ply)
{
    return static_cast<std::uint32_t>(
        splitmix64(splitmix64(splitmix64(seed) + static_cast<std::uint64_t>(number))
                   + static_cast<std::uint64_t>(ply)));
}
