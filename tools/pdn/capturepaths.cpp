#include "capturepaths.h"

std::vector<CCapturePaths::Path> CCapturePaths::find(const CPosition &position, int from, int to,
                                                     std::size_t limit)
{
    std::vector<Path> found;
    Path path;
    search(position, from, to, path, found, limit);
    return found;
}

// Each step takes a piece that is not yet pending, so the search goes at
// most twelve steps deep.
void CCapturePaths::search(const CPosition &position, int square, int to, Path &path,
                           std::vector<Path> &found, std::size_t limit)
{
    bool stepped = false;
    for (int next = 0; next < CGameState::SquareCount && found.size() < limit; ++next) {
        int captured = -1;
        if (!position.isLegalMove(square, next, captured) || captured == -1)
            continue;
        stepped = true;
        CPosition after = position;
        after.makeMove(square, next);
        path.push_back(next);
        if (after.sideToMove == position.sideToMove)
            search(after, next, to, path, found, limit);
        else if (next == to)
            found.push_back(path);
        path.pop_back();
    }
    if (!stepped && !path.empty() && square == to && found.size() < limit)
        found.push_back(path);
}
