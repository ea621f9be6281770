#ifndef CHECKERS_TOOLS_REFERENCE_REFERENCESEARCH_H
#define CHECKERS_TOOLS_REFERENCE_REFERENCESEARCH_H

#include "engine/search.h"

#include <deque>

class CGameState;
class CReferenceNode;

// The root search written the straightforward way, kept as the yardstick for
// the engine: one heap node per child, all kept in a list until the end, and
// three fresh evaluations per child. Same answers, same statistics.
class CReferenceSearch
{
public:
    using NodeList = std::deque<CReferenceNode *>;

    static void findBestMove(const CGameState &position, int depth, unsigned seed, int &from,
                             int &to, SearchStats *stats = nullptr);
    static CReferenceNode *search(CReferenceNode *node, int maxDepth, int depth,
                                  CReferenceNode *alphaNode, CReferenceNode *betaNode,
                                  NodeList &nodeList, int extensions, SearchStats *stats);

private:
    static int scoreOf(const CReferenceNode *node, SearchStats *stats);
};

#endif
