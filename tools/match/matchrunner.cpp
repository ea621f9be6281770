#include "matchrunner.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// How often the handing thread looks at goOn and the progress when no game
// comes: Ctrl-C is a flag that wakes nothing.
constexpr std::chrono::milliseconds Tick(100);

// How many games a job may run ahead of the last game handed on, so that
// the games waiting for one slow game stay few however long the match.
constexpr int AheadPerJob = 4;

// What the workers share with the thread that hands the games on. Games
// are counted by their index from the first.
struct Shared
{
    std::mutex mutex;
    // A game was finished.
    std::condition_variable finishedOne;
    // Games were handed on, or the match stops.
    std::condition_variable handedOn;
    int next = 0;
    int finished = 0;
    int handed = 0;
    // The games finished and not handed on yet.
    std::map<int, CMatchGame> waiting;
    std::atomic<bool> stop { false };
};

} // namespace

CMatchRunner::CMatchRunner(JobMaker makeJob)
    : m_makeJob(std::move(makeJob))
{ }

CMatchRunner::JobMaker CMatchRunner::seated(SeatMaker makeSeats, std::uint32_t seed,
                                            std::vector<COpening> openings,
                                            std::optional<CMatchClock> clock)
{
    return [makeSeats = std::move(makeSeats), seed, openings = std::move(openings),
            clock = std::move(clock)](int job) {
        return [seats = makeSeats(job), seed, &openings, &clock](int number,
                                                                 const std::atomic<bool> &stop) {
            const COpening opening = openings.empty()
                ? COpening()
                : openings[static_cast<std::size_t>(
                    openingOf(number, static_cast<int>(openings.size())))];
            return CMatchGame(number, opening, *seats.a, *seats.b, seed, stop, clock);
        };
    };
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
    const int ahead = AheadPerJob * jobs;
    const auto work = [this, &shared, first, games, ahead](int job) {
        const GamePlay play = m_makeJob(job);
        for (;;) {
            int index;
            {
                std::unique_lock<std::mutex> lock(shared.mutex);
                shared.handedOn.wait(lock, [&shared, games, ahead] {
                    return shared.stop || shared.next == games
                        || shared.next < shared.handed + ahead;
                });
                if (shared.stop || shared.next == games)
                    return;
                index = shared.next++;
            }
            CMatchGame game = play(first + index, shared.stop);
            {
                const std::lock_guard<std::mutex> lock(shared.mutex);
                shared.waiting.emplace(index, std::move(game));
                ++shared.finished;
            }
            shared.finishedOne.notify_one();
        }
    };
    std::vector<std::thread> workers;
    workers.reserve(std::min(jobs, games));
    for (int job = 1; job <= std::min(jobs, games); ++job)
        workers.emplace_back(work, job);

    // Games are handed on outside the lock, so that writing them never
    // holds up a worker.
    bool going = true;
    std::unique_lock<std::mutex> lock(shared.mutex);
    const auto nextIsIn = [&shared] {
        return !shared.waiting.empty() && shared.waiting.begin()->first == shared.handed;
    };
    while (going && shared.handed < games) {
        shared.finishedOne.wait_for(lock, Tick, nextIsIn);
        std::vector<CMatchGame> ready;
        for (; nextIsIn(); ++shared.handed) {
            ready.push_back(std::move(shared.waiting.begin()->second));
            shared.waiting.erase(shared.waiting.begin());
        }
        const int finished = shared.finished;
        lock.unlock();
        shared.handedOn.notify_all();
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
    shared.handedOn.notify_all();
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
    const GamePlay play = m_makeJob(1);
    for (int done = 1; done <= games; ++done) {
        onGame(play(first + done - 1, never));
        if (!goOn())
            return false;
        onProgress(done);
    }
    return true;
}
