#include "movescommand.h"

#include "engine/gamenode.h"
#include "position.h"

std::string CMovesCommand::name() const
{
    return "moves";
}

std::vector<std::string> CMovesCommand::parameters() const
{
    return { "POS" };
}

bool CMovesCommand::run(const std::vector<std::string> &arguments, std::ostream &out,
                        std::string &error) const
{
    CPosition position;
    if (!readPosition(arguments[0], position, error))
        return false;
    CGameNode node(position, 0);
    while (const int *move = node.nextMove())
        out << move[0] << '-' << move[1] << '\n';
    return true;
}
