#include "engineplayer.h"

#include "tools/match/playerspec.h"
#include "tools/position/quotedtext.h"

CEnginePlayer::CEnginePlayer(const CPlayerSpec &spec, std::chrono::milliseconds timeout)
    : m_client(spec.words(), timeout)
    , m_depth(spec.depth())
{
    m_client.setParameters(spec.parameters());
}

CMatchPlayer::Fault CEnginePlayer::chooseStep(const Ask &ask, const std::atomic<bool> &stop,
                                              Answer &answer)
{
    if (!m_client.isRunning()) {
        std::string why;
        if (m_client.start(why) != Fault::None) {
            m_goneReason = why;
            answer.detail = "could not be started again: " + why;
            return Fault::Crash;
        }
    }
    return m_client.think(ask, m_depth, stop, answer);
}

void CEnginePlayer::logTo(CProtocolLog &log, int job, const CPlayerSpec &spec)
{
    m_client.logTo(log, job, spec.label());
}

bool CEnginePlayer::identify(CPlayerSpec &spec, std::chrono::milliseconds timeout,
                             CProtocolLog *log, std::string &error)
{
    CEngineClient client(spec.words(), timeout);
    if (log != nullptr)
        client.logTo(*log, 0, spec.label());
    std::string detail;
    if (client.start(detail) != Fault::None) {
        error = "the engine " + CQuotedText::quote(spec.command()) + " cannot play: " + detail;
        return false;
    }
    spec.identify(client.name(), client.version());
    spec.listParameters(client.listedParameters());
    return true;
}
