#include "perftcommand.h"

#include "position.h"
#include "steplist.h"

std::string CPerftCommand::name() const
{
    return "perft";
}

std::vector<std::string> CPerftCommand::parameters() const
{
    return { "POS", "DEPTH" };
}

bool CPerftCommand::run(const std::vector<std::string> &arguments, std::ostream &out,
                        std::string &error) const
{
    CPosition position;
    int depth;
    if (!readPosition(arguments[0], position, error)
        || !readNumber(arguments[1], "DEPTH", 0, MaxDepth, depth, error))
        return false;
    out << count(position, depth) << '\n';
    return true;
}

std::uint64_t CPerftCommand::count(const CPosition &position, int depth)
{
    if (depth == 0)
        return 1;
    const CStepList steps(position);
    // The last level needs only the number of steps, not the positions.
    if (depth == 1)
        return steps.size();
    std::uint64_t total = 0;
    for (const CStepList::Step &step : steps) {
        CPosition next = position;
        next.makeMove(step.from, step.to);
        total += count(next, depth - 1);
    }
    return total;
}
