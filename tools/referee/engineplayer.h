#ifndef CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H
#define CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H

#include "engineclient.h"

class CPlayerEntry;

// An engine program as a match player at a fixed depth. Its process is
// started at its first step and kept from game to game; after a crash or a
// time-out it is started again for the next step asked of it. It has
// started once before, to be identified: if it cannot start again, it
// loses the game it was to play and is gone.
class CEnginePlayer : public CMatchPlayer
{
public:
    CEnginePlayer(const CPlayerEntry &entry, std::chrono::milliseconds timeout);

    Fault chooseStep(const Ask &ask, const std::atomic<bool> &stop, Answer &answer) override;
    std::string goneReason() const override { return m_goneReason; }
    // Its late answer could reach the next game: it is started again.
    void lostOnTime() override { m_client.end(); }
    // Writes its lines to log, as job's engine.
    void logTo(CProtocolLog &log, int job, const CPlayerEntry &entry);

    // Starts the engine of entry once and greets it, to learn its name and
    // the parameters it lists, so
    // that an engine that cannot play fails before any game; false with one
    // line when it cannot.
    static bool identify(CPlayerEntry &entry, std::chrono::milliseconds timeout, CProtocolLog *log,
                         std::string &error);

private:
    CEngineClient m_client;
    const int m_depth;
    std::string m_goneReason;
};

#endif
