#include "enginesearch.h"

#include "tools/protocol/protocolstep.h"
#include "tools/protocol/protocolwords.h"

#include <string>

namespace {

// Seconds with three decimals, from milliseconds.
std::string secondsText(std::chrono::milliseconds time)
{
    const std::string thousandths = std::to_string(1000 + time.count() % 1000);
    return std::to_string(time.count() / 1000) + '.' + thousandths.substr(1);
}

CProtocolLine info(const CClockSearch::Iteration &iteration)
{
    return CProtocolLine(CProtocolWords::Info)
        .with("depth", std::to_string(iteration.depth))
        .with("score", std::to_string(iteration.score))
        .with("nodes", std::to_string(iteration.nodes))
        .with("time", secondsText(iteration.time));
}

} // namespace

CEngineSearch::CEngineSearch(CEngineOutput &output)
    : m_output(output)
{ }

CEngineSearch::~CEngineSearch()
{
    cancel();
}

CProtocolLine CEngineSearch::done(const CPosition &position, int from, int to)
{
    int captured = -1;
    position.isLegalMove(from, to, captured);
    return CProtocolLine(CProtocolWords::Done)
        .with("move", CProtocolStep::format(from, to, captured != -1));
}

void CEngineSearch::start(const CPosition &position, std::uint32_t seed,
                          const CClockSearch::Level &level)
{
    // The last search has written its done; its thread may not have ended.
    if (m_thread.joinable())
        m_thread.join();
    m_stop = false;
    m_running = true;
    m_cancelled = false;
    m_thread = std::thread(&CEngineSearch::run, this, position, seed, level);
}

bool CEngineSearch::isRunning() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_running;
}

void CEngineSearch::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CEngineSearch::cancel()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
    }
    stop();
}

void CEngineSearch::run(const CPosition &position, std::uint32_t seed,
                        const CClockSearch::Level &level)
{
    const CClockSearch::Iteration best = CClockSearch().search(
        position, seed, level, m_stop,
        [this](const CClockSearch::Iteration &iteration) { answer(info(iteration), false); });
    answer(done(position, best.from, best.to), true);
}

void CEngineSearch::answer(const CProtocolLine &line, bool last)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_cancelled)
        m_output.write(line);
    if (last)
        m_running = false;
}
