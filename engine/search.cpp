#include "search.h"

#include "gamenode.h"

#include <QDebug>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int BoundScore = 1000000;

int scoreOf(const CGameNode *node, SearchStats *stats)
{
    if (stats && node->drawsRandomTerm())
        ++stats->evaluations;
    return node->evaluate();
}

} // namespace

CGameNode *search(CGameNode *node, int maxDepth, int depth, CGameNode *alphaNode,
                  CGameNode *betaNode, NodeList &nodeList, int extensions, SearchStats *stats)
{
    if (depth == 0 || !node->hasMove())
        return node;
    const bool maximising = node->sideToMove == CGameState::White;
    if (!maximising && node->sideToMove != CGameState::Black) {
        qDebug("FAILURE");
        return node;
    }
    CGameNode *best = maximising ? alphaNode : betaNode;
    int count = 0;
    while (const int *move = node->nextMove()) {
        CGameNode *child = new CGameNode(*node);
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
            CGameNode *r = search(child, maxDepth, childDepth, best, betaNode, nodeList,
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
            CGameNode *r = search(child, maxDepth, childDepth, alphaNode, best, nodeList,
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

void findBestMove(const CGameState &position, int depth, int &from, int &to)
{
    findBestMove(position, depth, static_cast<unsigned>(std::time(nullptr)), from, to);
}

void findBestMove(const CGameState &position, int depth, unsigned seed, int &from, int &to,
                  SearchStats *stats)
{
    std::srand(seed);
    NodeList nodeList;
    CGameNode *root = new CGameNode(position, 0);
    CGameNode *upper = new CGameNode(position, BoundScore);
    CGameNode *lower = new CGameNode(position, -BoundScore);
    const CGameNode *best = search(root, depth, depth, lower, upper, nodeList, 0, stats);
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
