#include "movescommand.h"

#include "position.h"
#include "steplist.h"

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
    for (const CStepList::Step &step : CStepList(position))
        out << step.from << '-' << step.to << '\n';
    return true;
}
