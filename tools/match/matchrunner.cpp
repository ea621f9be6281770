#include "matchrunner.h"

#include "searchplayer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// How often the handing thread looks at goOn and the progress when no game
// comes: Ctrl-C is a flag that wakes nothing.
constexpr std::chrono::milliseconds Tick(100);

// What the workers share with the thread that hands the games on.
struct Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    int next = 0;
    int finished = 0;
    std::vector<std::optional<CMatchGame>> games;
    std::atomic<bool> stop { false };
};

} // namespace

CMatchRunner::CMatchRunner(int depthA, int depthB, std::uint32_t seed,
                           std::vector<COpening> openings)
    : CMatchRunner(
        [depthA, depthB] {
            return Seats { std::make_shared<CSearchPlayer>(depthA),
                           std::make_shared<CSearchPlayer>(depthB) };
        },
        seed, std::move(openings))
{ }

CMatchRunner::CMatchRunner(SeatMaker makeSeats, std::uint32_t seed, std::vector<COpening> openings)
    : m_makePlayer([makeSeats = std::move(makeSeats), seed, openings = std::move(openings)] {
        return [seats = makeSeats(), seed, &openings](int number, const std::atomic<bool> &stop) {
            const bool aIsWhite = isWhiteA(number);
            const COpening opening = openings.empty()
                ? COpening()
                : openings[static_cast<std::size_t>(
                    openingOf(number, static_cast<int>(openings.size())))];
            return CMatchGame(number, opening, aIsWhite ? *seats.a : *seats.b,
                              aIsWhite ? *seats.b : *seats.a, seed, stop);
        };
    })
{ }

CMatchRunner::CMatchRunner(Player player)
    : m_makePlayer([player = std::move(player)] { return player; })
{ }

bool CMatchRunner::isWhiteA(int game)
{
    return game % 2 == 1;
}

int CMatchRunner::openingOf(int game, int count)
{
    return (game - 1) / 2 % count;
}

bool CMatchRunner::run(int first, int games, int jobs, const GameHandler &onGame,
                       const ProgressHandler &onProgress, const Continuation &goOn) const
{
    if (jobs == 1)
        return runHere(first, games, onGame, onProgress, goOn);
    Shared shared;
    shared.games.resize(games);
    const auto work = [this, &shared, first, games] {
        const Player player = m_makePlayer();
        for (;;) {
            int index;
            {
                const std::lock_guard<std::mutex> lock(shared.mutex);
                if (shared.stop || shared.next == games)
                    return;
                index = shared.next++;
            }
            CMatchGame game = player(first + index, shared.stop);
            {
                const std::lock_guard<std::mutex> lock(shared.mutex);
                shared.games[index] = std::move(game);
                ++shared.finished;
            }
            shared.changed.notify_one();
        }
    };
    std::vector<std::thread> workers;
    workers.reserve(std::min(jobs, games));
    for (int i = 0; i < std::min(jobs, games); ++i)
        workers.emplace_back(work);

    // Games are handed on outside the lock, so that writing them never
    // holds up a worker.
    int handed = 0;
    bool going = true;
    std::unique_lock<std::mutex> lock(shared.mutex);
    while (going && handed < games) {
        shared.changed.wait_for(lock, Tick,
                                [&shared, handed] { return shared.games[handed].has_value(); });
        std::vector<CMatchGame> ready;
        for (; handed < games && shared.games[handed]; ++handed) {
            ready.push_back(std::move(*shared.games[handed]));
            shared.games[handed].reset();
        }
        const int finished = shared.finished;
        lock.unlock();
        for (auto game = ready.begin(); going && game != ready.end(); ++game) {
            onGame(*game);
            going = goOn();
        }
        going = going && goOn();
        if (going)
            onProgress(finished);
        lock.lock();
    }
    shared.stop = true;
    lock.unlock();
    for (std::thread &worker : workers)
        worker.join();
    return going;
}

// Nothing to hand over between threads, so one input always takes the same
// path through the code.
bool CMatchRunner::runHere(int first, int games, const GameHandler &onGame,
                           const ProgressHandler &onProgress, const Continuation &goOn) const
{
    const std::atomic<bool> never { false };
    const Player player = m_makePlayer();
    for (int done = 1; done <= games; ++done) {
        onGame(player(first + done - 1, never));
        if (!goOn())
            return false;
        onProgress(done);
    }
    return true;
}
