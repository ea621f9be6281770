#include "matchrunner.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// What the workers share with the thread that hands the games on.
struct Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    int next = 0;
    int finished = 0;
    std::vector<std::optional<CMatchGame>> games;
};

} // namespace

CMatchRunner::CMatchRunner(int depthA, int depthB, std::uint32_t seed)
    : m_depthA(depthA)
    , m_depthB(depthB)
    , m_seed(seed)
{ }

bool CMatchRunner::isWhiteA(int game)
{
    return game % 2 == 1;
}

CMatchGame CMatchRunner::play(int number) const
{
    const bool aIsWhite = isWhiteA(number);
    return CMatchGame(number, aIsWhite ? m_depthA : m_depthB, aIsWhite ? m_depthB : m_depthA,
                      m_seed);
}

void CMatchRunner::run(int first, int games, int jobs, const GameHandler &onGame,
                       const ProgressHandler &onProgress) const
{
    if (jobs == 1) {
        runHere(first, games, onGame, onProgress);
        return;
    }
    Shared shared;
    shared.games.resize(games);
    const auto work = [this, &shared, first, games] {
        for (;;) {
            int index;
            {
                const std::lock_guard<std::mutex> lock(shared.mutex);
                if (shared.next == games)
                    return;
                index = shared.next++;
            }
            CMatchGame game = play(first + index);
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
    int reported = -1;
    std::unique_lock<std::mutex> lock(shared.mutex);
    while (handed < games) {
        shared.changed.wait_for(lock, std::chrono::seconds(1),
                                [&shared, reported] { return shared.finished != reported; });
        std::vector<CMatchGame> ready;
        for (; handed < games && shared.games[handed]; ++handed) {
            ready.push_back(std::move(*shared.games[handed]));
            shared.games[handed].reset();
        }
        reported = shared.finished;
        lock.unlock();
        for (const CMatchGame &game : ready)
            onGame(game);
        onProgress(reported);
        lock.lock();
    }
    lock.unlock();
    for (std::thread &worker : workers)
        worker.join();
}

// Nothing to hand over between threads, so one input always takes the same
// path through the code.
void CMatchRunner::runHere(int first, int games, const GameHandler &onGame,
                           const ProgressHandler &onProgress) const
{
    for (int done = 1; done <= games; ++done) {
        onGame(play(first + done - 1));
        onProgress(done);
    }
}
