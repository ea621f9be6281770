#include "engineplayer.h"

CEnginePlayer::CEnginePlayer(const std::string &command, int depth,
                             std::chrono::milliseconds timeout)
    : m_process(command, timeout)
    , m_depth(depth)
{ }

CMatchPlayer::Fault CEnginePlayer::chooseStep(const CGameState &position, std::uint32_t seed,
                                              const std::atomic<bool> &stop, int &from, int &to,
                                              std::string &detail)
{
    if (!m_process.isRunning()) {
        const Fault fault = m_process.start(detail);
        if (fault != Fault::None)
            return fault;
    }
    return m_process.think(position, m_depth, seed, stop, from, to, detail);
}
