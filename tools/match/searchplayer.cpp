#include "searchplayer.h"

#include "engine/search.h"

CSearchPlayer::CSearchPlayer(int depth, CClockSearch::Clock now)
    : m_depth(depth)
    , m_now(std::move(now))
{ }

// A search at a fixed depth is short: it runs to its end whatever stop says.
CMatchPlayer::Fault CSearchPlayer::chooseStep(const Ask &ask, const std::atomic<bool> &stop,
                                              Answer &answer)
{
    if (!ask.time) {
        findBestMove(ask.position, m_depth, ask.seed, answer.from, answer.to);
        return Fault::None;
    }
    CClockSearch::Level level;
    level.maxDepth = m_depth;
    (ask.time->perStep ? level.moveTime : level.timeLeft) = ask.time->limit;
    level.increment = ask.time->increment;
    const auto start = m_now();
    const CClockSearch::Iteration deepest
        = CClockSearch(m_now).search(ask.position, ask.seed, level, stop);
    answer.elapsed = std::chrono::duration_cast<Duration>(m_now() - start);
    answer.from = deepest.from;
    answer.to = deepest.to;
    answer.depth = deepest.depth;
    answer.score = deepest.score;
    return Fault::None;
}
