#ifndef CHECKERS_TOOLS_MATCH_MATCHGAME_H
#define CHECKERS_TOOLS_MATCH_MATCHGAME_H

#include "matchclock.h"
#include "matchplayer.h"
#include "matchseat.h"
#include "opening.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CPosition;

// One game between two players from an opening, played on as the program
// plays one: a choice for every move step, each step of a multi-jump
// included, on a live position that counts the moves without a capture,
// until the rules end the game, a player forfeits it by a fault, or it is
// stopped.
class CMatchGame
{
public:
    using Step = std::pair<int, int>;

    // Game number `number` of a match with the given seed between players
    // a and b, seated as CMatchSeat says, from the opening, whose steps
    // count as played ones for the seeds. Once stop is set, the game ends
    // after the step under way, without a result.
    CMatchGame(int number, const COpening &opening, CMatchPlayer &a, CMatchPlayer &b,
               std::uint32_t seed, const std::atomic<bool> &stop,
               std::optional<CMatchClock> clock = std::nullopt);

    // The seed of the search for the move step after `ply` steps of game
    // `number`: the low 32 bits of
    // splitmix64(splitmix64(splitmix64(seed) + number) + ply).
    static std::uint32_t searchSeed(std::uint32_t seed, int number, int ply);

    int number() const { return m_number; }
    const CMatchSeat &seat() const { return m_seat; }
    // The opening's FEN, empty for the initial position.
    const std::string &fen() const { return m_fen; }
    // From the start position: the opening's steps, then the game's; after
    // a fault, up to the last whole move before it.
    const std::vector<Step> &steps() const { return m_steps; }
    // For each step, the comment the PDN writes after it: on a clock, the
    // turn's clock comment after its last step; empty otherwise.
    const std::vector<std::string> &comments() const { return m_comments; }
    // A CGameState::Result, or CPosition::NoResult if it was stopped.
    int result() const { return m_result; }
    // What A scored, in half points: 0, 1 or 2.
    int halfPointsOfA() const { return m_seat.halfPointsOfA(m_result); }
    // What lost the game, if a player's fault did: Fault::None otherwise.
    CMatchPlayer::Fault fault() const { return m_fault; }
    // Whether A was the player at fault.
    bool faultOfA() const { return m_faultOfA; }
    // The Termination tag of a game lost by a fault.
    const std::string &termination() const { return m_termination; }
    // Why the player at fault can play no more, if it cannot: the match
    // ends with this game.
    const std::string &goneReason() const { return m_goneReason; }

private:
    CMatchPlayer::Fault playStep(CPosition &position, CMatchPlayer &player, std::uint32_t seed,
                                 const std::atomic<bool> &stop, CMatchPlayer::Answer &answer);
    void forfeit(int side, CMatchPlayer::Fault fault, const std::string &detail,
                 std::size_t wholeMoves);

    int m_number;
    CMatchSeat m_seat;
    std::string m_fen;
    std::vector<Step> m_steps;
    std::vector<std::string> m_comments;
    std::optional<CMatchClock> m_clock;
    int m_result;
    CMatchPlayer::Fault m_fault = CMatchPlayer::Fault::None;
    bool m_faultOfA = false;
    std::string m_termination;
    std::string m_goneReason;
};

#endif
