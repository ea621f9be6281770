#include "randompositions.h"

#include "engine/gamenode.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

CRandomPositions::CRandomPositions(unsigned seed)
    : m_random(seed)
{ }

std::vector<CPosition> CRandomPositions::game(int plies)
{
    std::vector<CPosition> positions(1);
    while (static_cast<int>(positions.size()) <= plies && !positions.back().isGameOver()) {
        CPosition next = positions.back();
        if (!playRandomStep(next))
            break;
        positions.push_back(next);
    }
    return positions;
}

CPosition CRandomPositions::kingEndgame(int whiteKings, int blackKings)
{
    std::vector<int> squares(CGameState::SquareCount);
    std::iota(squares.begin(), squares.end(), 0);
    std::shuffle(squares.begin(), squares.end(), m_random);
    CPosition position;
    for (int &piece : position.squares)
        piece = CGameState::Empty;
    for (int i = 0; i < whiteKings + blackKings; ++i)
        position.squares[squares[i]]
            = i < whiteKings ? CGameState::WhiteKing : CGameState::BlackKing;
    position.whiteCount = position.whiteKings = whiteKings;
    position.blackCount = position.blackKings = blackKings;
    position.sideToMove = m_random() % 2 ? CGameState::White : CGameState::Black;
    return position;
}

bool CRandomPositions::playRandomStep(CPosition &position)
{
    std::vector<std::pair<int, int>> steps;
    CGameNode node(position, 0);
    while (const int *move = node.nextMove())
        steps.emplace_back(move[0], move[1]);
    if (steps.empty())
        return false;
    const auto [from, to] = steps[m_random() % steps.size()];
    return position.makeMove(from, to);
}
