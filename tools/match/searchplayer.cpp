#include "searchplayer.h"

#include "engine/search.h"

CSearchPlayer::CSearchPlayer(int depth)
    : m_depth(depth)
{ }

// A search is short: it runs to its end whatever stop says.
CMatchPlayer::Fault CSearchPlayer::chooseStep(const CGameState &position, std::uint32_t seed,
                                              const std::atomic<bool> &, int &from, int &to,
                                              std::string &)
{
    findBestMove(position, m_depth, seed, from, to);
    return Fault::None;
}
