#include "search.h"

#include "diagnostic.h"
#include "gamenode.h"

#include <ctime>

namespace {

constexpr int BoundScore = 1000000;

CNodeScore boundScore(int value)
{
    CNodeScore score;
    score.fixedScore = value;
    return score;
}

} // namespace

CSearch::CSearch(int maxDepth, unsigned seed, SearchStats &stats)
    : m_maxDepth(maxDepth)
    , m_random(seed)
    , m_stats(stats)
{ }

int CSearch::scoreOf(const CNodeScore &score)
{
    if (score.drawsRandomTerm())
        ++m_stats.evaluations;
    return score.evaluate(m_random);
}

// Every comparison evaluates both sides afresh, so the random term weighs on
// the choice between near-equal moves and on the cut-offs alike.
CNodeScore CSearch::search(CGameNode &node, int depth, const CNodeScore &alpha,
                           const CNodeScore &beta, int extensions)
{
    if (depth == 0 || !node.hasMove())
        return node.score();
    const bool maximising = node.sideToMove == CGameState::White;
    if (!maximising && node.sideToMove != CGameState::Black) {
        emitDiagnostic(QStringLiteral("FAILURE"));
        return node.score();
    }
    CNodeScore best = maximising ? alpha : beta;
    int count = 0;
    while (const int *move = node.nextMove()) {
        CGameNode child(node);
        ++m_stats.nodes;
        child.makeMove(move);
        int childDepth = depth - 1;
        int childExtensions = extensions;
        if (++count == 1 && !node.hasMove()) {
            if (depth == m_maxDepth)
                return child.score();
            if (extensions < MaxForcedExtensions) {
                childDepth = depth;
                ++childExtensions;
            }
        }
        if (maximising) {
            const CNodeScore r = search(child, childDepth, best, beta, childExtensions);
            const int g = scoreOf(r);
            int h = scoreOf(best);
            const int l = scoreOf(beta);
            if (g > h) {
                best = r;
                h = g;
            }
            if (h >= l)
                return beta;
        } else {
            const CNodeScore r = search(child, childDepth, alpha, best, childExtensions);
            const int g = scoreOf(r);
            const int h = scoreOf(alpha);
            int l = scoreOf(best);
            if (g < l) {
                best = r;
                l = g;
            }
            if (h >= l)
                return alpha;
        }
    }
    return best;
}

void findBestMove(const CGameState &position, int depth, int &from, int &to)
{
    findBestMove(position, depth, static_cast<unsigned>(std::time(nullptr)), from, to);
}

void findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats *stats)
{
    SearchStats counted;
    CGameNode root(position, 0);
    CSearch search(depth, seed, counted);
    const CNodeScore best
        = search.search(root, depth, boundScore(-BoundScore), boundScore(BoundScore), 0);
    if (stats)
        *stats = counted;
    from = best.firstFrom;
    to = best.firstTo;
}
