#ifndef CHECKERS_TOOLS_PDN_CAPTUREPATHS_H
#define CHECKERS_TOOLS_PDN_CAPTUREPATHS_H

#include "tools/position/position.h"

#include <cstddef>
#include <vector>

// The capture sequences of one piece, for a move written only by the
// squares where it starts and ends. Every step is judged by the rules, with
// the captured pieces staying on the board, and blocking, until the
// sequence ends.
class CCapturePaths
{
public:
    using Path = std::vector<int>;

    // Up to limit sequences of captures by the piece on from that end on
    // to, each as its landing squares. A sequence ends where the turn
    // passes, or where the piece may not go on because another must capture.
    static std::vector<Path> find(const CPosition &position, int from, int to, std::size_t limit);

private:
    static void search(const CPosition &position, int square, int to, Path &path,
                       std::vector<Path> &found, std::size_t limit);
};

#endif
