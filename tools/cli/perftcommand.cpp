#include "perftcommand.h"

#include "engine/gamenode.h"
#include "tools/position/numbertext.h"
#include "tools/position/position.h"

std::string CPerftCommand::name() const
{
    return "perft";
}

std::vector<std::string> CPerftCommand::parameters() const
{
    return { "POS", "DEPTH" };
}

std::string CPerftCommand::help() const
{
    return "the number of sequences of DEPTH (0 to 64) move steps from POS; the draw at PLIES "
           "41 does not cut them short";
}

bool CPerftCommand::run(const Call &call, std::string &error) const
{
    CPosition position;
    int depth;
    if (!readPosition(call.arguments[0], position, error)
        || !CNumberText::read(call.arguments[1], "DEPTH", 0, MaxDepth, depth, error))
        return false;
    call.out << count(position, depth) << '\n';
    return true;
}

std::uint64_t CPerftCommand::count(const CGameState &position, int depth)
{
    CGameNode root(position, 0);
    return countFrom(root, depth);
}

std::uint64_t CPerftCommand::countFrom(CGameNode &node, int depth)
{
    if (depth == 0)
        return 1;
    std::uint64_t total = 0;
    while (const int *move = node.nextMove()) {
        // The last level needs only the number of steps, not the positions.
        if (depth == 1) {
            ++total;
            continue;
        }
        CGameNode child(node);
        child.makeMove(move);
        total += countFrom(child, depth - 1);
    }
    return total;
}
