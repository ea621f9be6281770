#ifndef CHECKERS_ENGINE_SEARCH_H
#define CHECKERS_ENGINE_SEARCH_H

#include "bitboard.h"
#include "nodescore.h"
#include "randomgenerator.h"

class CGameState;
class CMoveSet;

// What one root search did: the child nodes it created and the evaluations
// that drew a random term.
struct SearchStats
{
    long long nodes = 0;
    long long evaluations = 0;
};

// Forced moves below the root cost no depth; past this many on one line they
// do, so that a cycle of forced moves cannot recurse without end.
constexpr int MaxForcedExtensions = 64;

// The game's root search: seeds its random generator with the time.
void findBestMove(const CGameState &position, int depth, int &from, int &to);
// The same search from a given seed, so that it can be repeated exactly.
void findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats *stats = nullptr);

// Depth-limited alpha-beta search in which White maximises and Black
// minimises. Each child is a copy of its parent's position with one step
// played, on the stack for the time of its own search; what is handed back
// up is the score of the leaf, or of one of the bounds it was given, which
// is all the comparisons above need.
class CSearch
{
public:
    CSearch(int maxDepth, unsigned seed);

    CNodeScore search(const CBitboard &position, int depth, CNodeScore alpha, CNodeScore beta,
                      int extensions);
    // The nodes created so far and the evaluations that drew a random term.
    SearchStats stats() const { return { m_nodes, m_random.draws() }; }

private:
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
};

#endif
