#include "bestcommand.h"

#include "engine/search.h"
#include "numbertext.h"
#include "position.h"

std::string CBestCommand::name() const
{
    return "best";
}

std::vector<std::string> CBestCommand::parameters() const
{
    return { "POS", "DEPTH", "SEED" };
}

bool CBestCommand::run(const std::vector<std::string> &arguments, std::ostream &out,
                       std::string &error) const
{
    CPosition position;
    int depth;
    std::uint32_t seed;
    if (!readPosition(arguments[0], position, error)
        || !readNumber(arguments[1], "DEPTH", 1, MaxDepth, depth, error))
        return false;
    if (!CNumberText::parse(arguments[2], seed)) {
        error = "SEED must be a whole number from 0 to 4294967295, not '" + arguments[2] + "'";
        return false;
    }
    int from, to;
    SearchStats stats;
    findBestMove(position, depth, seed, from, to, &stats);
    out << from << ' ' << to << ' ' << stats.nodes << ' ' << stats.evaluations << '\n';
    return true;
}
