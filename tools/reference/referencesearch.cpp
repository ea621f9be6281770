#include "referencesearch.h"

#include "referencenode.h"

#include <QDebug>
#include <cstdlib>

namespace {

constexpr int BoundScore = 1000000;

} // namespace

int CReferenceSearch::scoreOf(const CReferenceNode *node, SearchStats *stats)
{
    if (stats && node->drawsRandomTerm())
        ++stats->evaluations;
    return node->evaluate();
}

CReferenceNode *CReferenceSearch::search(CReferenceNode *node, int maxDepth, int depth,
                                         CReferenceNode *alphaNode, CReferenceNode *betaNode,
                                         NodeList &nodeList, int extensions, SearchStats *stats)
{
    if (depth == 0 || !node->hasMove())
        return node;
    const bool maximising = node->sideToMove == CGameState::White;
    if (!maximising && node->sideToMove != CGameState::Black) {
        qDebug("FAILURE");
        return node;
    }
    CReferenceNode *best = maximising ? alphaNode : betaNode;
    int count = 0;
    while (const int *move = node->nextMove()) {
        CReferenceNode *child = new CReferenceNode(*node);
        nodeList.push_back(child);
        if (stats)
            ++stats->nodes;
        child->makeMove(move);
        int childDepth = depth - 1;
        int childExtensions = extensions;
        if (++count == 1 && !node->hasMove()) {
            if (depth == maxDepth)
                return child;
            if (extensions < MaxForcedExtensions) {
                childDepth = depth;
                ++childExtensions;
            }
        }
        if (maximising) {
            CReferenceNode *r = search(child, maxDepth, childDepth, best, betaNode, nodeList,
                                       childExtensions, stats);
            const int g = scoreOf(r, stats);
            int h = scoreOf(best, stats);
            const int l = scoreOf(betaNode, stats);
            if (g > h) {
                best = r;
                h = g;
            }
            if (h >= l)
                return betaNode;
        } else {
            CReferenceNode *r = search(child, maxDepth, childDepth, alphaNode, best, nodeList,
                                       childExtensions, stats);
            const int g = scoreOf(r, stats);
            const int h = scoreOf(alphaNode, stats);
            int l = scoreOf(best, stats);
            if (g < l) {
                best = r;
                l = g;
            }
            if (h >= l)
                return alphaNode;
        }
    }
    return best;
}

void CReferenceSearch::findBestMove(const CGameState &position, int depth, unsigned seed, int &from,
                                    int &to, SearchStats *stats)
{
    std::srand(seed);
    NodeList nodeList;
    CReferenceNode *root = new CReferenceNode(position, 0);
    CReferenceNode *upper = new CReferenceNode(position, BoundScore);
    CReferenceNode *lower = new CReferenceNode(position, -BoundScore);
    const CReferenceNode *best = search(root, depth, depth, lower, upper, nodeList, 0, stats);
    const int bestFrom = best->firstFrom;
    const int bestTo = best->firstTo;
    delete root;
    delete upper;
    delete lower;
    while (!nodeList.empty()) {
        delete nodeList.front();
        nodeList.pop_front();
    }
    from = bestFrom;
    to = bestTo;
}
