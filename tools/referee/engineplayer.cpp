#include "engineplayer.h"

#include "tools/match/playerspec.h"
#include "tools/position/quotedtext.h"

CEnginePlayer::CEnginePlayer(const CPlayerSpec &spec, std::chrono::milliseconds timeout)
    : m_client(spec.words(), timeout)
    , m_depth(spec.depth())
{
    m_client.setParameters(spec.parameters());
}

CMatchPlayer::Fault CEnginePlayer::chooseStep(const CGameState &position, std::uint32_t seed,
                                              const std::atomic<bool> &stop, int &from, int &to,
                                              std::string &detail)
{
    if (!m_client.isRunning()) {
        std::string why;
        if (m_client.start(why) != Fault::None) {
            m_goneReason = why;
            detail = "could not be started again: " + why;
            return Fault::Crash;
        }
    }
    return m_client.think(position, m_depth, seed, stop, from, to, detail);
}

bool CEnginePlayer::identify(CPlayerSpec &spec, std::chrono::milliseconds timeout,
                             std::string &error)
{
    CEngineClient client(spec.words(), timeout);
    std::string detail;
    if (client.start(detail) != Fault::None) {
        error = "the engine " + CQuotedText::quote(spec.command()) + " cannot play: " + detail;
        return false;
    }
    spec.identify(client.name(), client.version());
    spec.listParameters(client.listedParameters());
    return true;
}
