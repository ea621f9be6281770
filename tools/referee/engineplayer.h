#ifndef CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H
#define CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H

#include "engineclient.h"

class CPlayerSpec;

// An engine program as a match player at a fixed depth. Its process is
// started at its first step and kept from game to game; after a crash or a
// time-out it is started again for the next step asked of it. It has
// started once before, to be identified: if it cannot start again, it
// loses the game it was to play and is gone.
class CEnginePlayer : public CMatchPlayer
{
public:
    CEnginePlayer(const CPlayerSpec &spec, std::chrono::milliseconds timeout);

    Fault chooseStep(const CGameState &position, std::uint32_t seed, const std::atomic<bool> &stop,
                     int &from, int &to, std::string &detail) override;
    std::string goneReason() const override { return m_goneReason; }

    // Starts the engine of spec once and greets it, to learn its name and
    // the parameters it lists, so
    // that an engine that cannot play fails before any game; false with one
    // line when it cannot.
    static bool identify(CPlayerSpec &spec, std::chrono::milliseconds timeout, std::string &error);

private:
    CEngineClient m_client;
    const int m_depth;
    std::string m_goneReason;
};

#endif
