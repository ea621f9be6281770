#ifndef CHECKERS_TOOLS_MATCH_MATCHRUNNER_H
#define CHECKERS_TOOLS_MATCH_MATCHRUNNER_H

#include "matchgame.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Plays the games of a match, several at once, and hands them on in game
// order. Each game depends only on its number and the seed, so the games
// are the same however many run at once.
class CMatchRunner
{
public:
    // Plays game `number`; may give up between two move steps once stop is
    // set, since the game is then thrown away.
    using Player = std::function<CMatchGame(int number, const std::atomic<bool> &stop)>;
    // Makes the Player of one job, which may keep state of its own, such as
    // its engine processes, from game to game.
    using PlayerMaker = std::function<Player()>;
    // The two players of one job, A and B.
    struct Seats
    {
        std::shared_ptr<CMatchPlayer> a;
        std::shared_ptr<CMatchPlayer> b;
    };
    using SeatMaker = std::function<Seats()>;
    using GameHandler = std::function<void(const CMatchGame &)>;
    // The number of games finished.
    using ProgressHandler = std::function<void(int)>;
    // Asked after each game handed on and at each tick: false ends the match.
    using Continuation = std::function<bool()>;

    // Between depths A and B, A with White in the odd-numbered games; both
    // games of a pair from the pair's opening (see openingOf), or all from
    // the initial position when there is none.
    CMatchRunner(int depthA, int depthB, std::uint32_t seed, std::vector<COpening> openings = {});
    // The same between the players that makeSeats makes for each job.
    CMatchRunner(SeatMaker makeSeats, std::uint32_t seed, std::vector<COpening> openings);
    // Every job plays with the same player.
    explicit CMatchRunner(Player player);

    // Plays `games` games from number `first` on, `jobs` at a time. Hands
    // each game to onGame in game order, and reports progress at least once
    // a second; all three handlers run on the calling thread. Once goOn says
    // no, the workers stop within a move step each. One job plays on the
    // calling thread itself, asking goOn and reporting after each game.
    // Returns whether every game was handed on.
    bool run(
        int first, int games, int jobs, const GameHandler &onGame,
        const ProgressHandler &onProgress, const Continuation &goOn = [] { return true; }) const;

    // Whether A plays White in game number `game`: in the odd-numbered ones.
    static bool isWhiteA(int game);
    // The opening of game `game` among `count`: games 2k - 1 and 2k, pair
    // k, play opening k, the openings taken in turn from the first.
    static int openingOf(int game, int count);

private:
    bool runHere(int first, int games, const GameHandler &onGame, const ProgressHandler &onProgress,
                 const Continuation &goOn) const;

    const PlayerMaker m_makePlayer;
};

#endif
