#ifndef CHECKERS_TOOLS_CLI_ENGINESEARCH_H
#define CHECKERS_TOOLS_CLI_ENGINESEARCH_H

#include "engineoutput.h"

#include "tools/match/clocksearch.h"
#include "tools/position/position.h"
#include "tools/protocol/protocolline.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

// A search on a clock, on a thread of its own, so that the engine reads the
// referee's lines while it thinks: an info line for each depth it completes,
// then done with the step of the deepest one.
class CEngineSearch
{
public:
    explicit CEngineSearch(CEngineOutput &output);
    // Ends a search still running, with no answer.
    ~CEngineSearch();
    CEngineSearch(const CEngineSearch &) = delete;
    CEngineSearch &operator=(const CEngineSearch &) = delete;

    // The answer to go: the step in PDN squares, FROMxTO for a capture.
    static CProtocolLine done(const CPosition &position, int from, int to);

    // Starts searching position, which has a step, when no search runs.
    void start(const CPosition &position, std::uint32_t seed, const CClockSearch::Level &level);
    // False once the search has written its done, or never started.
    bool isRunning() const;
    // Ends a running search at once: its done, the deepest depth's step, is
    // written before this returns. Does nothing when none runs.
    void stop();
    // Ends a running search at once, with no more lines.
    void cancel();

private:
    void run(const CPosition &position, std::uint32_t seed, const CClockSearch::Level &level);
    // Writes line unless the search was cancelled; the last one ends the
    // search in the same breath.
    void answer(const CProtocolLine &line, bool last);

    CEngineOutput &m_output;
    std::atomic<bool> m_stop { false };
    // Guards the two flags, so that a done is either written before cancel
    // returns or never, and no line can come after isRunning() says false.
    mutable std::mutex m_mutex;
    bool m_running = false;
    bool m_cancelled = false;
    std::thread m_thread;
};

#endif
