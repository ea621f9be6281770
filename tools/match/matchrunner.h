#ifndef CHECKERS_TOOLS_MATCH_MATCHRUNNER_H
#define CHECKERS_TOOLS_MATCH_MATCHRUNNER_H

#include "matchgame.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Plays the games of a match, several at once, and hands them on in game
// order. Each game depends only on its number and the seed, so the games
// are the same however many run at once.
class CMatchRunner
{
public:
    // Plays game `number`; may give up between two move steps once stop is
    // set, since the game is then thrown away.
    using GamePlay = std::function<CMatchGame(int number, const std::atomic<bool> &stop)>;
    // Makes the GamePlay of job `job`, numbered from 1, which may keep
    // state of its own, such as its engine processes, from game to game.
    using JobMaker = std::function<GamePlay(int job)>;
    // The two players of one job, A and B.
    struct Seats
    {
        std::shared_ptr<CMatchPlayer> a;
        std::shared_ptr<CMatchPlayer> b;
    };
    using SeatMaker = std::function<Seats(int job)>;
    using GameHandler = std::function<void(const CMatchGame &)>;
    // The number of games finished.
    using ProgressHandler = std::function<void(int)>;
    // Asked after each game handed on and at each tick: false ends the match.
    using Continuation = std::function<bool()>;

    explicit CMatchRunner(JobMaker makeJob);

    // The jobs of a match between the players that makeSeats makes for
    // each job: both games of a pair from the pair's opening (see
    // openingOf), or all from the initial position when there is none;
    // each game on a clock of its own like clock, if given.
    static JobMaker seated(SeatMaker makeSeats, std::uint32_t seed, std::vector<COpening> openings,
                           std::optional<CMatchClock> clock = std::nullopt);

    // Plays `games` games from number `first` on, `jobs` at a time. Hands
    // each game to onGame in game order, and reports progress at least once
    // a second; all three handlers run on the calling thread. Once goOn says
    // no, the workers stop within a move step each. One job plays on the
    // calling thread itself, asking goOn and reporting after each game.
    // Returns whether every game was handed on.
    bool run(
        int first, int games, int jobs, const GameHandler &onGame,
        const ProgressHandler &onProgress, const Continuation &goOn = [] { return true; }) const;

    // The opening of game `game` among `count`: games 2k - 1 and 2k, pair
    // k, play opening k, the openings taken in turn from the first.
    static int openingOf(int game, int count);

private:
    bool runHere(int first, int games, const GameHandler &onGame, const ProgressHandler &onProgress,
                 const Continuation &goOn) const;

    const JobMaker m_makeJob;
};

#endif
