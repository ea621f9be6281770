#include "movescommand.h"

#include "engine/gamenode.h"
#include "tools/position/position.h"

std::string CMovesCommand::name() const
{
    return "moves";
}

std::vector<std::string> CMovesCommand::parameters() const
{
    return { "POS" };
}

std::string CMovesCommand::help() const
{
    return "every legal move step from POS, one FROM-TO a line, as the rules generate them "
           "whatever PLIES is: the draw is declared when a step is played";
}

bool CMovesCommand::run(const Call &call, std::string &error) const
{
    CPosition position;
    if (!readPosition(call.arguments[0], position, error))
        return false;
    CGameNode node(position, 0);
    while (const int *move = node.nextMove())
        call.out << move[0] << '-' << move[1] << '\n';
    return true;
}
