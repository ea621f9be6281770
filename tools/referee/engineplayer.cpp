#include "engineplayer.h"

#include "tools/match/playerentry.h"
#include "tools/position/quotedtext.h"

CEnginePlayer::CEnginePlayer(const CPlayerEntry &entry, std::chrono::milliseconds timeout)
    : m_client(entry.words(), timeout)
    , m_depth(entry.depth())
{
    m_client.setParameters(entry.parameters());
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

void CEnginePlayer::logTo(CProtocolLog &log, int job, const CPlayerEntry &entry)
{
    m_client.logTo(log, job, entry.label());
}

bool CEnginePlayer::identify(CPlayerEntry &entry, std::chrono::milliseconds timeout,
                             CProtocolLog *log, std::string &error)
{
    CEngineClient client(entry.words(), timeout);
    if (log != nullptr)
        client.logTo(*log, 0, entry.label());
    std::string detail;
    if (client.start(detail) != Fault::None) {
        error = "the engine " + CQuotedText::quote(entry.command()) + " cannot play: " + detail;
        return false;
    }
    entry.identify(client.name(), client.version());
    entry.listParameters(client.listedParameters());
    return true;
}
