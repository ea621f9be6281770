#include "search.h"

#include "bitboard.h"
#include "moveset.h"
#include "output/diagnostic.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr int BoundScore = 1000000;

} // namespace

CSearch::CSearch(int maxDepth, unsigned seed)
    : m_maxDepth(maxDepth)
    , m_random(seed)
{ }

void CSearch::setAbandon(const std::function<bool()> *abandon)
{
    m_abandon = abandon;
    m_nextCheck = abandon ? m_nodes : LLONG_MAX;
}

// Kept out of line: it runs once in a thousand nodes.
__attribute__((noinline, cold)) void CSearch::checkAbandon()
{
    m_nextCheck = m_nodes + AbandonInterval;
    if ((*m_abandon)())
        throw Abandoned();
}

inline CNodeScore CSearch::leafScore(const CBitboard &position) const
{
    return CNodeScore(0, position.result(), position.material());
}

inline CNodeScore CSearch::plainLeafScore(const CBitboard &parent, int from, int to,
                                          CBitboard::Mask replies) const
{
    return CNodeScore(0, parent.resultAfterPlainStep(from, to, replies),
                      parent.materialAfterPlainStep(from, to));
}

CBitboard CSearch::childOf(const CBitboard &parent, int from, int to, bool capture)
{
    CBitboard child = parent;
    child.play(from, to, capture);
    return child;
}

// Every comparison evaluates both sides afresh, so the random term weighs on
// the choice between near-equal moves and on the cut-offs alike.
CNodeScore CSearch::search(const CBitboard &position, int depth, CNodeScore alpha, CNodeScore beta,
                           int extensions)
{
    if (depth == 0)
        return leafScore(position);
    if (m_nodes >= m_nextCheck)
        checkAbandon();
    CMoveSet moves;
    position.generate(moves);
    if (moves.isEmpty())
        return leafScore(position);
    const bool maximising = position.sideToMove() == CGameState::White;
    if (!maximising && position.sideToMove() != CGameState::Black) {
        emitDiagnostic(QStringLiteral("FAILURE"));
        return leafScore(position);
    }
    const bool root = depth == m_maxDepth;
    const bool forced = moves.isSingle();
    const bool capture = moves.isCapture();
    if (root && forced) {
        // The only move is the answer: nothing to compare it with.
        ++m_nodes;
        const int from = __builtin_ctz(moves.froms());
        const int to = __builtin_ctz(moves.targets(from));
        return leafScore(childOf(position, from, to, capture)).by(from, to);
    }
    // A forced move below the root costs no depth, up to a bound.
    int childDepth = depth - 1;
    int childExtensions = extensions;
    if (forced && !root && extensions < MaxForcedExtensions) {
        childDepth = depth;
        ++childExtensions;
    }
    const auto deeper = [&](int from, int to, CNodeScore lower, CNodeScore upper) {
        return search(childOf(position, from, to, capture), childDepth, lower, upper,
                      childExtensions);
    };
    const auto leaf = [&](int from, int to, CNodeScore, CNodeScore) {
        return leafScore(childOf(position, from, to, capture));
    };
    // Each kind of child has its own loop, so that the choice is made once a
    // node and the branches of each loop are predicted apart.
    if (root) {
        // Below the root a score tells only whether it is a leaf or a copy
        // of a bound; here that becomes the step it came by.
        return searchSteps(moves, maximising, alpha, beta,
                           [&](int from, int to, CNodeScore lower, CNodeScore upper) {
                               if (childDepth == 0)
                                   return leaf(from, to, lower, upper).by(from, to);
                               const CNodeScore r
                                   = deeper(from, to, lower.as(CNodeScore::LowerBound),
                                            upper.as(CNodeScore::UpperBound));
                               return r.origin() == CNodeScore::Leaf      ? r.by(from, to)
                                   : r.origin() == CNodeScore::LowerBound ? lower
                                                                          : upper;
                           });
    }
    if (childDepth != 0)
        return searchSteps(moves, maximising, alpha, beta, deeper);
    if (capture)
        return searchSteps(moves, maximising, alpha, beta, leaf);
    // Children that are only scored after a plain step are scored without
    // being made, from a copy of their parent that the loop's stores cannot
    // reach, so that its fields stay in registers.
    const CBitboard parent = position;
    const CBitboard::Mask replies = parent.replySquares();
    return searchSteps(moves, maximising, alpha, beta,
                       [&](int from, int to, CNodeScore, CNodeScore) {
                           return plainLeafScore(parent, from, to, replies);
                       });
}

template<typename ChildScore>
inline CNodeScore CSearch::searchSteps(const CMoveSet &moves, bool maximising, CNodeScore alpha,
                                       CNodeScore beta, const ChildScore &childScore)
{
    // The side to move narrows its own bound: White the lower, Black the
    // upper.
    CNodeScore lower = alpha;
    CNodeScore upper = beta;
    for (std::uint32_t froms = moves.froms(); froms; froms &= froms - 1) {
        const int from = __builtin_ctz(froms);
        for (std::uint32_t tos = moves.targets(from); tos; tos &= tos - 1) {
            const int to = __builtin_ctz(tos);
            ++m_nodes;
            const CNodeScore r = childScore(from, to, lower, upper);
            // The three evaluations draw in turn from the terms ahead: one
            // look-up of the generator's place for all three.
            const std::int32_t *terms = m_random.termsAhead(3);
            const int g = r.evaluate(terms);
            int h = lower.evaluate(terms);
            int l = upper.evaluate(terms);
            m_random.skipTo(terms);
            if (maximising) {
                lower = CNodeScore::select(g > h, r, lower);
                h = std::max(g, h);
            } else {
                upper = CNodeScore::select(g < l, r, upper);
                l = std::min(g, l);
            }
            if (h >= l)
                return maximising ? beta : alpha;
        }
    }
    return maximising ? lower : upper;
}

void findBestMove(const CGameState &position, int depth, int &from, int &to)
{
    findBestMove(position, depth, static_cast<unsigned>(std::time(nullptr)), from, to);
}

void findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats *stats)
{
    SearchStats found;
    findBestMove(position, depth, seed, from, to, found, {});
    if (stats)
        *stats = found;
}

bool findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats &stats, const std::function<bool()> &abandon)
{
    CSearch search(depth, seed);
    search.setAbandon(abandon ? &abandon : nullptr);
    try {
        const CNodeScore best
            = search.search(CBitboard(position), depth, CNodeScore(-BoundScore, 0, 0),
                            CNodeScore(BoundScore, 0, 0), 0);
        stats = search.stats();
        // White maximises: its score is the side to move's when it moves.
        stats.score = position.sideToMove == CGameState::White ? best.value() : -best.value();
        from = best.firstFrom();
        to = best.firstTo();
        return true;
    } catch (const CSearch::Abandoned &) {
        return false;
    }
}
