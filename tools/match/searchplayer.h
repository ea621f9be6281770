#ifndef CHECKERS_TOOLS_MATCH_SEARCHPLAYER_H
#define CHECKERS_TOOLS_MATCH_SEARCHPLAYER_H

#include "matchplayer.h"

// The built-in computer player at a fixed search depth, as the game plays.
class CSearchPlayer : public CMatchPlayer
{
public:
    explicit CSearchPlayer(int depth);

    Fault chooseStep(const CGameState &position, std::uint32_t seed, const std::atomic<bool> &stop,
                     int &from, int &to, std::string &detail) override;

private:
    const int m_depth;
};

#endif
