#ifndef CHECKERS_TOOLS_MATCH_MATCHGAME_H
#define CHECKERS_TOOLS_MATCH_MATCHGAME_H

#include "matchplayer.h"
#include "opening.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One game between two players from an opening, played on as the program
// plays one: a choice for every move step, each step of a multi-jump
// included, on a live position that counts the moves without a capture,
// until the rules end the game, a player forfeits it by a fault, or it is
// stopped.
class CMatchGame
{
public:
    using Step = std::pair<int, int>;

    // Game number `number` of a match with the given seed, from the
    // opening, whose steps count as played ones for the seeds. Once stop is
    // set, the game ends after the step under way, without a result.
    CMatchGame(int number, const COpening &opening, CMatchPlayer &white, CMatchPlayer &black,
               std::uint32_t seed, const std::atomic<bool> &stop);

    // The seed of the search for the move step after `ply` steps of game
    // `number`: the low 32 bits of
    // splitmix64(splitmix64(splitmix64(seed) + number) + ply).
    static std::uint32_t searchSeed(std::uint32_t seed, int number, int ply);

    int number() const { return m_number; }
    // The opening's FEN, empty for the initial position.
    const std::string &fen() const { return m_fen; }
    // From the start position: the opening's steps, then the game's; after
    // a fault, up to the last whole move before it.
    const std::vector<Step> &steps() const { return m_steps; }
    // A CGameState::Result, or CPosition::NoResult if it was stopped.
    int result() const { return m_result; }
    // What lost the game, if a player's fault did: Fault::None otherwise.
    CMatchPlayer::Fault fault() const { return m_fault; }
    // The side at fault, a CGameState::Side, and its Termination tag.
    int faultSide() const { return m_faultSide; }
    const std::string &termination() const { return m_termination; }

private:
    void forfeit(int side, CMatchPlayer::Fault fault, const std::string &detail,
                 std::size_t wholeMoves);

    int m_number;
    std::string m_fen;
    std::vector<Step> m_steps;
    int m_result;
    CMatchPlayer::Fault m_fault = CMatchPlayer::Fault::None;
    int m_faultSide = 0;
    std::string m_termination;
};

#endif
