#ifndef CHECKERS_ENGINE_SEARCH_H
#define CHECKERS_ENGINE_SEARCH_H

#include <deque>

class CGameNode;
class CGameState;

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

using NodeList = std::deque<CGameNode *>;

// Depth-limited alpha-beta search in which White maximises and Black
// minimises; returns a leaf of the tree or one of the two bounds it was given.
CGameNode *search(CGameNode *node, int maxDepth, int depth, CGameNode *alphaNode,
                  CGameNode *betaNode, NodeList &nodeList, int extensions = 0,
                  SearchStats *stats = nullptr);

// The game's root search: seeds the random generator with the time.
void findBestMove(const CGameState &position, int depth, int &from, int &to);
// The same search from a given seed, so that it can be repeated exactly.
void findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats *stats = nullptr);

#endif
