#ifndef CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H
#define CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H

#include "engineprocess.h"

// An engine program as a match player at a fixed depth. Its process is
// started at its first step and kept from game to game; after a crash or a
// time-out it is started again for the next step asked of it, and a
// process that cannot be started loses the game it was to play.
class CEnginePlayer : public CMatchPlayer
{
public:
    CEnginePlayer(const std::string &command, int depth, std::chrono::milliseconds timeout);

    Fault chooseStep(const CGameState &position, std::uint32_t seed, const std::atomic<bool> &stop,
                     int &from, int &to, std::string &detail) override;

private:
    CEngineProcess m_process;
    const int m_depth;
};

#endif
