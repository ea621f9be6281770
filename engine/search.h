#ifndef CHECKERS_ENGINE_SEARCH_H
#define CHECKERS_ENGINE_SEARCH_H

#include "bitboard.h"
#include "nodescore.h"
#include "randomgenerator.h"

#include <climits>
#include <functional>

class CGameState;
class CMoveSet;

// What one root search did: the child nodes it created, the evaluations
// that drew a random term, and the score of the line it chose for the side
// to move, without the random term: material, where a man is worth 200 to
// 236 as it advances and a king 250 to 350, or CNodeScore::WinScore for a
// won game.
struct SearchStats
{
    long long nodes = 0;
    long long evaluations = 0;
    int score = 0;
};

// Forced moves below the root cost no depth; past this many on one line they
// do, so that a cycle of forced moves cannot recurse without end.
constexpr int MaxForcedExtensions = 64;

// The game's root search: seeds its random generator with the time.
void findBestMove(const CGameState &position, int depth, int &from, int &to);
// The same search from a given seed, so that it can be repeated exactly.
void findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats *stats = nullptr);
// The same search, given up as soon as abandon, asked every so many nodes,
// says so: then it gives false and leaves from, to and stats as they were.
// An empty abandon never gives up.
bool findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats &stats, const std::function<bool()> &abandon);

// Depth-limited alpha-beta search in which White maximises and Black
// minimises. Each child is a copy of its parent's position with one step
// played, on the stack for the time of its own search; what is handed back
// up is the score of the leaf, or of one of the bounds it was given, which
// is all the comparisons above need.
class CSearch
{
public:
    // Thrown out of search() when abandon says so.
    struct Abandoned
    {
    };
    // Nodes between two questions to abandon: often enough to answer within
    // a fraction of a millisecond, seldom enough to cost nothing.
    static constexpr long long AbandonInterval = 1024;

    CSearch(int maxDepth, unsigned seed);
    // Asks abandon every AbandonInterval nodes or so, and throws Abandoned
    // when it says yes; null, as until called, never asks.
    void setAbandon(const std::function<bool()> *abandon);

    CNodeScore search(const CBitboard &position, int depth, CNodeScore alpha, CNodeScore beta,
                      int extensions);
    // The nodes created so far and the evaluations that drew a random term.
    SearchStats stats() const { return { m_nodes, m_random.draws() }; }

private:
    void checkAbandon();
    CNodeScore leafScore(const CBitboard &position) const;
    static CBitboard childOf(const CBitboard &parent, int from, int to, bool capture);
    CNodeScore plainLeafScore(const CBitboard &parent, int from, int to,
                              CBitboard::Mask replies) const;
    // Scores every step in turn with childScore(from, to, lower, upper),
    // narrowing the side's bound, until a cut-off.
    template<typename ChildScore>
    CNodeScore searchSteps(const CMoveSet &moves, bool maximising, CNodeScore alpha,
                           CNodeScore beta, const ChildScore &childScore);

    const int m_maxDepth;
    CRandomGenerator m_random;
    long long m_nodes = 0;
    const std::function<bool()> *m_abandon = nullptr;
    // The node count at which to ask abandon next: never without one.
    long long m_nextCheck = LLONG_MAX;
};

#endif
